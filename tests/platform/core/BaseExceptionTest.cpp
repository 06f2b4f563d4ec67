#include <Palimo/Exceptions/CoreExceptions.h>

#include "support/TestSupport.h"

using namespace Palimo::Exceptions;

TEST(BaseException, KeepsMessageAsUtf16AndUtf8WithItsSource) {
    const BaseException wide(u"caf\u00e9 \U0001F3A5", "file.cpp", 12);
    EXPECT_STREQ(wide.what(), "caf\xC3\xA9 \xF0\x9F\x8E\xA5");
    const BaseException copy = wide;
    EXPECT_EQ(copy.message(), Palimo::WString(u"caf\u00e9 \U0001F3A5"));
    EXPECT_EQ(copy.file(), "file.cpp");
    EXPECT_EQ(copy.line(), 12);
    EXPECT_STREQ(BaseException(static_cast<const char16_t*>(nullptr), nullptr, 0).what(), "");
    EXPECT_EQ(BaseException(std::string("narrow"), "f", 1).message(), Palimo::WString(u"narrow"));
}

namespace {
int codeOf(void (*raise)()) {
    try {
        raise();
    } catch (const BaseException& e) {
        return e.exceptionCode();
    }
    return -1;
}
} // namespace

TEST(BaseException, CodesIdentifyTheClassThroughTheBase) {
    EXPECT_EQ(codeOf([] { throw BaseException(std::string("m"), "f", 1); }), 0);
    EXPECT_EQ(codeOf([] { throw InvalidStringRepresentation(std::string("m"), "f", 1); }), 40);
    EXPECT_EQ(codeOf([] { throw UnsupportedDataType(std::string("m"), "f", 1); }), 41);
    EXPECT_EQ(codeOf([] { throw InvalidArgument(std::string("m"), "f", 1); }), 42);
}
