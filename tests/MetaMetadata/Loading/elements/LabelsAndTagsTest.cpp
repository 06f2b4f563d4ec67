#include "MetaMetadata/Loading/elements/LabelsAndTags.h"
#include "MetaMetadata/Loading/Exceptions.h"
#include "MetaMetadata/Loading/SchemaFixture.h"
#include "MetaMetadata/Loading/schema/Schema.h"

namespace {

using namespace Palimo::MetaMetadata::Loading;
using Palimo::Exceptions::InvalidULDesignator;
using PalimoTest::N;
using PalimoTest::schema;
using PalimoTest::SchemaFixture;
using PalimoTest::W;

const char kLabel[] = "06.0E.2B.34.01.01.01.02.06.01.01.04.01.02.00.00";
const char kLabelLower[] = "06.0e.2b.34.01.01.01.02.06.01.01.04.01.02.00.00";

std::string declaration(const std::string& name, const std::string& appinfos) {
    return "<xs:element name=\"" + name + "\"><xs:annotation>" + appinfos +
           "</xs:annotation></xs:element>";
}

std::string appinfo(const std::string& source, const std::string& text) {
    return "<xs:appinfo source=\"" + source + "\">" + text + "</xs:appinfo>";
}

class LabelsAndTags : public ::testing::Test {
protected:
    LabelsAndTags()
        : f(schema(
              declaration("Good",
                          appinfo("UL Designator", kLabel) + appinfo("Local Tag", "3c.0a")) +
              declaration("None", appinfo("RP210", "x")) +
              declaration("Empty", appinfo("UL Designator", "") + appinfo("Local Tag", "")) +
              declaration("Padded", appinfo("UL Designator", "\n  " + std::string(kLabel) + "\n")) +
              declaration("Twice",
                          appinfo("UL Designator", kLabel) + appinfo("UL Designator", "bad")) +
              declaration("Comment",
                          appinfo("UL Designator", "06.0e.2b.34.01.01.01.02<!-- c -->.06.01.01."
                                                   "04.01.02.00.00")))) {}

    const xercesc::DOMElement* decl(const char* name) {
        return f.schema().selectFirstElement(
            f.root(), W((std::string("./xs:element[@name='") + name + "']").c_str()));
    }

    SchemaFixture f;
};

TEST_F(LabelsAndTags, AValidDesignatorGivesLabelAndKeyOfTheSameBytes) {
    const auto label = readUniversalLabel(f.schema(), decl("Good"));
    ASSERT_TRUE(label);
    EXPECT_EQ(N(label->toString(kDottedHex)), kLabelLower);
    const auto key = readULKey(f.schema(), decl("Good"));
    ASSERT_TRUE(key);
    EXPECT_EQ(key->bytes(), label->array());
}

TEST_F(LabelsAndTags, AbsentOrEmptyAnnotationsGiveNothing) {
    for (const char* name : {"None", "Empty"}) {
        EXPECT_FALSE(readUniversalLabel(f.schema(), decl(name))) << name;
        EXPECT_FALSE(readULKey(f.schema(), decl(name))) << name;
        EXPECT_FALSE(readLocalTag(f.schema(), decl(name))) << name;
    }
}

TEST_F(LabelsAndTags, DesignatorsOfTheWrongLengthAreRefusedWithTheirText) {
    const std::pair<const char*, std::string> cases[] = {
        {"Padded", "\n  " + std::string(kLabel) + "\n"},
        {"Comment", "06.0e.2b.34.01.01.01.02"}, // the text before the comment only
    };
    for (const auto& c : cases) {
        // Named copies: lambdas capture no structured bindings before C++20.
        const char* const name = c.first;
        const std::string& text = c.second;
        EXPECT_THROWS_EXACTLY(InvalidULDesignator, readUniversalLabel(f.schema(), decl(name)),
                              text);
        EXPECT_THROWS_EXACTLY(InvalidULDesignator, readULKey(f.schema(), decl(name)), text);
    }
}

TEST_F(LabelsAndTags, OnlyTheFirstDesignatorIsRead) {
    const auto label = readUniversalLabel(f.schema(), decl("Twice"));
    ASSERT_TRUE(label);
    EXPECT_EQ(N(label->toString(kDottedHex)), kLabelLower);
}

} // namespace
