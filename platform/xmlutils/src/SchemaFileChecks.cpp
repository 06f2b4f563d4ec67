#include "SchemaFileChecks.h"

#include <Palimo/Utils/StringConversion.h>
#include <Palimo/XMLUtils/XSDAggregator.h>

#include <xercesc/util/XMLString.hpp>

#include <Palimo/XMLUtils/QuotedText.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Palimo {
namespace XMLUtils {

namespace {

const XMLCh kSchemaNamespace[] = u"http://www.w3.org/2001/XMLSchema";
const XMLCh kSchemaElement[] = u"schema";

std::string narrow(const XMLCh* text) {
    return Utils::wstringToString(text);
}

} // namespace

void failSchemaFile(const std::string& message) {
    throw SchemaAggregationError(message, __FILE__, __LINE__);
}

namespace {

// Closes a descriptor on every path.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

[[noreturn]] void failRead(const std::string& path, int error) {
    failSchemaFile("Cannot read schema file \"" + quotedText(path) + "\": " + std::strerror(error));
}

[[noreturn]] void failSize(const std::string& path, const std::string& size) {
    failSchemaFile("Schema file \"" + quotedText(path) + "\" is larger than the limit of " +
                   std::to_string(Limits::kFileSize) + " bytes (" + size + ")");
}

} // namespace

std::string readSchemaFile(const std::string& path) {
    // Not blocking: opening a pipe without a writer would wait for one.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0)
        failRead(path, errno);
    struct stat status {};
    if (::fstat(file.get(), &status) != 0)
        failRead(path, errno);
    if (!S_ISREG(status.st_mode))
        failSchemaFile("Cannot read schema file \"" + quotedText(path) + "\": not a regular file");
    const auto size = static_cast<std::uint64_t>(status.st_size);
    if (size > Limits::kFileSize)
        failSize(path, std::to_string(size) + " bytes");

    // Read in one piece where the size is known; a file that grows meanwhile,
    // or reports no size (as files under /proc do), is read to its end, but
    // never past the limit.
    std::string bytes(static_cast<std::size_t>(size == 0 ? 4096 : size + 1), '\0');
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (bytes.size() > Limits::kFileSize)
                failSize(path, "more than that when read");
            bytes.resize(std::min<std::size_t>(bytes.size() * 2, Limits::kFileSize + 1));
        }
        const ::ssize_t got = ::read(file.get(), bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            failRead(path, errno);
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return bytes;
}

void checkSchemaRoot(const xercesc::DOMElement* root, const std::string& path) {
    if (!root)
        failSchemaFile("Schema file \"" + quotedText(path) +
                       "\" has no root element, not xs:schema");
    const XMLCh* ns = root->getNamespaceURI();
    const XMLCh* local = root->getLocalName();
    if (ns && local && xercesc::XMLString::equals(ns, kSchemaNamespace) &&
        xercesc::XMLString::equals(local, kSchemaElement))
        return;
    std::string found = "\"" + quotedText(narrow(root->getTagName())) + "\"";
    if (ns && *ns)
        found += " in namespace \"" + quotedText(narrow(ns)) + "\"";
    failSchemaFile("Schema file \"" + quotedText(path) + "\" has root element " + found +
                   ", not xs:schema");
}

void FirstProblem::error(const XMLCh* parserText, unsigned long long line,
                         unsigned long long column) {
    if (failed_)
        return;
    failed_ = true;
    message_ = narrow(parserText);
    line_ = line;
    column_ = column;
}

void FirstProblem::entityRequest(const XMLCh* systemId, const XMLCh* publicId) {
    if (entityRequested_)
        return;
    entityRequested_ = true;
    entity_ = narrow(systemId && *systemId ? systemId : publicId);
}

std::size_t EntityBudget::expansions() const {
    if (longestEntity == 0)
        return Limits::kEntityExpansions;
    return static_cast<std::size_t>(
        std::min<std::uint64_t>(Limits::kEntityExpansions, characters / longestEntity));
}

void FirstProblem::failIfAny(const std::string& path, const EntityBudget& budget) const {
    // Xerces' text for its expansion limit: "...more than "N" entity expansions...".
    if (failed_ && budget.boundByText() && message_.find("entity expansions") != std::string::npos)
        failSchemaFile(
            "Schema file \"" + quotedText(path) + "\" expands entities beyond its limit of " +
            std::to_string(budget.characters) + " characters (" +
            std::to_string(Limits::kEntityTextPerByte) + " per byte of the file): more than " +
            std::to_string(budget.expansions()) + " expansions of entities of up to " +
            std::to_string(budget.longestEntity) + " characters");
    if (failed_)
        failSchemaFile("Malformed XML in \"" + quotedText(path) + "\" at line " +
                       std::to_string(line_) + ", column " + std::to_string(column_) + ": " +
                       quotedText(message_));
    if (entityRequested_)
        failSchemaFile("Schema file \"" + quotedText(path) + "\" refers to the external entity \"" +
                       quotedText(entity_) + "\"; external entities are not read");
}

void failNesting(const std::string& path) {
    failSchemaFile("Schema file \"" + quotedText(path) + "\" nests elements more than " +
                   std::to_string(Limits::kNesting) + " levels deep");
}

void failAttributes(const std::string& path) {
    failSchemaFile("Schema file \"" + quotedText(path) + "\" has an element with more than " +
                   std::to_string(Limits::kAttributes) +
                   " attributes (namespace declarations included)");
}

void failParse(const std::string& path, const XMLCh* parserText) {
    failSchemaFile("Cannot parse schema file \"" + quotedText(path) +
                   "\": " + quotedText(narrow(parserText)));
}

} // namespace XMLUtils
} // namespace Palimo
