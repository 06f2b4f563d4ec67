#include "elements/LabelsAndTags.h"

#include "ErrorReporting.h"
#include "schema/Annotations.h"

#include <MetaMetadata/Loading/Exceptions.h>

#include <Palimo/KLV/Key.h>
#include <Palimo/Types/BaseType.h>
#include <Palimo/Types/LocalTag.h>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

namespace {

/// Two hex digits per byte of a 16-byte label, one separator between bytes.
constexpr WString::size_type kULDesignatorLength = 16 * 2 + 15;

} // namespace

auto_ptr<UniversalLabel> readUniversalLabel(const Schema& schema,
                                            const xercesc::DOMElement* declaration) {
    // Only the first text node is read, verbatim: white space around the
    // label or a comment inside it makes the length check fail.
    const std::optional<WString> designator =
        appinfoText(schema, declaration, AppinfoSource::kULDesignator);
    if (!designator)
        return auto_ptr<UniversalLabel>();
    return universalLabelOfText(*designator);
}

auto_ptr<KLV::Key> readULKey(const Schema& schema, const xercesc::DOMElement* declaration) {
    const auto_ptr<UniversalLabel> label = readUniversalLabel(schema, declaration);
    if (!label)
        return auto_ptr<KLV::Key>();
    const WString text = label->toString(kDottedHex);
    return auto_ptr<KLV::Key>(new KLV::Key(text.c_str(), kDottedHex));
}

auto_ptr<LocalTag> readLocalTag(const Schema& schema, const xercesc::DOMElement* declaration) {
    const std::optional<WString> tag = appinfoText(schema, declaration, AppinfoSource::kLocalTag);
    if (!tag)
        return auto_ptr<LocalTag>();
    return localTagOfText(*tag);
}

auto_ptr<UniversalLabel> universalLabelOfText(const WString& designator) {
    checkULDesignator(designator);
    return auto_ptr<UniversalLabel>(new UniversalLabel(designator.c_str(), kDottedHex));
}

auto_ptr<LocalTag> localTagOfText(const WString& tag) {
    refuseOverlongText("local tag", tag, __FILE__, __LINE__);
    return auto_ptr<LocalTag>(new LocalTag(tag.c_str(), kDottedHex));
}

void checkULDesignator(WString designator) {
    if (designator.size() != kULDesignatorLength)
        throw Exceptions::InvalidULDesignator(quotedText(designator), __FILE__, __LINE__);
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
