#include "Calculation/SystemRecord.hpp"
#include "Support/Utf8.hpp"

#include <cmath>
#include <utility>

namespace QRV {

bool SystemRecord::SameGroupAs(const SystemRecord& other) const
{
    if (attributeGuid != other.attributeGuid || basic != other.basic)
        return false;
    return !basic || std::fabs(thickness - other.thickness) < ThicknessTolerance;
}

nlohmann::json SystemRecord::ToJson() const& { return WithTotals(info); }

nlohmann::json SystemRecord::ToJson() &&
{
    nlohmann::json record = WithTotals(std::move(info));
    info = nlohmann::json::object();
    return record;
}

nlohmann::json SystemRecord::WithTotals(nlohmann::json record) const
{
    record["system_type"] = ToUtf8(systemType);
    record["type_id"] = typeId;
    record["area"] = area;
    return record;
}

}  // namespace QRV
