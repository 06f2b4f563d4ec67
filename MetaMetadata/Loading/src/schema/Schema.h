#pragma once
// The schema document of one load as the phases see it: every question is an
// XPath 2.0 expression that XQilla evaluates over the document, compiled once
// per text, and the answers that the phases look up again and again are read
// once, when the schema is made, into its index.
#include "PhaseData.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

class Query;
class SchemaIndex;

/// Which namespace resolver an expression is compiled with.
enum class Resolver {
    Schema, ///< the schema's resolver, with the root's prefixes, "ff" and "xs"
    None    ///< no resolver (expressions without prefixes)
};

/// Namespace URI -> the prefix the root declares for it (the first one).
using NamespacePrefixes = std::map<WString, WString>;

/// Told of what a schema compiles and evaluates; tests pass one to see the
/// expressions of a load, the schema works the same without.
class QueryObserver {
public:
    virtual ~QueryObserver() = default;
    virtual void compiled(const WString& expression, Resolver resolver) = 0;
    /// `list`: evaluated for all its nodes rather than the first.
    virtual void evaluated(const WString& expression, bool list) = 0;
};

class Schema {
public:
    /// Binds the root's namespaces in a resolver of the document's and reads
    /// the index. Throws a check failure when the document has no root, and
    /// what the engine throws. The document must outlive the schema.
    explicit Schema(xercesc::DOMDocument& document, QueryObserver* observer = nullptr);
    /// Releases the compiled expressions; the document stays.
    ~Schema();
    Schema(const Schema&) = delete;
    Schema& operator=(const Schema&) = delete;

    /// The root xs:schema element, the context of the questions about
    /// top-level components.
    xercesc::DOMElement* root() const;
    const SchemaIndex& index() const { return *index_; }
    const NamespacePrefixes& namespacePrefixes() const { return prefixes_; }
    /// The resolver that expressions compiled with Resolver::Schema use.
    const xercesc::DOMXPathNSResolver& resolver() const { return *resolver_; }

    /// The first result node, or null when the first result is not a node.
    xercesc::DOMNode* selectFirstNode(const xercesc::DOMNode* context, const WString& expression,
                                      Resolver resolver = Resolver::Schema) const;
    /// The first result node's value; nullopt when there is no node (a node
    /// with an empty value gives an empty string).
    std::optional<WString> selectOptionalText(const xercesc::DOMNode* context,
                                              const WString& expression,
                                              Resolver resolver = Resolver::Schema) const;
    /// The first result node as an element; null when none or not an element.
    xercesc::DOMElement* selectFirstElement(const xercesc::DOMNode* context,
                                            const WString& expression,
                                            Resolver resolver = Resolver::Schema) const;
    /// Calls `visit` with every result node, in result order, as the engine
    /// yields it: what the visit reads of a node is read while the walk has
    /// just been there.
    void forEachNode(const xercesc::DOMNode* context, const WString& expression,
                     const std::function<void(xercesc::DOMNode*)>& visit,
                     Resolver resolver = Resolver::Schema) const;
    /// Appends every result node, in result order.
    void selectNodes(const xercesc::DOMNode* context, const WString& expression,
                     std::vector<xercesc::DOMNode*>& out,
                     Resolver resolver = Resolver::Schema) const;
    /// Appends every result node (cast to DOMElement*, null for non-elements).
    void selectElements(const xercesc::DOMNode* context, const WString& expression,
                        DeclarationList& out, Resolver resolver = Resolver::Schema) const;
    /// Appends the value of every result node.
    void selectTexts(const xercesc::DOMNode* context, const WString& expression,
                     std::vector<WString>& out, Resolver resolver = Resolver::Schema) const;
    /// Compiles `expression` and releases it unevaluated: a malformed one
    /// throws as its evaluation would, any other asks nothing.
    void compileOnly(const WString& expression) const;

private:
    const Query& compiled(const WString& expression, Resolver resolver) const;
    const Query& evaluated(const WString& expression, Resolver resolver, bool list) const;

    xercesc::DOMDocument& document_;
    xercesc::DOMXPathNSResolver* resolver_; // owned by the document
    NamespacePrefixes prefixes_;
    QueryObserver* observer_;
    // Compiled at the first question that asks them.
    mutable std::map<std::pair<Resolver, WString>, std::unique_ptr<const Query>> queries_;
    std::unique_ptr<const SchemaIndex> index_;
};

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
