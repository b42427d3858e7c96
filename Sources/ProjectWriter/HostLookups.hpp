// What the property and classification writers look up in the host, remembered for one run of writes:
// the property groups by name, the definitions by group and name (with their availability), the add-on's
// classification item and the classification items of the target being written. A run is one stretch of
// work on the host thread in which only the run itself changes these (one import's writes, one stamping
// of the model, one notification); a new run starts with a new object, so nothing outlives what it saw.
#pragma once

#include "APIdefs_Attributes.h"
#include "APIdefs_Properties.h"

#include <map>
#include <optional>
#include <string>

namespace QRV {

class HostLookups {
public:
    // The custom group of that name, found among the host's groups or created, once per name.
    GSErrCode PropertyGroup(const GS::UniString& name, API_PropertyGroup& group);

    // A definition this run created or found in the group, or null.
    const API_PropertyDefinition* KnownDefinition(const API_Guid& group, const GS::UniString& name) const;
    void RememberDefinition(const API_PropertyDefinition& definition);

    // The add-on's classification item; null when the host refused (asked again next time).
    API_Guid ClassificationItem();

    // The classification items of the attribute (`elemGuid` null) or the element, read once per target
    // until the run classifies that target again. The host's code; on a refusal nothing is remembered.
    GSErrCode TargetItems(const API_Attr_Head& attrHeader, const API_Guid& elemGuid, GS::Array<API_Guid>& items);
    void ForgetTargetItems() { target_.reset(); }

private:
    struct Target {
        std::string key;
        GS::Array<API_Guid> items;
    };

    std::map<std::string, API_PropertyGroup> groups_;
    std::map<std::string, API_PropertyDefinition> definitions_;  // by group GUID and name
    API_Guid classificationItem_{};
    std::optional<Target> target_;
};

}  // namespace QRV
