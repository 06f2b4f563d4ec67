#pragma once
// The primer pack: the file's table from 2-byte local tags to the universal
// labels of the items that the local sets of its header metadata hold.
#include <Palimo/MXF/ByteSource.h>
#include <Palimo/MXF/Klv.h>

#include <cstdint>
#include <map>
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
    /// 18-byte entries and their count fills the value exactly.
    static Primer read(const ByteSource& source, const KlvHeader& klv);

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
