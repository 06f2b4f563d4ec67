#include <Palimo/MetaMetadata/AttributeRequiredStatus.h>

#include <cstring>

namespace Palimo {
namespace MetaMetadata {
namespace {

struct Spelling {
    const char* text; // lower case
    AttributeRequiredStatus::Status status;
};

const Spelling kSpellings[] = {
    {"required", AttributeRequiredStatus::Required},
    {"req", AttributeRequiredStatus::Required},
    {"optional", AttributeRequiredStatus::Optional},
    {"opt", AttributeRequiredStatus::Optional},
    {"best effort", AttributeRequiredStatus::BestEffort},
    {"besteffort", AttributeRequiredStatus::BestEffort},
    {"best eff.", AttributeRequiredStatus::BestEffort},
    {"decoder required", AttributeRequiredStatus::DecoderRequired},
    {"d/req", AttributeRequiredStatus::DecoderRequired},
    {"encoder required", AttributeRequiredStatus::EncoderRequired},
    {"e/req", AttributeRequiredStatus::EncoderRequired},
};

// Only ASCII letters fold: every accepted spelling is ASCII, so folding other
// characters could only make a non-ASCII text match by accident.
char16_t foldAscii(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? c - u'A' + u'a' : c;
}

bool equalsIgnoringCase(const WString& text, const char* lower) {
    const std::size_t length = std::strlen(lower);
    if (text.size() != length)
        return false;
    for (std::size_t i = 0; i < length; ++i)
        if (foldAscii(text[i]) != static_cast<char16_t>(lower[i]))
            return false;
    return true;
}

} // namespace

AttributeRequiredStatus& AttributeRequiredStatus::instance() {
    static AttributeRequiredStatus status;
    return status;
}

AttributeRequiredStatus::Status AttributeRequiredStatus::fromString(const WString& text) const {
    for (const Spelling& s : kSpellings)
        if (equalsIgnoringCase(text, s.text))
            return s.status;
    return Unknown;
}

const char* AttributeRequiredStatus::toString(Status status) const {
    switch (status) {
    case Required:
        return "Required";
    case Optional:
        return "Optional";
    case BestEffort:
        return "BestEffort";
    case DecoderRequired:
        return "DecoderRequired";
    case EncoderRequired:
        return "EncoderRequired";
    case Unknown:
        break;
    }
    return "Unknown";
}

} // namespace MetaMetadata
} // namespace Palimo
