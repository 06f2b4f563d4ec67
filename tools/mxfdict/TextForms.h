#pragma once
// The output library's text forms of dictionary entries and the query
// library's views of them, by the names the schema check uses.
#include <Palimo/Output/DictionaryNames.h>
#include <Palimo/Query/Entries.h>

namespace Mxfdict {

using Palimo::Output::displayName;
using Palimo::Output::keyText;
using Palimo::Output::labelText;
using Palimo::Output::tagText;
using Palimo::Query::targetsOf;

} // namespace Mxfdict
