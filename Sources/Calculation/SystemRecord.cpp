#include "Calculation/SystemRecord.hpp"

#include <cmath>

namespace QRV {

bool SystemRecord::IsBasic() const
{
    auto subtype = info.find("subtype");
    return subtype != info.end() && *subtype == "Basic";
}

bool SystemRecord::SameGroupAs(const SystemRecord& other) const
{
    if (attributeGuid != other.attributeGuid || IsBasic() != other.IsBasic())
        return false;
    return !IsBasic() || std::fabs(thickness - other.thickness) < ThicknessTolerance;
}

nlohmann::json SystemRecord::ToJson() const
{
    nlohmann::json record = info;
    record["system_type"] = systemType.ToStdString();
    record["type_id"] = typeId;
    record["area"] = area;
    return record;
}

}  // namespace QRV
