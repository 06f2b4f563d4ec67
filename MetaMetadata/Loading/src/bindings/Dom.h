#pragma once
// The Xerces-C DOM classes that the loader's headers name, declared but not
// defined: a source includes the Xerces header of each class whose members
// it calls, not all of the DOM.
#include <xercesc/util/XercesDefs.hpp>

XERCES_CPP_NAMESPACE_BEGIN
class DOMAttr;
class DOMDocument;
class DOMElement;
class DOMLSParser;
class DOMNode;
class DOMXPathNSResolver;
XERCES_CPP_NAMESPACE_END
