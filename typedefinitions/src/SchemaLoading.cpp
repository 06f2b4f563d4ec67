#include <Palimo/TypeDefinitions/SchemaLoading.h>

#include "LoaderState.h"
#include "Pipeline.h"
#include "SchemaTypeReader.h"

#include <Palimo/Utils/StringConversion.h>

namespace Palimo {
namespace TypeDefinitions {

void loadDictionary(const std::string& path, const LoadSwitches& switches,
                    MetaMetadata::Dictionary& dictionary, TypeDictionary& types) {
    MetaMetadata::Loading::LoaderState state;
    state.options.metaElementDocumentation = switches.documentation;
    state.options.metaElementLengthDescription = switches.lengthDescription;
    state.afterBuilders = [&types](const MetaMetadata::Loading::Schema& schema,
                                   MetaMetadata::Dictionary& filled) {
        readSchemaTypes(schema, filled, types);
    };
    MetaMetadata::Loading::loadSchemaFile(state, Utils::stringToWstring(path), dictionary);
}

} // namespace TypeDefinitions
} // namespace Palimo
