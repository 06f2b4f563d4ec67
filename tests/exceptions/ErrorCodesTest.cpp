// Every exception class of the libraries answers the code that ErrorCodes.h
// gives it, no two classes share one, and the message is the one thrown.
#include <MetaMetadata/Loading/Exceptions.h>
#include <Palimo/Exceptions/CoreExceptions.h>
#include <Palimo/Exceptions/ErrorCodes.h>
#include <Palimo/MXF/Exceptions.h>
#include <Palimo/Output/OutputError.h>
#include <Palimo/Registers/RegisterError.h>
#include <Palimo/TypeDefinitions/TypeDefinitionError.h>
#include <Palimo/XMLUtils/XSDAggregator.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace Palimo;
using Exceptions::BaseException;
using Exceptions::ErrorCode;

struct ExceptionClass {
    const char* name;
    ErrorCode code;
    std::shared_ptr<const BaseException> instance;
    std::string message;
};

template <class E>
ExceptionClass of(const char* name, ErrorCode code) {
    return {name, code, std::make_shared<E>(std::string("what went wrong"), __FILE__, __LINE__),
            "what went wrong"};
}

std::vector<ExceptionClass> exceptionClasses() {
    return {
        of<BaseException>("BaseException", ErrorCode::Unclassified),
        of<Exceptions::InvalidMetaElementDeclaration>("InvalidMetaElementDeclaration",
                                                      ErrorCode::InvalidMetaElementDeclaration),
        of<Exceptions::InvalidULDesignator>("InvalidULDesignator", ErrorCode::InvalidULDesignator),
        of<Exceptions::ParseError>("ParseError", ErrorCode::ParseError),
        of<Exceptions::InvalidStringRepresentation>("InvalidStringRepresentation",
                                                    ErrorCode::InvalidStringRepresentation),
        of<Exceptions::UnsupportedDataType>("UnsupportedDataType", ErrorCode::UnsupportedDataType),
        of<Exceptions::InvalidArgument>("InvalidArgument", ErrorCode::InvalidArgument),
        of<XMLUtils::SchemaAggregationError>("SchemaAggregationError",
                                             ErrorCode::SchemaAggregationError),
        {"MalformedMXFFile", ErrorCode::MalformedMXFFile,
         std::make_shared<MXF::MalformedMXFFile>(7, "what went wrong", __FILE__, __LINE__),
         "byte 7: what went wrong"},
        of<MXF::UnreadableMXFFile>("UnreadableMXFFile", ErrorCode::UnreadableMXFFile),
        of<MXF::MissingPartition>("MissingPartition", ErrorCode::MissingPartition),
        of<TypeDefinitions::TypeDefinitionError>("TypeDefinitionError",
                                                 ErrorCode::TypeDefinitionError),
        of<Output::XmlWriterError>("XmlWriterError", ErrorCode::XmlWriterError),
        of<Output::RegXMLError>("RegXMLError", ErrorCode::RegXMLError),
        of<Registers::RegisterError>("RegisterError", ErrorCode::RegisterError),
    };
}

TEST(ErrorCodes, EveryClassAnswersItsOwnCodeAndKeepsItsMessage) {
    std::map<int, std::string> classOfCode;
    for (const ExceptionClass& c : exceptionClasses()) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.instance->exceptionCode(), Exceptions::codeOf(c.code));
        const auto [at, added] = classOfCode.emplace(c.instance->exceptionCode(), c.name);
        EXPECT_TRUE(added) << "code " << at->first << " is also " << at->second << "'s";
        EXPECT_EQ(c.instance->what(), c.message);
    }
}

// Hosts of the loader compare these numbers: they never change.
TEST(ErrorCodes, TheLoadersCodesAreItsInterface) {
    EXPECT_EQ(Exceptions::ParseError(std::string(), nullptr, 0).exceptionCode(), 33);
    EXPECT_EQ(Exceptions::InvalidULDesignator(std::string(), nullptr, 0).exceptionCode(), 25);
    EXPECT_EQ(Exceptions::InvalidMetaElementDeclaration(std::string(), nullptr, 0).exceptionCode(),
              20);
}

} // namespace
