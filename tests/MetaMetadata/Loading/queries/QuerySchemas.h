#pragma once
// The schemas on which the loader's rewritten queries are compared with the
// expressions they replace: the committed fixtures, the example dictionary,
// generated dictionaries and one schema of awkward cases.
#include "MetaMetadata/Loading/LoaderState.h"
#include "MetaMetadata/Loading/schema/DomText.h"
#include "MetaMetadata/Loading/schema/SchemaIndex.h"
#include "support/TestSupport.h"

#ifdef PALIMO_GENERATED_SCHEMAS
#include "DictionaryGenerator.h"
#endif

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace PalimoTest {

namespace Loading = Palimo::MetaMetadata::Loading;

/// Names a declaration could bear: plain ones, characters the expression
/// text could read otherwise, and one outside the basic plane.
inline const char kAwkwardSchemaBody[] = R"(
  <xs:complexType name="Base"><xs:sequence><xs:element ref="ff:A"/></xs:sequence>
    <xs:attribute ref="ff:B"/></xs:complexType>
  <xs:complexType name="Base"><xs:sequence><xs:element ref="ff:Shadowed"/></xs:sequence></xs:complexType>
  <xs:complexType name="Derived"><xs:complexContent><xs:extension base="ff:Base"><xs:choice>
    <xs:element ref="ff:C"><xs:annotation>
      <xs:appinfo source="use">required</xs:appinfo><xs:appinfo source="use">optional</xs:appinfo>
      <xs:appinfo source="Distinguished Value"></xs:appinfo>
      <xs:appinfo source="Distinguished Value"><!-- first text below -->7<!-- -->8</xs:appinfo>
    </xs:annotation></xs:element>
    <xs:sequence><xs:element name="Nested"><xs:annotation>
      <xs:appinfo source="RequiresSemanticsValidation"><![CDATA[yes]]> and more</xs:appinfo>
      <xs:appinfo ff:source="use">namespaced source</xs:appinfo>
      <xs:appinfo>no source</xs:appinfo>
    </xs:annotation></xs:element></xs:sequence>
  </xs:choice></xs:extension></xs:complexContent></xs:complexType>
  <xs:element name="A" type="xs:string"><xs:annotation>
    <xs:appinfo source="RP210">A</xs:appinfo>
    <xs:appinfo source="UL Designator"> padded </xs:appinfo>
  </xs:annotation><xs:annotation><xs:appinfo source="Local Tag">second annotation</xs:appinfo>
  </xs:annotation></xs:element>
  <xs:element name="A" substitutionGroup="ff:Head" type="T"/>
  <xs:element name="B" substitutionGroup="Head" type="ff:Ref"/>
  <xs:element name="C" substitutionGroup="x:Head" type="Ref"/>
  <xs:element name="D" substitutionGroup="Head"/>
  <xs:element substitutionGroup="Head" type="T"><xs:annotation>
    <xs:appinfo source="RP210"/><xs:appinfo source="Name In Specification">nameless</xs:appinfo>
  </xs:annotation></xs:element>
  <xs:element name="" type="T"/>
  <xs:element name="amp&amp;ersand" type="T"/>
  <xs:element name="line&#10;break" type="T"/>
  <xs:element name="quote&quot;d" type="T"/>
  <xs:element name="&#x1D11E;clef" type="T"/>
  <xs:complexType name="amp&amp;ersand"/>
  <xs:simpleType name="Simple"><xs:annotation><xs:appinfo source="RP210"/></xs:annotation>
    <xs:restriction base="xs:string"/></xs:simpleType>
  <xs:group name="G"><xs:sequence><xs:element ref="ff:A"/></xs:sequence></xs:group>
)";

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

    /// The nodes of `expression` asked of `context` (the document element by default).
    std::vector<xercesc::DOMNode*> nodes(const std::string& expression,
                                         const xercesc::DOMNode* context = nullptr) const {
        return nodes(W(expression.c_str()), context);
    }
    std::vector<xercesc::DOMNode*> nodes(const WString& expression,
                                         const xercesc::DOMNode* context = nullptr) const {
        std::vector<xercesc::DOMNode*> out;
        schema().selectNodes(context != nullptr ? context : root(), expression, out);
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

/// Where the schemas are written for one test; every call gives fresh
/// documents, whose schemas tell `observer` what they ask.
class QuerySchemas {
public:
    std::vector<std::unique_ptr<QuerySchema>>
    load(Loading::QueryObserver* observer = nullptr) const {
        std::vector<std::unique_ptr<QuerySchema>> schemas;
        const std::filesystem::path examples = dataDir() / ".." / ".." / "examples";
        for (const auto& [name, file] : std::vector<std::pair<std::string, std::filesystem::path>>{
                 {"example dictionary", examples / "mxf-dictionary" / "MXFDictionary.xsd"},
                 {"element fixtures", dataDir() / "elements" / "main.xsd"},
                 {"diff fixture (old)", dataDir() / "tools" / "diff" / "old.xsd"},
                 {"nested includes", dataDir() / "xmlutils" / "nested" / "main.xsd"},
                 {"awkward cases", awkward_}})
            schemas.emplace_back(new QuerySchema(name, file, observer));
        for (const std::filesystem::path& top : generated_)
            schemas.emplace_back(new QuerySchema(
                "generated " + top.parent_path().filename().string(), top, observer));
        return schemas;
    }

    QuerySchemas() : awkward_(dir_.write("awkward/main.xsd", schema(kAwkwardSchemaBody))) {
#ifdef PALIMO_GENERATED_SCHEMAS
        for (std::uint32_t seed : {1u, 2u}) {
            Palimo::Bench::GeneratorOptions options;
            options.elementCount = 300;
            options.seed = seed;
            generated_.push_back(Palimo::Bench::generateDictionary(
                                     dir_.path() / ("seed-" + std::to_string(seed)), options)
                                     .topFile);
        }
#endif
    }

private:
    TempDir dir_;
    std::filesystem::path awkward_;
    std::vector<std::filesystem::path> generated_;
};

} // namespace PalimoTest
