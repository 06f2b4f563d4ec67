#pragma once
// The header metadata of one partition from its bytes in memory: the primer
// pack and every KLV, read as far as they can be, with a problem for each
// fault of their structure.
#include <Palimo/MXF/HeaderMetadata.h>

#include <cstdint>
#include <vector>

namespace Palimo {
namespace MXF {

/// Reads the header metadata from `bytes`, which hold the file from `offset`
/// (where the primer pack's key should be) on, HeaderByteCount bytes up to
/// `end`, or fewer when the file ends sooner. Fills `metadata.primer`,
/// `metadata.sets` and `metadata.problems` (see readHeaderMetadata).
void parseHeaderMetadata(const std::vector<std::uint8_t>& bytes, std::uint64_t offset,
                         std::uint64_t end, HeaderMetadata& metadata);

} // namespace MXF
} // namespace Palimo
