#pragma once
// The files of a schema set, each read on its own with the line of every
// element, so that a report can name the file and line of a declaration. Read
// only when a report needs them (a failed load, a check): a successful load
// never pays for it.
#include "XercesHandles.h"

#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMElement.hpp>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace Mxfdict {

/// Where a declaration is: its file, and the line where its start tag begins
/// (0 when not known).
struct SourcePlace {
    std::string file;
    int line = 0;
};

/// "FILE:LINE: ", "FILE: " without a line, nothing without a file: the start
/// of a report line about a declaration there.
std::string sourcePrefix(const std::string& file, int line);

class SchemaFiles {
public:
    /// A top-level component of one of the files.
    struct Component {
        const xercesc::DOMElement* element;
        std::size_t file; // index into files()
    };

    /// An xs:include, xs:import, xs:redefine or xs:override of one of the files.
    struct Directive {
        const xercesc::DOMElement* element;
        std::size_t file;                // index into files()
        std::string location;            // its schemaLocation, as written
        std::optional<std::string> path; // the local file it names; none for a network location
    };

    /// Reads `topFile` and every local file it includes, imports, redefines or
    /// overrides, each once. Files that are no regular files, are larger than
    /// the aggregator reads, or do not parse are left out: the load has
    /// reported them.
    explicit SchemaFiles(const std::string& topFile);
    ~SchemaFiles();
    SchemaFiles(const SchemaFiles&) = delete;
    SchemaFiles& operator=(const SchemaFiles&) = delete;

    /// The paths read, the top file first; an included file's path is its
    /// location joined to its includer's directory.
    const std::vector<std::string>& files() const { return files_; }

    /// Every top-level component, in the order the load's aggregated document
    /// has them: a directive's file in place of the directive, and a
    /// redefinition's components after those of the file it redefines.
    const std::vector<Component>& components() const { return components_; }

    /// Every directive with a schemaLocation, in the order of components().
    const std::vector<Directive>& directives() const { return directives_; }

    /// Where `element`, an element of the file with index `file`, is; the file
    /// alone when the element is not known.
    SourcePlace place(const xercesc::DOMElement& element, std::size_t file) const;
    SourcePlace place(const xercesc::DOMElement& element, const Component& component) const {
        return place(element, component.file);
    }

    /// Where the first top-level component named `name` is; none when no
    /// component has that name.
    std::optional<SourcePlace> declaration(const std::string& name) const;

private:
    struct DocumentRelease {
        void operator()(xercesc::DOMDocument* document) const { document->release(); }
    };

    void read(const std::string& path, std::vector<std::string>& seen);

    std::vector<std::string> files_;
    std::vector<std::unique_ptr<xercesc::DOMDocument, DocumentRelease>> documents_;
    std::vector<Component> components_;
    std::vector<Directive> directives_;
    std::unordered_map<const xercesc::DOMElement*, int> lines_;
    std::unordered_map<std::string, std::size_t> firstByName_; // into components_
};

} // namespace Mxfdict
