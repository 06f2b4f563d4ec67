#include <Palimo/Types/BaseTypeFactory.h>

#include <Palimo/Exceptions/CoreExceptions.h>

#include <array>
#include <string>

namespace Palimo {
namespace Types {
namespace Factories {
namespace {

using namespace Identifiers;

constexpr int kCount = LastIdentifier + 1;

std::size_t encodedSize(Identifier id) {
    switch (id) {
    case Boolean:
    case Int8:
    case UInt8:
        return 1;
    case RGBAComponent:
        return 2;
    case J2KComponentSizing:
        return 3;
    case Int16:
    case UInt16:
    case UTF16:
    case VersionType:
        return 2;
    case Int32:
    case UInt32:
    case Float32:
    case DateStruct:
    case TimeStruct:
    case ColorPrimary:
        return 4;
    case Int64:
    case UInt64:
    case Length:
    case Position:
    case Rational:
    case Timestamp:
    case Float64:
        return 8;
    case ProductVersion:
        return 10;
    case UniversalLabel:
    case UUID:
    case AUID:
    case StrongReference:
    case WeakReference:
        return 16;
    case UMID32:
        return 32;
    case UMID64:
        return 64;
    default:
        return 0;
    }
}

const std::array<TypeDescription, kCount>& table() {
    static const std::array<TypeDescription, kCount> descriptions = [] {
        std::array<TypeDescription, kCount> t{};
        for (int i = 0; i < kCount; ++i) {
            const auto id = static_cast<Identifier>(i);
            t[i] = TypeDescription{id, identifierToString(id), encodedSize(id),
                                   id == Array || id == Batch,
                                   id == StrongReference || id == WeakReference};
        }
        return t;
    }();
    return descriptions;
}

[[noreturn]] void unsupported(const char* what, Identifier id) {
    throw Exceptions::UnsupportedDataType(
        std::string("Unsupported ") + what +
            " data type identifier: " + std::to_string(static_cast<int>(id)),
        __FILE__, __LINE__);
}

} // namespace

BaseTypeFactory& BaseTypeFactory::instance() {
    static BaseTypeFactory factory;
    table();
    return factory;
}

const TypeDescription& BaseTypeFactory::elementType(Identifier id) const {
    const int value = static_cast<int>(id);
    if (value < 0 || value >= kCount || id == NoIdentifier)
        unsupported("element", id);
    return table()[value];
}

const TypeDescription& BaseTypeFactory::collectionType(Identifier id) const {
    if (id != Array && id != Batch)
        unsupported("collection", id);
    return table()[static_cast<int>(id)];
}

} // namespace Factories
} // namespace Types
} // namespace Palimo
