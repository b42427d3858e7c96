// What the property and classification writers look up in the host, remembered for one run of writes:
// the property groups by name, the definitions by group and name (with their availability), the add-on's
// classification item and the classification items of the target being written. A run is one stretch of
// work on the host thread in which only the run itself changes these (one import's writes, one stamping
// of the model, one notification); a new run starts with a new object, so nothing outlives what it saw.
//
// The host finds neither groups nor definitions by name: the groups are listed once per run, the
// definitions of a group the run did not create once per run when the first of them is needed, and both
// are then found through the run's index, so a run costs in proportion to what it writes.
#pragma once

#include "APIdefs_Attributes.h"
#include "APIdefs_Properties.h"

#include <map>
#include <optional>
#include <set>
#include <string>

namespace QRV {

class HostLookups {
public:
    // The custom group of that name, found among the host's groups or created, once per name. A name the
    // host keeps for a group of its own is refused with a log line (APIERR_BADNAME), nothing created.
    GSErrCode PropertyGroup(const GS::UniString& name, API_PropertyGroup& group);
    // Whether the host holds a group of that name of its own (built in), which takes no custom definitions.
    // False when the host cannot list its groups (the write then meets the host's own refusal).
    bool IsHostOwnGroup(const GS::UniString& name);

    // The definition of that name in the group, as the host holds it or this run left it; null when the
    // group has none of that name. `err` is the host's code when it could not list the group's definitions.
    const API_PropertyDefinition* Definition(const API_PropertyGroup& group, const GS::UniString& name,
                                             GSErrCode& err);
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

    GSErrCode ListGroups();

    bool groupsListed_ = false;
    std::map<std::string, API_PropertyGroup> groups_;       // every group of the host, by name
    std::set<std::string> groupsWithKnownDefinitions_;      // by group GUID: listed, or created by this run
    std::map<std::string, API_PropertyDefinition> definitions_;  // by group GUID and name
    API_Guid classificationItem_{};
    std::optional<Target> target_;
};

}  // namespace QRV
