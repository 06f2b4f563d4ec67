#pragma once
// What the phases of a load look up again and again, read from the schema by
// a few XPath questions when the schema is made and never changed after: the
// top-level elements and complex types by name, the substitution groups, the
// attributes and appinfo texts of every declaration the phases ask about,
// and the base and member declarations of every complex type a set can have.
// Texts are copied as the engine yields their nodes: the phases read them
// again from a few compact blocks rather than from a document many times
// larger than the processor's caches.
#include "schema/Schema.h"
#include "schema/TextCopies.h"

#include <deque>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

/// A text node's value of a declaration's xs:annotation/xs:appinfo elements,
/// with the source attribute's value of its xs:appinfo (both copies).
struct AppinfoText {
    std::u16string_view source;
    std::u16string_view text;
};

/// The attributes of a declaration that the phases read (each the attribute
/// of that local name in no namespace, as attributeText finds it; nullopt
/// when absent) and the texts of its xs:annotation/xs:appinfo elements that
/// have a source attribute.
struct DeclarationFacts {
    std::optional<std::u16string_view> name;
    std::optional<std::u16string_view> type;
    std::optional<std::u16string_view> substitutionGroup;
    std::optional<std::u16string_view> ref;
    /// Whether one of those appinfo elements has the source "RP210"; known
    /// for top-level components only.
    bool registered = false;
    /// The texts in document order, in the index's storage.
    const AppinfoText* texts = nullptr;
    std::size_t textCount = 0;

    /// The first text, in document order, of the appinfo elements whose source
    /// is `source`; nullopt when there is none.
    std::optional<std::u16string_view> firstText(std::u16string_view source) const {
        for (std::size_t i = 0; i < textCount; ++i)
            if (texts[i].source == source)
                return texts[i].text;
        return std::nullopt;
    }
};

/// A top-level xs:element and its facts.
struct TopLevelElement {
    xercesc::DOMElement* element = nullptr;
    const DeclarationFacts* facts = nullptr;
};

/// The `base` of the first grandchild of a complex type that has one (empty
/// when none), and every xs:element below the type at any depth followed by
/// every xs:attribute below it, each in document order.
struct ComplexTypeFacts {
    WString base;
    DeclarationList localDeclarations;
};

/// By the name attribute's value, which the index's copies hold.
using ElementsByName = std::unordered_map<std::u16string_view, xercesc::DOMElement*>;
/// The names of the substitution group candidates by the local name of their
/// group, in document order.
using GroupMembers = std::unordered_map<WString, std::vector<WString>, WStringHash>;

class SchemaIndex {
public:
    /// Asks `schema` the questions of the index; throws what the engine throws.
    explicit SchemaIndex(const Schema& schema);

    /// Every top-level xs:element in document order.
    const std::vector<TopLevelElement>& topLevelElements() const { return topLevelElements_; }
    /// The first top-level xs:element with this exact name; null when none.
    xercesc::DOMElement* topLevelElement(const WString& name) const;
    /// The first top-level xs:complexType with this exact name; null when none.
    xercesc::DOMElement* complexType(const WString& name) const;
    /// The top-level components that an appinfo with the source "RP210"
    /// marks as registered, in document order.
    const DeclarationList& registeredComponents() const { return registered_; }
    /// The top-level elements with a substitutionGroup and a type other than
    /// "Ref" and "ff:Ref", by their group without prefix.
    const GroupMembers& groupMembers() const { return groupMembers_; }
    /// The facts of a top-level component, or of a member declaration of a
    /// complex type that complexTypeFacts knows; null for any other node.
    const DeclarationFacts* facts(const xercesc::DOMElement* declaration) const;
    /// The facts of a top-level xs:complexType or of an xs:complexType child
    /// of a set: of the first top-level xs:element with a name that some
    /// top-level element's substitutionGroup gives (without prefix, read as
    /// the XPath literal it is pasted into: see soughtName). Null for any
    /// other node.
    const ComplexTypeFacts* complexTypeFacts(const xercesc::DOMElement* type) const;

private:
    void readTopLevelComponents(const Schema& schema);
    void readComplexTypeNames(const Schema& schema);
    void readComplexTypes(const Schema& schema);
    /// The facts of the declaration whose attributes and texts follow. A
    /// declaration met again has the same ones: they are read only once.
    DeclarationFacts& startFacts(const xercesc::DOMElement* declaration);
    void readAttribute(const xercesc::DOMAttr& attribute);
    /// The source of an appinfo element of the declaration being read.
    std::u16string_view addSource(const xercesc::DOMAttr& source);
    void addText(const xercesc::DOMNode* text);
    void linkTexts();

    TextCopies copies_;
    std::vector<TopLevelElement> topLevelElements_;
    ElementsByName elementsByName_;
    ElementsByName complexTypesByName_;
    DeclarationList registered_;
    GroupMembers groupMembers_;
    // Each declaration's texts are a run of texts_, linked when all are read.
    std::deque<DeclarationFacts> facts_;
    std::vector<std::size_t> firstTextOf_; // by facts_ position
    std::vector<AppinfoText> texts_;
    std::unordered_map<const xercesc::DOMElement*, const DeclarationFacts*> factsOf_;
    std::unordered_map<const xercesc::DOMElement*, ComplexTypeFacts> complexTypes_;
    // While one declaration is read: its facts (null when read before) and
    // its appinfo elements with their sources; the sources seen so far.
    DeclarationFacts* reading_ = nullptr;
    DeclarationFacts readBefore_;
    std::vector<std::pair<const xercesc::DOMNode*, std::u16string_view>> appinfoSources_;
    std::vector<std::u16string_view> sources_;
};

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
