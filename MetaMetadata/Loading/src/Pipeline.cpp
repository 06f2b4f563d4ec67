#include "Pipeline.h"

#include "ErrorReporting.h"
#include "elements/ElementBuilder.h"
#include "sets/SetBuilder.h"
#include "sets/SetDiscovery.h"

#include <MetaMetadata/Loading/Exceptions.h>

#include <Palimo/Exceptions/BaseException.h>
#include <Palimo/XMLUtils/UnicodeString.h>
#include <Palimo/XMLUtils/XSDAggregator.h>

#include <xercesc/dom/DOMException.hpp>
#include <xercesc/sax/SAXException.hpp>
#include <xercesc/util/UTFDataFormatException.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xqilla/exceptions/XQException.hpp>
#include <xqilla/exceptions/XQillaException.hpp>

#include <algorithm>
#include <memory>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

void splitSchemaPath(WString& path, WString& directory) {
    const WString::size_type slash = path.rfind(u'/');
    if (slash == WString::npos) {
        directory = WString(1, u'.');
        return;
    }
    directory = path.substr(0, slash);
    path.erase(0, slash + 1);
}

void rethrowAsLoadFailure(const char* file, int line) {
    // XQillaException is a DOMException (through DOMXPathException) and
    // UTFDataFormatException an XMLException: the order of the clauses matters.
    try {
        throw;
    } catch (const XQillaException& e) {
        translateXmlFailure(e);
    } catch (const XQException& e) {
        translateXmlFailure(e);
    } catch (const xercesc::DOMException& e) {
        translateXmlFailure(e);
    } catch (const xercesc::UTFDataFormatException& e) {
        translateXmlFailure(e);
    } catch (const xercesc::SAXException& e) {
        translateXmlFailure(e);
    } catch (const xercesc::XMLException& e) {
        translateXmlFailure(e);
    } catch (const XMLUtils::SchemaAggregationError& e) {
        // A schema that cannot be read is a parse failure to the host, like
        // any other the XML parser reports; the text already names the file.
        throw Exceptions::ParseError(e.message(), e.file().c_str(), e.line());
    } catch (const Exceptions::BaseException&) {
        throw;
    } catch (...) {
        throw Exceptions::ParseError(u"Unknown error in Xerces or XQilla", file, line);
    }
}

namespace {

void buildSchema(LoaderState& state) {
    try {
        // The aggregator goes out of scope before a failure is translated.
        XMLUtils::XSDAggregator aggregator(XMLUtils::xmlText(state.schemaDirectory),
                                           XMLUtils::xmlText(state.schemaFileName));
        xercesc::DOMDocument* document = aggregator.createStandAloneSchemaDocument(state.parser);
        state.schema = std::make_unique<Schema>(*document);
    } catch (...) {
        rethrowAsLoadFailure(__FILE__, __LINE__);
    }
}

void runBuilders(LoaderState& state, Dictionary& dictionary) {
    try {
        const Schema& schema = *state.schema;
        DeclarationList elementDeclarations;
        DeclarationList setDeclarations;
        findElementDeclarations(schema, elementDeclarations);
        findSetDeclarations(schema, setDeclarations);
        // Reference elements look set keys up by name: keys before elements.
        registerSetKeys(schema, setDeclarations, state.setKeys);
        buildMetaElements(schema, state.options, state.setKeys, elementDeclarations, dictionary,
                          state.elements);
        // Set members look elements up by name: elements before sets.
        buildSets(schema, state.options, state.elements, setDeclarations, dictionary);
        if (state.afterBuilders)
            state.afterBuilders(schema, dictionary);
    } catch (...) {
        rethrowAsLoadFailure(__FILE__, __LINE__);
    }
}

// The schema serves one load: its expressions and index go when it ends.
class SchemaRelease {
public:
    explicit SchemaRelease(LoaderState& state) : state_(state) {}
    ~SchemaRelease() { state_.schema.reset(); }
    SchemaRelease(const SchemaRelease&) = delete;
    SchemaRelease& operator=(const SchemaRelease&) = delete;

private:
    LoaderState& state_;
};

} // namespace

void loadSchemaFile(LoaderState& state, WString path, Dictionary& dictionary) {
    std::replace(path.begin(), path.end(), u'\\', u'/');
    WString directory;
    splitSchemaPath(path, directory);
    runPipeline(state, directory, path, dictionary);
}

void runPipeline(LoaderState& state, WString directory, WString fileName, Dictionary& dictionary) {
    state.schemaDirectory = std::move(directory);
    state.schemaFileName = std::move(fileName);
    // A loader loads once; later calls only record the location.
    if (!state.pendingLoad)
        return;
    state.pendingLoad = false;
    const SchemaRelease releaseSchema(state);
    buildSchema(state);
    runBuilders(state, dictionary);
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
