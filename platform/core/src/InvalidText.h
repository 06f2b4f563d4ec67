#pragma once
// Shared by the constructors that read labels, keys, tags, UUIDs and UMIDs.
#include <Palimo/Exceptions/CoreExceptions.h>
#include <Palimo/Types/Identifiers.h>

#include <string>

namespace Palimo {
namespace Types {
namespace detail {

/// Throws InvalidStringRepresentation with `Invalid <what> text: "<text>"`;
/// the text is quoted as given (null as empty).
[[noreturn]] inline void throwInvalidText(const char* what, const char16_t* text, const char* file,
                                          int line) {
    WString message;
    for (const char* p = "Invalid "; *p; ++p)
        message.push_back(static_cast<char16_t>(*p));
    for (const char* p = what; *p; ++p)
        message.push_back(static_cast<char16_t>(*p));
    for (const char* p = " text: \""; *p; ++p)
        message.push_back(static_cast<char16_t>(*p));
    if (text)
        message += text;
    message.push_back(u'"');
    throw Exceptions::InvalidStringRepresentation(message, file, line);
}

/// Refuses any notation but dotted hex, the only one the library reads.
inline void requireDottedHex(StringRepresentationEncodingType encoding, const char* file,
                             int line) {
    if (encoding != DottedHex)
        throw Exceptions::InvalidStringRepresentation(
            "Unsupported string representation encoding: " +
                std::to_string(static_cast<int>(encoding)),
            file, line);
}

} // namespace detail
} // namespace Types
} // namespace Palimo
