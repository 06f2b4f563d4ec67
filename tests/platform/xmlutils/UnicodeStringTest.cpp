#include <Palimo/XMLUtils/UnicodeString.h>

#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

using Palimo::WString;
using Palimo::XMLUtils::UnicodeString;
using Palimo::XMLUtils::utf16ToWstring;
using PalimoTest::W;

TEST(UnicodeString, NullGivesTheEmptyNulTerminatedText) {
    const UnicodeString fromUtf16(static_cast<const XMLCh*>(nullptr));
    const UnicodeString fromUtf8(static_cast<const char*>(nullptr));
    for (const UnicodeString* s : {&fromUtf16, &fromUtf8}) {
        ASSERT_NE(s->utf16(), nullptr);
        EXPECT_EQ(s->utf16()[0], u'\0');
        EXPECT_TRUE(s->str().empty());
    }
}

TEST(UnicodeString, KeepsItsOwnCopyOfUtf16Text) {
    XMLCh buffer[] = u"ff:Ref";
    const UnicodeString copy(buffer);
    buffer[0] = u'x';
    EXPECT_EQ(copy.str(), WString(u"ff:Ref"));
    EXPECT_EQ(copy.utf16()[6], u'\0');
}

TEST(UnicodeString, DecodesUtf8IncludingSurrogatePairs) {
    const UnicodeString text("Gr\xC3\xBC\xC3\x9F"
                             "e \xF0\x9F\x8E\xAC");
    EXPECT_EQ(text.str(), WString(u"Grüße \U0001F3AC"));
}

TEST(Utf16ToWstring, ReplacesTheTargetAndNullClearsIt) {
    WString target = W("previous text");
    utf16ToWstring(u"xs:schema", target);
    EXPECT_EQ(target, WString(u"xs:schema"));
    utf16ToWstring(nullptr, target);
    EXPECT_TRUE(target.empty());
}

} // namespace
