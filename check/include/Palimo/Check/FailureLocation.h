#pragma once
// Which declaration a failed load stopped at. The loader's messages say what
// was wrong in the words the loader has always used; this finds, after the
// failure, the declaration that gives exactly that message, in the order in
// which the load reads declarations, and says where it is.
//
// Reads the schema's files itself, with a parser of its own: any number of
// searches may run at once, also beside loads.
#include <Palimo/Exceptions/BaseException.h>

#include <optional>
#include <string>

namespace Palimo {
namespace Check {

struct FailurePlace {
    std::string file; // the file that holds it
    int line = 0;     // the line where its start tag begins; 0 when not known
    /// What is there: "declaration Bad", "declaration BadType member ff:Item"
    /// for a set member, "xs:include \"gone.xsd\"" for a file it names.
    std::string subject;
    std::string note;   // what the message leaves out (the type text not known); or empty
    bool label = false; // a "UL Designator" or "Local Tag" that is no label or tag
    bool type = false;  // a data type that the loader does not know
};

/// The declaration of the schema set under `topFile` whose load failed with
/// `failure`, or the directive that names a file the load could not read;
/// none when the failure concerns neither (malformed XML, a limit, ...: its
/// message names the file) or when none gives that message. Reads the schema
/// files again, and only for failures that can concern a declaration or a
/// directive. Throws what reading them throws, but for a failure that
/// concerns a file (whose reading stops where the load's did).
std::optional<FailurePlace> locateLoadFailure(const std::string& topFile,
                                              const Exceptions::BaseException& failure);

} // namespace Check
} // namespace Palimo
