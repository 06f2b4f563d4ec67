#pragma once
// The schemas on which the loader's rewritten queries are compared with the
// expressions they replace: the committed fixtures, the example dictionary,
// generated dictionaries and one schema of awkward cases.
#include "MetaMetadata/Loading/LoaderState.h"
#include "MetaMetadata/Loading/schema/NamespaceBindings.h"
#include "MetaMetadata/Loading/schema/XPathQueries.h"
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

/// A standalone schema document with the pipeline's namespace bindings.
class QuerySchema {
public:
    QuerySchema(std::string name, const std::filesystem::path& topFile) : name_(std::move(name)) {
        Palimo::XMLUtils::XSDAggregator aggregator(
            Palimo::XMLUtils::xmlText(W(topFile.parent_path().string().c_str())),
            Palimo::XMLUtils::xmlText(W(topFile.filename().string().c_str())));
        state_.schemaDocument = aggregator.createStandAloneSchemaDocument(state_.parser);
        state_.nsResolver = state_.schemaDocument->createNSResolver(nullptr);
        Loading::bindSchemaNamespaces(state_, state_.schemaDocument);
    }

    const std::string& name() const { return name_; }
    Loading::LoaderState& state() { return state_; }
    xercesc::DOMElement* root() const { return state_.schemaDocument->getDocumentElement(); }

    /// The nodes of `expression` asked of `context` (the document element by default).
    std::vector<xercesc::DOMNode*> nodes(const std::string& expression,
                                         const xercesc::DOMNode* context = nullptr) {
        std::vector<xercesc::DOMNode*> out;
        Loading::selectNodes(state_, context != nullptr ? context : root(), W(expression.c_str()),
                             out);
        return out;
    }
    Loading::DeclarationList elements(const std::string& expression,
                                      const xercesc::DOMNode* context = nullptr) {
        Loading::DeclarationList out;
        Loading::selectElements(state_, context != nullptr ? context : root(),
                                W(expression.c_str()), out);
        return out;
    }

private:
    std::string name_;
    Loading::LoaderState state_;
};

/// Where the schemas are written for one test; every call gives fresh
/// documents (and so a fresh query cache).
class QuerySchemas {
public:
    std::vector<std::unique_ptr<QuerySchema>> load() const {
        std::vector<std::unique_ptr<QuerySchema>> schemas;
        const std::filesystem::path examples = dataDir() / ".." / ".." / "examples";
        for (const auto& [name, file] : std::vector<std::pair<std::string, std::filesystem::path>>{
                 {"example dictionary", examples / "mxf-dictionary" / "MXFDictionary.xsd"},
                 {"element fixtures", dataDir() / "elements" / "main.xsd"},
                 {"diff fixture (old)", dataDir() / "tools" / "diff" / "old.xsd"},
                 {"nested includes", dataDir() / "xmlutils" / "nested" / "main.xsd"},
                 {"awkward cases", awkward_}})
            schemas.emplace_back(new QuerySchema(name, file));
        for (const std::filesystem::path& top : generated_)
            schemas.emplace_back(
                new QuerySchema("generated " + top.parent_path().filename().string(), top));
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
