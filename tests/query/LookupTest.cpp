// Lookups answer in typed form: which key form matched, which looser rule it
// needed, and the entries, as pointers into the dictionary.
#include "support/SchemaText.h"

#include <Palimo/Query/Entries.h>
#include <Palimo/Query/Lookup.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace Palimo::MetaMetadata;
using Palimo::Query::lookup;
using Palimo::Query::LookupResult;
using Palimo::Query::MatchedBy;

const char* const kTrackID = "06.0e.2b.34.01.01.01.02.01.07.01.01.00.00.00.00";
const char* const kTrackName = "06.0e.2b.34.01.01.01.02.01.07.01.02.01.00.00.00";

// TrackNumber comes after TrackName with its label: lookups answer TrackNumber.
class Lookup : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        using PalimoTest::elementDeclaration;
        dictionary_ = std::make_unique<Dictionary>();
        PalimoTest::loadSchemaText(
            PalimoTest::setDeclaration("Clip", "06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.11.00",
                                       {"TrackID", "TrackName"}) +
                PalimoTest::setDeclaration(
                    "Marker", "06.0e.2b.34.02.53.01.01.0d.01.01.01.01.01.41.00", {"TrackID"}) +
                elementDeclaration("TrackID", "UInt32", kTrackID, "48.01", "Track ID") +
                elementDeclaration("TrackName", "UTF16String", kTrackName, "48.02", "Track Name") +
                elementDeclaration("TrackNumber", "UInt32", kTrackName, "48.03", "Track Number"),
            *dictionary_);
    }
    static void TearDownTestSuite() { dictionary_.reset(); }

    static const MetaElement& element(const char* ul) {
        return *dictionary_->findMetaElement(
            Palimo::Types::UniversalLabel(Palimo::Identifiers::Label::parse(ul)->bytes()));
    }
    static std::vector<std::string> names(const LookupResult& result) {
        std::vector<std::string> names;
        for (const MetaElement* element : result.elements)
            names.push_back(*Palimo::Query::tagName(*element));
        for (const MetaMetadataSet* set : result.sets)
            names.push_back(*Palimo::Query::tagName(*set));
        return names;
    }

    static std::unique_ptr<Dictionary> dictionary_;
};

std::unique_ptr<Dictionary> Lookup::dictionary_;

TEST_F(Lookup, EachKeyFormAndLooserRule) {
    // `looser`: "element" or "set" matched ignoring the version byte, "case" a
    // name ignoring case.
    struct Case {
        const char* key;
        MatchedBy matchedBy;
        std::vector<std::string> names;
        std::string looser;
    };
    const Case cases[] = {
        {kTrackID, MatchedBy::Label, {"TrackID"}, ""},
        // Version byte 05: the element; 7f, upper case plain: the set.
        {"urn:smpte:ul:060e2b34.01010105.01070101.00000000",
         MatchedBy::Label,
         {"TrackID"},
         "element"},
        {"060E2B34025301010D01010101011100", MatchedBy::Label, {"Clip"}, ""},
        {"060E2B340253017F0D01010101011100", MatchedBy::Label, {"Clip"}, "set"},
        // The later element with the label answers, by label, tag and name.
        {kTrackName, MatchedBy::Label, {"TrackNumber"}, ""},
        {"0x4801", MatchedBy::LocalTag, {"TrackID"}, ""},
        {"Track ID", MatchedBy::Name, {"TrackID"}, ""},
        {"tRACKid", MatchedBy::Name, {"TrackID"}, "case"},
        {"Marker", MatchedBy::Name, {"Marker"}, ""},
        {"TrackName", MatchedBy::Nothing, {}, ""},
        {"48.01.", MatchedBy::Nothing, {}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        const LookupResult result = lookup(*dictionary_, c.key);
        EXPECT_EQ(result.matchedBy, c.matchedBy);
        EXPECT_EQ(names(result), c.names);
        EXPECT_EQ(result.elementIgnoringVersion, c.looser == "element");
        EXPECT_EQ(result.setIgnoringVersion, c.looser == "set");
        EXPECT_EQ(result.nameIgnoringCase, c.looser == "case");
        EXPECT_EQ(result.exact(), c.looser.empty());
        EXPECT_EQ(result.label.has_value(), c.matchedBy == MatchedBy::Label);
        EXPECT_EQ(result.localTag.has_value(), c.matchedBy == MatchedBy::LocalTag);
    }
}

TEST_F(Lookup, SetsHoldingAnElementInOrderOfAddition) {
    auto setNames = [](const MetaElement& element) {
        std::vector<std::string> names;
        for (const MetaMetadataSet* set : Palimo::Query::setsHolding(*dictionary_, element))
            names.push_back(*Palimo::Query::tagName(*set));
        return names;
    };
    EXPECT_EQ(setNames(element(kTrackID)), (std::vector<std::string>{"Clip", "Marker"}));
    // By label: the member's element was hidden by a later one with the label.
    EXPECT_EQ(setNames(element(kTrackName)), std::vector<std::string>{"Clip"});
}

} // namespace
