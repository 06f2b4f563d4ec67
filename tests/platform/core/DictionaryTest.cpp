#include <Palimo/Exceptions/CoreExceptions.h>
#include <Palimo/MetaMetadata/Dictionary.h>

#include "support/TestSupport.h"

using namespace Palimo::MetaMetadata;
using namespace Palimo::Types;
using Palimo::KLV::Key;
using Palimo::Templates::auto_ptr;
using PalimoTest::W;

namespace {

std::array<std::uint8_t, 16> bytes(std::uint8_t version, std::uint8_t last) {
    return {0x06, 0x0e, 0x2b, 0x34, 0x01, 0x01, 0x01, version,
            0x06, 0x01, 0x01, 0x04, 0x06, 0x10, 0x00, last};
}
UniversalLabel label(std::uint8_t version, std::uint8_t last = 0) {
    return UniversalLabel(bytes(version, last));
}
Key key(std::uint8_t version, std::uint8_t last = 0) {
    return Key(bytes(version, last));
}
auto_ptr<MetaElement> element(const UniversalLabel& l, Identifier type = Identifiers::UInt8) {
    return auto_ptr<MetaElement>(new MetaSimpleElement(l, type));
}

} // namespace

TEST(Dictionary, ElementsWithTheSameLabelAllStayAlive) {
    Dictionary dictionary;
    auto first = element(label(1));
    const MetaElement* firstPtr = first.get();
    dictionary.addMetaElement(label(1), std::move(first));
    dictionary.addMetaElement(label(2), element(label(2)));
    dictionary.addMetaElement(label(1), element(label(1), Identifiers::UInt16));

    EXPECT_EQ(dictionary.metaElementCount(), 3u);
    EXPECT_EQ(dictionary.metaElements().front(), firstPtr);
    EXPECT_EQ(firstPtr->dataType(), Identifiers::UInt8); // still readable
    EXPECT_EQ(dictionary.findMetaElement(label(1))->dataType(), Identifiers::UInt16);
    EXPECT_EQ(dictionary.findMetaElement(label(1)), dictionary.metaElements()[2]);
    EXPECT_EQ(dictionary.findMetaElement(label(3)), nullptr);
    EXPECT_THROWS_EXACTLY(Palimo::Exceptions::InvalidArgument,
                          dictionary.addMetaElement(label(4), nullptr),
                          "A null meta element cannot be added under the label " + label(4).text());
}

TEST(Dictionary, ReplacedLocalTagsStayValidAndTagsLeadToTheirCurrentLabel) {
    Dictionary dictionary;
    dictionary.addLocalTag(LocalTag(0x3c0a), label(1));
    const LocalTag* old = dictionary.findLocalTag(label(1));
    ASSERT_NE(old, nullptr);
    for (int i = 0; i < 100; ++i) // enough to move any growing storage
        dictionary.addLocalTag(LocalTag(static_cast<std::uint16_t>(0x8000 + i)), label(2, i));
    dictionary.addLocalTag(LocalTag(0x3c0b), label(1));

    EXPECT_EQ(old->value(), 0x3c0a);
    EXPECT_EQ(dictionary.findLocalTag(label(1))->value(), 0x3c0b);
    EXPECT_EQ(*dictionary.findLabelByLocalTag(LocalTag(0x3c0b)), label(1));
    EXPECT_EQ(dictionary.findLabelByLocalTag(LocalTag(0x3c0a)), nullptr);
    EXPECT_EQ(*dictionary.findLabelByLocalTag(LocalTag(0x8005)), label(2, 5));

    // A tag taken over by another label leads to the new label only.
    dictionary.addLocalTag(LocalTag(0x3c0b), label(3));
    EXPECT_EQ(*dictionary.findLabelByLocalTag(LocalTag(0x3c0b)), label(3));
    dictionary.addLocalTag(LocalTag(0x3c0c), label(1));
    EXPECT_EQ(*dictionary.findLabelByLocalTag(LocalTag(0x3c0b)), label(3));
}

TEST(Dictionary, SetUnderAKnownKeyIsReplacedInPlace) {
    Dictionary dictionary;
    MetaMetadataSet first(key(1));
    first.addProperty(W("name"), W("first"));
    dictionary.addMetaMetadataSet(key(1), first);
    dictionary.addMetaMetadataSet(key(2), MetaMetadataSet(key(2)));
    const MetaMetadataSet* stored = dictionary.findMetaMetadataSet(key(1));

    MetaMetadataSet second(key(1));
    second.addProperty(W("name"), W("second"));
    dictionary.addMetaElement(label(9), element(label(9)));
    second.addMetaAttribute(
        MetaAttributePtr(new MetaAttribute(*dictionary.findMetaElement(label(9)),
                                           AttributeRequiredStatus::Required, nullptr, nullptr)));
    dictionary.addMetaMetadataSet(key(1), second);

    EXPECT_EQ(dictionary.metaMetadataSetCount(), 2u);
    EXPECT_EQ(dictionary.findMetaMetadataSet(key(1)), stored);
    EXPECT_EQ(dictionary.metaMetadataSets().front(), stored);
    EXPECT_EQ(stored->getProperty(W("name")), W("second"));
    ASSERT_EQ(stored->attributes().size(), 1u);
    EXPECT_EQ(stored->attributes()[0].get(), second.attributes()[0].get()); // shared, not copied
    EXPECT_EQ(second.attributes()[0].useCount(), 2);
}

TEST(Dictionary, VersionByteLookupsPreferExactMatches) {
    Dictionary dictionary;
    dictionary.addMetaElement(label(1), element(label(1), Identifiers::UInt8));
    dictionary.addMetaElement(label(2), element(label(2), Identifiers::UInt16));
    dictionary.addMetaElement(label(2, 1), element(label(2, 1), Identifiers::UInt32));
    dictionary.addMetaMetadataSet(key(3), MetaMetadataSet(key(3)));

    bool exact = false;
    EXPECT_EQ(dictionary.findMetaElementIgnoringVersion(label(1), &exact)->dataType(),
              Identifiers::UInt8);
    EXPECT_TRUE(exact);
    const MetaElement* other = dictionary.findMetaElementIgnoringVersion(label(9), &exact);
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->universalLabel(), label(2)); // the highest version
    EXPECT_FALSE(exact);
    EXPECT_EQ(dictionary.findMetaElementIgnoringVersion(label(9, 1))->dataType(),
              Identifiers::UInt32);
    EXPECT_EQ(dictionary.findMetaElementIgnoringVersion(label(9, 2), &exact), nullptr);
    EXPECT_FALSE(exact);

    EXPECT_EQ(dictionary.findMetaMetadataSetIgnoringVersion(key(0xff), &exact)->key(), key(3));
    EXPECT_FALSE(exact);
    EXPECT_EQ(dictionary.findMetaMetadataSetIgnoringVersion(key(3, 1)), nullptr);
    // A difference outside the version byte never matches.
    auto differentByte6 = bytes(3, 0);
    differentByte6[6] = 0x02;
    EXPECT_EQ(dictionary.findMetaMetadataSetIgnoringVersion(Key(differentByte6)), nullptr);
}
