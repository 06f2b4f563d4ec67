#include "MetaMetadata/Loading/schema/QueryCache.h"

#include "MetaMetadata/Loading/schema/XPathQueries.h"

namespace Palimo {
namespace MetaMetadata {
namespace Loading {

QueryCache::~QueryCache() {
    for (auto& entry : expressions)
        entry.second->release();
}

QueryCache* queryCache(LoaderState& state) {
    if (state.schemaDocument == nullptr)
        return nullptr;
    if (state.queryCache != nullptr && (state.queryCache->document != state.schemaDocument ||
                                        state.queryCache->resolver != state.nsResolver))
        releaseQueryCache(state);
    if (state.queryCache == nullptr)
        state.queryCache = std::make_unique<QueryCache>(state.schemaDocument, state.nsResolver);
    return state.queryCache.get();
}

void releaseQueryCache(LoaderState& state) noexcept {
    state.queryCache.reset();
}

} // namespace Loading
} // namespace MetaMetadata
} // namespace Palimo
