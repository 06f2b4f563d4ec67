#pragma once
#include "MetaMetadata/Loading/LoaderState.h"

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

/// The fixed binding of the MXF file format namespace.
inline const char16_t kFileFormatPrefix[] = u"ff";
inline const char16_t kFileFormatNamespace[] = u"urn:SMPTE:MXF:file_format";
inline const char16_t kXmlSchemaNamespace[] = u"http://www.w3.org/2001/XMLSchema";

/// Binds "ff" and every prefix that the root element declares in the resolver
/// and records namespace -> prefix in namespace2PrefixMap_ (first binding of
/// a namespace wins). When the root declares no "xs" prefix, "xs" is bound to
/// the XML Schema namespace in the resolver only.
void bindSchemaNamespaces(LoaderState& state, xercesc::DOMDocument* document);

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
