#include "SchemaFiles.h"

#include "SchemaDom.h"

#include <Palimo/XMLUtils/Limits.h>

#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/framework/XMLElementDecl.hpp>
#include <xercesc/internal/XMLScanner.hpp>
#include <xercesc/parsers/XercesDOMParser.hpp>
#include <xercesc/sax/Locator.hpp>
#include <xercesc/util/SecurityManager.hpp>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace Mxfdict {

namespace {

namespace fs = std::filesystem;

// A DOM parser that notes where each element's start tag ends, as its scanner
// stands right after the tag.
class PlacingParser : public xercesc::XercesDOMParser {
public:
    struct End {
        XMLFileLoc line;
        XMLFileLoc column;
    };

    // `limits` outlives the parser.
    explicit PlacingParser(xercesc::SecurityManager& limits) {
        setDoNamespaces(true);
        setLoadExternalDTD(false);
        setDisableDefaultEntityResolution(true);
        setCreateEntityReferenceNodes(false);
        setSecurityManager(&limits);
        setValidationScheme(Val_Never);
    }

    void startElement(const xercesc::XMLElementDecl& declaration, const unsigned int uri,
                      const XMLCh* const prefix,
                      const xercesc::RefVectorOf<xercesc::XMLAttr>& attributes,
                      const XMLSize_t count, const bool isEmpty, const bool isRoot) override {
        xercesc::XercesDOMParser::startElement(declaration, uri, prefix, attributes, count, isEmpty,
                                               isRoot);
        const xercesc::Locator* locator = getScanner()->getLocator();
        ends_[static_cast<const xercesc::DOMElement*>(getCurrentNode())] = {
            locator->getLineNumber(), locator->getColumnNumber()};
    }

    std::unordered_map<const xercesc::DOMElement*, End>& ends() { return ends_; }

private:
    std::unordered_map<const xercesc::DOMElement*, End> ends_;
};

// The file's bytes; none for what the aggregator would not read either.
std::optional<std::string> readSchemaFile(const fs::path& path) {
    std::error_code error;
    if (!fs::is_regular_file(path, error) ||
        fs::file_size(path, error) > Palimo::XMLUtils::Limits::kFileSize || error)
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return in.bad() ? std::nullopt : std::optional<std::string>(std::move(bytes));
}

// The line where the start tag that ends at `end` (the scanner's line and
// column, counted in characters) begins: the last '<' before it, since no
// '<' can stand inside a tag. The end line when the bytes are not UTF-8 as
// the columns count them.
int startLine(const std::string& bytes, const std::vector<std::size_t>& lineStarts,
              const PlacingParser::End& end) {
    const int endLine = static_cast<int>(end.line);
    if (end.line == 0 || end.line > lineStarts.size() || end.column == 0)
        return endLine;
    std::size_t at = lineStarts[end.line - 1];
    for (XMLFileLoc column = 1; column < end.column && at < bytes.size(); ++column) {
        ++at;
        while (at < bytes.size() && (static_cast<unsigned char>(bytes[at]) & 0xC0) == 0x80)
            ++at; // the rest of one character
    }
    if (at == 0 || at > bytes.size() || bytes[at - 1] != '>')
        return endLine;
    const std::size_t open = bytes.rfind('<', at - 1);
    if (open == std::string::npos)
        return endLine;
    int line = endLine;
    for (std::size_t i = open; i < at; ++i)
        if (bytes[i] == '\n')
            --line;
    return line;
}

bool isDirective(const xercesc::DOMElement& element) {
    const std::string kind = localName(element);
    return kind == "include" || kind == "import" || kind == "redefine" || kind == "override";
}

// Undoes URI escapes ("%20"); a '%' that starts no escape stays.
std::string percentDecoded(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() &&
            std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The local file a schemaLocation names, from the directory of `naming`, as
// the aggregator resolves it (relative and absolute paths, file: URIs); none
// for a network location, or one the system would cut at a NUL.
std::optional<std::string> locatedFile(const std::string& naming, std::string location) {
    const std::size_t first = location.find_first_not_of(" \t\r\n");
    const std::size_t last = location.find_last_not_of(" \t\r\n");
    if (first == std::string::npos)
        return std::nullopt;
    location = location.substr(first, last - first + 1);
    std::replace(location.begin(), location.end(), '\\', '/');
    const std::size_t colon = location.find(':');
    if (location.compare(0, 5, "file:") == 0) {
        location = location.substr(5);
        if (location.compare(0, 2, "//") == 0) {
            const std::size_t end = location.find('/', 2);
            const std::string host = location.substr(2, end == std::string::npos ? end : end - 2);
            if (!host.empty() && host != "localhost")
                return std::nullopt;
            location = end == std::string::npos ? std::string() : location.substr(end);
        }
        location = location.substr(0, location.find_first_of("?#"));
    } else if (colon != std::string::npos && colon > 1 && colon < location.find('/')) {
        return std::nullopt; // another scheme: a network location
    } else if (location.compare(0, 2, "//") == 0) {
        return std::nullopt;
    }
    location = percentDecoded(location);
    if (location.empty() || location.find('\0') != std::string::npos)
        return std::nullopt;
    const fs::path path(location);
    return (path.is_absolute() ? path : fs::path(naming).parent_path() / path)
        .lexically_normal()
        .string();
}

} // namespace

std::string sourcePrefix(const std::string& file, int line) {
    if (file.empty())
        return {};
    return file + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": ";
}

SchemaFiles::SchemaFiles(const std::string& topFile) {
    Palimo::XMLUtils::Initializer::instance(); // Xerces is initialised
    std::vector<std::string> seen;
    read(fs::path(topFile).lexically_normal().string(), seen);
    for (std::size_t i = 0; i < components_.size(); ++i)
        if (const auto name = attribute(*components_[i].element, "name"))
            firstByName_.emplace(*name, i);
}

SchemaFiles::~SchemaFiles() = default;

void SchemaFiles::read(const std::string& topPath, std::vector<std::string>& seen) {
    // A stack of files being read, each at its next child: an include chain as
    // long as the aggregator allows costs no stack of the program's own.
    struct Frame {
        std::size_t file;
        const xercesc::DOMNode* next;
        const xercesc::DOMElement* redefine; // whose own components follow the file's
    };
    std::vector<Frame> frames;
    const auto open = [&](const std::string& path, const xercesc::DOMElement* redefine) {
        const std::string identity = fs::weakly_canonical(path).string();
        for (const std::string& known : seen)
            if (known == identity)
                return;
        seen.push_back(identity);
        const std::optional<std::string> bytes = readSchemaFile(path);
        if (!bytes)
            return;
        xercesc::SecurityManager limits;
        limits.setEntityExpansionLimit(1000);
        PlacingParser parser(limits);
        const xercesc::MemBufInputSource source(reinterpret_cast<const XMLByte*>(bytes->data()),
                                                bytes->size(), path.c_str());
        try {
            parser.parse(source);
        } catch (...) {
            return;
        }
        if (parser.getErrorCount() != 0 || !parser.getDocument() ||
            !parser.getDocument()->getDocumentElement())
            return;
        std::vector<std::size_t> lineStarts{0};
        for (std::size_t i = 0; i < bytes->size(); ++i)
            if ((*bytes)[i] == '\n')
                lineStarts.push_back(i + 1);
        for (const auto& [element, end] : parser.ends())
            lines_[element] = startLine(*bytes, lineStarts, end);
        documents_.emplace_back(parser.adoptDocument());
        files_.push_back(path);
        frames.push_back({files_.size() - 1,
                          documents_.back()->getDocumentElement()->getFirstChild(), redefine});
    };

    open(topPath, nullptr);
    while (!frames.empty()) {
        Frame& frame = frames.back();
        if (frame.next == nullptr) {
            const Frame done = frame;
            frames.pop_back();
            if (done.redefine != nullptr && !frames.empty())
                for (const xercesc::DOMElement* child : schemaChildren(*done.redefine))
                    if (localName(*child) != "annotation")
                        components_.push_back({child, frames.back().file});
            continue;
        }
        const xercesc::DOMNode* node = frame.next;
        frame.next = node->getNextSibling();
        if (node->getNodeType() != xercesc::DOMNode::ELEMENT_NODE)
            continue;
        const auto& element = static_cast<const xercesc::DOMElement&>(*node);
        if (!isDirective(element)) {
            components_.push_back({&element, frame.file});
            continue;
        }
        const std::optional<std::string> location = attribute(element, "schemaLocation");
        if (!location)
            continue;
        const std::optional<std::string> path = locatedFile(files_[frame.file], *location);
        directives_.push_back({&element, frame.file, *location, path});
        if (path)
            open(*path, localName(element) == "redefine" ? &element : nullptr);
    }
}

SourcePlace SchemaFiles::place(const xercesc::DOMElement& element, std::size_t file) const {
    const auto line = lines_.find(&element);
    return {files_[file], line == lines_.end() ? 0 : line->second};
}

std::optional<SourcePlace> SchemaFiles::declaration(const std::string& name) const {
    const auto found = firstByName_.find(name);
    if (found == firstByName_.end())
        return std::nullopt;
    const Component& component = components_[found->second];
    return place(*component.element, component);
}

} // namespace Mxfdict
