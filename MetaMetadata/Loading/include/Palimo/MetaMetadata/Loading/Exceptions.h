#pragma once
// The loader's exception classes. Their type information is exported so that
// hosts can catch them by type.
#include <MetaMetadata/Loading/Export.h>

#include <Palimo/Exceptions/BaseException.h>

namespace Palimo {
namespace Exceptions {

/// The schema could not be read or asked (XML and XPath failures, failed
/// consistency checks). Code 33.
class PALIMO_LOADER_API ParseError : public BaseException {
public:
    using BaseException::BaseException;
    ParseError(const ParseError&) = default;
    ~ParseError() override;
    int exceptionCode() const override;
};

/// A "UL Designator" annotation that is not a 47-character label text. The
/// message is the designator text. Code 25.
class PALIMO_LOADER_API InvalidULDesignator : public BaseException {
public:
    using BaseException::BaseException;
    InvalidULDesignator(const InvalidULDesignator&) = default;
    ~InvalidULDesignator() override;
    int exceptionCode() const override;
};

/// A meta element declaration that lacks a required fact. Code 20.
class PALIMO_LOADER_API InvalidMetaElementDeclaration : public BaseException {
public:
    using BaseException::BaseException;
    InvalidMetaElementDeclaration(const InvalidMetaElementDeclaration&) = default;
    ~InvalidMetaElementDeclaration() override;
    int exceptionCode() const override;
};

} // namespace Exceptions
} // namespace Palimo
