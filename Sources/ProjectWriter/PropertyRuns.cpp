#include "PropertyRuns.hpp"

#include "ACAPinc.h"
#include "Support/LogStream.hpp"
#include "Support/UndoStep.hpp"
#include "HostLookups.hpp"

namespace QRV {

PropertyTexts TextsOf(const CorvanaProperty& property)
{
    return PropertyTexts{property.GetGroup(), property.GetName(), property.GetType(), property.GetValue()};
}

GSErrCode DefinePropertiesUndoable(const CorvanaProperties& properties, const API_Attr_Head& attrHeader,
                                   const API_Guid& elemGuid, const char* stepName, HostLookups& lookups,
                                   const std::function<void()>& leading)
{
    if (properties.IsEmpty() && !leading)
        return NoError;
    return RunInUndoStep(stepName, [&]() -> GSErrCode {
        if (leading)
            leading();
        return DefineProperties(properties, attrHeader, elemGuid, lookups);
    });
}

GSErrCode DefineProperties(const CorvanaProperties& properties, const API_Attr_Head& attrHeader,
                           const API_Guid& elemGuid)
{
    HostLookups lookups;
    return DefineProperties(properties, attrHeader, elemGuid, lookups);
}

GSErrCode DefineProperties(const CorvanaProperties& properties, const API_Attr_Head& attrHeader,
                           const API_Guid& elemGuid, HostLookups& lookups)
{
    // A list the host would take only in part is not written at all, so no target is left with part of it.
    for (const auto& property : properties.All())
        if (const GSErrCode refused = RefusedPropertyName(TextsOf(property), lookups); refused != NoError)
            return refused;
    GSErrCode last = NoError;
    for (const auto& property : properties.All()) {
        GSErrCode err = DefineNewProperty(TextsOf(property), attrHeader, elemGuid, lookups);
        if (err != NoError)
            last = err;
    }
    return last;
}

bool ParseStoredProperties(const std::string& text, CorvanaProperties& properties, const std::string& origin)
{
    Json document = Json::parse(text, nullptr, false);
    if (document.is_discarded() || !document.is_array()) {
        LogStream::Instance().Warning(origin + ": the stored properties are not a JSON list; ignored");
        return false;
    }
    try {
        properties = CorvanaProperties::FromJson(document);
    } catch (const std::exception& e) {
        LogStream::Instance().Warning(origin + ": the stored properties cannot be read (" + e.what() + "); ignored");
        return false;
    }
    return true;
}

}  // namespace QRV
