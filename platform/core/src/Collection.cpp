// Arrays and batches of simple values.
#include <Palimo/Types/BaseType.h>

#include <Palimo/Exceptions/CoreExceptions.h>

namespace Palimo {
namespace Types {

Collection::Collection(const Collection& o) : BaseType(o), sizeArgument_(o.sizeArgument_) {
    items_.reserve(o.items_.size());
    for (const auto& item : o.items_)
        items_.emplace_back(static_cast<SimpleDataType*>(item->clone().release()));
}

void Collection::append(Templates::auto_ptr<BaseType> item) {
    if (!item)
        throw Exceptions::InvalidArgument(std::string("A collection item must not be null"),
                                          __FILE__, __LINE__);
    auto* simple = dynamic_cast<SimpleDataType*>(item.get());
    if (!simple)
        throw Exceptions::InvalidArgument(
            std::string("A collection item must be a simple value, not ") +
                identifierToString(item->identifier()),
            __FILE__, __LINE__);
    Templates::auto_ptr<SimpleDataType> owned(simple);
    item.release();
    items_.push_back(std::move(owned));
}

std::string Collection::text() const {
    std::string out = "{";
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (i > 0)
            out.push_back(',');
        out += items_[i]->text();
    }
    out.push_back('}');
    return out;
}

bool Collection::equals(const BaseType& o) const {
    if (o.identifier() != identifier())
        return false;
    const auto& c = static_cast<const Collection&>(o);
    if (c.sizeArgument_ != sizeArgument_ || c.items_.size() != items_.size())
        return false;
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (!items_[i]->equals(*c.items_[i]))
            return false;
    return true;
}

Templates::auto_ptr<BaseType> Array::clone() const {
    return Templates::auto_ptr<BaseType>(new Array(*this));
}

Templates::auto_ptr<BaseType> Batch::clone() const {
    return Templates::auto_ptr<BaseType>(new Batch(*this));
}

} // namespace Types
} // namespace Palimo
