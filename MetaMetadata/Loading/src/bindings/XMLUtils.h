#pragma once
// What the loader uses of Xerces-C, XQilla and the Palimo XML utilities.
#include <Palimo/XMLUtils/Initializer.h>
#include <Palimo/XMLUtils/UnicodeString.h>
#include <Palimo/XMLUtils/XSDAggregator.h>

#include <xercesc/dom/DOM.hpp>
