#pragma once
// One register file parsed into a Xerces DOM document, and the few DOM
// questions the register reader asks.
#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/parsers/XercesDOMParser.hpp>
#include <xercesc/util/SecurityManager.hpp>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace Palimo {
namespace Registers {

/// Keeps Xerces-C initialised while it lives (the initialisation counts, so
/// this nests with any other user of Xerces in the process).
class XercesSession {
public:
    XercesSession();
    ~XercesSession();
    XercesSession(const XercesSession&) = delete;
    XercesSession& operator=(const XercesSession&) = delete;
};

/// A parsed register file. The document lives as long as the object.
class RegisterDocument {
public:
    /// Reads and parses `path`, namespace-aware and without validation.
    /// Throws RegisterError naming the file when it cannot be read, is not
    /// well-formed XML (with line and column) or has a document type
    /// declaration (registers have none; refusing it keeps entity expansion
    /// out). `fileName` is the name the messages give.
    RegisterDocument(const std::filesystem::path& path, const std::string& fileName);
    ~RegisterDocument();
    RegisterDocument(const RegisterDocument&) = delete;
    RegisterDocument& operator=(const RegisterDocument&) = delete;

    const xercesc::DOMElement* root() const { return root_; }
    /// The text after "master_commit_tag=" in a comment before the root
    /// element, up to white space; empty when there is none.
    std::string revision() const;

private:
    XercesSession session_;
    xercesc::SecurityManager security_;
    std::unique_ptr<xercesc::XercesDOMParser> parser_;
    const xercesc::DOMElement* root_ = nullptr;
};

/// The element's local name in UTF-8.
std::string localName(const xercesc::DOMElement* element);
/// The element children of `parent`, in document order.
std::vector<const xercesc::DOMElement*> childElements(const xercesc::DOMElement* parent);
/// The text content of `element` in UTF-8, white space around it removed.
std::string trimmedText(const xercesc::DOMElement* element);

} // namespace Registers
} // namespace Palimo
