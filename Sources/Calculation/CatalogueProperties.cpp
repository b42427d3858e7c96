#include "Calculation/CatalogueProperties.hpp"
#include "Support/Utf8.hpp"

#include "Support/Utf8.hpp"
#include "GSDebug.hpp"
#include "ProjectWriter/StoredTexts.hpp"

#include <exception>

namespace QRV::CatalogueProperties {

bool Parse(const std::string& text, CorvanaProperties& properties, const GS::UniString& origin)
{
    properties = CorvanaProperties();
    if (text.empty())
        return false;
    const Json document = Json::parse(text, nullptr, false);
    if (!document.is_discarded() && document.is_array()) {
        try {
            properties = CorvanaProperties::FromJson(document);
            return true;
        } catch (const std::exception&) {
            properties = CorvanaProperties();
        }
    }
    DBPrintf("%s: the stored catalogue properties are no property list; taken as none\n", ToUtf8(origin).c_str());
    return false;
}

CorvanaProperties OfAttribute(const API_Attribute& attribute, bool* textStored)
{
    CorvanaProperties properties;
    std::string text;
    if (GetUserData(attribute, text) != NoError)
        text.clear();
    Parse(text, properties, FromUtf8(attribute.header.name));
    if (textStored != nullptr)
        *textStored = !text.empty();
    return properties;
}

bool OfProduct(const GS::UniString& name, CorvanaProperties& properties)
{
    properties = CorvanaProperties();
    std::string text;
    if (!ReadNamedProperties(name, text))
        return false;
    Parse(text, properties, NamedPropertiesEntry(name));
    return true;
}

}  // namespace QRV::CatalogueProperties
