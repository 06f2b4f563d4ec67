#include "MetaMetadata/Loading/schema/XPathQueries.h"

#include "MetaMetadata/Loading/ErrorReporting.h"

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

/// One compiled and evaluated expression. Members are destroyed in reverse
/// order: the result is released, then the expression, then the text, also
/// when compiling or evaluating throws half-way.
class Evaluation {
public:
    Evaluation(LoaderState& state, const DOMNode* context, const WString& expression,
               Resolver resolver, DOMXPathResult::ResultType type)
        : text_(expression), expression_(compile(state, text_, resolver)),
          result_(expression_->evaluate(context, type, nullptr)) {}

    DOMXPathResult& result() const { return *result_; }

private:
    static DOMXPathExpression* compile(LoaderState& state, const XMLUtils::UnicodeString& text,
                                       Resolver resolver) {
        if (state.schemaDocument == nullptr)
            throwCheckFailure("state.schemaDocument != nullptr",
                              u"No schema document to evaluate an XPath expression against",
                              __FILE__, __LINE__);
        xercesc::DOMXPathEvaluator& evaluator = *state.schemaDocument;
        return evaluator.createExpression(
            text.utf16(), resolver == Resolver::Schema ? state.nsResolver : nullptr);
    }

    XMLUtils::UnicodeString text_;
    std::unique_ptr<DOMXPathExpression, Releaser> expression_;
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
