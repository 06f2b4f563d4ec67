#include "MetaMetadata/Loading/schema/NameIndex.h"

#include "MetaMetadata/Loading/schema/QueryCache.h"
#include "MetaMetadata/Loading/schema/XPathQueries.h"

#include <memory>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

namespace {

// Files each owner of a `name` attribute that `expression` lists under the
// attribute's value; the first in document order keeps a name.
ElementsByName indexByName(LoaderState& state, const WString& expression) {
    std::vector<xercesc::DOMNode*> names;
    selectNodes(state, schemaElement(state), expression, names);
    ElementsByName index;
    index.reserve(names.size());
    for (const xercesc::DOMNode* node : names) {
        if (const auto* name = dynamic_cast<const xercesc::DOMAttr*>(node))
            index.emplace(toWstring(name->getValue()), name->getOwnerElement());
    }
    return index;
}

// An apostrophe in a pasted name ends the literal early: the expression then
// fails to compile, or asks another question ("x' or @name!='") whose answer
// is taken only when it is a declaration of exactly that name.
xercesc::DOMElement* namedExactly(xercesc::DOMElement* found, const WString& name) {
    return found != nullptr && attributeText(found, "name") == name ? found : nullptr;
}

struct ExpressionReleaser {
    void operator()(xercesc::DOMXPathExpression* expression) const noexcept {
        expression->release();
    }
};

// The pasted expression of a name that is no plain literal text is compiled,
// so that a malformed one is refused as before, but never evaluated: the
// schema then writes the question, and XPath 2.0 can ask one that runs for
// hours ("x' or count(for $a in //*, $b in //* ... return 1) or '").
void compileOnly(LoaderState& state, const WString& expression) {
    const std::unique_ptr<xercesc::DOMXPathExpression, ExpressionReleaser> compiled(
        state.schemaDocument->createExpression(expression.c_str(), state.nsResolver));
}

xercesc::DOMElement* lookUp(const ElementsByName& index, const WString& name) {
    const auto found = index.find(name);
    return found != index.end() ? found->second : nullptr;
}

} // namespace

bool isPlainLiteralText(const WString& name) {
    for (const char16_t unit : name) {
        if (unit == u'\'' || unit == u'&' || unit < 0x20 || unit == 0x85 || unit == 0x2028)
            return false;
    }
    return true;
}

namespace {

// The answer of `pastedExpression` for its first node. Names that the engine
// reads as themselves come from the index, filled on first use by
// `indexExpression`; any other name only has its pasted expression compiled.
xercesc::DOMElement* findByName(LoaderState& state, const WString& name,
                                const WString& pastedExpression,
                                std::optional<ElementsByName> QueryCache::*index,
                                const char16_t* indexExpression) {
    QueryCache* cache = queryCache(state);
    if (cache == nullptr)
        return namedExactly(selectFirstElement(state, schemaElement(state), pastedExpression),
                            name);
    if (!isPlainLiteralText(name))
        compileOnly(state, pastedExpression);
    std::optional<ElementsByName>& names = cache->*index;
    if (!names)
        names = indexByName(state, indexExpression);
    return lookUp(*names, name);
}

} // namespace

xercesc::DOMElement* findTopLevelElement(LoaderState& state, const WString& name) {
    return findByName(state, name, u"./xs:element[@name='" + name + u"']",
                      &QueryCache::topLevelElements, u"./xs:element/@name");
}

xercesc::DOMElement* findTopLevelComplexType(LoaderState& state, const WString& name) {
    return findByName(state, name, u"/xs:schema/xs:complexType[@name='" + name + u"']",
                      &QueryCache::complexTypes, u"self::xs:schema/xs:complexType/@name");
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
