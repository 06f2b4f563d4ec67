#include <Palimo/XMLUtils/XSDAggregator.h>

#include "IncludedFileParser.h"
#include "NamespaceDeclarations.h"
#include "SchemaFileParser.h"
#include "SchemaPaths.h"

#include <Palimo/Utils/StringConversion.h>

#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/dom/DOMNode.hpp>
#include <xercesc/util/XMLString.hpp>

#include <memory>
#include <set>
#include <string>
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

enum class Directive { None, Include, Import, Redefine };

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
    return Directive::None;
}

bool isSchemaElement(const DOMNode* node, const XMLCh* localName) {
    return node->getNodeType() == DOMNode::ELEMENT_NODE &&
           XMLString::equals(node->getNamespaceURI(), kSchemaNamespace) &&
           XMLString::equals(node->getLocalName(), localName);
}

// A component is known to a redefinition by its kind and its name.
std::u16string componentKey(const DOMElement& component) {
    return std::u16string(component.getLocalName()) + u'\0' +
           std::u16string(component.getAttribute(kName));
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

    void collect(const DOMElement& redefine) {
        for (DOMNode* child = redefine.getFirstChild(); child; child = child->getNextSibling()) {
            if (child->getNodeType() == DOMNode::ELEMENT_NODE &&
                !isSchemaElement(child, u"annotation"))
                unused.push_back(static_cast<DOMElement*>(child));
        }
    }

    DOMElement* take(const DOMElement& original) {
        const std::u16string key = componentKey(original);
        for (auto it = unused.begin(); it != unused.end(); ++it) {
            if (componentKey(**it) == key) {
                DOMElement* found = *it;
                unused.erase(it);
                return found;
            }
        }
        return nullptr;
    }
};

// One aggregation: the top document, into which the components of every
// named file are moved, and the files read so far. The named files are parsed
// into the top document itself: where a file's components belong at the end
// of the root, they are built there; elsewhere moving one is a relinking of
// one node, not a copy of its tree.
class Aggregation {
public:
    Aggregation(xercesc::DOMLSParser& parser, std::string topPath)
        : parser_(parser), topPath_(std::move(topPath)) {}

    xercesc::DOMDocument* run() {
        ParsedSchemaFile top = parseSchemaFile(parser_, topPath_);
        result_ = top.document;
        resultRoot_ = top.root;
        filesRead_.insert(SchemaPaths::identity(topPath_));
        const Origin origin{topPath_, {}};

        // The components of a directive after the top file's last own
        // component belong after everything placed before them: at the end.
        std::vector<std::pair<DOMElement*, bool>> directives; // and whether at the end
        bool atEnd = true;
        for (DOMNode* child = resultRoot_->getLastChild(); child;
             child = child->getPreviousSibling()) {
            if (directiveOf(child) != Directive::None)
                directives.emplace_back(static_cast<DOMElement*>(child), atEnd);
            else if (child->getNodeType() == DOMNode::ELEMENT_NODE)
                atEnd = false;
        }
        for (auto it = directives.rbegin(); it != directives.rend(); ++it) {
            expand(*it->first, origin, it->second ? nullptr : it->first, nullptr);
            resultRoot_->removeChild(it->first)->release();
        }
        return result_;
    }

private:
    // Inserts before `before`, or with `before` null builds at the end of the
    // root, the components of the file that `directive` (written in `origin`)
    // names, unless that file was read already.
    void expand(const DOMElement& directive, const Origin& origin, DOMNode* before,
                Redefinitions* outer) {
        if (!directive.hasAttribute(kSchemaLocation))
            return; // an import that names a namespace only
        const std::string path = SchemaPaths::resolveLocation(
            origin.file, Utils::wstringToString(directive.getAttribute(kSchemaLocation)));
        if (!filesRead_.insert(SchemaPaths::identity(path)).second)
            return;

        if (!included_)
            included_ = std::make_unique<IncludedFileParser>(*result_);
        DOMNode* lastBefore = before == nullptr ? resultRoot_->getLastChild() : nullptr;
        DOMElement& fileRoot = *included_->parse(path, before == nullptr ? resultRoot_ : nullptr);
        const Origin fileOrigin{path, mergeNamespaceDeclarations(*resultRoot_, fileRoot)};

        // A redefinition reaches the redefined file and what it includes,
        // not the other namespaces it imports.
        const Directive kind = directiveOf(&directive);
        Redefinitions own;
        Redefinitions* redefinitions = kind == Directive::Import ? nullptr : outer;
        if (kind == Directive::Redefine) {
            own.origin = &origin;
            own.collect(directive);
            redefinitions = &own;
        }

        if (before == nullptr)
            settleBuiltComponents(lastBefore, fileOrigin, redefinitions);
        else
            moveComponents(fileRoot, fileOrigin, before, redefinitions);
        // Redefinitions that matched nothing still belong to the schema.
        for (DOMElement* component : own.unused)
            insert({component, &origin}, before);
    }

    // The components of a file parsed apart, moved before `before` in
    // document order, with the directives among them expanded there.
    void moveComponents(DOMElement& fileRoot, const Origin& fileOrigin, DOMNode* before,
                        Redefinitions* redefinitions) {
        DOMNode* next = nullptr;
        for (DOMNode* child = fileRoot.getFirstChild(); child; child = next) {
            next = child->getNextSibling(); // before the child moves away
            if (child->getNodeType() != DOMNode::ELEMENT_NODE)
                continue; // whitespace, comments and instructions between components
            auto& element = *static_cast<DOMElement*>(child);
            if (directiveOf(child) != Directive::None)
                expand(element, fileOrigin, before, redefinitions);
            else if (DOMElement* redefined = redefinitions ? redefinitions->take(element) : nullptr)
                insert({redefined, redefinitions->origin}, before);
            else
                insert({&element, &fileOrigin}, before);
        }
    }

    // The same for the child elements of a file built at the end of the root,
    // after `lastBefore`: each directive is expanded in its own place and then
    // removed, a redefined component gives its place to its redefinition.
    void settleBuiltComponents(DOMNode* lastBefore, const Origin& fileOrigin,
                               Redefinitions* redefinitions) {
        DOMNode* next = nullptr;
        for (DOMNode* child = lastBefore != nullptr ? lastBefore->getNextSibling()
                                                    : resultRoot_->getFirstChild();
             child; child = next) {
            next = child->getNextSibling();
            auto& element = *static_cast<DOMElement*>(child);
            if (directiveOf(child) != Directive::None) {
                expand(element, fileOrigin, child, redefinitions);
                resultRoot_->removeChild(child)->release();
            } else if (DOMElement* redefined =
                           redefinitions ? redefinitions->take(element) : nullptr) {
                insert({redefined, redefinitions->origin}, child);
                resultRoot_->removeChild(child)->release();
            } else {
                declareOn(element, fileOrigin.declarations);
            }
        }
    }

    // Moves the component, which is already a node of the result document,
    // into place (with `before` null, to the end).
    void insert(Component component, DOMNode* before) {
        declareOn(*component.element, component.origin->declarations);
        resultRoot_->insertBefore(component.element, before);
    }

    xercesc::DOMLSParser& parser_;
    std::string topPath_;
    xercesc::DOMDocument* result_ = nullptr;
    DOMElement* resultRoot_ = nullptr;
    std::unique_ptr<IncludedFileParser> included_;
    std::set<std::string> filesRead_;
};

WString copyOf(const XMLCh* text) {
    return text ? WString(reinterpret_cast<const char16_t*>(text)) : WString();
}

} // namespace

XSDAggregator::XSDAggregator(const XMLCh* directory, const XMLCh* fileName)
    : directory_(copyOf(directory)), fileName_(copyOf(fileName)) {}

XSDAggregator::~XSDAggregator() = default;

xercesc::DOMDocument* XSDAggregator::createStandAloneSchemaDocument(xercesc::DOMLSParser* parser) {
    const std::string path =
        SchemaPaths::join(Utils::wstringToString(directory_), Utils::wstringToString(fileName_));
    if (!parser)
        throw SchemaAggregationError("No parser given to aggregate \"" + path + "\"", __FILE__,
                                     __LINE__);
    return Aggregation(*parser, path).run();
}

} // namespace XMLUtils
} // namespace Palimo
