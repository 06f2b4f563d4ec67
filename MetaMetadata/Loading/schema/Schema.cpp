#include "MetaMetadata/Loading/schema/Schema.h"

#include "MetaMetadata/Loading/ErrorReporting.h"
#include "MetaMetadata/Loading/schema/DomText.h"
#include "MetaMetadata/Loading/schema/NamespaceBindings.h"
#include "MetaMetadata/Loading/schema/SchemaIndex.h"

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

namespace {

using xercesc::DOMNode;
using xercesc::DOMXPathResult;

struct ResultRelease {
    void operator()(DOMXPathResult* result) const noexcept { result->release(); }
};
using Result = std::unique_ptr<DOMXPathResult, ResultRelease>;

xercesc::DOMXPathNSResolver* createResolver(xercesc::DOMDocument& document) {
    if (document.getDocumentElement() == nullptr)
        throwCheckFailure("document -> getDocumentElement ()",
                          u"Unable to retrieve root element from document!", __FILE__, __LINE__);
    xercesc::DOMXPathNSResolver* resolver = document.createNSResolver(nullptr);
    if (resolver == nullptr)
        throwCheckFailure("resolver != nullptr",
                          u"No XPath namespace resolver to bind the schema's prefixes in", __FILE__,
                          __LINE__);
    return resolver;
}

} // namespace

void Schema::Release::operator()(xercesc::DOMXPathExpression* expression) const noexcept {
    expression->release();
}

Schema::Schema(xercesc::DOMDocument& document, QueryObserver* observer)
    : document_(document), resolver_(createResolver(document)), observer_(observer) {
    bindSchemaNamespaces(*document.getDocumentElement(), *resolver_, prefixes_);
    index_ = std::make_unique<const SchemaIndex>(*this);
}

Schema::~Schema() = default;

xercesc::DOMElement* Schema::root() const {
    return document_.getDocumentElement();
}

xercesc::DOMXPathExpression& Schema::compiled(const WString& expression, Resolver resolver) const {
    const auto key = std::make_pair(resolver, expression);
    const auto found = expressions_.find(key);
    if (found != expressions_.end())
        return *found->second;
    Expression compiled(document_.createExpression(
        expression.c_str(), resolver == Resolver::Schema ? resolver_ : nullptr));
    if (observer_ != nullptr)
        observer_->compiled(expression, resolver);
    return *expressions_.emplace(key, std::move(compiled)).first->second;
}

DOMXPathResult* Schema::evaluate(const DOMNode* context, const WString& expression,
                                 Resolver resolver, bool list) const {
    xercesc::DOMXPathExpression& compiledExpression = compiled(expression, resolver);
    if (observer_ != nullptr)
        observer_->evaluated(expression, list);
    return compiledExpression.evaluate(
        context, list ? DOMXPathResult::ITERATOR_RESULT_TYPE : DOMXPathResult::FIRST_RESULT_TYPE,
        nullptr);
}

// The result is released on every path, also when iterating throws half-way.
template <class Visit>
void Schema::visitNodes(const DOMNode* context, const WString& expression, Resolver resolver,
                        Visit&& visit) const {
    const Result result(evaluate(context, expression, resolver, true));
    while (result->iterateNext())
        visit(result->getNodeValue());
}

DOMNode* Schema::selectFirstNode(const DOMNode* context, const WString& expression,
                                 Resolver resolver) const {
    const Result result(evaluate(context, expression, resolver, false));
    return result->isNode() ? result->getNodeValue() : nullptr;
}

std::optional<WString> Schema::selectOptionalText(const DOMNode* context, const WString& expression,
                                                  Resolver resolver) const {
    const DOMNode* node = selectFirstNode(context, expression, resolver);
    if (node == nullptr)
        return std::nullopt;
    return toWstring(nodeText(node));
}

xercesc::DOMElement* Schema::selectFirstElement(const DOMNode* context, const WString& expression,
                                                Resolver resolver) const {
    return dynamic_cast<xercesc::DOMElement*>(selectFirstNode(context, expression, resolver));
}

void Schema::selectNodes(const DOMNode* context, const WString& expression,
                         std::vector<DOMNode*>& out, Resolver resolver) const {
    visitNodes(context, expression, resolver, [&out](DOMNode* node) { out.push_back(node); });
}

void Schema::selectElements(const DOMNode* context, const WString& expression, DeclarationList& out,
                            Resolver resolver) const {
    visitNodes(context, expression, resolver,
               [&out](DOMNode* node) { out.push_back(dynamic_cast<xercesc::DOMElement*>(node)); });
}

void Schema::selectTexts(const DOMNode* context, const WString& expression,
                         std::vector<WString>& out, Resolver resolver) const {
    visitNodes(context, expression, resolver, [&out](DOMNode* node) {
        out.push_back(node != nullptr ? toWstring(nodeText(node)) : WString());
    });
}

void Schema::compileOnly(const WString& expression) const {
    const Expression compiled(document_.createExpression(expression.c_str(), resolver_));
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
