#include <Palimo/Exceptions/BaseException.h>
#include <Palimo/Exceptions/ErrorCodes.h>

#include <Palimo/Utils/StringConversion.h>

namespace Palimo {
namespace Exceptions {

BaseException::BaseException(const char16_t* message, const char* file, int line)
    : BaseException(message ? WString(message) : WString(), file, line) {}

BaseException::BaseException(const WString& message, const char* file, int line)
    : message_(message), narrow_(Utils::wstringToString(message)), file_(file ? file : ""),
      line_(line) {}

BaseException::BaseException(const std::string& message, const char* file, int line)
    : BaseException(Utils::stringToWstring(message), file, line) {}

BaseException::~BaseException() = default;

const WString& BaseException::message() const {
    return message_;
}

const char* BaseException::what() const noexcept {
    return narrow_.c_str();
}

int BaseException::exceptionCode() const {
    return codeOf(ErrorCode::Unclassified);
}

} // namespace Exceptions
} // namespace Palimo
