#pragma once
#include <Palimo/Templates/String.h>

namespace Palimo {
namespace MetaMetadata {

/// Whether a set member must be present.
class AttributeRequiredStatus {
public:
    // Fixed underlying type: out-of-range values are refused, not undefined.
    enum Status : int { Required, Optional, BestEffort, DecoderRequired, EncoderRequired, Unknown };

    static AttributeRequiredStatus& instance();

    /// Case-insensitive: "required"/"req", "optional"/"opt",
    /// "best effort"/"besteffort"/"best eff.", "decoder required"/"d/req",
    /// "encoder required"/"e/req". Any other text, the empty one included,
    /// gives Unknown. Never throws.
    Status fromString(const WString& text) const;
    /// "Required", "Optional", "BestEffort", "DecoderRequired",
    /// "EncoderRequired", "Unknown".
    const char* toString(Status status) const;

private:
    AttributeRequiredStatus() = default;
};

} // namespace MetaMetadata
} // namespace Palimo
