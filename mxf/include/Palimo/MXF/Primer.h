#pragma once
// The primer pack: the file's table from 2-byte local tags to the universal
// labels of the items that the local sets of its header metadata hold.
#include <Palimo/MXF/ByteSource.h>
#include <Palimo/MXF/Klv.h>

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace Palimo {
namespace MXF {

class Primer {
public:
    /// 06.0e.2b.34.02.05.01.vv.0d.01.02.01.01.05.01.00, any version byte.
    static bool isPrimerKey(const Label& key);

    /// Reads the primer pack `klv`. Its value is a batch of 18-byte entries
    /// (tag, label); throws MalformedMXFFile unless the batch header says
    /// 18-byte entries and their count fills the value exactly. The batch
    /// header is read and checked first, then the entries.
    static Primer read(const ByteSource& source, const KlvHeader& klv);

    /// The primer pack `klv` from its value (`size` bytes at `value`), as far
    /// as it can be read: none of its entries when the value is too short for
    /// the batch header or the header does not say 18-byte entries, else the
    /// whole entries that both its count and the value hold. `problem` says
    /// what does not fit ("the primer pack at byte 512 lists 2147483648
    /// entries of 18 bytes in 1800 bytes..."); it is left empty when the
    /// primer is sound.
    static Primer parse(const KlvHeader& klv, const std::uint8_t* value, std::size_t size,
                        std::string& problem);

    Primer() = default;
    /// The label of `tag`, or null. A tag listed twice maps to its first label.
    const Label* find(std::uint16_t tag) const;
    std::size_t size() const { return entries_.size(); }
    const KlvHeader& klv() const { return klv_; }
    /// Entries in file order.
    const std::vector<std::pair<std::uint16_t, Label>>& entries() const { return entries_; }
    /// Tags listed more than once, each once, in order of their second listing.
    const std::vector<std::uint16_t>& repeatedTags() const { return repeated_; }

private:
    KlvHeader klv_;
    std::vector<std::pair<std::uint16_t, Label>> entries_;
    struct Listed {
        Label label;
        bool repeated;
    };
    std::map<std::uint16_t, Listed> byTag_;
    std::vector<std::uint16_t> repeated_;
};

} // namespace MXF
} // namespace Palimo
