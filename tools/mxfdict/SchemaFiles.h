#pragma once
// Which file of a schema set declares each top-level component, so that a
// check can name the file of a declaration it reports. The load has already
// read the same files, so they are known to be well-formed and local.
#include <map>
#include <string>

namespace Mxfdict {

/// Top-level component name -> the file that declares it first, over the top
/// file and every file it includes, imports, redefines or overrides (each read
/// once, in reading order). Files that cannot be read are left out.
std::map<std::string, std::string> declaringFiles(const std::string& topFile);

} // namespace Mxfdict
