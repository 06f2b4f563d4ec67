#include <MetaMetadata/Loading/XSDDictionaryLoader.h>

#include "LoaderState.h"
#include "Pipeline.h"

#include <Palimo/Exceptions/CoreExceptions.h>
#include <Palimo/Platform/Allocator.h>

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

namespace {

template <class Unit>
WString copyPath(const Unit* path) {
    if (path == nullptr)
        throw Exceptions::InvalidArgument(u"XSDDictionaryLoader::load: the schema path is null",
                                          __FILE__, __LINE__);
    WString copy;
    for (; *path != 0; ++path)
        copy.push_back(static_cast<char16_t>(*path));
    return copy;
}

} // namespace

XSDDictionaryLoader::XSDDictionaryLoader() : state_(new LoaderState()) {}

XSDDictionaryLoader::~XSDDictionaryLoader() {
    delete state_;
}

void XSDDictionaryLoader::load(const unsigned short* path, Dictionary& dictionary) {
    loadSchemaFile(*state_, copyPath(path), dictionary);
}

void XSDDictionaryLoader::load(const XMLCh* path, Dictionary& dictionary) {
    loadSchemaFile(*state_, copyPath(path), dictionary);
}

void XSDDictionaryLoader::loadMetaElementDocumentation(bool on) {
    state_->options.metaElementDocumentation = on;
}

void XSDDictionaryLoader::loadMetaElementLengthDescription(bool on) {
    state_->options.metaElementLengthDescription = on;
}

void XSDDictionaryLoader::loadAbstractGroups(bool on) {
    state_->options.abstractGroups = on;
}

void* XSDDictionaryLoader::operator new(std::size_t size) {
    return Platform::malloc_alloc::allocate(size);
}

void* XSDDictionaryLoader::operator new[](std::size_t size) {
    return Platform::malloc_alloc::allocate(size);
}

void XSDDictionaryLoader::operator delete(void* p, std::size_t size) noexcept {
    Platform::malloc_alloc::deallocate(p, size);
}

void XSDDictionaryLoader::operator delete[](void* p, std::size_t size) noexcept {
    Platform::malloc_alloc::deallocate(p, size);
}

void* XSDDictionaryLoader::operator new(std::size_t, void* where) noexcept {
    return where;
}

void* XSDDictionaryLoader::operator new[](std::size_t, void* where) noexcept {
    return where;
}

void XSDDictionaryLoader::operator delete(void*, void*) noexcept {}

void XSDDictionaryLoader::operator delete[](void*, void*) noexcept {}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
