#pragma once
#include "LoaderState.h"

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

/// Splits `path` (slashes only) at its last slash: `directory` gets the text
/// before it and `path` keeps the text after it. Without a slash the
/// directory is "." and `path` stays whole.
void splitSchemaPath(WString& path, WString& directory);

/// A load of the schema file at `path` (backslashes are taken as slashes):
/// splits it into directory and file name and runs the pipeline.
void loadSchemaFile(LoaderState& state, WString path, Dictionary& dictionary);

/// One load: records the location, runs only on a fresh loader, builds the
/// schema document, then the element and set phases in their fixed order.
/// XML and XPath failures become ParseError; BaseException passes unchanged;
/// anything else becomes ParseError "Unknown error in Xerces or XQilla".
void runPipeline(LoaderState& state, WString directory, WString fileName, Dictionary& dictionary);

/// Called inside a catch handler: throws the exception being handled as the
/// host is to see it (XML and XPath failures as ParseError, BaseException
/// unchanged, anything else as ParseError "Unknown error in Xerces or XQilla"
/// with `file` and `line`).
[[noreturn]] void rethrowAsLoadFailure(const char* file, int line);

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
