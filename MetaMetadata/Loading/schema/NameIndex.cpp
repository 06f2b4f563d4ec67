#include "MetaMetadata/Loading/schema/NameIndex.h"

#include "MetaMetadata/Loading/schema/QueryCache.h"
#include "MetaMetadata/Loading/schema/XPathQueries.h"

#include <xercesc/util/XMLString.hpp>

#include <memory>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

namespace {

// Files each owner of a `name` attribute that `expression` lists under the
// attribute's value; the first in document order keeps a name.
ElementsByName indexByName(LoaderState& state, const char16_t* expression) {
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

// Each top-level xs:element followed by those of its attributes that the
// index keeps; the attributes are told apart by their local names.
const char16_t kTopLevelElementsQuery[] =
    u"for $e in self::xs:schema/xs:element return ($e, $e/@name, $e/@type, $e/@substitutionGroup)";

// Fills the list of top-level elements and, from the same answer, the index
// by name that "./xs:element/@name" would give.
const std::vector<TopLevelElement>& topLevelElementList(LoaderState& state, QueryCache& cache) {
    if (cache.topLevelElementList)
        return *cache.topLevelElementList;
    std::vector<xercesc::DOMNode*> nodes;
    selectNodes(state, schemaElement(state), kTopLevelElementsQuery, nodes);
    std::vector<TopLevelElement> elements;
    ElementsByName names;
    for (xercesc::DOMNode* node : nodes) {
        if (node->getNodeType() == xercesc::DOMNode::ELEMENT_NODE) {
            elements.push_back({static_cast<xercesc::DOMElement*>(node), nullptr, nullptr});
            continue;
        }
        TopLevelElement& element = elements.back();
        const XMLCh* attribute = node->getLocalName();
        if (xercesc::XMLString::equals(attribute, u"type"))
            element.type = node;
        else if (xercesc::XMLString::equals(attribute, u"substitutionGroup"))
            element.substitutionGroup = node;
        else
            names.emplace(toWstring(node->getNodeValue()), element.element);
    }
    cache.topLevelElements = std::move(names);
    return *(cache.topLevelElementList = std::move(elements));
}

// The index of the answers of "./xs:element[@name='...']", filled with the
// list of top-level elements.
const ElementsByName& topLevelElementNames(LoaderState& state, QueryCache& cache) {
    topLevelElementList(state, cache);
    return *cache.topLevelElements;
}

// The index of the answers of "/xs:schema/xs:complexType[@name='...']".
const ElementsByName& complexTypeNames(LoaderState& state, QueryCache& cache) {
    if (!cache.complexTypes)
        cache.complexTypes = indexByName(state, u"self::xs:schema/xs:complexType/@name");
    return *cache.complexTypes;
}

bool hasValue(const xercesc::DOMNode* attribute, const XMLCh* value) {
    return attribute != nullptr && xercesc::XMLString::equals(attribute->getNodeValue(), value);
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

namespace {

// The answer of `pastedExpression` for its first node. Names that the engine
// reads as themselves come from the index that `index` fills on first use;
// any other name only has its pasted expression compiled.
xercesc::DOMElement* findByName(LoaderState& state, const WString& name,
                                const WString& pastedExpression,
                                const ElementsByName& (*index)(LoaderState&, QueryCache&)) {
    // The name the pasted literal stands for: "a''b" is XPath's "a'b".
    const std::optional<WString> literal = literalValue(name);
    const WString& sought = literal ? *literal : name;
    QueryCache* cache = queryCache(state);
    if (cache == nullptr)
        return namedExactly(selectFirstElement(state, schemaElement(state), pastedExpression),
                            sought);
    if (!isPlainLiteralText(name))
        compileOnly(state, pastedExpression);
    return lookUp(index(state, *cache), sought);
}

} // namespace

xercesc::DOMElement* findTopLevelElement(LoaderState& state, const WString& name) {
    return findByName(state, name, u"./xs:element[@name='" + name + u"']", topLevelElementNames);
}

xercesc::DOMElement* findTopLevelComplexType(LoaderState& state, const WString& name) {
    return findByName(state, name, u"/xs:schema/xs:complexType[@name='" + name + u"']",
                      complexTypeNames);
}

void findTopLevelElementsOfType(LoaderState& state, const char16_t* type, DeclarationList& out) {
    QueryCache* cache = queryCache(state);
    if (cache == nullptr) {
        selectElements(state, schemaElement(state), u"./xs:element[@type='" + WString(type) + u"']",
                       out);
        return;
    }
    for (const TopLevelElement& element : topLevelElementList(state, *cache)) {
        if (hasValue(element.type, type))
            out.push_back(element.element);
    }
}

void findSubstitutionCandidates(LoaderState& state, DeclarationList& out) {
    QueryCache* cache = queryCache(state);
    if (cache == nullptr) {
        selectElements(state, schemaElement(state),
                       u"self::xs:schema/xs:element[(@substitutionGroup) and (@type!='Ref') and "
                       u"(@type!='ff:Ref')]",
                       out);
        return;
    }
    // "@type!='Ref'" holds only for a type attribute, with another value.
    for (const TopLevelElement& element : topLevelElementList(state, *cache)) {
        if (element.substitutionGroup != nullptr && element.type != nullptr &&
            !hasValue(element.type, u"Ref") && !hasValue(element.type, u"ff:Ref"))
            out.push_back(element.element);
    }
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
