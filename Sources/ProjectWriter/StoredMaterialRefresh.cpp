#include "ProjectWriter/StoredMaterialRefresh.hpp"

#include "ACAPinc.h"
#include "GSDebug.hpp"
#include "Parsing/Items/CorvanaProperties.hpp"
#include "ProjectWriter/StoredTexts.hpp"

#include <exception>

namespace QRV {
namespace {

// The list in the form the import writes it; nothing when the text is no property list.
std::optional<std::string> StoredForm(const std::string& text)
{
    const Json document = Json::parse(text, nullptr, false);
    if (document.is_discarded() || !document.is_array())
        return std::nullopt;
    try {
        return CorvanaProperties::FromJson(document).ToJsonText();
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

}  // namespace

std::optional<std::string> StoredMaterialRefresh::RewrittenText(const std::string& storedText)
{
    std::optional<std::string> stored = StoredForm(storedText);
    if (!stored || *stored == storedText)
        return std::nullopt;
    return stored;
}

int StoredMaterialRefresh::Run()
{
    UInt32 count = 0;
    if (ACAPI_Attribute_GetNum(API_BuildingMaterialID, &count) != NoError)
        return 0;
    int rewritten = 0;
    for (UInt32 index = 1; index <= count; ++index) {
        API_Attribute attribute;
        attribute.header.typeID = API_BuildingMaterialID;
        attribute.header.index = ACAPI_CreateAttributeIndex(static_cast<Int32>(index));
        std::string text;
        if (ACAPI_Attribute_Get(&attribute) != NoError || GetUserData(attribute, text) != NoError || text.empty())
            continue;
        const std::optional<std::string> stored = StoredForm(text);
        if (!stored) {
            DBPrintf("Building material %s: the stored properties are no property list; left as they are\n",
                     attribute.header.name);
            continue;
        }
        if (*stored == text)
            continue;
        const GSErrCode err = ACAPI_CallUndoableCommand(GS::UniString("Create material property"), [&]() {
            return AddUserData(attribute, *stored);
        });
        if (err == NoError)
            ++rewritten;
    }
    return rewritten;
}

}  // namespace QRV
