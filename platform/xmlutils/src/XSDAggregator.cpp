#include <Palimo/XMLUtils/XSDAggregator.h>

#include "IncludedFileParser.h"
#include "NamespaceDeclarations.h"
#include "SchemaFileParser.h"
#include "SchemaPaths.h"

#include <Palimo/Utils/StringConversion.h>

#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/dom/DOMNode.hpp>
#include <xercesc/util/XMLString.hpp>

#include <Palimo/XMLUtils/Limits.h>
#include <Palimo/XMLUtils/QuotedText.h>

#include <xercesc/dom/DOMAttr.hpp>

#include <algorithm>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace Palimo {
namespace XMLUtils {

namespace {

using xercesc::DOMElement;
using xercesc::DOMNode;
using xercesc::XMLString;

const XMLCh kSchemaNamespace[] = u"http://www.w3.org/2001/XMLSchema";
const XMLCh kSchemaLocation[] = u"schemaLocation";
const XMLCh kName[] = u"name";

enum class Directive { None, Include, Import, Redefine, Override };

Directive directiveOf(const DOMNode* node) {
    if (node->getNodeType() != DOMNode::ELEMENT_NODE ||
        !XMLString::equals(node->getNamespaceURI(), kSchemaNamespace))
        return Directive::None;
    const XMLCh* local = node->getLocalName();
    if (XMLString::equals(local, u"include"))
        return Directive::Include;
    if (XMLString::equals(local, u"import"))
        return Directive::Import;
    if (XMLString::equals(local, u"redefine"))
        return Directive::Redefine;
    if (XMLString::equals(local, u"override"))
        return Directive::Override;
    return Directive::None;
}

bool isSchemaElement(const DOMNode* node, const XMLCh* localName) {
    return node->getNodeType() == DOMNode::ELEMENT_NODE &&
           XMLString::equals(node->getNamespaceURI(), kSchemaNamespace) &&
           XMLString::equals(node->getLocalName(), localName);
}

std::string narrow(const XMLCh* text) {
    return Utils::wstringToString(text);
}

// xs:override replaces components the way xs:redefine does but without its
// constraints; reading past it would leave out the components it brings.
[[noreturn]] void refuseOverride(const DOMElement& directive, const std::string& file) {
    throw SchemaAggregationError("Schema file \"" + quotedText(file) + "\" overrides \"" +
                                     quotedText(narrow(directive.getAttribute(kSchemaLocation))) +
                                     "\" with xs:override, which is not supported: the "
                                     "components it brings would be missing",
                                 __FILE__, __LINE__);
}

// A component is known to a redefinition by its kind and its name.
std::u16string componentKey(const DOMElement& component) {
    return std::u16string(component.getLocalName()) + u'\0' +
           std::u16string(component.getAttribute(kName));
}

// The part of a QName value after its prefix.
std::u16string localPart(const XMLCh* qname) {
    const std::u16string text(qname);
    const std::size_t colon = text.find(u':');
    return colon == std::u16string::npos ? text : text.substr(colon + 1);
}

// The attributes through which a redefinition refers to the component it
// redefines: the base of a type's own derivation, or the references of a
// group or attribute group to a group of its own name.
std::vector<xercesc::DOMAttr*> selfReferences(const DOMElement& redefinition) {
    std::vector<xercesc::DOMAttr*> found;
    const std::u16string name(redefinition.getAttribute(kName));
    const auto keep = [&](DOMElement& element, const XMLCh* attribute) {
        xercesc::DOMAttr* reference = element.getAttributeNode(attribute);
        if (reference != nullptr && localPart(reference->getValue()) == name)
            found.push_back(reference);
    };
    const auto children = [](const DOMNode& parent, auto&& visit) {
        for (DOMNode* child = parent.getFirstChild(); child; child = child->getNextSibling())
            if (child->getNodeType() == DOMNode::ELEMENT_NODE)
                visit(*static_cast<DOMElement*>(child));
    };
    if (isSchemaElement(&redefinition, u"complexType") ||
        isSchemaElement(&redefinition, u"simpleType")) {
        const auto derivation = [&](DOMElement& element) {
            if (isSchemaElement(&element, u"extension") ||
                isSchemaElement(&element, u"restriction"))
                keep(element, u"base");
        };
        children(redefinition, [&](DOMElement& child) {
            derivation(child);
            if (isSchemaElement(&child, u"complexContent") ||
                isSchemaElement(&child, u"simpleContent"))
                children(child, derivation);
        });
        return found;
    }
    const bool group = isSchemaElement(&redefinition, u"group");
    if (!group && !isSchemaElement(&redefinition, u"attributeGroup"))
        return found;
    const XMLCh* referenceKind = group ? u"group" : u"attributeGroup";
    // Every descendant, without recursion (the nesting is bounded, but the
    // walk need not depend on that).
    DOMNode* node = redefinition.getFirstChild();
    while (node != nullptr && node != &redefinition) {
        if (isSchemaElement(node, referenceKind))
            keep(*static_cast<DOMElement*>(node), u"ref");
        if (node->getFirstChild() != nullptr) {
            node = node->getFirstChild();
            continue;
        }
        while (node != &redefinition && node->getNextSibling() == nullptr)
            node = node->getParentNode();
        if (node != &redefinition)
            node = node->getNextSibling();
    }
    return found;
}

// Where a component that is moved into the result comes from: its file and
// the namespace declarations it must carry itself.
struct Origin {
    std::string file;
    LocalDeclarations declarations;
};

// A component to move into the result, with where it was written.
struct Component {
    DOMElement* element;
    const Origin* origin;
};

// The components an xs:redefine gives in place of those of the file it
// names, in document order; each replaces one component.
struct Redefinitions {
    const Origin* origin = nullptr;
    std::vector<DOMElement*> unused;
    // Positions in `unused` by component key, for a lookup per component.
    std::unordered_map<std::u16string, std::vector<std::size_t>> byKey;

    void collect(const DOMElement& redefine) {
        for (DOMNode* child = redefine.getFirstChild(); child; child = child->getNextSibling()) {
            if (child->getNodeType() == DOMNode::ELEMENT_NODE &&
                !isSchemaElement(child, u"annotation")) {
                auto* component = static_cast<DOMElement*>(child);
                byKey[componentKey(*component)].push_back(unused.size());
                unused.push_back(component);
            }
        }
        for (auto& entry : byKey)
            std::reverse(entry.second.begin(), entry.second.end()); // first at the back
    }

    // The first unused redefinition of `original`'s kind and name, if any.
    DOMElement* take(const DOMElement& original) {
        const auto found = byKey.find(componentKey(original));
        if (found == byKey.end() || found->second.empty())
            return nullptr;
        const std::size_t position = found->second.back();
        found->second.pop_back();
        DOMElement* component = unused[position];
        unused[position] = nullptr;
        return component;
    }
};

// One file being read: where its components go and what is left of it.
struct Frame {
    std::unique_ptr<Origin> origin;
    // The next child to settle or move.
    DOMNode* cursor = nullptr;
    // Where the components go; null when they were built at the end of the
    // root, where they stay.
    DOMNode* before = nullptr;
    // The redefinitions of the directive that named the file, if it is an
    // xs:redefine, and those that reach the file.
    Redefinitions own;
    Redefinitions* redefinitions = nullptr;
    // The directive in the root that goes once the file is read, if any.
    DOMElement* directiveToRemove = nullptr;
};

// One aggregation: the top document, into which the components of every
// named file are moved, and the files read so far. The named files are parsed
// into the top document itself: where a file's components belong at the end
// of the root, they are built there; elsewhere moving one is a relinking of
// one node, not a copy of its tree. Files are read from a stack of their
// own, never by recursion: a chain of includes as long as the depth limit
// costs no stack.
class Aggregation {
public:
    Aggregation(xercesc::DOMLSParser& parser, std::string topPath, SchemaSources* sources)
        : parser_(parser), topPath_(std::move(topPath)), sources_(sources) {}

    xercesc::DOMDocument* run() {
        ParsedSchemaFile top = parseSchemaFile(parser_, topPath_, sources_);
        result_ = top.document;
        resultRoot_ = top.root;
        rootDeclarations_ = std::make_unique<RootDeclarations>(*resultRoot_);
        filesRead_.insert(SchemaPaths::identity(topPath_));
        const Origin origin{topPath_, {}};

        // The components of a directive after the top file's last own
        // component belong after everything placed before them: at the end.
        std::vector<std::pair<DOMElement*, bool>> directives; // and whether at the end
        bool atEnd = true;
        for (DOMNode* child = resultRoot_->getLastChild(); child;
             child = child->getPreviousSibling()) {
            const Directive kind = directiveOf(child);
            if (kind == Directive::Override)
                refuseOverride(*static_cast<DOMElement*>(child), topPath_);
            if (kind != Directive::None)
                directives.emplace_back(static_cast<DOMElement*>(child), atEnd);
            else if (child->getNodeType() == DOMNode::ELEMENT_NODE)
                atEnd = false;
        }
        for (auto it = directives.rbegin(); it != directives.rend(); ++it) {
            open(*it->first, origin, it->second ? nullptr : it->first, nullptr, it->first);
            drain();
        }
        return result_;
    }

private:
    // Starts reading the file that `directive` (written in `naming`) names,
    // unless it was read already, with its components going before `before`
    // or, with `before` null, built at the end of the root. `toRemove` goes
    // from the root once the file is read (at once if it is not read).
    void open(const DOMElement& directive, const Origin& naming, DOMNode* before,
              Redefinitions* outer, DOMElement* toRemove) {
        std::string path;
        if (directive.hasAttribute(kSchemaLocation)) { // else an import of a namespace only
            const std::string location = narrow(directive.getAttribute(kSchemaLocation));
            SchemaSources::Directive* noted = note(directive, location);
            path = SchemaPaths::resolveLocation(naming.file, location);
            if (noted != nullptr)
                noted->path = path;
        }
        if (path.empty() || !filesRead_.insert(SchemaPaths::identity(path)).second) {
            if (toRemove != nullptr)
                resultRoot_->removeChild(toRemove)->release();
            return;
        }
        if (frames_.size() >= Limits::kIncludeDepth)
            throw SchemaAggregationError(
                "Schema file \"" + quotedText(naming.file) + "\" names \"" + quotedText(path) +
                    "\" more than " + std::to_string(Limits::kIncludeDepth) +
                    " levels of includes, imports and redefinitions below the top file",
                __FILE__, __LINE__);

        if (!included_)
            included_ = std::make_unique<IncludedFileParser>(*result_, sources_);
        DOMNode* lastBefore = before == nullptr ? resultRoot_->getLastChild() : nullptr;
        DOMElement& fileRoot = *included_->parse(path, before == nullptr ? resultRoot_ : nullptr);

        auto frame = std::make_unique<Frame>();
        frame->origin =
            std::make_unique<Origin>(Origin{path, rootDeclarations_->merge(fileRoot, path)});
        frame->before = before;
        frame->directiveToRemove = toRemove;
        if (before != nullptr)
            frame->cursor = fileRoot.getFirstChild();
        else
            frame->cursor =
                lastBefore != nullptr ? lastBefore->getNextSibling() : resultRoot_->getFirstChild();
        // A redefinition reaches the redefined file and what it includes,
        // not the other namespaces it imports.
        const Directive kind = directiveOf(&directive);
        frame->redefinitions = kind == Directive::Import ? nullptr : outer;
        if (kind == Directive::Redefine) {
            frame->own.origin = &naming;
            frame->own.collect(directive);
            frame->redefinitions = &frame->own;
        }
        frames_.push_back(std::move(frame));
    }

    // Reads the files on the stack, each child of a file in document order:
    // a directive starts its file, a component moves into place (or stays
    // where it was built), a redefined one gives its place to its
    // redefinition.
    void drain() {
        while (!frames_.empty()) {
            Frame& frame = *frames_.back();
            DOMNode* child = frame.cursor;
            if (child == nullptr) {
                close(frame);
                frames_.pop_back();
                continue;
            }
            frame.cursor = child->getNextSibling(); // before the child moves away
            if (child->getNodeType() != DOMNode::ELEMENT_NODE)
                continue; // whitespace, comments and instructions between components
            auto& element = *static_cast<DOMElement*>(child);
            const bool built = frame.before == nullptr;
            const Directive kind = directiveOf(child);
            if (kind == Directive::Override)
                refuseOverride(element, frame.origin->file);
            if (kind != Directive::None) {
                // In the root, the directive marks its components' place.
                open(element, *frame.origin, built ? child : frame.before, frame.redefinitions,
                     built ? &element : nullptr);
                continue;
            }
            DOMElement* redefined =
                frame.redefinitions != nullptr ? frame.redefinitions->take(element) : nullptr;
            if (redefined == nullptr) {
                if (built)
                    declareOn(element, frame.origin->declarations);
                else
                    insert({&element, frame.origin.get()}, frame.before);
                continue;
            }
            const bool keepOriginal = redefineInTermsOf(*redefined, element);
            const Component redefinition{redefined, frame.redefinitions->origin};
            if (built) {
                // Before what follows the original, which stays if it is kept.
                insert(redefinition, keepOriginal ? frame.cursor : child);
                if (keepOriginal)
                    declareOn(element, frame.origin->declarations);
                else
                    resultRoot_->removeChild(child)->release();
            } else {
                if (keepOriginal)
                    insert({&element, frame.origin.get()}, frame.before);
                insert(redefinition, frame.before);
            }
        }
    }

    // A redefinition that refers to the component it redefines (a type
    // derived from itself, a group that contains itself) means the original:
    // the original stays under a name of its own that no schema can write,
    // and the redefinition refers to that name. Returns whether it does.
    bool redefineInTermsOf(DOMElement& redefinition, DOMElement& original) {
        const std::vector<xercesc::DOMAttr*> references = selfReferences(redefinition);
        if (references.empty())
            return false;
        const std::u16string hidden =
            std::u16string(original.getAttribute(kName)) + u"#redefined-" +
            Utils::stringToWstring(std::to_string(++hiddenNames_)).c_str();
        original.setAttribute(kName, hidden.c_str());
        for (xercesc::DOMAttr* reference : references) {
            const std::u16string value(reference->getValue());
            const std::size_t colon = value.find(u':');
            const std::u16string prefix =
                colon == std::u16string::npos ? std::u16string() : value.substr(0, colon + 1);
            reference->setValue((prefix + hidden).c_str());
        }
        return true;
    }

    // The end of a file: redefinitions that matched nothing still belong to
    // the schema; the directive that named it leaves the root.
    void close(Frame& frame) {
        for (DOMElement* component : frame.own.unused) {
            if (component != nullptr)
                insert({component, frame.own.origin}, frame.before);
        }
        if (frame.directiveToRemove != nullptr)
            resultRoot_->removeChild(frame.directiveToRemove)->release();
    }

    // Notes the directive, when sources are noted, before its location is
    // resolved: a location refused is the directive's fault.
    SchemaSources::Directive* note(const DOMElement& directive, const std::string& location) {
        if (sources_ == nullptr)
            return nullptr;
        const std::optional<SchemaSources::Place> place = sources_->placeOf(directive);
        sources_->directives.push_back({narrow(directive.getLocalName()), location, std::nullopt,
                                        place.value_or(SchemaSources::Place{})});
        return &sources_->directives.back();
    }

    // Moves the component, which is already a node of the result document,
    // into place (with `before` null, to the end).
    void insert(Component component, DOMNode* before) {
        declareOn(*component.element, component.origin->declarations);
        resultRoot_->insertBefore(component.element, before);
    }

    xercesc::DOMLSParser& parser_;
    std::string topPath_;
    SchemaSources* sources_;
    xercesc::DOMDocument* result_ = nullptr;
    DOMElement* resultRoot_ = nullptr;
    std::unique_ptr<RootDeclarations> rootDeclarations_;
    std::unique_ptr<IncludedFileParser> included_;
    std::set<std::string> filesRead_;
    std::vector<std::unique_ptr<Frame>> frames_; // the file being read last
    unsigned long long hiddenNames_ = 0;
};

WString copyOf(const XMLCh* text) {
    return text ? WString(reinterpret_cast<const char16_t*>(text)) : WString();
}

} // namespace

XSDAggregator::XSDAggregator(const XMLCh* directory, const XMLCh* fileName)
    : directory_(copyOf(directory)), fileName_(copyOf(fileName)) {}

XSDAggregator::~XSDAggregator() = default;

xercesc::DOMDocument* XSDAggregator::createStandAloneSchemaDocument(xercesc::DOMLSParser* parser) {
    return aggregate(parser, nullptr);
}

xercesc::DOMDocument* XSDAggregator::createStandAloneSchemaDocument(xercesc::DOMLSParser* parser,
                                                                    SchemaSources& sources) {
    return aggregate(parser, &sources);
}

xercesc::DOMDocument* XSDAggregator::aggregate(xercesc::DOMLSParser* parser,
                                               SchemaSources* sources) {
    const std::string path =
        SchemaPaths::join(Utils::wstringToString(directory_), Utils::wstringToString(fileName_));
    if (!parser)
        throw SchemaAggregationError("No parser given to aggregate \"" + quotedText(path) + "\"",
                                     __FILE__, __LINE__);
    return Aggregation(*parser, path, sources).run();
}

} // namespace XMLUtils
} // namespace Palimo
