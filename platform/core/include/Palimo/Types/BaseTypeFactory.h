#pragma once
#include <Palimo/Types/Identifiers.h>

#include <cstddef>

namespace Palimo {
namespace Types {
namespace Factories {

/// What the library knows of a data type.
struct TypeDescription {
    Identifier identifier;
    const char* name;  // identifierToString(identifier)
    std::size_t size;  // encoded size in bytes; 0 when variable
    bool isCollection; // Array or Batch
    bool isReference;  // StrongReference or WeakReference
};

/// Registry of the data types that meta elements may have.
class BaseTypeFactory {
public:
    static BaseTypeFactory& instance();
    /// The description of an element data type: any identifier of the
    /// enumeration except NoIdentifier. Throws Exceptions::UnsupportedDataType
    /// for NoIdentifier and for values outside the enumeration.
    const TypeDescription& elementType(Identifier id) const;
    /// The description of a collection type: Array or Batch only; throws
    /// Exceptions::UnsupportedDataType otherwise.
    const TypeDescription& collectionType(Identifier id) const;

private:
    BaseTypeFactory() = default;
};

} // namespace Factories
} // namespace Types
} // namespace Palimo
