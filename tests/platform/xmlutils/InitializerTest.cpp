#include <Palimo/XMLUtils/Initializer.h>

#include <gtest/gtest.h>

#include <xercesc/dom/DOM.hpp>
#include <xercesc/util/PlatformUtils.hpp>

#include <memory>
#include <thread>
#include <vector>

namespace {

using Palimo::XMLUtils::Initializer;

TEST(Initializer, IsOneInstanceAcrossThreads) {
    std::vector<Initializer*> seen(4, nullptr);
    std::vector<std::thread> threads;
    for (auto& slot : seen)
        threads.emplace_back([&slot] { slot = &Initializer::instance(); });
    for (auto& t : threads)
        t.join();
    for (Initializer* p : seen)
        EXPECT_EQ(p, &Initializer::instance());
    ASSERT_NE(Initializer::instance().domImplementation(), nullptr);
}

TEST(Initializer, ItsParsersGiveDocumentsThatAnswerXPath2) {
    auto* impl = Initializer::instance().domImplementation();
    auto* ls = dynamic_cast<xercesc::DOMImplementationLS*>(impl);
    ASSERT_NE(ls, nullptr);
    auto release = [](auto* p) {
        p->release();
    };
    std::unique_ptr<xercesc::DOMLSParser, decltype(release)> parser(
        ls->createLSParser(xercesc::DOMImplementationLS::MODE_SYNCHRONOUS, nullptr,
                           xercesc::XMLPlatformUtils::fgMemoryManager, nullptr),
        release);
    ASSERT_NE(parser, nullptr);

    const char xml[] = "<a><b>1</b><b>2</b><b>3</b></a>";
    std::unique_ptr<xercesc::DOMLSInput, decltype(release)> input(ls->createLSInput(), release);
    const std::u16string text(xml, xml + sizeof xml - 1);
    input->setStringData(text.c_str());
    xercesc::DOMDocument* doc = parser->parse(input.get());
    ASSERT_NE(doc, nullptr);

    // The value comparison "eq" exists in XPath 2.0 only.
    std::unique_ptr<xercesc::DOMXPathExpression, decltype(release)> expr(
        doc->createExpression(u"/a/b[. eq '3']", nullptr), release);
    std::unique_ptr<xercesc::DOMXPathResult, decltype(release)> result(
        expr->evaluate(doc, xercesc::DOMXPathResult::FIRST_RESULT_TYPE, nullptr), release);
    ASSERT_TRUE(result->isNode());
    EXPECT_EQ(std::u16string(result->getNodeValue()->getTextContent()), u"3");
}

} // namespace
