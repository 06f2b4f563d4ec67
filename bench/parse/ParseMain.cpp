// xsd-parse FILE...: parses each file with a DOMLSParser of the XPath 2.0 DOM
// implementation that the loader uses, namespaces on, and keeps the documents
// until exit. The baseline that a whole-process load is compared with: the
// cost of reading the same bytes into a DOM and nothing else.
#include <Palimo/XMLUtils/Initializer.h>

#include <xercesc/dom/DOM.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xercesc/util/XMLString.hpp>

#include <cstdio>
#include <memory>

namespace {

struct ParserRelease {
    void operator()(xercesc::DOMLSParser* parser) const noexcept { parser->release(); }
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: xsd-parse FILE...\n");
        return 2;
    }
    try {
        auto* implementation = static_cast<xercesc::DOMImplementationLS*>(
            Palimo::XMLUtils::Initializer::instance().domImplementation());
        // One parser per file: a parser releases its previous document when it
        // parses the next, and a load keeps every file's nodes.
        std::unique_ptr<std::unique_ptr<xercesc::DOMLSParser, ParserRelease>[]> parsers(
            new std::unique_ptr<xercesc::DOMLSParser, ParserRelease>[argc - 1]);
        for (int i = 1; i < argc; ++i) {
            parsers[i - 1].reset(implementation->createLSParser(
                xercesc::DOMImplementationLS::MODE_SYNCHRONOUS, nullptr));
            parsers[i - 1]->getDomConfig()->setParameter(xercesc::XMLUni::fgDOMNamespaces, true);
            if (parsers[i - 1]->parseURI(argv[i]) == nullptr) {
                std::fprintf(stderr, "xsd-parse: %s: no document\n", argv[i]);
                return 1;
            }
        }
    } catch (const xercesc::XMLException& e) {
        char* text = xercesc::XMLString::transcode(e.getMessage());
        std::fprintf(stderr, "xsd-parse: %s\n", text);
        xercesc::XMLString::release(&text);
        return 1;
    } catch (const xercesc::DOMException&) {
        std::fprintf(stderr, "xsd-parse: DOM error\n");
        return 1;
    }
    return 0;
}
