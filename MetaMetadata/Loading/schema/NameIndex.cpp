#include "MetaMetadata/Loading/schema/NameIndex.h"

#include "MetaMetadata/Loading/schema/QueryCache.h"
#include "MetaMetadata/Loading/schema/XPathQueries.h"

#include <memory>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

namespace {

const xercesc::DOMElement* documentElement(const LoaderState& state) {
    return state.schemaDocument != nullptr ? state.schemaDocument->getDocumentElement() : nullptr;
}

// Files each owner of a `name` attribute that `expression` lists under the
// attribute's value; the first in document order keeps a name.
ElementsByName indexByName(LoaderState& state, const WString& expression) {
    std::vector<xercesc::DOMNode*> names;
    selectNodes(state, documentElement(state), expression, names);
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

xercesc::DOMElement* findTopLevelElement(LoaderState& state, const WString& name) {
    QueryCache* cache = queryCache(state);
    if (cache == nullptr)
        return namedExactly(selectFirstElement(state, documentElement(state),
                                               u"./xs:element[@name='" + name + u"']"),
                            name);
    if (!isPlainLiteralText(name))
        compileOnly(state, u"./xs:element[@name='" + name + u"']");
    if (!cache->topLevelElements)
        cache->topLevelElements = indexByName(state, u"./xs:element/@name");
    return lookUp(*cache->topLevelElements, name);
}

xercesc::DOMElement* findTopLevelComplexType(LoaderState& state, const WString& name) {
    QueryCache* cache = queryCache(state);
    if (cache == nullptr)
        return namedExactly(selectFirstElement(state, documentElement(state),
                                               u"/xs:schema/xs:complexType[@name='" + name + u"']"),
                            name);
    if (!isPlainLiteralText(name))
        compileOnly(state, u"/xs:schema/xs:complexType[@name='" + name + u"']");
    if (!cache->complexTypes)
        cache->complexTypes = indexByName(state, u"self::xs:schema/xs:complexType/@name");
    return lookUp(*cache->complexTypes, name);
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
