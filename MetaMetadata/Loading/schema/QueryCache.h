#pragma once
// What one load learns once from the schema and asks again and again: the
// compiled XPath expressions, indexes of top-level declarations by name, and
// the annotations of each declaration. The document does not change during a
// load, so an answer kept is the answer the engine would give anew.
#include "MetaMetadata/Loading/LoaderState.h"

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

enum class Resolver;

using ElementsByName = std::unordered_map<WString, xercesc::DOMElement*, WStringHash>;

/// The first text node of the declaration's xs:annotation/xs:appinfo
/// elements, for each value of their source attribute, and its name
/// attribute node.
struct DeclarationAnnotations {
    const xercesc::DOMNode* nameAttribute = nullptr;
    /// Whether one of those appinfo elements has the source "RP210"; known
    /// for top-level components only.
    bool registered = false;
    /// By the source text, which the document keeps: one lookup per fact
    /// filed or asked for, however many sources a declaration has.
    std::unordered_map<std::u16string_view, const xercesc::DOMNode*> firstTextBySource;
};

/// The base and the own member declarations of a complex type.
struct ComplexTypeFacts {
    std::optional<WString> base;
    std::optional<DeclarationList> localDeclarations;
};

/// A top-level xs:element with the attributes that the loader's list
/// questions test; null for an absent attribute.
struct TopLevelElement {
    xercesc::DOMElement* element = nullptr;
    const xercesc::DOMNode* type = nullptr;
    const xercesc::DOMNode* substitutionGroup = nullptr;
};

struct QueryCache {
    QueryCache(const xercesc::DOMDocument* document, const xercesc::DOMXPathNSResolver* resolver)
        : document(document), resolver(resolver) {}
    ~QueryCache();
    QueryCache(const QueryCache&) = delete;
    QueryCache& operator=(const QueryCache&) = delete;

    /// What the cache was filled from; another document or resolver in the
    /// loader state makes it stale.
    const xercesc::DOMDocument* document;
    const xercesc::DOMXPathNSResolver* resolver;

    /// Compiled expressions by resolver choice and text; released by the
    /// destructor, which must run before the document is released.
    std::map<std::pair<Resolver, WString>, xercesc::DOMXPathExpression*> expressions;
    /// Texts of the expressions evaluated for a list of nodes.
    std::set<WString> listExpressions;

    /// Every top-level xs:element in document order, and the owners of their
    /// name attributes ("./xs:element/@name" asked of the document element)
    /// by name, the first in document order keeping a name; read together.
    std::optional<std::vector<TopLevelElement>> topLevelElementList;
    std::optional<ElementsByName> topLevelElements;
    /// Owners of "self::xs:schema/xs:complexType/@name", likewise.
    std::optional<ElementsByName> complexTypes;
    /// Names of the substitution group candidates by their group's local name,
    /// in document order.
    std::optional<std::unordered_map<WString, std::vector<WString>, WStringHash>> groupMembers;
    /// Facts of the declarations asked about so far.
    std::unordered_map<const xercesc::DOMElement*, DeclarationAnnotations> annotations;
    /// Every top-level component in document order, once their facts are read.
    std::optional<DeclarationList> topLevelComponents;
    std::unordered_map<const xercesc::DOMElement*, ComplexTypeFacts> complexTypeFacts;
};

/// The cache of the state's current document and resolver, created when
/// missing or stale; null when the state has no document.
QueryCache* queryCache(LoaderState& state);
/// Releases the cache and the expressions it holds; the next query starts a new one.
void releaseQueryCache(LoaderState& state) noexcept;

/// Releases the state's query cache when it goes out of scope.
class QueryCacheRelease {
public:
    explicit QueryCacheRelease(LoaderState& state) : state_(state) {}
    ~QueryCacheRelease() { releaseQueryCache(state_); }
    QueryCacheRelease(const QueryCacheRelease&) = delete;
    QueryCacheRelease& operator=(const QueryCacheRelease&) = delete;

private:
    LoaderState& state_;
};

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
