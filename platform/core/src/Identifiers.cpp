#include <Palimo/Types/Identifiers.h>

#include <Palimo/Utils/StringConversion.h>

#include <cstring>
#include <string>

namespace Palimo {
namespace Types {
namespace Identifiers {
namespace {

// Indexed by identifier value; the empty name marks NoIdentifier.
const char* const kNames[] = {"Array",
                              "Batch",
                              "Boolean",
                              "DataValue",
                              "IndirectValue",
                              "Int16",
                              "Int32",
                              "Int64",
                              "Int8",
                              "ISO7String",
                              "KLVData",
                              "Length",
                              "Opaque",
                              "Position",
                              "ProductVersion",
                              "Rational",
                              "Timestamp",
                              "UInt16",
                              "UInt32",
                              "UInt64",
                              "UInt8",
                              "UMID32",
                              "UMID64",
                              "UniversalLabel",
                              "",
                              "UTF16",
                              "UTF16String",
                              "UUID",
                              "VersionType",
                              "StrongReference",
                              "WeakReference",
                              "Float32",
                              "Float64",
                              "UTF8String",
                              "AUID",
                              "DateStruct",
                              "TimeStruct",
                              "Stream",
                              "RGBAComponent",
                              "ColorPrimary",
                              "J2KComponentSizing"};
constexpr int kCount = static_cast<int>(sizeof(kNames) / sizeof(kNames[0]));
static_assert(kCount == LastIdentifier + 1, "one name for every identifier");

} // namespace

Identifier stringToIdentifier(const WString& name) {
    // Every name is ASCII, so compare unit by unit without converting.
    for (int i = 0; i < kCount; ++i) {
        const char* candidate = kNames[i];
        const std::size_t length = std::strlen(candidate);
        if (length == 0 || length != name.size())
            continue;
        std::size_t k = 0;
        while (k < length && name[k] == static_cast<char16_t>(candidate[k]))
            ++k;
        if (k == length)
            return static_cast<Identifier>(i);
    }
    return NoIdentifier;
}

const char* identifierToString(Identifier id) {
    const int value = static_cast<int>(id);
    if (value < 0 || value >= kCount)
        return "";
    return kNames[value];
}

} // namespace Identifiers
} // namespace Types
} // namespace Palimo
