#pragma once
// What the phases of a load look up again and again, read from the schema by
// a few XPath questions when the schema is made and never changed after: the
// top-level elements and complex types by name, the substitution groups, the
// name and appinfo texts of every declaration the phases ask about, and the
// base and member declarations of every complex type a set can have.
#include "MetaMetadata/Loading/schema/Schema.h"

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

/// A text node of a declaration's xs:annotation/xs:appinfo elements, with the
/// source attribute of its xs:appinfo.
struct AppinfoText {
    std::u16string_view source; // the document's text
    const xercesc::DOMNode* text = nullptr;
};

/// A declaration's name attribute node and the text nodes of its
/// xs:annotation/xs:appinfo elements that have a source attribute.
struct DeclarationFacts {
    const xercesc::DOMNode* nameAttribute = nullptr;
    /// Whether one of those appinfo elements has the source "RP210"; known
    /// for top-level components only.
    bool registered = false;
    /// The texts in document order, in the index's storage.
    const AppinfoText* texts = nullptr;
    std::size_t textCount = 0;

    /// The first text node, in document order, of the appinfo elements whose
    /// source is `source`; null when there is none.
    const xercesc::DOMNode* firstText(std::u16string_view source) const {
        for (std::size_t i = 0; i < textCount; ++i)
            if (texts[i].source == source)
                return texts[i].text;
        return nullptr;
    }
};

/// A top-level xs:element with the attributes that the list questions test;
/// null for an absent attribute.
struct TopLevelElement {
    xercesc::DOMElement* element = nullptr;
    const xercesc::DOMNode* type = nullptr;
    const xercesc::DOMNode* substitutionGroup = nullptr;
};

/// The `base` of the first grandchild of a complex type that has one (empty
/// when none), and every xs:element below the type at any depth followed by
/// every xs:attribute below it, each in document order.
struct ComplexTypeFacts {
    WString base;
    DeclarationList localDeclarations;
};

using ElementsByName = std::unordered_map<WString, xercesc::DOMElement*, WStringHash>;
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
    /// top-level element's substitutionGroup gives (without prefix). Null for
    /// any other node.
    const ComplexTypeFacts* complexTypeFacts(const xercesc::DOMElement* type) const;

private:
    void readTopLevelComponents(const Schema& schema);
    void readComponentAttribute(const xercesc::DOMNode* attribute, DeclarationFacts& facts,
                                TopLevelElement* element);
    void readComplexTypeNames(const Schema& schema);
    void readComplexTypes(const Schema& schema);
    /// The facts of the declaration whose texts the next addText calls give.
    /// A declaration met again has the same texts: they are read only once.
    DeclarationFacts& startFacts(const xercesc::DOMElement* declaration);
    void addText(const xercesc::DOMNode* text);
    void linkTexts();

    std::vector<TopLevelElement> topLevelElements_;
    ElementsByName elementsByName_;
    ElementsByName complexTypesByName_;
    DeclarationList registered_;
    GroupMembers groupMembers_;
    // Each declaration's texts are a run of texts_, linked when all are read.
    std::vector<DeclarationFacts> facts_;
    std::vector<std::size_t> firstTextOf_; // by facts_ position
    std::vector<AppinfoText> texts_;
    DeclarationFacts* reading_ = nullptr; // null: a declaration read before
    DeclarationFacts readBefore_;
    std::unordered_map<const xercesc::DOMElement*, std::uint32_t> factsOf_;
    std::unordered_map<const xercesc::DOMElement*, ComplexTypeFacts> complexTypes_;
};

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
