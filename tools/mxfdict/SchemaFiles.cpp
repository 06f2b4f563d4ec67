#include "SchemaFiles.h"

#include "SchemaDom.h"
#include "XercesHandles.h"

#include <Palimo/XMLUtils/UnicodeString.h>

#include <xercesc/dom/DOMConfiguration.hpp>
#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/util/SecurityManager.hpp>
#include <xercesc/util/XMLUni.hpp>

#include <deque>
#include <filesystem>
#include <set>

namespace Mxfdict {

namespace {

namespace fs = std::filesystem;

ParserPtr createLocalParser(xercesc::SecurityManager& limits) {
    ParserPtr parser = createParser();
    xercesc::DOMConfiguration* config = parser->getDomConfig();
    config->setParameter(xercesc::XMLUni::fgDOMNamespaces, true);
    config->setParameter(xercesc::XMLUni::fgXercesLoadExternalDTD, false);
    config->setParameter(xercesc::XMLUni::fgXercesDisableDefaultEntityResolution, true);
    config->setParameter(xercesc::XMLUni::fgXercesSecurityManager, &limits);
    return parser;
}

bool isLocal(const std::string& location) {
    return location.find("://") == std::string::npos && location.find('\0') == std::string::npos;
}

} // namespace

std::map<std::string, std::string> declaringFiles(const std::string& topFile) {
    std::map<std::string, std::string> files;
    xercesc::SecurityManager limits;
    limits.setEntityExpansionLimit(1000);
    const ParserPtr parser = createLocalParser(limits);

    std::deque<fs::path> pending{fs::path(topFile).lexically_normal()};
    std::set<fs::path> seen{pending.front()};
    while (!pending.empty()) {
        const fs::path file = pending.front();
        pending.pop_front();
        const Palimo::XMLUtils::UnicodeString path(file.string().c_str());
        const xercesc::DOMDocument* document = nullptr;
        try {
            document = parser->parseURI(path.utf16());
        } catch (...) {
            continue;
        }
        if (!document || !document->getDocumentElement())
            continue;
        const xercesc::DOMElement& root = *document->getDocumentElement();
        for (const xercesc::DOMElement* component : schemaChildren(root)) {
            if (const auto name = attribute(*component, "name"))
                files.emplace(*name, file.string());
            const auto location = attribute(*component, "schemaLocation");
            if (!location || !isLocal(*location))
                continue;
            const fs::path next = (file.parent_path() / *location).lexically_normal();
            if (seen.insert(next).second)
                pending.push_back(next);
        }
        parser->resetDocumentPool(); // one file's document at a time
    }
    return files;
}

} // namespace Mxfdict
