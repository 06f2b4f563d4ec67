#include "LoadRules.h"

#include "SchemaDom.h"
#include "elements/LabelsAndTags.h"
#include "elements/TypeResolution.h"
#include "schema/Annotations.h"
#include "schema/DomText.h"
#include "schema/NameIndex.h"

#include <Palimo/Exceptions/BaseException.h>
#include <Palimo/Types/BaseType.h>
#include <Palimo/Types/Identifiers.h>
#include <Palimo/Types/LocalTag.h>
#include <Palimo/Utils/StringConversion.h>
#include <Palimo/XMLUtils/QuotedText.h>

namespace Palimo {
namespace Check {

namespace {

namespace Ids = Types::Identifiers;
namespace Loading = MetaMetadata::Loading;

bool isCollection(Ids::Identifier id) {
    return id == Ids::Array || id == Ids::Batch;
}

std::string quote(const WString& text) {
    return "\"" + Utils::wstringToString(XMLUtils::quotedText(text)) + "\"";
}

// The message the loader's reading of `text` fails with; none when it reads.
template <class Read>
std::optional<std::string> failureOf(const std::string& text, Read read) {
    try {
        read(Utils::stringToWstring(text));
    } catch (const Exceptions::BaseException& e) {
        return std::string(e.what());
    }
    return std::nullopt;
}

} // namespace

std::string loaderQuoted(const std::string& text) {
    return Utils::wstringToString(XMLUtils::quotedText(Utils::stringToWstring(text)));
}

std::optional<std::string> labelFailure(const std::string& text) {
    return failureOf(text, Loading::universalLabelOfText);
}

std::optional<std::string> localTagFailure(const std::string& text) {
    return failureOf(text, Loading::localTagOfText);
}

std::optional<UnknownType> unknownType(const SchemaSet& set,
                                       const xercesc::DOMElement& declaration) {
    const Loading::Schema& schema = set.loaderSchema();
    Ids::Identifier dataType = Ids::NoIdentifier;
    Ids::Identifier subType = Ids::NoIdentifier;
    Loading::resolveDataType(schema, &declaration, dataType, subType);
    if (dataType != Ids::NoIdentifier && (!isCollection(dataType) || subType != Ids::NoIdentifier))
        return std::nullopt;

    // Which text the load stopped at, in the order it reads them.
    const WString typeName =
        Loading::declarationAttribute(schema, &declaration, Loading::DeclarationAttribute::Type)
            .value_or(WString());
    if (!Loading::stripNamespacePrefix(typeName).empty())
        return isCollection(dataType)
                   ? UnknownType{true, "the type " + quote(typeName) +
                                           " is a collection whose item type is not written"}
                   : UnknownType{false, "the type " + quote(typeName) +
                                            " is no data type the loader knows"};
    const std::optional<WString> base = Loading::typeBaseText(schema, &declaration);
    if (!base)
        return UnknownType{false, "it has no type, and no anonymous type derived from one"};
    if (!isCollection(dataType))
        return UnknownType{false, "the base " + quote(*base) +
                                      " of its anonymous type is no data type the loader knows"};
    if (const std::optional<WString> item = Loading::collectionMemberTypeText(schema, &declaration))
        return UnknownType{true,
                           "the item type " + quote(*item) + " is no data type the loader knows"};
    return UnknownType{true, "its anonymous type, derived from " + quote(*base) +
                                 ", declares no item element with a type"};
}

bool isCollectionDeclaration(const SchemaSet& set, const xercesc::DOMElement& declaration) {
    const Loading::Schema& schema = set.loaderSchema();
    Ids::Identifier dataType = Ids::NoIdentifier;
    Ids::Identifier subType = Ids::NoIdentifier;
    Loading::resolveDataType(schema, &declaration, dataType, subType);
    return isCollection(dataType);
}

bool breaksPastedLiteral(const std::string& name) {
    return !Loading::literalValue(Utils::stringToWstring(name));
}

std::string soughtName(const std::string& name) {
    return Utils::wstringToString(Loading::soughtName(Utils::stringToWstring(name)));
}

} // namespace Check
} // namespace Palimo
