#include "Checks.h"
#include "FailureSearch.h"

namespace Palimo {
namespace Check {

std::optional<std::vector<Finding>> findingsOfFailedLoad(const std::string& topFile,
                                                         const Exceptions::BaseException& failure) {
    try {
        const std::optional<FailureKind> kind = failureKind(failure);
        if (!kind)
            return std::nullopt;
        const SchemaSet schema(topFile, *kind == FailureKind::File);
        const std::optional<FailurePlace> where = locateLoadFailure(schema, *kind, failure);
        if (!where || (!where->label && !where->type))
            return std::nullopt;
        return checkLabelsAndTypes(schema);
    } catch (...) {
        return std::nullopt; // reported as the failed load it is
    }
}

} // namespace Check
} // namespace Palimo
