#include <Palimo/Utils/StringConversion.h>

#include <gtest/gtest.h>

using Palimo::WString;
using Palimo::Utils::stringToWstring;
using Palimo::Utils::wstringToString;

TEST(StringConversion, ValidTextRoundTripsIncludingSurrogatePairs) {
    const std::string samples[] = {"",
                                   "ascii",
                                   "Gr\xC3\xBC\xC3\x9F"
                                   "e",
                                   "\xE2\x82\xAC 100",
                                   "\xF0\x9F\x8E\xA5 clip",
                                   "\xF4\x8F\xBF\xBF",
                                   "\xEF\xBF\xBF"};
    for (const std::string& s : samples)
        EXPECT_EQ(wstringToString(stringToWstring(s)), s) << s;
    EXPECT_EQ(stringToWstring("\xF0\x9F\x8E\xA5"), WString(u"\U0001F3A5"));
    EXPECT_EQ(stringToWstring("\xF0\x9F\x8E\xA5").size(), 2u);
}

TEST(StringConversion, InvalidUtf8BecomesOneReplacementPerBadSequence) {
    struct Case {
        const char* input;
        const char16_t* expected;
    };
    const Case cases[] = {
        {"a\x80"
         "b",
         u"a\uFFFDb"},       // stray continuation byte
        {"\xC3", u"\uFFFD"}, // truncated at the end
        {"\xE2\x82"
         "x",
         u"\uFFFDx"},                                      // truncated before an ASCII byte
        {"\xC0\xAF", u"\uFFFD\uFFFD"},                     // overlong '/'
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},           // encoded surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"}, // above U+10FFFF
        {"\xFF\xFE", u"\uFFFD\uFFFD"},
        {"\xF0\x9F\x8E", u"\uFFFD"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(stringToWstring(c.input), WString(c.expected)) << c.input;
}

// Unpaired surrogates become replacement characters; null pointers give empty
// strings and an embedded NUL survives the string overloads.
TEST(StringConversion, UnpairedSurrogatesNullPointersAndEmbeddedNul) {
    const char16_t lone[] = {u'a', 0xD800, u'b', 0xDC00, 0};
    EXPECT_EQ(wstringToString(lone), "a\xEF\xBF\xBD"
                                     "b\xEF\xBF\xBD");
    const char16_t reversed[] = {0xDC00, 0xD800, 0};
    EXPECT_EQ(wstringToString(reversed), "\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_TRUE(stringToWstring(static_cast<const char*>(nullptr)).empty());
    EXPECT_TRUE(wstringToString(static_cast<const char16_t*>(nullptr)).empty());
    const std::string narrow("a\0b", 3);
    EXPECT_EQ(wstringToString(stringToWstring(narrow)), narrow);
}
