#include "schema/NameIndex.h"

#include "schema/SchemaIndex.h"

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

namespace {

// An apostrophe in a pasted name ends the literal early; the pasted
// expression of a name that is no plain literal text is compiled, so that a
// malformed one is refused, but never evaluated: the schema then writes the
// question, and XPath 2.0 can ask one that runs for hours
// ("x' or count(for $a in //*, $b in //* ... return 1) or '").
template <class LookUp>
xercesc::DOMElement* findByName(const Schema& schema, const WString& name,
                                const WString& pastedExpression, LookUp&& lookUp) {
    if (!isPlainLiteralText(name))
        schema.compileOnly(pastedExpression);
    return lookUp(soughtName(name));
}

} // namespace

bool isPlainLiteralText(const WString& name) {
    for (const char16_t unit : name) {
        if (unit == u'\'' || unit == u'&' || unit < 0x20 || unit == 0x85 || unit == 0x2028)
            return false;
    }
    return true;
}

std::optional<WString> literalValue(const WString& name) {
    WString value;
    value.reserve(name.size());
    for (WString::size_type i = 0; i < name.size(); ++i) {
        if (name[i] == u'\'') {
            if (i + 1 >= name.size() || name[i + 1] != u'\'')
                return std::nullopt;
            ++i;
        }
        value.push_back(name[i]);
    }
    return value;
}

WString soughtName(const WString& name) {
    // "a''b" is XPath's "a'b".
    std::optional<WString> literal = literalValue(name);
    return literal ? std::move(*literal) : name;
}

xercesc::DOMElement* findTopLevelElement(const Schema& schema, const WString& name) {
    return findByName(
        schema, name, u"./xs:element[@name='" + name + u"']",
        [&schema](const WString& sought) { return schema.index().topLevelElement(sought); });
}

xercesc::DOMElement* findTopLevelComplexType(const Schema& schema, const WString& name) {
    return findByName(
        schema, name, u"/xs:schema/xs:complexType[@name='" + name + u"']",
        [&schema](const WString& sought) { return schema.index().complexType(sought); });
}

void findTopLevelElementsOfType(const Schema& schema, const char16_t* type, DeclarationList& out) {
    for (const TopLevelElement& element : schema.index().topLevelElements()) {
        if (element.facts->type && *element.facts->type == type)
            out.push_back(element.element);
    }
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
