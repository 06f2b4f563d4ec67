#pragma once
// Root of every exception that the Palimo libraries throw. Exceptions are
// thrown by value and caught by reference.
#include <Palimo/Templates/String.h>

#include <string>

namespace Palimo {
namespace Exceptions {

class BaseException {
public:
    /// UTF-16 message (null gives an empty message), source file and line.
    BaseException(const char16_t* message, const char* file, int line);
    BaseException(const WString& message, const char* file, int line);
    /// Narrow (UTF-8) message, widened.
    BaseException(const std::string& message, const char* file, int line);
    BaseException(const BaseException&) = default;
    BaseException& operator=(const BaseException&) = default;
    virtual ~BaseException();

    /// The message as UTF-16 text.
    virtual const WString& message() const;
    /// The message as UTF-8 text; valid as long as the exception.
    virtual const char* what() const noexcept;
    /// A number that identifies the exception class.
    virtual int exceptionCode() const;

    const std::string& file() const { return file_; }
    int line() const { return line_; }

private:
    WString message_;
    std::string narrow_;
    std::string file_;
    int line_;
};

} // namespace Exceptions
} // namespace Palimo
