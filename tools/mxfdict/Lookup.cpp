#include "Lookup.h"

#include "TextDump.h"
#include "TextForms.h"

#include <Palimo/Exceptions/BaseException.h>
#include <Palimo/Utils/StringConversion.h>

#include <memory>

namespace Mxfdict {

using namespace Palimo;
using namespace Palimo::MetaMetadata;

namespace {

// The version byte is the eighth byte of a label.
void printVersionNote(std::ostream& out, const std::string& asked, const std::string& found) {
    out << "note: no exact match for " << asked
        << "; matched ignoring the version byte (byte 8): " << found << '\n';
}

// The key read as a T (a label or a tag); null when it is not written as one.
template <class T>
std::unique_ptr<T> readAs(const std::string& key) {
    const WString text = Utils::stringToWstring(key);
    try {
        return std::make_unique<T>(text.c_str(), Types::DottedHex);
    } catch (const Exceptions::BaseException&) {
        return nullptr;
    }
}

bool lookupByLabel(std::ostream& out, const Dictionary& dictionary, const std::string& key) {
    const std::unique_ptr<Types::UniversalLabel> label = readAs<Types::UniversalLabel>(key);
    if (!label)
        return false;
    bool found = false;
    bool exact = false;
    if (const MetaElement* element = dictionary.findMetaElementIgnoringVersion(*label, &exact)) {
        if (!exact)
            printVersionNote(out, labelText(*label), labelText(element->universalLabel()));
        printElement(out, *element, dictionary);
        found = true;
    }
    const KLV::Key setKey(label->array());
    if (const MetaMetadataSet* set =
            dictionary.findMetaMetadataSetIgnoringVersion(setKey, &exact)) {
        if (!exact)
            printVersionNote(out, keyText(setKey), keyText(set->key()));
        printSet(out, *set);
        found = true;
    }
    return found;
}

bool lookupByLocalTag(std::ostream& out, const Dictionary& dictionary, const std::string& key) {
    const std::unique_ptr<Types::LocalTag> tag = readAs<Types::LocalTag>(key);
    if (!tag)
        return false;
    const Types::UniversalLabel* label = dictionary.findLabelByLocalTag(*tag);
    if (!label)
        return false;
    out << "local tag " << tagText(*tag) << " is " << labelText(*label) << '\n';
    if (const MetaElement* element = dictionary.findMetaElement(*label))
        printElement(out, *element, dictionary);
    return true;
}

bool namedBy(const PropertyMap& map, const std::string& key) {
    return tagName(map) == key || property(map, "name") == key;
}

bool lookupByName(std::ostream& out, const Dictionary& dictionary, const std::string& key) {
    bool found = false;
    for (const MetaElement* element : dictionary.metaElements()) {
        if (namedBy(*element, key) &&
            dictionary.findMetaElement(element->universalLabel()) == element) {
            printElement(out, *element, dictionary);
            found = true;
        }
    }
    for (const MetaMetadataSet* set : dictionary.metaMetadataSets()) {
        if (namedBy(*set, key)) {
            printSet(out, *set);
            found = true;
        }
    }
    return found;
}

} // namespace

bool lookup(std::ostream& out, const Dictionary& dictionary, const std::string& key) {
    return lookupByLabel(out, dictionary, key) || lookupByLocalTag(out, dictionary, key) ||
           lookupByName(out, dictionary, key);
}

} // namespace Mxfdict
