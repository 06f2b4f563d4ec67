#include "SchemaSet.h"

#include "SchemaDom.h"
#include "schema/Schema.h"
#include "schema/SchemaIndex.h"

#include <Palimo/XMLUtils/Initializer.h>
#include <Palimo/XMLUtils/UnicodeString.h>
#include <Palimo/XMLUtils/XSDAggregator.h>

#include <xercesc/dom/DOMImplementationLS.hpp>

#include <Palimo/Utils/StringConversion.h>

#include <filesystem>

namespace Palimo {
namespace Check {

SchemaSet::SchemaSet(const std::string& topFile, bool keepPartial)
    : parser_(XMLUtils::Initializer::instance().domImplementation()->createLSParser(
          xercesc::DOMImplementationLS::MODE_SYNCHRONOUS, nullptr)) {
    // The files are named as the schema argument names them, joined to their
    // namer's directory, so that a report names them the way its user does.
    namespace fs = std::filesystem;
    const fs::path path = fs::path(topFile).lexically_normal();
    const std::string directory =
        path.has_parent_path() ? path.parent_path().string() : std::string(".");
    const XMLUtils::UnicodeString wideDirectory(directory.c_str());
    const XMLUtils::UnicodeString wideFileName(path.filename().string().c_str());
    XMLUtils::XSDAggregator aggregator(wideDirectory.utf16(), wideFileName.utf16());
    try {
        document_ = aggregator.createStandAloneSchemaDocument(parser_.get(), sources_);
    } catch (const XMLUtils::SchemaAggregationError&) {
        if (!keepPartial)
            throw;
        return;
    }
    components_ = schemaChildren(*document_->getDocumentElement());
    for (const xercesc::DOMElement* component : components_)
        if (const auto name = attribute(*component, "name"))
            firstByName_.emplace(*name, component);
}

SchemaSet::~SchemaSet() = default;

SourcePlace SchemaSet::place(const xercesc::DOMElement& element) const {
    const std::optional<XMLUtils::SchemaSources::Place> found = sources_.placeOf(element);
    return found ? place(*found) : SourcePlace{};
}

SourcePlace SchemaSet::place(const XMLUtils::SchemaSources::Place& place) const {
    if (place.file >= sources_.files.size())
        return {};
    return {std::filesystem::path(sources_.files[place.file]).lexically_normal().string(),
            place.line};
}

std::optional<SourcePlace> SchemaSet::declaration(const std::string& name) const {
    const auto found = firstByName_.find(name);
    if (found == firstByName_.end())
        return std::nullopt;
    return place(*found->second);
}

const MetaMetadata::Loading::Schema& SchemaSet::loaderSchema() const {
    if (!schema_)
        schema_ = std::make_unique<MetaMetadata::Loading::Schema>(*document_);
    return *schema_;
}

std::optional<std::string> SchemaSet::appinfo(const xercesc::DOMElement& declaration,
                                              const char16_t* source) const {
    const MetaMetadata::Loading::DeclarationFacts* facts =
        loaderSchema().index().facts(&declaration);
    if (facts == nullptr)
        return std::nullopt;
    const std::optional<std::u16string_view> text = facts->firstText(source);
    if (!text)
        return std::nullopt;
    return Utils::wstringToString(WString(text->data(), text->size()));
}

bool SchemaSet::isRegistered(const xercesc::DOMElement& component) const {
    const MetaMetadata::Loading::DeclarationFacts* facts = loaderSchema().index().facts(&component);
    return facts != nullptr && facts->registered;
}

} // namespace Check
} // namespace Palimo
