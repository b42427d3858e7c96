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

nlohmann::json SystemRecord::ToJson() const&
{
    SystemRecord copy = *this;
    return std::move(copy).ToJson();
}

nlohmann::json SystemRecord::ToJson() &&
{
    nlohmann::json record = std::move(info);
    info = nlohmann::json::object();
    record["system_type"] = ToUtf8(systemType);
    record["type_id"] = typeId;
    record["area"] = area;
    return record;
}

}  // namespace QRV
