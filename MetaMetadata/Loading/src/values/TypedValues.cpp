#include "values/TypedValues.h"

#include "ErrorReporting.h"

#include <Palimo/Types/BaseType.h>
#include <Palimo/Utils/StringConversion.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <type_traits>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

namespace {

namespace Id = Types::Identifiers;

using ValuePtr = auto_ptr<Types::BaseType>;

// White space as a stream in the classic locale skips it.
bool isSpace(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

std::size_t skipSpace(const WString& text, std::size_t i = 0) {
    while (i < text.size() && isSpace(text[i]))
        ++i;
    return i;
}

struct Decimal {
    bool negative;
    std::uint64_t magnitude;
};

// The number a formatted integer extraction reads: leading white space, an
// optional sign, then decimal digits up to the first character that cannot
// continue them. Nothing when there is no digit or the digits exceed 64 bits.
std::optional<Decimal> readDecimal(const WString& text) {
    std::size_t i = skipSpace(text);
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i >= text.size() || !isDigit(text[i]))
        return std::nullopt;
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t magnitude = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        const std::uint64_t digit = static_cast<std::uint64_t>(text[i] - u'0');
        if (magnitude > (kMax - digit) / 10)
            return std::nullopt;
        magnitude = magnitude * 10 + digit;
    }
    return Decimal{negative, magnitude};
}

// Signed extraction of type T: nothing when the number is outside T's range.
template <class T>
std::optional<T> extractSigned(const WString& text) {
    static_assert(std::is_signed_v<T>);
    const std::optional<Decimal> d = readDecimal(text);
    if (!d)
        return std::nullopt;
    constexpr std::uint64_t kMaxPositive =
        static_cast<std::uint64_t>(std::numeric_limits<T>::max());
    if (!d->negative)
        return d->magnitude <= kMaxPositive ? std::optional<T>(static_cast<T>(d->magnitude))
                                            : std::nullopt;
    if (d->magnitude > kMaxPositive + 1)
        return std::nullopt;
    if (d->magnitude == kMaxPositive + 1)
        return std::numeric_limits<T>::min();
    return static_cast<T>(-static_cast<T>(d->magnitude));
}

// Unsigned extraction of type T: a minus sign negates the number modulo 2 to
// the power of T's width, as the standard extraction does; the magnitude must
// fit in T.
template <class T>
std::optional<T> extractUnsigned(const WString& text) {
    static_assert(std::is_unsigned_v<T>);
    const std::optional<Decimal> d = readDecimal(text);
    if (!d || d->magnitude > std::numeric_limits<T>::max())
        return std::nullopt;
    const T magnitude = static_cast<T>(d->magnitude);
    return d->negative ? static_cast<T>(T(0) - magnitude) : magnitude;
}

// The low bits of `value` as the narrower type T, two's complement for
// signed T (written out so as not to rely on implementation-defined casts).
template <class T, class Wide>
T lowBits(Wide value) {
    using U = std::make_unsigned_t<T>;
    const U bits = static_cast<U>(static_cast<std::make_unsigned_t<Wide>>(value));
    if constexpr (std::is_signed_v<T>) {
        if (bits > static_cast<U>(std::numeric_limits<T>::max()))
            return static_cast<T>(static_cast<std::int64_t>(bits) -
                                  (std::int64_t(1) << std::numeric_limits<U>::digits));
    }
    return static_cast<T>(bits);
}

template <class Value, class T>
ValuePtr makeValue(const std::optional<T>& extracted) {
    if (!extracted)
        return ValuePtr();
    return ValuePtr(new Value(*extracted));
}

template <class Value, class T, class Wide>
ValuePtr makeCutValue(const std::optional<Wide>& extracted) {
    if (!extracted)
        return ValuePtr();
    return ValuePtr(new Value(lowBits<T>(*extracted)));
}

// First character of the first white-space-delimited word; 0 without a word.
char16_t firstWordCharacter(const WString& text) {
    const std::size_t i = skipSpace(text);
    return i < text.size() ? text[i] : char16_t(0);
}

template <class C>
auto_ptr<C> parseCollection(const WString& text, Identifier subType) {
    const std::vector<WString> items = splitCollectionText(text);
    auto_ptr<C> collection(new C(collectionSizeArgument(subType)));
    // Collections hold simple values only: items of a collection sub type
    // would be collections themselves, so they are left out like items that
    // give no value.
    if (subType == Id::Array || subType == Id::Batch)
        return collection;
    for (const WString& item : items) {
        ValuePtr value = parseTypedValue(subType, Id::NoIdentifier, item);
        if (value)
            collection->append(std::move(value));
    }
    return collection;
}

std::optional<std::int32_t> rationalPart(const WString& item) {
    const ValuePtr value = parseTypedValue(Id::Int32, Id::NoIdentifier, item);
    const auto* integer = dynamic_cast<const Types::Int32*>(value.get());
    if (!integer)
        return std::nullopt;
    return integer->value();
}

} // namespace

auto_ptr<Types::BaseType> parseTypedValue(Identifier type, Identifier subType,
                                          const WString& text) {
    switch (type) {
    case Id::Array:
        return parseArray(text, subType);
    case Id::Batch:
        return parseBatch(text, subType);
    case Id::Boolean:
        return ValuePtr(new Types::Boolean(text != u"0"));
    case Id::Int8:
        return makeCutValue<Types::Int8, std::int8_t>(extractSigned<std::int32_t>(text));
    case Id::Int16:
        return makeCutValue<Types::Int16, std::int16_t>(extractSigned<std::int32_t>(text));
    case Id::Int32:
        return makeValue<Types::Int32>(extractSigned<std::int32_t>(text));
    case Id::Int64:
        return makeValue<Types::Int64>(extractSigned<std::int64_t>(text));
    case Id::Length:
        return makeValue<Types::Length>(extractSigned<std::int64_t>(text));
    case Id::Position:
        return makeValue<Types::Position>(extractSigned<std::int64_t>(text));
    case Id::UInt8:
        return makeCutValue<Types::UInt8, std::uint8_t>(extractUnsigned<std::uint32_t>(text));
    case Id::UInt16:
        return makeCutValue<Types::UInt16, std::uint16_t>(extractUnsigned<std::uint32_t>(text));
    case Id::UInt32:
        return makeValue<Types::UInt32>(extractUnsigned<std::uint32_t>(text));
    case Id::UInt64:
        return makeValue<Types::UInt64>(extractUnsigned<std::uint64_t>(text));
    case Id::ISO7String:
        return ValuePtr(new Types::ISO7String(Utils::wstringToString(text).c_str()));
    case Id::Rational:
        return parseRational(text);
    case Id::UMID32:
        refuseOverlongText("UMID32", text, __FILE__, __LINE__);
        return ValuePtr(new Types::UMID32(text.c_str(), kDottedHex));
    case Id::UMID64:
        refuseOverlongText("UMID64", text, __FILE__, __LINE__);
        return ValuePtr(new Types::UMID64(text.c_str(), kDottedHex));
    case Id::UniversalLabel:
        refuseOverlongText("universal label", text, __FILE__, __LINE__);
        return ValuePtr(new Types::UniversalLabel(text.c_str(), kDottedHex));
    case Id::UTF16:
        return ValuePtr(new Types::UTF16(firstWordCharacter(text)));
    case Id::UTF16String:
        return ValuePtr(new Types::UTF16String(text.c_str()));
    case Id::UUID:
        refuseOverlongText("UUID", text, __FILE__, __LINE__);
        return ValuePtr(new Types::UUID(text.c_str(), kDottedHex));
    default:
        return ValuePtr();
    }
}

auto_ptr<Types::Array> parseArray(const WString& text, Identifier subType) {
    return parseCollection<Types::Array>(text, subType);
}

auto_ptr<Types::Batch> parseBatch(const WString& text, Identifier subType) {
    return parseCollection<Types::Batch>(text, subType);
}

auto_ptr<Types::Rational> parseRational(const WString& text) {
    const std::vector<WString> items = splitCollectionText(text);
    if (items.size() < 2)
        return auto_ptr<Types::Rational>();
    const std::optional<std::int32_t> numerator = rationalPart(items[0]);
    const std::optional<std::int32_t> denominator = rationalPart(items[1]);
    if (!numerator || !denominator)
        return auto_ptr<Types::Rational>();
    return auto_ptr<Types::Rational>(new Types::Rational(*numerator, *denominator));
}

std::vector<WString> splitCollectionText(const WString& text) {
    std::vector<WString> items;
    const std::size_t n = text.size();
    if (n < 4 || text.front() != u'{' || text.back() != u'}')
        return items;
    const std::size_t closing = n - 1;
    std::size_t start = 1;
    for (std::size_t i = 1; i < closing; ++i) {
        if (text[i] == u',') {
            items.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    // A comma just before the closing brace starts no item.
    if (start < closing)
        items.push_back(text.substr(start, closing - start));
    return items;
}

int collectionSizeArgument(Identifier subType) {
    switch (subType) {
    case Id::Boolean:
        return 1;
    case Id::Int8:
    case Id::Int16:
    case Id::Int32:
    case Id::UInt8:
    case Id::UInt16:
    case Id::UInt32:
        return 4;
    case Id::Int64:
    case Id::Length:
    case Id::Position:
    case Id::UInt64:
        return 8;
    case Id::UTF16:
        return 2;
    default:
        return 0;
    }
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
