#pragma once
// The annotation facts of a declaration (xs:annotation/xs:appinfo texts keyed
// by their source attribute) and the attributes the phases read, as the
// schema index holds them.
#include "schema/Schema.h"

#include <optional>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

/// The appinfo sources the phases read, spelled once for the loader and for
/// whatever reads a schema as the loader does.
namespace AppinfoSource {
/// Marks the declarations of meta elements.
inline constexpr char16_t kRegistered[] = u"RP210";
inline constexpr char16_t kULDesignator[] = u"UL Designator";
inline constexpr char16_t kLocalTag[] = u"Local Tag";
inline constexpr char16_t kNamespaceURI[] = u"XMLNamespaceURI";
inline constexpr char16_t kNameInSpecification[] = u"Name In Specification";
inline constexpr char16_t kDistinguishedValue[] = u"Distinguished Value";
} // namespace AppinfoSource

/// The type texts of the top-level element declarations that name the sets
/// (through their substitution group), compared as written: "Ref" ones are
/// read first, then "ff:Ref" ones.
inline constexpr const char16_t* kReferenceTypes[] = {u"Ref", u"ff:Ref"};

/// The value of the first text node, in document order, of the declaration's
/// xs:annotation/xs:appinfo elements whose source is `source`; nullopt when
/// there is none (an empty text node gives an empty string). `declaration`
/// is a top-level component or a member of a complex type the index holds;
/// any other is a check failure.
std::optional<WString> appinfoText(const Schema& schema, const xercesc::DOMElement* declaration,
                                   const char16_t* source);

/// The attributes of a declaration that the index keeps.
enum class DeclarationAttribute { Name, Type, SubstitutionGroup, Ref };

/// The value of the declaration's attribute of that name in no namespace, the
/// one that attributeText reads; nullopt when it has none. The same
/// declarations as for appinfoText.
std::optional<WString> declarationAttribute(const Schema& schema,
                                            const xercesc::DOMElement* declaration,
                                            DeclarationAttribute attribute);

/// The value of the declaration's name attribute; nullopt when it has none.
inline std::optional<WString> nameAttributeText(const Schema& schema,
                                                const xercesc::DOMElement* declaration) {
    return declarationAttribute(schema, declaration, DeclarationAttribute::Name);
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
