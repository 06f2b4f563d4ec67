#pragma once
// Failures of the writers of output forms. Codes 80 and up (the core library
// uses 40 and up, the MXF reader 60 and up, the type definitions 70).
#include <Palimo/Exceptions/BaseException.h>

namespace Palimo {
namespace Exceptions {

/// A call that would make the XML ill-formed: a name that is no XML name, a
/// namespace not declared on the root, an attribute after content or twice,
/// a second root, an end without a start, finishing with elements open. The
/// message names the call and the name concerned.
class XmlWriterError : public BaseException {
public:
    using BaseException::BaseException;
    int exceptionCode() const override { return 80; }
};

/// Header metadata that gives no RegXML document: no Preface (or no set of
/// the root asked for), or a root set the dictionary does not know. The
/// message says which.
class RegXMLError : public BaseException {
public:
    using BaseException::BaseException;
    int exceptionCode() const override { return 81; }
};

} // namespace Exceptions
} // namespace Palimo
