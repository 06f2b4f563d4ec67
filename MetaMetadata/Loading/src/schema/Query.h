#pragma once
// One XPath 2.0 expression compiled by XQilla for the questions of a load,
// evaluated again and again on other context nodes. XQilla's DOM binding
// builds and drops a dynamic context (with its own document cache and
// scanner) for every evaluation; a load asks the same few expressions of
// thousands of declarations, so each query keeps one dynamic context and
// only moves its context item. Everything else is as the DOM binding does it:
// the same static context, the same results and the same exceptions.
#include <xercesc/dom/DOMNode.hpp>
#include <xercesc/dom/DOMXPathNSResolver.hpp>

#include <memory>

class DynamicContext;
class XQQuery;

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

class Query {
public:
    /// Compiles `expression` with the prefixes of `resolver` (none when
    /// null) and the default element namespace it gives the empty prefix.
    /// Throws XQillaException for a malformed expression.
    Query(const XMLCh* expression, const xercesc::DOMXPathNSResolver* resolver);
    ~Query();
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    /// The first item as a node; null when there is none or it is no node.
    xercesc::DOMNode* firstNode(const xercesc::DOMNode* context) const {
        return Cursor(*this, context).first();
    }

    /// Calls `visit` with every node of the result, in result order; throws
    /// XQillaException at an item that is no node.
    template <class Visit>
    void forEachNode(const xercesc::DOMNode* context, Visit&& visit) const {
        Cursor cursor(*this, context);
        while (xercesc::DOMNode* node = cursor.next())
            visit(node);
    }

private:
    struct Parts;

    // One pass over a result. It takes the query's dynamic context, or a
    // context of its own while another pass holds that one.
    class Cursor {
    public:
        Cursor(const Query& query, const xercesc::DOMNode* context);
        ~Cursor();
        Cursor(const Cursor&) = delete;
        Cursor& operator=(const Cursor&) = delete;
        /// The first item as a node, null when none or no node.
        xercesc::DOMNode* first();
        /// The next node; null at the end.
        xercesc::DOMNode* next();

    private:
        struct Pass;
        void release() noexcept;
        Parts& parts_;
        std::unique_ptr<Pass> pass_;
    };

    std::unique_ptr<Parts> parts_;
};

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
