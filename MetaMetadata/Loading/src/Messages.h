#pragma once
// The openings of the load's messages about one declaration, named once: the
// loader throws them, and the schema check recognises by them which
// declaration a failed load stopped at.
namespace Palimo {
namespace MetaMetadata {
namespace Loading {
namespace Message {

inline constexpr char16_t kNoULDesignator[] = u"MetaElement Declaration with no UL Designator in ";
inline constexpr char16_t kUnknownDataType[] = u"MetaElement Declaration with unknown data type: ";
inline constexpr char16_t kUnknownSubDataType[] =
    u"MetaElement Declaration of type collection with unknown sub data type: ";
inline constexpr char16_t kCircularTargets[] = u"Circular substitution group in the targets of ";
inline constexpr char16_t kTooManyTargets[] =
    u"Too many substitution group members in the targets of ";
inline constexpr char kEmptyName[] = "Empty name attribute";
inline constexpr char16_t kCircularBaseTypeChain[] = u"Circular base type chain: ";

} // namespace Message
} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
