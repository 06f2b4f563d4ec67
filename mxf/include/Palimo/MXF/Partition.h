#pragma once
// Partition packs: the KLV that opens every partition of an MXF file.
#include <Palimo/MXF/ByteSource.h>
#include <Palimo/MXF/Klv.h>

#include <cstdint>
#include <string>
#include <vector>

namespace Palimo {
namespace MXF {

struct PartitionPack {
    enum Kind { Header, Body, Footer };

    KlvHeader klv;
    Kind kind = Header;
    bool closed = false;   // the header metadata here is final
    bool complete = false; // every item of the header metadata is filled in
    std::uint16_t majorVersion = 0;
    std::uint16_t minorVersion = 0;
    std::uint32_t kagSize = 0;
    std::uint64_t thisPartition = 0; // offsets from the header partition pack's key
    std::uint64_t previousPartition = 0;
    std::uint64_t footerPartition = 0;
    std::uint64_t headerByteCount = 0;
    std::uint64_t indexByteCount = 0;
    std::uint32_t indexSID = 0;
    std::uint64_t bodyOffset = 0;
    std::uint32_t bodySID = 0;
    Label operationalPattern{};
    std::vector<Label> essenceContainers;
    /// Bytes of the value beyond the layout (88 + 16n), which are not read: a
    /// writer that pads its packs should not make its files unreadable.
    std::uint64_t bytesBeyondLayout = 0;
};

/// 06.0e.2b.34.02.05.01.vv.0d.01.02.01.01.kk.ss.00, any version byte vv, kind
/// kk 02 (header), 03 (body) or 04 (footer), status ss 01 to 04.
bool isPartitionPackKey(const Label& key);

/// Reads the value of the partition pack `klv` (whose key isPartitionPackKey
/// accepts) by its layout: the 88 bytes of its fixed part first, then the n
/// essence container labels its batch header counts. Throws MalformedMXFFile
/// (naming the pack's offset and the sizes) when its length is less than
/// 88 + 16n or more than Limits::kSetSize, or when the value is cut off;
/// never reads beyond that layout (bytesBeyondLayout says how many there are).
PartitionPack readPartitionPack(const ByteSource& source, const KlvHeader& klv);

/// Reads the partition pack whose key is at `offset` in the file. Throws
/// MalformedMXFFile (naming the offset) when no partition pack is there or
/// the one there is malformed or cut off.
PartitionPack readPartitionPackAt(const ByteSource& source, std::uint64_t offset);

/// "header", "body" or "footer".
const char* kindName(PartitionPack::Kind kind);
/// "closed complete", "open incomplete", ...
std::string statusText(const PartitionPack& pack);

} // namespace MXF
} // namespace Palimo
