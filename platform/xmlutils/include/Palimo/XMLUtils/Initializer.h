#pragma once
#include <xercesc/dom/DOMImplementation.hpp>

namespace Palimo {
namespace XMLUtils {

/// Initialises Xerces-C and XQilla once per process (thread-safe) and gives
/// the XQilla DOM implementation ("XPath2 3.0"). Parsers created from it
/// produce documents that answer XPath 2.0 through createExpression.
class Initializer {
public:
    static Initializer& instance();
    virtual ~Initializer();
    virtual xercesc::DOMImplementation* domImplementation() const;

    Initializer(const Initializer&) = delete;
    Initializer& operator=(const Initializer&) = delete;

protected:
    Initializer();

private:
    xercesc::DOMImplementation* implementation_ = nullptr;
};

} // namespace XMLUtils
} // namespace Palimo
