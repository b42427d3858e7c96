#include "Calculation/CompositeInfo.hpp"

#include "Calculation/CalculationJson.hpp"

namespace QRV {

void CompositeInfo::Absorb(const CompositeInfo& other)
{
    area += other.area;
    volume += other.volume;
    length += other.length;
    weight += other.weight;
    pieces += 1;
}

nlohmann::json CompositeInfo::ToJson() const
{
    return {{"name", name.ToStdString()},
            {"pieces", pieces},
            {"area", area},
            {"volume", volume},
            {"length", length},
            {"weight", weight},
            {"default_value", defaultValue.ToStdString()},
            {"bim_uuid", bimUuid.ToStdString()},
            {"attributes", CalculationJson::Properties(attributes)},
            {"id", id.ToStdString()},
            {"type", type.ToStdString()}};
}

}  // namespace QRV
