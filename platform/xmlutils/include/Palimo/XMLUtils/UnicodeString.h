#pragma once
#include <Palimo/Templates/String.h>

#include <xercesc/util/XercesDefs.hpp>

#include <string>

namespace Palimo {
namespace XMLUtils {

static_assert(sizeof(XMLCh) == sizeof(char16_t), "XMLCh must be a 16-bit unit");

/// An owning UTF-16 copy of a text whose NUL-terminated buffer lives as long
/// as the object.
class UnicodeString {
public:
    /// Copies UTF-16 text; null gives the empty text.
    explicit UnicodeString(const XMLCh* text);
    /// Converts UTF-8 text; null gives the empty text.
    explicit UnicodeString(const char* utf8);
    explicit UnicodeString(const WString& text);

    const XMLCh* utf16() const { return reinterpret_cast<const XMLCh*>(text_.c_str()); }
    const WString& str() const { return text_; }

private:
    WString text_;
};

/// Replaces `target` with a copy of the UTF-16 `text` (null gives empty).
void utf16ToWstring(const XMLCh* text, WString& target);

/// The text as a library wide string, ready to pass to Xerces.
inline const XMLCh* xmlText(const WString& s) {
    return reinterpret_cast<const XMLCh*>(s.c_str());
}

} // namespace XMLUtils
} // namespace Palimo
