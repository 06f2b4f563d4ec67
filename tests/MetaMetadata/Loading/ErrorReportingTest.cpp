#include "MetaMetadata/Loading/ErrorReporting.h"
#include "MetaMetadata/Loading/Exceptions.h"
#include "MetaMetadata/Loading/Pipeline.h"
#include "MetaMetadata/Loading/schema/DomText.h"
#include "support/TestSupport.h"

#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/util/XMLString.hpp>
#include <xercesc/util/XMLURL.hpp>
#include <xercesc/util/XercesVersion.hpp>

#include <stdexcept>

namespace {

using namespace Palimo::MetaMetadata::Loading;
using Palimo::Exceptions::BaseException;
using Palimo::Exceptions::InvalidMetaElementDeclaration;
using Palimo::Exceptions::ParseError;
using PalimoTest::N;
using PalimoTest::W;

/// The run-time name of Xerces' versioned namespace, as in "xercesc_3_2::".
const std::string kXerces = "xercesc_" + std::to_string(XERCES_VERSION_MAJOR) + "_" +
                            std::to_string(XERCES_VERSION_MINOR) + "::";

class ErrorReporting : public ::testing::Test {
protected:
    // Xerces' message catalogue and memory manager are needed to make its exceptions.
    void SetUp() override { Palimo::XMLUtils::Initializer::instance(); }

    /// Throws `thrown` inside a loader region and returns what leaves it.
    template <class E>
    static ::testing::AssertionResult translated(const E& thrown, const std::string& message) {
        return PalimoTest::throwsExactly<ParseError>(
            [&] {
                try {
                    throw thrown;
                } catch (...) {
                    rethrowAsLoadFailure("Region.cpp", 7);
                }
            },
            message);
    }
};

TEST_F(ErrorReporting, EachXmlFailureClassHasItsMessageForm) {
    EXPECT_TRUE(translated(XQillaException(XQillaException::RUNTIME_ERR, u"bad step"),
                           "XQillaException:: bad step"));
    EXPECT_TRUE(translated(XQException(u"no such function", u"q", 1, 2, "f.cpp", 3),
                           "XQException:: no such function"));

    const xercesc::DOMException dom(xercesc::DOMException::NOT_FOUND_ERR,
                                    xercesc::DOMException::NOT_FOUND_ERR);
    EXPECT_TRUE(translated(dom, "DOMException:: " + N(toWstring(dom.msg)) + "(8)"));

    const xercesc::UTFDataFormatException utf("u.cpp", 1, xercesc::XMLExcepts::UTF8_FormatError);
    EXPECT_TRUE(
        translated(utf, kXerces + "UTFDataFormatException: " + N(toWstring(utf.getMessage()))));
    EXPECT_TRUE(translated(xercesc::SAXException("sax text"), kXerces + "SAXException: sax text"));
}

TEST_F(ErrorReporting, DerivedClassesAreNamedByTheirHandlersClass) {
    // A SAXParseException is reported as a SAXException, a MalformedURLException
    // as an XMLException.
    EXPECT_TRUE(translated(xercesc::SAXParseException(u"at line 3", u"p", u"s", 3, 4),
                           kXerces + "SAXException: at line 3"));
    const xercesc::MalformedURLException url("m.cpp", 1, xercesc::XMLExcepts::URL_MalformedURL);
    EXPECT_TRUE(translated(url, kXerces + "XMLException: " + N(toWstring(url.getMessage()))));
    // An XQillaException is also a DOMException: its own clause comes first.
    EXPECT_TRUE(translated(XQillaException(12, u"syntax"), "XQillaException:: syntax"));
}

TEST_F(ErrorReporting, MissingTextsAreWrittenAsEmpty) {
    EXPECT_TRUE(translated(XQException(static_cast<const XMLCh*>(nullptr), u"q", 1, 1, "f.cpp", 1),
                           "XQException:: "));
    EXPECT_TRUE(translated(xercesc::DOMException(), "DOMException:: (0)"));
}

TEST_F(ErrorReporting, LoaderExceptionsPassUnchangedAndOthersBecomeUnknown) {
    try {
        try {
            throw InvalidMetaElementDeclaration(u"from a builder", "Builder.cpp", 42);
        } catch (...) {
            rethrowAsLoadFailure("Region.cpp", 7);
        }
        ADD_FAILURE() << "nothing thrown";
    } catch (const BaseException& e) {
        EXPECT_EQ(typeid(e), typeid(InvalidMetaElementDeclaration));
        EXPECT_EQ(N(e.message()), "from a builder");
        EXPECT_EQ(e.file(), "Builder.cpp");
        EXPECT_EQ(e.line(), 42);
    }

    for (int kind = 0; kind < 2; ++kind) {
        try {
            try {
                if (kind == 0)
                    throw std::runtime_error("exhausted");
                throw 5;
            } catch (...) {
                rethrowAsLoadFailure("Region.cpp", 7);
            }
            ADD_FAILURE() << "nothing thrown";
        } catch (const ParseError& e) {
            EXPECT_EQ(N(e.message()), "Unknown error in Xerces or XQilla");
            EXPECT_EQ(e.file(), "Region.cpp");
            EXPECT_EQ(e.line(), 7);
        }
    }
}

TEST_F(ErrorReporting, CheckFailuresJoinConditionAndMessage) {
    EXPECT_THROWS_EXACTLY(ParseError, throwCheckFailure("x != 0", W("x was zero"), "C.cpp", 9),
                          "x != 0: x was zero");
    try {
        throwCheckFailure("x != 0", W("x was zero"), "Check.cpp", 9);
    } catch (const ParseError& e) {
        EXPECT_EQ(e.file(), "Check.cpp");
        EXPECT_EQ(e.line(), 9);
    }
}

} // namespace
