// Scalar values: Boolean, text, rational and the integer subclasses.
#include <Palimo/Types/BaseType.h>

#include <Palimo/Utils/StringConversion.h>

namespace Palimo {
namespace Types {

Templates::auto_ptr<BaseType> Length::clone() const {
    return Templates::auto_ptr<BaseType>(new Length(value_));
}

Templates::auto_ptr<BaseType> Position::clone() const {
    return Templates::auto_ptr<BaseType>(new Position(value_));
}

std::string Boolean::text() const {
    return value_ ? "true" : "false";
}

bool Boolean::equals(const BaseType& o) const {
    return o.identifier() == identifier() && static_cast<const Boolean&>(o).value_ == value_;
}

Templates::auto_ptr<BaseType> Boolean::clone() const {
    return Templates::auto_ptr<BaseType>(new Boolean(value_));
}

std::string UTF16::text() const {
    return Utils::wstringToString(WString(1, value_));
}

bool UTF16::equals(const BaseType& o) const {
    return o.identifier() == identifier() && static_cast<const UTF16&>(o).value_ == value_;
}

Templates::auto_ptr<BaseType> UTF16::clone() const {
    return Templates::auto_ptr<BaseType>(new UTF16(value_));
}

UTF16String::UTF16String(const char16_t* value) : value_(value ? WString(value) : WString()) {}

std::string UTF16String::text() const {
    return Utils::wstringToString(value_);
}

bool UTF16String::equals(const BaseType& o) const {
    return o.identifier() == identifier() && static_cast<const UTF16String&>(o).value_ == value_;
}

Templates::auto_ptr<BaseType> UTF16String::clone() const {
    return Templates::auto_ptr<BaseType>(new UTF16String(value_.c_str()));
}

ISO7String::ISO7String(const char* value) : value_(value ? value : "") {}

bool ISO7String::equals(const BaseType& o) const {
    return o.identifier() == identifier() && static_cast<const ISO7String&>(o).value_ == value_;
}

Templates::auto_ptr<BaseType> ISO7String::clone() const {
    return Templates::auto_ptr<BaseType>(new ISO7String(value_.c_str()));
}

std::string Rational::text() const {
    return std::to_string(numerator_) + "/" + std::to_string(denominator_);
}

bool Rational::equals(const BaseType& o) const {
    if (o.identifier() != identifier())
        return false;
    const auto& r = static_cast<const Rational&>(o);
    return r.numerator_ == numerator_ && r.denominator_ == denominator_;
}

Templates::auto_ptr<BaseType> Rational::clone() const {
    return Templates::auto_ptr<BaseType>(new Rational(numerator_, denominator_));
}

} // namespace Types
} // namespace Palimo
