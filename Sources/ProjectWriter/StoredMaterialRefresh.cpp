#include "ProjectWriter/StoredMaterialRefresh.hpp"

#include "ACAPinc.h"
#include "Support/HostErrorReport.hpp"
#include "GSDebug.hpp"
#include "Parsing/Items/CorvanaProperties.hpp"
#include "ProjectWriter/StoredTexts.hpp"

#include <exception>
#include <utility>
#include <vector>

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
    std::vector<std::pair<const API_Attribute*, std::string>> rewrites;
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
        if (*stored != text)
            rewrites.emplace_back(&attribute, *stored);
    }
    if (rewrites.empty())
        return 0;
    // Attribute user data is no undoable change, and bringing a list into its form is nothing the user did:
    // the lists are rewritten in one command of the host's, which adds no step to the undo history.
    int rewritten = 0;
    const GSErrCode err = ACAPI_CallCommand(GS::UniString("Rewrite stored material properties"), [&]() -> GSErrCode {
        for (const auto& [attribute, text] : rewrites)
            if (AddUserData(*attribute, text) == NoError)
                ++rewritten;
        return NoError;
    });
    if (err != NoError)
        ReportHostError(err, "StoredMaterialRefresh::ACAPI_CallCommand");
    return rewritten;
}

}  // namespace QRV
