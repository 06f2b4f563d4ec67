#include "schema/Query.h"

#include <xercesc/dom/DOMException.hpp>
#include <xercesc/dom/DOMXPathException.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xercesc/util/XMLUni.hpp>
#include <xqilla/context/DynamicContext.hpp>
#include <xqilla/exceptions/XQException.hpp>
#include <xqilla/exceptions/XQillaException.hpp>
#include <xqilla/framework/XPath2MemoryManager.hpp>
#include <xqilla/items/Item.hpp>
#include <xqilla/runtime/Result.hpp>
#include <xqilla/simple-api/XQQuery.hpp>
#include <xqilla/simple-api/XQilla.hpp>
#include <xqilla/xerces/XercesConfiguration.hpp>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

namespace {

using xercesc::DOMNode;
using xercesc::DOMXPathException;

// What the DOM binding turns a failure of compiling, starting or reading a
// result into, so that callers see the same exceptions either way.
[[noreturn]] void rethrowAsXQilla() {
    try {
        throw;
    } catch (const XQException& e) {
        throw XQillaException(e);
    } catch (const XQillaException&) {
        throw;
    } catch (const xercesc::DOMException&) {
        throw XQillaException(DOMXPathException::INVALID_EXPRESSION_ERR,
                              u"XQillaExpressionImpl::evaluateToSequence(): DOMException!");
    } catch (const xercesc::XMLException& e) {
        throw XQillaException(DOMXPathException::INVALID_EXPRESSION_ERR, e.getMessage());
    } catch (...) {
        throw XQillaException(DOMXPathException::INVALID_EXPRESSION_ERR,
                              u"XQillaExpressionImpl::evaluateToSequence(): Unknown exception "
                              u"caught.");
    }
}

DOMNode* nodeOf(const Item::Ptr& item) {
    if (!item->isNode())
        throw XQillaException(DOMXPathException::TYPE_ERR, u"The requested result is not a node");
    auto* node = static_cast<DOMNode*>(item->getInterface(XercesConfiguration::gXerces));
    if (node == nullptr)
        throw XQillaException(DOMXPathException::TYPE_ERR,
                              u"The requested result not a XQilla implementation node");
    return node;
}

} // namespace

// Declared in the order they are made: a dynamic context refers to the
// query's static context, which refers to the configuration.
struct Query::Parts {
    XercesConfiguration configuration;
    std::unique_ptr<XQQuery> query;
    std::unique_ptr<DynamicContext> dynamic;
    bool dynamicTaken = false;
};

struct Query::Cursor::Pass {
    std::unique_ptr<DynamicContext> own; // while another pass has the query's
    DynamicContext* context = nullptr;
    Result result{static_cast<ResultImpl*>(nullptr)};
};

Query::Query(const XMLCh* expression, const xercesc::DOMXPathNSResolver* resolver)
    : parts_(std::make_unique<Parts>()) {
    try {
        // The query adopts its static context, also when compiling fails.
        DynamicContext* context = XQilla::createContext(XQilla::XPATH2, &parts_->configuration);
        if (resolver != nullptr) {
            context->setNSResolver(resolver);
            context->setDefaultElementAndTypeNS(context->getMemoryManager()->getPooledString(
                resolver->lookupNamespaceURI(xercesc::XMLUni::fgZeroLenString)));
        }
        parts_->query.reset(XQilla::parse(expression, context));
        parts_->dynamic.reset(parts_->query->createDynamicContext());
    } catch (const XQException& e) {
        throw XQillaException(e);
    }
}

Query::~Query() = default;

Query::Cursor::Cursor(const Query& query, const DOMNode* context)
    : parts_(*query.parts_), pass_(std::make_unique<Pass>()) {
    if (context != nullptr && context->getNodeType() == DOMNode::ENTITY_REFERENCE_NODE)
        throw XQillaException(xercesc::DOMException::NOT_SUPPORTED_ERR,
                              u"Context node of illegal type.");
    try {
        if (parts_.dynamicTaken) {
            pass_->own.reset(parts_.query->createDynamicContext());
            pass_->context = pass_->own.get();
        } else {
            pass_->context = parts_.dynamic.get();
            parts_.dynamicTaken = true;
        }
        if (context != nullptr)
            pass_->context->setContextItem(
                parts_.configuration.createNode(context, pass_->context));
        pass_->result = parts_.query->execute(pass_->context);
    } catch (...) {
        release();
        rethrowAsXQilla();
    }
}

Query::Cursor::~Cursor() {
    release();
}

void Query::Cursor::release() noexcept {
    if (pass_->context == nullptr)
        return;
    pass_->result = Result(static_cast<ResultImpl*>(nullptr));
    pass_->context->setContextItem(Item::Ptr());
    if (pass_->own == nullptr)
        parts_.dynamicTaken = false;
    pass_->context = nullptr;
}

DOMNode* Query::Cursor::first() {
    Item::Ptr item;
    try {
        item = pass_->result->next(pass_->context);
    } catch (...) {
        rethrowAsXQilla();
    }
    return item.notNull() && item->isNode() ? nodeOf(item) : nullptr;
}

DOMNode* Query::Cursor::next() {
    Item::Ptr item;
    try {
        item = pass_->result->next(pass_->context);
    } catch (const XQException& e) {
        throw XQillaException(e);
    }
    return item.notNull() ? nodeOf(item) : nullptr;
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
