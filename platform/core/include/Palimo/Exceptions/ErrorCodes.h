#pragma once
// The codes that the exception classes of the Palimo libraries return from
// BaseException::exceptionCode(): one per class, each class its own. The
// loader's codes (20, 25, 33) are part of its interface and never change;
// every other library takes a block of ten.
namespace Palimo {
namespace Exceptions {

enum class ErrorCode : int {
    Unclassified = 0, // BaseException itself
    // The loader (MetaMetadata/Loading/Exceptions.h)
    InvalidMetaElementDeclaration = 20,
    InvalidULDesignator = 25,
    ParseError = 33,
    // The core library (CoreExceptions.h)
    InvalidStringRepresentation = 40,
    UnsupportedDataType = 41,
    InvalidArgument = 42,
    // The XML utilities (XSDAggregator.h)
    SchemaAggregationError = 50,
    // The MXF reader (Palimo/MXF/Exceptions.h)
    MalformedMXFFile = 60,
    UnreadableMXFFile = 61,
    MissingPartition = 62,
    // The type definitions (Palimo/TypeDefinitions/TypeDefinitionError.h)
    TypeDefinitionError = 70,
    // The output writers (Palimo/Output/OutputError.h)
    XmlWriterError = 80,
    RegXMLError = 81,
    // The register importer (Palimo/Registers/RegisterError.h)
    RegisterError = 90,
};

/// The number exceptionCode() returns for `code`.
constexpr int codeOf(ErrorCode code) {
    return static_cast<int>(code);
}

} // namespace Exceptions
} // namespace Palimo
