#include <Palimo/XMLUtils/UnicodeString.h>

#include "support/TestSupport.h"

namespace {

using Palimo::WString;
using Palimo::XMLUtils::UnicodeString;
using Palimo::XMLUtils::utf16ToWstring;

// The loader builds names and paths from DOM text (UTF-16) and from paths
// (UTF-8); a null pointer stands for absent text.
TEST(UnicodeString, CopiesUtf16AndDecodesUtf8AndNullIsEmpty) {
    XMLCh buffer[] = u"ff:Ref";
    const UnicodeString copy(buffer);
    buffer[0] = u'x';
    EXPECT_EQ(copy.str(), WString(u"ff:Ref"));
    EXPECT_EQ(copy.utf16()[6], u'\0');
    EXPECT_EQ(UnicodeString("Gr\xC3\xBC\xC3\x9F"
                            "e \xF0\x9F\x8E\xAC")
                  .str(),
              WString(u"Grüße \U0001F3AC"));
    const UnicodeString fromUtf16(static_cast<const XMLCh*>(nullptr));
    const UnicodeString fromUtf8(static_cast<const char*>(nullptr));
    for (const UnicodeString* s : {&fromUtf16, &fromUtf8}) {
        ASSERT_NE(s->utf16(), nullptr);
        EXPECT_EQ(s->utf16()[0], u'\0');
        EXPECT_TRUE(s->str().empty());
    }
}

TEST(Utf16ToWstring, ReplacesTheTargetAndNullClearsIt) {
    WString target = PalimoTest::W("previous text");
    utf16ToWstring(u"xs:schema", target);
    EXPECT_EQ(target, WString(u"xs:schema"));
    utf16ToWstring(nullptr, target);
    EXPECT_TRUE(target.empty());
}

} // namespace
