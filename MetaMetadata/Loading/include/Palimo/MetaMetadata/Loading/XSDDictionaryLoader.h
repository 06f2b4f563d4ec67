#pragma once
// Loads an MXF metadata dictionary written as a W3C XML Schema into a
// Palimo::MetaMetadata::Dictionary.
#include <MetaMetadata/Loading/Exceptions.h>
#include <MetaMetadata/Loading/Export.h>

#include <Palimo/MetaMetadata/Dictionary.h>

#include <cstddef>
#include <xercesc/util/XercesDefs.hpp>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

struct LoaderState;

/// One loader loads one dictionary: construct, set any switches, call load
/// once, destroy. A load either fills the dictionary or throws an exception
/// derived from Palimo::Exceptions::BaseException (ParseError,
/// InvalidULDesignator, InvalidMetaElementDeclaration, or a core library
/// exception); after a failure the dictionary keeps what was added before it.
/// One loader serves one thread at a time; separate loaders may run at once.
class PALIMO_LOADER_API XSDDictionaryLoader {
public:
    XSDDictionaryLoader();
    ~XSDDictionaryLoader();
    XSDDictionaryLoader(const XSDDictionaryLoader&) = delete;
    XSDDictionaryLoader& operator=(const XSDDictionaryLoader&) = delete;

    /// Loads the schema file at `path` (NUL-terminated UTF-16; backslashes are
    /// taken as slashes) and what it includes or imports into `dictionary`.
    /// Only the first call loads; later calls only record the path.
    void load(const unsigned short* path, Dictionary& dictionary);
    void load(const XMLCh* path, Dictionary& dictionary);

    /// Add the "Documentation" property (xs:documentation) to elements and sets.
    void loadMetaElementDocumentation(bool on);
    /// Add the "LengthDescription" property ("Length" annotation).
    void loadMetaElementLengthDescription(bool on);
    /// Stored; a load gives the same dictionary whichever value it holds.
    void loadAbstractGroups(bool on);

    static void* operator new(std::size_t size);
    static void* operator new[](std::size_t size);
    static void operator delete(void* p, std::size_t size) noexcept;
    static void operator delete[](void* p, std::size_t size) noexcept;
    static void* operator new(std::size_t size, void* where) noexcept;
    static void* operator new[](std::size_t size, void* where) noexcept;
    static void operator delete(void* p, void* where) noexcept;
    static void operator delete[](void* p, void* where) noexcept;

private:
    LoaderState* state_;
};

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
