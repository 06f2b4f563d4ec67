#include "WeakReferences.h"

#include "ValueWalk.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string>

namespace Palimo {
namespace MXF {
namespace {

using TypeDefinitions::TypeKind;

// The bytes of an identifier value, to compare identifiers of any kind.
std::optional<std::string> identifierBytes(const Value::Data& data) {
    const auto text = [](const std::uint8_t* bytes, std::size_t size) {
        return std::string(reinterpret_cast<const char*>(bytes), size);
    };
    if (const auto* auid = std::get_if<NamedAUID>(&data))
        return text(auid->auid.label().data(), 16);
    if (const auto* uuid = std::get_if<Identifiers::UUID>(&data))
        return text(uuid->data(), 16);
    if (const auto* umid = std::get_if<Identifiers::UMID>(&data))
        return text(umid->data(), umid->size());
    return std::nullopt;
}

class Resolver {
public:
    Resolver(DecodedFile& file, const TypeDefinitions::TypeDictionary* types)
        : file_(file), identifiers_(file.sets.size()) {
        for (std::size_t i = 0; i < file.sets.size(); ++i) {
            const DecodedSet& set = file.sets[i];
            if (set.instanceUID)
                byInstanceUID_.emplace(*set.instanceUID, i);
            const Label* identifier = types ? types->uniqueIdentifier(set.klv.key) : nullptr;
            if (!identifier)
                continue;
            for (const DecodedItem& item : set.items)
                if (item.label && item.value && item.label->equalIgnoringVersion(*identifier)) {
                    if (const auto bytes = identifierBytes(item.value->data))
                        byIdentifier_.emplace(*bytes, i);
                    identifiers_[i] = item.value->data;
                    break;
                }
        }
    }

    void run() {
        for (DecodedSet& set : file_.sets)
            for (DecodedItem& item : set.items)
                if (item.reference == DecodedItem::Reference::Weak && item.value)
                    forEachValue(*item.value, [&](Value& value) {
                        if (isWeakReference(value))
                            item.weakTargets.push_back(resolve(value));
                    });
    }

private:
    // Decoded by definition: of a WeakReference type. By flat type: every
    // identifier in the value.
    static bool isWeakReference(const Value& value) {
        if (value.type)
            return value.type->resolved().kind == TypeKind::WeakReference;
        return identifierBytes(value.data).has_value();
    }

    std::size_t resolve(Value& value) {
        const auto bytes = identifierBytes(value.data);
        if (!bytes)
            return kNoSet;
        // MXF writers store some weak references as the InstanceID of their
        // target (PrimaryPackage, the type references of a MetaDictionary).
        if (bytes->size() == 16) {
            Identifiers::UUID::Bytes uid;
            std::copy(bytes->begin(), bytes->end(), uid.begin());
            const auto found = byInstanceUID_.find(Identifiers::UUID(uid));
            if (found != byInstanceUID_.end()) {
                const std::size_t target = found->second;
                if (value.type && identifiers_[target])
                    value.data = *identifiers_[target];
                return target;
            }
        }
        const auto found = byIdentifier_.find(*bytes);
        return found == byIdentifier_.end() ? kNoSet : found->second;
    }

    DecodedFile& file_;
    std::map<Identifiers::UUID, std::size_t> byInstanceUID_;
    std::map<std::string, std::size_t> byIdentifier_;
    std::vector<std::optional<Value::Data>> identifiers_; // per set
};

} // namespace

void resolveWeakReferences(DecodedFile& file, const TypeDefinitions::TypeDictionary* types) {
    Resolver(file, types).run();
}

} // namespace MXF
} // namespace Palimo
