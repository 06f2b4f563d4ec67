#include <Palimo/XMLUtils/UnicodeString.h>

#include <Palimo/Utils/StringConversion.h>

namespace Palimo {
namespace XMLUtils {

namespace {
WString copyUtf16(const XMLCh* text) {
    return text ? WString(reinterpret_cast<const char16_t*>(text)) : WString();
}
} // namespace

UnicodeString::UnicodeString(const XMLCh* text) : text_(copyUtf16(text)) {}

UnicodeString::UnicodeString(const char* utf8) : text_(Utils::stringToWstring(utf8)) {}

UnicodeString::UnicodeString(const WString& text) : text_(text) {}

void utf16ToWstring(const XMLCh* text, WString& target) {
    if (text)
        target.assign(reinterpret_cast<const char16_t*>(text));
    else
        target.clear();
}

} // namespace XMLUtils
} // namespace Palimo
