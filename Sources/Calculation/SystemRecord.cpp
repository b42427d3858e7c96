#include "Calculation/SystemRecord.hpp"
#include "Support/Utf8.hpp"

#include <cmath>

namespace QRV {

bool SystemRecord::SameGroupAs(const SystemRecord& other) const
{
    if (attributeGuid != other.attributeGuid || basic != other.basic)
        return false;
    return !basic || std::fabs(thickness - other.thickness) < ThicknessTolerance;
}

nlohmann::json SystemRecord::ToJson() const
{
    nlohmann::json record = info;
    record["system_type"] = ToUtf8(systemType);
    record["type_id"] = typeId;
    record["area"] = area;
    return record;
}

}  // namespace QRV
