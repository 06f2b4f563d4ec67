#include "SchemaFileChecks.h"

#include <Palimo/Utils/StringConversion.h>
#include <Palimo/XMLUtils/XSDAggregator.h>

#include <xercesc/util/XMLString.hpp>

#include <filesystem>
#include <fstream>
#include <iterator>

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

std::string readSchemaFile(const std::string& path) {
    const auto file = std::filesystem::u8path(path);
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        failSchemaFile("Cannot read schema file \"" + path + "\"");
    std::ifstream in(file, std::ios::binary);
    std::string bytes;
    try {
        // Read in one piece where the size is known; a file that changes size
        // meanwhile is read to its end all the same.
        const auto size = std::filesystem::file_size(file, error);
        if (!error) {
            bytes.resize(static_cast<std::size_t>(size));
            in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            bytes.resize(static_cast<std::size_t>(in.gcount()));
        }
        if (in.good() || error)
            bytes.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::ios_base::failure& e) {
        // The file buffer reports a failed read ("/proc/self/mem") by throwing.
        failSchemaFile("Cannot read schema file \"" + path + "\": " + e.code().message());
    }
    if (!in.is_open() || in.bad())
        failSchemaFile("Cannot read schema file \"" + path + "\"");
    return bytes;
}

void checkSchemaRoot(const xercesc::DOMElement* root, const std::string& path) {
    if (!root)
        failSchemaFile("Schema file \"" + path + "\" has no root element, not xs:schema");
    const XMLCh* ns = root->getNamespaceURI();
    const XMLCh* local = root->getLocalName();
    if (ns && local && xercesc::XMLString::equals(ns, kSchemaNamespace) &&
        xercesc::XMLString::equals(local, kSchemaElement))
        return;
    std::string found = "\"" + narrow(root->getTagName()) + "\"";
    if (ns && *ns)
        found += " in namespace \"" + narrow(ns) + "\"";
    failSchemaFile("Schema file \"" + path + "\" has root element " + found + ", not xs:schema");
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

void FirstProblem::failIfAny(const std::string& path) const {
    if (failed_)
        failSchemaFile("Malformed XML in \"" + path + "\" at line " + std::to_string(line_) +
                       ", column " + std::to_string(column_) + ": " + message_);
    if (entityRequested_)
        failSchemaFile("Schema file \"" + path + "\" refers to the external entity \"" + entity_ +
                       "\"; external entities are not read");
}

void failNesting(const std::string& path) {
    failSchemaFile("Schema file \"" + path + "\" nests elements more than " +
                   std::to_string(kNestingLimit) + " levels deep");
}

void failParse(const std::string& path, const XMLCh* parserText) {
    failSchemaFile("Cannot parse schema file \"" + path + "\": " + narrow(parserText));
}

} // namespace XMLUtils
} // namespace Palimo
