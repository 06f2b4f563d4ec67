#pragma once
// The schemas on which the loader's rewritten queries are compared with the
// expressions they replace: the example dictionary, committed fixtures (one of
// them of awkward names and annotations) and, when the benchmark generator is
// linked, generated dictionaries.
#include "LoaderState.h"
#include "schema/DomText.h"
#include "schema/SchemaIndex.h"
#include "support/TestSupport.h"

#ifdef PALIMO_GENERATED_SCHEMAS
#include "DictionaryGenerator.h"
#endif

#include <Palimo/XMLUtils/UnicodeString.h>
#include <Palimo/XMLUtils/XSDAggregator.h>

#include <xercesc/dom/DOMElement.hpp>

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace PalimoTest {

namespace Loading = Palimo::MetaMetadata::Loading;

/// The schema of a standalone document, made as the pipeline makes it.
class QuerySchema {
public:
    QuerySchema(std::string name, const std::filesystem::path& topFile,
                Loading::QueryObserver* observer)
        : name_(std::move(name)) {
        Palimo::XMLUtils::XSDAggregator aggregator(
            Palimo::XMLUtils::xmlText(W(topFile.parent_path().string().c_str())),
            Palimo::XMLUtils::xmlText(W(topFile.filename().string().c_str())));
        root_ = aggregator.createStandAloneSchemaDocument(state_.parser)->getDocumentElement();
        state_.schema = std::make_unique<Loading::Schema>(*root_->getOwnerDocument(), observer);
    }

    const std::string& name() const { return name_; }
    const Loading::Schema& schema() const { return *state_.schema; }
    const Loading::SchemaIndex& index() const { return state_.schema->index(); }
    Loading::LoaderState& state() { return state_; }
    xercesc::DOMElement* root() const { return root_; }

    /// The nodes of `expression` asked of the document element.
    std::vector<xercesc::DOMNode*> nodes(const std::string& expression) const {
        std::vector<xercesc::DOMNode*> out;
        schema().selectNodes(root(), W(expression.c_str()), out);
        return out;
    }
    Loading::DeclarationList elements(const std::string& expression,
                                      const xercesc::DOMNode* context = nullptr) const {
        Loading::DeclarationList out;
        schema().selectElements(context != nullptr ? context : root(), W(expression.c_str()), out);
        return out;
    }

private:
    std::string name_;
    Loading::LoaderState state_;
    xercesc::DOMElement* root_ = nullptr;
};

/// The schemas by name: files under tests/data (or the shipped example), then
/// generated dictionaries, which have no file and the seed that ends their name
/// (of the benchmark shape, or of the combined one where the name says so).
inline const std::vector<std::pair<std::string, std::string>> kQuerySchemas = {
    {"ExampleDictionary", "../../examples/mxf-dictionary/MXFDictionary.xsd"},
    {"ElementFixtures", "elements/main.xsd"},
    {"DiffFixture", "tools/diff/old.xsd"},
    {"NestedIncludes", "xmlutils/nested-directives/main.xsd"},
    {"Awkward", "queries/awkward.xsd"},
#ifdef PALIMO_GENERATED_SCHEMAS
    {"GeneratedSeed1", ""},
    {"GeneratedSeed2", ""},
    {"GeneratedCombinedSeed3", ""},
#endif
};

/// Where the generated schemas are written; every load gives fresh
/// documents, whose schemas tell `observer` what they ask.
class QuerySchemas {
public:
    QuerySchemas() {
        for (const auto& [name, file] : kQuerySchemas) {
            files_.push_back((dataDir() / file).lexically_normal());
#ifdef PALIMO_GENERATED_SCHEMAS
            if (file.empty()) {
                Palimo::Bench::GeneratorOptions options;
                options.elementCount = 300;
                options.seed = static_cast<std::uint32_t>(name.back() - '0');
                if (name.find("Combined") != std::string::npos) // every feature of every shape
                    options.shape = Palimo::Bench::GeneratorOptions::Shape::Combined;
                files_.back() =
                    Palimo::Bench::generateDictionary(dir_.path() / name, options).topFile;
            }
#endif
        }
    }

    std::vector<std::unique_ptr<QuerySchema>>
    load(Loading::QueryObserver* observer = nullptr) const {
        std::vector<std::unique_ptr<QuerySchema>> schemas;
        for (std::size_t i = 0; i < files_.size(); ++i)
            schemas.push_back(
                std::make_unique<QuerySchema>(kQuerySchemas[i].first, files_[i], observer));
        return schemas;
    }

private:
    TempDir dir_;
    std::vector<std::filesystem::path> files_;
};

} // namespace PalimoTest
