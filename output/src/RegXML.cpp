#include <Palimo/Output/OutputError.h>
#include <Palimo/Output/RegXML.h>
#include <Palimo/Output/XmlWriter.h>

#include "RegXMLWalk.h"
#include "XmlEscaping.h"

#include <unordered_set>

namespace Palimo {
namespace Output {
namespace {

// The Preface's key; bytes 6 (the kind of local set) and 8 (version) may differ.
const Identifiers::Label kPreface({0x06, 0x0e, 0x2b, 0x34, 0x02, 0x53, 0x01, 0x01, 0x0d, 0x01, 0x01,
                                   0x01, 0x01, 0x01, 0x2f, 0x00});

[[noreturn]] void fail(const std::string& message) {
    throw RegXMLError(message, __FILE__, __LINE__);
}

bool isPreface(const Identifiers::Label& key) {
    for (std::size_t i = 0; i < 16; ++i)
        if (i != 5 && i != 7 && key[i] != kPreface[i])
            return false;
    return true;
}

std::size_t rootSet(const MXF::DecodedFile& file, const RegXMLOptions& options) {
    std::size_t root = MXF::kNoSet;
    if (options.root) {
        if (*options.root >= file.sets.size())
            fail("no set " + std::to_string(*options.root) + " to write as the root: the " +
                 "header metadata has " + std::to_string(file.sets.size()) + " sets");
        root = *options.root;
    } else {
        for (std::size_t i = 0; i < file.sets.size() && root == MXF::kNoSet; ++i)
            if (file.sets[i].localSet && isPreface(file.sets[i].klv.key))
                root = i;
        if (root == MXF::kNoSet)
            fail("the header metadata has no Preface set");
    }
    const MXF::DecodedSet& set = file.sets[root];
    if (!set.set || (set.fromFileDictionary && !options.fileDefinitions))
        fail("the set at byte " + std::to_string(set.klv.offset) + " (key " + set.klv.key.dotted() +
             ") is not in the dictionary: it cannot be the root");
    return root;
}

// The first walk: the namespaces in the order of first use, and a check of
// every name, so that nothing is written when one is no XML name.
class NamespaceCollector : public RegXMLSink {
public:
    void useNamespace(const std::string& uri) override {
        if (!uri.empty() && seen_.insert(uri).second)
            order_.push_back(uri);
    }
    void startElement(const std::string& uri, const std::string& name) override {
        if (!isNCName(name))
            fail("the element name \"" + name + "\" (namespace \"" + uri +
                 "\") is no XML name without colons");
    }

    std::vector<XmlNamespace> namespaces() const {
        std::vector<XmlNamespace> declared;
        for (std::size_t i = 0; i < order_.size(); ++i)
            declared.push_back(XmlNamespace{"r" + std::to_string(i), order_[i]});
        return declared;
    }

private:
    std::vector<std::string> order_;
    std::unordered_set<std::string> seen_;
};

class WritingSink : public RegXMLSink {
public:
    explicit WritingSink(XmlWriter& writer) : writer_(writer) {}
    void startElement(const std::string& uri, const std::string& name) override {
        writer_.startElement(uri, name);
    }
    void attribute(const std::string& uri, const std::string& name,
                   const std::string& value) override {
        writer_.attribute(uri, name, value);
    }
    void text(const std::string& text) override { writer_.text(text); }
    void comment(const std::string& text) override { writer_.comment(text); }
    void endElement() override { writer_.endElement(); }

private:
    XmlWriter& writer_;
};

} // namespace

void writeRegXML(std::ostream& out, const MXF::DecodedFile& file,
                 const TypeDefinitions::TypeDictionary& types, const RegXMLOptions& options) {
    const std::size_t root = rootSet(file, options);
    const TypeDefinitions::TypeDictionary& decoding = MXF::decodingTypes(file, types);
    NamespaceCollector collector;
    RegXMLWalk(file, decoding, options.fileDefinitions, collector).walk(root);

    XmlWriter writer(out, collector.namespaces());
    for (const std::string& comment : options.leadingComments)
        writer.comment(comment);
    WritingSink sink(writer);
    RegXMLWalk(file, decoding, options.fileDefinitions, sink).walk(root);
    writer.finish();
}

} // namespace Output
} // namespace Palimo
