#pragma once
// Where the files of an aggregated schema lie: the top file's path, the local
// file a schemaLocation names, and one identity per file.
#include <string>

namespace Palimo {
namespace XMLUtils {
namespace SchemaPaths {

/// directory + "/" + fileName, as given (UTF-8); an empty directory gives a
/// path from the root.
std::string join(const std::string& directory, const std::string& fileName);

/// The local file that `location` (a schemaLocation value, UTF-8) names,
/// resolved against the directory of `namingFile`. Accepts relative and
/// absolute paths and file: URIs; an empty location names `namingFile`
/// itself. Throws SchemaAggregationError for any location that would reach
/// the network (a scheme other than file, a file: URI with a remote host, a
/// network-path reference "//host/...") and for one whose path holds a NUL
/// ("%00"), which the system would cut there.
std::string resolveLocation(const std::string& namingFile, const std::string& location);

/// The same text for every spelling of one file (symbolic links, "." and
/// ".." steps resolved as far as the file system allows).
std::string identity(const std::string& path);

} // namespace SchemaPaths
} // namespace XMLUtils
} // namespace Palimo
