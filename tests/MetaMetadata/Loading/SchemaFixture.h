#pragma once
// A loader state holding a standalone schema document made from inline text,
// with its resolver, for tests of the operations that query the schema.
#include "MetaMetadata/Loading/LoaderState.h"
#include "MetaMetadata/Loading/schema/NamespaceBindings.h"
#include "support/TestSupport.h"

#include <string>

namespace PalimoTest {

class SchemaFixture {
public:
    /// Aggregates `text` (a whole schema document) into the state's document.
    /// With `bind`, the namespace bindings are made as the pipeline makes them.
    explicit SchemaFixture(const std::string& text, bool bind = true) {
        dir_.write("main.xsd", text);
        const WString directory = W(dir_.path().string().c_str());
        Palimo::XMLUtils::XSDAggregator aggregator(Palimo::XMLUtils::xmlText(directory),
                                                   u"main.xsd");
        state.schemaDocument = aggregator.createStandAloneSchemaDocument(state.parser);
        state.nsResolver = state.schemaDocument->createNSResolver(nullptr);
        if (bind)
            Palimo::MetaMetadata::Loading::bindSchemaNamespaces(state, state.schemaDocument);
    }

    xercesc::DOMElement* root() const { return state.schemaDocument->getDocumentElement(); }

    Palimo::MetaMetadata::Loading::LoaderState state;

private:
    TempDir dir_;
};

} // namespace PalimoTest
