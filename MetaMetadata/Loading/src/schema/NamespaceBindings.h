#pragma once
#include "schema/Schema.h"

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

/// The fixed binding of the MXF file format namespace.
inline const char16_t kFileFormatPrefix[] = u"ff";
inline const char16_t kFileFormatNamespace[] = u"urn:SMPTE:MXF:file_format";
inline const char16_t kXmlSchemaNamespace[] = u"http://www.w3.org/2001/XMLSchema";

/// Binds "ff" and every prefix that `root` declares in `resolver` and records
/// namespace -> prefix in `prefixes` (first binding of a namespace wins). When
/// the root declares no "xs" prefix, "xs" is bound to the XML Schema
/// namespace in the resolver only.
void bindSchemaNamespaces(const xercesc::DOMElement& root, xercesc::DOMXPathNSResolver& resolver,
                          NamespacePrefixes& prefixes);

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
