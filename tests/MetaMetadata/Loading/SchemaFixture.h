#pragma once
// A loader state holding the schema made from inline text, for tests of the
// operations that query it and of the phases that build from it.
#include "MetaMetadata/Loading/LoaderState.h"
#include "support/TestSupport.h"

#include <memory>
#include <string>

namespace PalimoTest {

class SchemaFixture {
public:
    /// Aggregates `text` (a whole schema document) into the state's document
    /// and makes the schema of it, as the pipeline does; `observer` sees what
    /// the schema compiles and evaluates.
    explicit SchemaFixture(const std::string& text,
                           Palimo::MetaMetadata::Loading::QueryObserver* observer = nullptr) {
        dir_.write("main.xsd", text);
        const WString directory = W(dir_.path().string().c_str());
        Palimo::XMLUtils::XSDAggregator aggregator(Palimo::XMLUtils::xmlText(directory),
                                                   u"main.xsd");
        document_ = aggregator.createStandAloneSchemaDocument(state.parser);
        state.schema =
            std::make_unique<Palimo::MetaMetadata::Loading::Schema>(*document_, observer);
    }

    const Palimo::MetaMetadata::Loading::Schema& schema() const { return *state.schema; }
    xercesc::DOMDocument& document() const { return *document_; }
    xercesc::DOMElement* root() const { return document_->getDocumentElement(); }

    /// The parser, the schema and what the phases fill.
    Palimo::MetaMetadata::Loading::LoaderState state;

private:
    TempDir dir_;
    xercesc::DOMDocument* document_ = nullptr; // owned by the state's parser
};

} // namespace PalimoTest
