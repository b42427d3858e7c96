// Which imported catalogue items are older than the catalogue: the page sends the current change stamps,
// the project holds the stamps the items had when they were imported.
#pragma once

#include "APIdefs_Attributes.h"
#include "UniString.hpp"

#include <nlohmann/json.hpp>

#include <optional>
#include <unordered_map>
#include <string>
#include <vector>

namespace QRV {

class ProjectStatusReport {
public:
    // The request {"materials_and_products": [{"id", "update_at"}, ...]}. A text that does not have this
    // form gives nothing, with the problem in the log.
    static std::optional<ProjectStatusReport> FromRequest(const GS::UniString& text);

    // The stored ids of the outdated items: building materials, then composites, then products.
    nlohmann::json OutdatedItems() const;

    // Appends the stored id of one stored property list when the request knows that id with a newer stamp.
    // Products only take the properties of the group "Corvana"; a text that is no property list counts as
    // no item.
    void AddIfOutdated(const std::string& storedText, bool onlyCatalogueGroup, nlohmann::json& ids) const;

private:
    struct CurrentStamp {
        GS::UniString idText;  // the request's id through the text conversion
        Int64 updateAt = 0;
    };

    nlohmann::json OutdatedAttributes(API_AttrTypeID typeID) const;
    nlohmann::json OutdatedProducts() const;

    std::vector<CurrentStamp> current_;
    // The newest catalogue stamp of each id: an item is outdated when any stamp of its id is newer, which
    // is when the newest one is.
    std::unordered_map<std::string, Int64> newest_;
};

}  // namespace QRV
