#include "RegisterLabels.h"

namespace Palimo {
namespace Registers {

std::optional<Label> parseRegisterLabel(const std::string& text) {
    const std::optional<Label> label = Label::parse(text);
    if (!label)
        return std::nullopt;
    // Label::parse takes every form; the register's is the urn, letter for
    // letter but for case.
    const std::string urn = label->urn();
    if (text.size() != urn.size())
        return std::nullopt;
    for (std::size_t i = 0; i < urn.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != urn[i])
            return std::nullopt;
    }
    return label;
}

Label localSetKey(const Label& group) {
    Label::Bytes bytes = group.bytes();
    bytes[5] = 0x53;
    return Label(bytes);
}

} // namespace Registers
} // namespace Palimo
