#include "MetaMetadata/Loading/Pipeline.h"

#include "MetaMetadata/Loading/ErrorReporting.h"
#include "MetaMetadata/Loading/Exceptions.h"
#include "MetaMetadata/Loading/elements/ElementBuilder.h"
#include "MetaMetadata/Loading/schema/NamespaceBindings.h"
#include "MetaMetadata/Loading/schema/QueryCache.h"
#include "MetaMetadata/Loading/sets/SetBuilder.h"
#include "MetaMetadata/Loading/sets/SetDiscovery.h"

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

void buildSchemaDocument(LoaderState& state) {
    try {
        // The aggregator goes out of scope before a failure is translated.
        XMLUtils::XSDAggregator aggregator(XMLUtils::xmlText(state.schemaDirectory),
                                           XMLUtils::xmlText(state.schemaFileName));
        state.schemaDocument = aggregator.createStandAloneSchemaDocument(state.parser);
        state.nsResolver = state.schemaDocument->createNSResolver(nullptr);
        bindSchemaNamespaces(state, state.schemaDocument);
    } catch (...) {
        rethrowAsLoadFailure(__FILE__, __LINE__);
    }
}

void runBuilders(LoaderState& state, Dictionary& dictionary) {
    try {
        DeclarationList elementDeclarations;
        DeclarationList setDeclarations;
        findElementDeclarations(state, elementDeclarations);
        findSetDeclarations(state, setDeclarations);
        // Reference elements look set keys up by name: keys before elements.
        registerSetKeys(state, setDeclarations);
        buildMetaElements(state, dictionary, elementDeclarations);
        // Set members look elements up by name: elements before sets.
        buildSets(state, dictionary, setDeclarations);
    } catch (...) {
        rethrowAsLoadFailure(__FILE__, __LINE__);
    }
}

} // namespace

void runPipeline(LoaderState& state, WString directory, WString fileName, Dictionary& dictionary) {
    state.schemaDirectory = std::move(directory);
    state.schemaFileName = std::move(fileName);
    // A loader loads once; later calls only record the location.
    if (!state.pendingLoad)
        return;
    state.pendingLoad = false;
    // Compiled expressions and indexes serve this load only.
    const QueryCacheRelease releaseCache(state);
    buildSchemaDocument(state);
    runBuilders(state, dictionary);
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
