#include "ErrorReporting.h"
#include "MetaMetadata/Loading/Exceptions.h"
#include "Pipeline.h"
#include "schema/DomText.h"
#include "support/TestSupport.h"

#include <Palimo/XMLUtils/Initializer.h>

#include <xercesc/dom/DOMException.hpp>
#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/util/UTFDataFormatException.hpp>
#include <xercesc/util/XMLString.hpp>
#include <xercesc/util/XMLURL.hpp>
#include <xercesc/util/XercesVersion.hpp>
#include <xqilla/exceptions/XQException.hpp>
#include <xqilla/exceptions/XQillaException.hpp>

#include <functional>
#include <stdexcept>
#include <utility>

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

// Runs `raise` inside a loader region: what leaves it is what the region
// reports.
template <class F>
void inRegion(F raise) {
    try {
        raise();
    } catch (...) {
        rethrowAsLoadFailure("Region.cpp", 7);
    }
}

class ErrorReporting : public ::testing::Test {
protected:
    // Xerces' message catalogue and memory manager are needed to make its exceptions.
    void SetUp() override { Palimo::XMLUtils::Initializer::instance(); }
};

TEST_F(ErrorReporting, EachFailureClassHasItsMessageForm) {
    const xercesc::DOMException dom(xercesc::DOMException::NOT_FOUND_ERR,
                                    xercesc::DOMException::NOT_FOUND_ERR);
    const xercesc::UTFDataFormatException utf("u.cpp", 1, xercesc::XMLExcepts::UTF8_FormatError);
    const xercesc::MalformedURLException url("m.cpp", 1, xercesc::XMLExcepts::URL_MalformedURL);
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[] { throw XQillaException(XQillaException::RUNTIME_ERR, u"bad step"); },
         "XQillaException:: bad step"},
        {[] { throw XQException(u"no such function", u"q", 1, 2, "f.cpp", 3); },
         "XQException:: no such function"},
        {[&] { throw dom; }, "DOMException:: " + N(toWstring(dom.msg)) + "(8)"},
        {[&] { throw utf; }, kXerces + "UTFDataFormatException: " + N(toWstring(utf.getMessage()))},
        {[] { throw xercesc::SAXException("sax text"); }, kXerces + "SAXException: sax text"},
        // Derived classes are named by their handler's class; an XQillaException
        // is also a DOMException, whose clause comes after its own.
        {[] { throw xercesc::SAXParseException(u"at line 3", u"p", u"s", 3, 4); },
         kXerces + "SAXException: at line 3"},
        {[&] { throw url; }, kXerces + "XMLException: " + N(toWstring(url.getMessage()))},
        {[] { throw XQillaException(12, u"syntax"); }, "XQillaException:: syntax"},
        // Missing texts are written as empty.
        {[] { throw XQException(static_cast<const XMLCh*>(nullptr), u"q", 1, 1, "f.cpp", 1); },
         "XQException:: "},
        {[] { throw xercesc::DOMException(); }, "DOMException:: (0)"},
        // Anything else is unknown.
        {[] { throw std::runtime_error("exhausted"); }, "Unknown error in Xerces or XQilla"},
        {[] { throw 5; }, "Unknown error in Xerces or XQilla"},
    };
    for (const auto& entry : cases) {
        // Plain references: lambdas cannot capture structured bindings in C++17.
        const std::function<void()>& raise = entry.first;
        const std::string& message = entry.second;
        EXPECT_THROWS_EXACTLY(ParseError, inRegion(raise), message);
        if (message.rfind("Unknown", 0) != 0)
            continue; // the others name where they are translated
        try {
            inRegion(raise);
        } catch (const ParseError& e) {
            EXPECT_EQ(e.file(), "Region.cpp");
            EXPECT_EQ(e.line(), 7);
        }
    }
}

TEST_F(ErrorReporting, LoaderExceptionsPassUnchanged) {
    try {
        inRegion([] { throw InvalidMetaElementDeclaration(u"from a builder", "Builder.cpp", 42); });
        ADD_FAILURE() << "nothing thrown";
    } catch (const BaseException& e) {
        EXPECT_EQ(typeid(e), typeid(InvalidMetaElementDeclaration));
        EXPECT_EQ(N(e.message()), "from a builder");
        EXPECT_EQ(e.file(), "Builder.cpp");
        EXPECT_EQ(e.line(), 42);
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
