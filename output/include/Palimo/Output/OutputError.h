#pragma once
// Failures of the writers of output forms (codes:
// Palimo/Exceptions/ErrorCodes.h).
#include <Palimo/Exceptions/BaseException.h>
#include <Palimo/Exceptions/ErrorCodes.h>

namespace Palimo {
namespace Output {

/// A call that would make the XML ill-formed: a name that is no XML name, a
/// namespace not declared on the root, an attribute after content or twice,
/// a second root, an end without a start, finishing with elements open. The
/// message names the call and the name concerned.
class XmlWriterError : public Exceptions::BaseException {
public:
    using Exceptions::BaseException::BaseException;
    int exceptionCode() const override {
        return Exceptions::codeOf(Exceptions::ErrorCode::XmlWriterError);
    }
};

/// Header metadata that gives no RegXML document: no Preface (or no set of
/// the root asked for), or a root set the dictionary does not know. The
/// message says which.
class RegXMLError : public Exceptions::BaseException {
public:
    using Exceptions::BaseException::BaseException;
    int exceptionCode() const override {
        return Exceptions::codeOf(Exceptions::ErrorCode::RegXMLError);
    }
};

} // namespace Output
} // namespace Palimo
