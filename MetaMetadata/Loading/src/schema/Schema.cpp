#include "schema/Schema.h"

#include "ErrorReporting.h"
#include "schema/DomText.h"
#include "schema/NamespaceBindings.h"
#include "schema/Query.h"
#include "schema/SchemaIndex.h"

#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMElement.hpp>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

namespace {

using xercesc::DOMNode;

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

Schema::Schema(xercesc::DOMDocument& document, QueryObserver* observer)
    : document_(document), resolver_(createResolver(document)), observer_(observer) {
    bindSchemaNamespaces(*document.getDocumentElement(), *resolver_, prefixes_);
    index_ = std::make_unique<const SchemaIndex>(*this);
}

Schema::~Schema() = default;

xercesc::DOMElement* Schema::root() const {
    return document_.getDocumentElement();
}

const Query& Schema::compiled(const WString& expression, Resolver resolver) const {
    const auto key = std::make_pair(resolver, expression);
    const auto found = queries_.find(key);
    if (found != queries_.end())
        return *found->second;
    auto query = std::make_unique<const Query>(expression.c_str(),
                                               resolver == Resolver::Schema ? resolver_ : nullptr);
    if (observer_ != nullptr)
        observer_->compiled(expression, resolver);
    return *queries_.emplace(key, std::move(query)).first->second;
}

const Query& Schema::evaluated(const WString& expression, Resolver resolver, bool list) const {
    const Query& query = compiled(expression, resolver);
    if (observer_ != nullptr)
        observer_->evaluated(expression, list);
    return query;
}

DOMNode* Schema::selectFirstNode(const DOMNode* context, const WString& expression,
                                 Resolver resolver) const {
    return evaluated(expression, resolver, false).firstNode(context);
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

void Schema::forEachNode(const DOMNode* context, const WString& expression,
                         const std::function<void(DOMNode*)>& visit, Resolver resolver) const {
    evaluated(expression, resolver, true).forEachNode(context, visit);
}

void Schema::selectNodes(const DOMNode* context, const WString& expression,
                         std::vector<DOMNode*>& out, Resolver resolver) const {
    evaluated(expression, resolver, true).forEachNode(context, [&out](DOMNode* node) {
        out.push_back(node);
    });
}

void Schema::selectElements(const DOMNode* context, const WString& expression, DeclarationList& out,
                            Resolver resolver) const {
    evaluated(expression, resolver, true).forEachNode(context, [&out](DOMNode* node) {
        out.push_back(dynamic_cast<xercesc::DOMElement*>(node));
    });
}

void Schema::selectTexts(const DOMNode* context, const WString& expression,
                         std::vector<WString>& out, Resolver resolver) const {
    evaluated(expression, resolver, true).forEachNode(context, [&out](DOMNode* node) {
        out.push_back(toWstring(nodeText(node)));
    });
}

void Schema::compileOnly(const WString& expression) const {
    const Query compiled(expression.c_str(), resolver_);
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
