#pragma once
// Typed values: defaults of set members and the items of collections.
#include <Palimo/Platform/Allocator.h>
#include <Palimo/Templates/AutoPtr.h>
#include <Palimo/Templates/String.h>
#include <Palimo/Types/Identifiers.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace Palimo {
namespace Types {

class Visitable {
public:
    virtual ~Visitable() = default;
};

class BaseType : public Visitable {
public:
    PALIMO_CLASS_ALLOCATION
    /// The identifier of the value's class (Int8, Length, Array, ...).
    virtual Identifier identifier() const = 0;
    /// A readable UTF-8 text form for dumps: numbers in decimal, Booleans as
    /// "true"/"false", labels dotted, collections as "{a,b}", rationals "n/d".
    virtual std::string text() const = 0;
    /// Same class and same value.
    virtual bool equals(const BaseType& other) const = 0;
    virtual Templates::auto_ptr<BaseType> clone() const = 0;
};

inline bool operator==(const BaseType& a, const BaseType& b) {
    return a.equals(b);
}
inline bool operator!=(const BaseType& a, const BaseType& b) {
    return !a.equals(b);
}

class SimpleDataType : public BaseType {};

/// Integer values; T is the value's own width.
template <class T, Identifier Id>
class IntegerValue : public SimpleDataType {
public:
    explicit IntegerValue(T value) : value_(value) {}
    T value() const { return value_; }
    Identifier identifier() const override { return Id; }
    std::string text() const override { return std::to_string(value_); }
    bool equals(const BaseType& o) const override {
        return o.identifier() == identifier() &&
               static_cast<const IntegerValue&>(o).value_ == value_;
    }

protected:
    T value_;
};

#define PALIMO_INTEGER_CLASS(Name, Type)                                                           \
    class Name : public IntegerValue<Type, Identifiers::Name> {                                    \
    public:                                                                                        \
        using IntegerValue::IntegerValue;                                                          \
        Templates::auto_ptr<BaseType> clone() const override {                                     \
            return Templates::auto_ptr<BaseType>(new Name(value_));                                \
        }                                                                                          \
    };
PALIMO_INTEGER_CLASS(Int8, std::int8_t)
PALIMO_INTEGER_CLASS(Int16, std::int16_t)
PALIMO_INTEGER_CLASS(Int32, std::int32_t)
PALIMO_INTEGER_CLASS(Int64, std::int64_t)
PALIMO_INTEGER_CLASS(UInt8, std::uint8_t)
PALIMO_INTEGER_CLASS(UInt16, std::uint16_t)
PALIMO_INTEGER_CLASS(UInt32, std::uint32_t)
PALIMO_INTEGER_CLASS(UInt64, std::uint64_t)
#undef PALIMO_INTEGER_CLASS

/// A length in bytes or edit units.
class Length : public Int64 {
public:
    explicit Length(const std::int64_t& value) : Int64(value) {}
    Identifier identifier() const override { return Identifiers::Length; }
    Templates::auto_ptr<BaseType> clone() const override;
};

/// A position in edit units.
class Position : public Int64 {
public:
    explicit Position(const std::int64_t& value) : Int64(value) {}
    Identifier identifier() const override { return Identifiers::Position; }
    Templates::auto_ptr<BaseType> clone() const override;
};

class Boolean : public SimpleDataType {
public:
    explicit Boolean(bool value) : value_(value) {}
    bool value() const { return value_; }
    Identifier identifier() const override { return Identifiers::Boolean; }
    std::string text() const override;
    bool equals(const BaseType& o) const override;
    Templates::auto_ptr<BaseType> clone() const override;

private:
    bool value_;
};

/// One UTF-16 code unit.
class UTF16 : public SimpleDataType {
public:
    explicit UTF16(char16_t value) : value_(value) {}
    char16_t value() const { return value_; }
    Identifier identifier() const override { return Identifiers::UTF16; }
    std::string text() const override;
    bool equals(const BaseType& o) const override;
    Templates::auto_ptr<BaseType> clone() const override;

private:
    char16_t value_;
};

class UTF16String : public SimpleDataType {
public:
    /// Null gives the empty string.
    explicit UTF16String(const char16_t* value);
    const WString& value() const { return value_; }
    Identifier identifier() const override { return Identifiers::UTF16String; }
    std::string text() const override;
    bool equals(const BaseType& o) const override;
    Templates::auto_ptr<BaseType> clone() const override;

private:
    WString value_;
};

/// 7-bit text, kept as given.
class ISO7String : public SimpleDataType {
public:
    /// Null gives the empty string.
    explicit ISO7String(const char* value);
    const std::string& value() const { return value_; }
    Identifier identifier() const override { return Identifiers::ISO7String; }
    std::string text() const override { return value_; }
    bool equals(const BaseType& o) const override;
    Templates::auto_ptr<BaseType> clone() const override;

private:
    std::string value_;
};

class Rational : public SimpleDataType {
public:
    Rational(std::int32_t numerator, std::int32_t denominator)
        : numerator_(numerator), denominator_(denominator) {}
    std::int32_t numerator() const { return numerator_; }
    std::int32_t denominator() const { return denominator_; }
    Identifier identifier() const override { return Identifiers::Rational; }
    std::string text() const override; // "30000/1001"
    bool equals(const BaseType& o) const override;
    Templates::auto_ptr<BaseType> clone() const override;

private:
    std::int32_t numerator_;
    std::int32_t denominator_;
};

/// A fixed-size byte identifier.
class UID : public SimpleDataType {
public:
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::string text() const override; // dotted lower-case hex
    bool equals(const BaseType& o) const override;

protected:
    explicit UID(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
    std::vector<std::uint8_t> bytes_;
};

/// A 16-byte SMPTE universal label.
class UniversalLabel : public UID {
public:
    /// Exactly 16 bytes as two hex digits each (either case) separated by single
    /// '.' characters (47 characters). Throws InvalidStringRepresentation otherwise.
    UniversalLabel(const char16_t* text, StringRepresentationEncodingType encoding);
    explicit UniversalLabel(const std::array<std::uint8_t, 16>& bytes);
    /// Lower-case dotted hex, accepted back by this class and by KLV::Key.
    WString toString(StringRepresentationEncodingType encoding) const;
    Identifier identifier() const override { return Identifiers::UniversalLabel; }
    Templates::auto_ptr<BaseType> clone() const override;
    std::array<std::uint8_t, 16> array() const;

    bool operator==(const UniversalLabel& o) const { return bytes_ == o.bytes_; }
    bool operator!=(const UniversalLabel& o) const { return bytes_ != o.bytes_; }
    bool operator<(const UniversalLabel& o) const { return bytes_ < o.bytes_; }
};

/// A 16-byte UUID: 8-4-4-4-12 hex digits with hyphens, optionally prefixed by
/// "urn:uuid:", or 16 dotted bytes. Text form: 8-4-4-4-12 lower case.
class UUID : public UID {
public:
    UUID(const char16_t* text, StringRepresentationEncodingType encoding);
    Identifier identifier() const override { return Identifiers::UUID; }
    std::string text() const override;
    Templates::auto_ptr<BaseType> clone() const override;
};

/// A 32-byte basic UMID: 32 dotted bytes or 64 plain hex digits.
class UMID32 : public UID {
public:
    UMID32(const char16_t* text, StringRepresentationEncodingType encoding);
    Identifier identifier() const override { return Identifiers::UMID32; }
    Templates::auto_ptr<BaseType> clone() const override;
};

/// A 64-byte extended UMID: 64 dotted bytes or 128 plain hex digits.
class UMID64 : public UID {
public:
    UMID64(const char16_t* text, StringRepresentationEncodingType encoding);
    Identifier identifier() const override { return Identifiers::UMID64; }
    Templates::auto_ptr<BaseType> clone() const override;
};

/// An ordered collection of simple values; it owns its items.
class Collection : public BaseType {
public:
    /// The size argument is the fixed byte size of one item (0: variable).
    int sizeArgument() const { return sizeArgument_; }
    /// Takes ownership. Throws Exceptions::InvalidArgument for a null item or an
    /// item that is not a SimpleDataType (collections do not nest).
    void append(Templates::auto_ptr<BaseType> item);
    std::size_t size() const { return items_.size(); }
    const SimpleDataType& item(std::size_t i) const { return *items_.at(i); }
    std::string text() const override; // "{a,b}"
    bool equals(const BaseType& o) const override;

protected:
    explicit Collection(int sizeArgument) : sizeArgument_(sizeArgument) {}
    Collection(const Collection& o);
    int sizeArgument_;
    std::vector<Templates::auto_ptr<SimpleDataType>> items_;
};

class Array : public Collection {
public:
    explicit Array(int sizeArgument) : Collection(sizeArgument) {}
    Identifier identifier() const override { return Identifiers::Array; }
    Templates::auto_ptr<BaseType> clone() const override;
};

class Batch : public Collection {
public:
    explicit Batch(int sizeArgument) : Collection(sizeArgument) {}
    Identifier identifier() const override { return Identifiers::Batch; }
    Templates::auto_ptr<BaseType> clone() const override;
};

} // namespace Types
} // namespace Palimo
