#include "MetaMetadata/Loading/schema/XPathQueries.h"

#include "MetaMetadata/Loading/ErrorReporting.h"
#include "MetaMetadata/Loading/schema/QueryCache.h"

#include <memory>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

namespace {

using xercesc::DOMNode;
using xercesc::DOMXPathExpression;
using xercesc::DOMXPathResult;

struct Releaser {
    template <class T>
    void operator()(T* object) const noexcept {
        object->release();
    }
};

void checkDocument(const LoaderState& state) {
    if (state.schemaDocument == nullptr)
        throwCheckFailure("state.schemaDocument != nullptr",
                          u"No schema document to evaluate an XPath expression against", __FILE__,
                          __LINE__);
}

xercesc::DOMXPathNSResolver* resolverOf(const LoaderState& state, Resolver resolver) {
    return resolver == Resolver::Schema ? state.nsResolver : nullptr;
}

/// An expression compiled once per load: kept by the query cache under its
/// text and resolver choice, and released with it.
DOMXPathExpression& compileCached(LoaderState& state, const WString& expression, Resolver resolver,
                                  DOMXPathResult::ResultType type) {
    QueryCache& cache = *queryCache(state);
    if (type == DOMXPathResult::ITERATOR_RESULT_TYPE)
        cache.listExpressions.insert(expression);
    const auto key = std::make_pair(resolver, expression);
    const auto found = cache.expressions.find(key);
    if (found != cache.expressions.end())
        return *found->second;
    xercesc::DOMXPathEvaluator& evaluator = *state.schemaDocument;
    // The cache's copy of the text outlives the compiled expression.
    const auto slot = cache.expressions.emplace(key, nullptr).first;
    try {
        slot->second =
            evaluator.createExpression(slot->first.second.c_str(), resolverOf(state, resolver));
    } catch (...) {
        cache.expressions.erase(slot);
        throw;
    }
    return *slot->second;
}

/// One evaluated expression. The result is released before the evaluation
/// ends, also when evaluating throws half-way; the expression stays with the
/// query cache.
class Evaluation {
public:
    Evaluation(LoaderState& state, const DOMNode* context, const WString& expression,
               Resolver resolver, DOMXPathResult::ResultType type)
        : result_((checkDocument(state), compileCached(state, expression, resolver, type))
                      .evaluate(context, type, nullptr)) {}

    DOMXPathResult& result() const { return *result_; }

private:
    std::unique_ptr<DOMXPathResult, Releaser> result_;
};

/// Calls `visit` with every node of an iterator result, in result order.
template <class Visit>
void collectNodes(LoaderState& state, const DOMNode* context, const WString& expression,
                  Resolver resolver, Visit&& visit) {
    Evaluation evaluation(state, context, expression, resolver,
                          DOMXPathResult::ITERATOR_RESULT_TYPE);
    while (evaluation.result().iterateNext())
        visit(evaluation.result().getNodeValue());
}

} // namespace

DOMNode* selectFirstNode(LoaderState& state, const DOMNode* context, const WString& expression,
                         Resolver resolver) {
    Evaluation evaluation(state, context, expression, resolver, DOMXPathResult::FIRST_RESULT_TYPE);
    return evaluation.result().isNode() ? evaluation.result().getNodeValue() : nullptr;
}

std::optional<WString> selectOptionalText(LoaderState& state, const DOMNode* context,
                                          const WString& expression, Resolver resolver) {
    const DOMNode* node = selectFirstNode(state, context, expression, resolver);
    if (node == nullptr)
        return std::nullopt;
    return toWstring(node->getNodeValue());
}

WString selectFirstText(LoaderState& state, const DOMNode* context, const WString& expression,
                        Resolver resolver) {
    return selectOptionalText(state, context, expression, resolver).value_or(WString());
}

xercesc::DOMElement* selectFirstElement(LoaderState& state, const DOMNode* context,
                                        const WString& expression, Resolver resolver) {
    return dynamic_cast<xercesc::DOMElement*>(
        selectFirstNode(state, context, expression, resolver));
}

void selectElements(LoaderState& state, const DOMNode* context, const WString& expression,
                    DeclarationList& out, Resolver resolver) {
    collectNodes(state, context, expression, resolver, [&out](DOMNode* node) {
        out.push_back(dynamic_cast<xercesc::DOMElement*>(node));
    });
}

void selectNodes(LoaderState& state, const DOMNode* context, const WString& expression,
                 std::vector<DOMNode*>& out, Resolver resolver) {
    collectNodes(state, context, expression, resolver,
                 [&out](DOMNode* node) { out.push_back(node); });
}

void selectTexts(LoaderState& state, const DOMNode* context, const WString& expression,
                 std::vector<WString>& out, Resolver resolver) {
    collectNodes(state, context, expression, resolver, [&out](DOMNode* node) {
        out.push_back(node != nullptr ? toWstring(node->getNodeValue()) : WString());
    });
}

WString attributeText(const xercesc::DOMElement* element, const char* name) {
    const XMLUtils::UnicodeString attributeName(name);
    return attributeText(element, attributeName.utf16());
}

WString attributeText(const xercesc::DOMElement* element, const XMLCh* name) {
    if (element == nullptr)
        return WString();
    return toWstring(element->getAttribute(name));
}

xercesc::DOMElement* schemaElement(const LoaderState& state) {
    return state.schemaDocument != nullptr ? state.schemaDocument->getDocumentElement() : nullptr;
}

WString toWstring(const XMLCh* text) {
    WString result;
    XMLUtils::utf16ToWstring(text, result);
    return result;
}

WString stripNamespacePrefix(WString name) {
    const WString::size_type colon = name.find(u':');
    if (colon == WString::npos)
        return name;
    return name.substr(colon + 1);
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
