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
    // The host's list: indices may have gaps, and the count of attributes is no highest index.
    GS::Array<API_Attribute> attributes;
    if (ACAPI_Attribute_GetAttributesByType(API_BuildingMaterialID, attributes) != NoError)
        return 0;
    int rewritten = 0;
    for (const API_Attribute& attribute : attributes) {
        std::string text;
        if (GetUserData(attribute, text) != NoError || text.empty())
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
