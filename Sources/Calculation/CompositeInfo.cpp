#include "Calculation/CompositeInfo.hpp"

#include "Calculation/CalculationJson.hpp"
#include "Support/Utf8.hpp"

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
    return {{"name", ToUtf8(name)},
            {"pieces", pieces},
            {"area", area},
            {"volume", volume},
            {"length", length},
            {"weight", weight},
            {"default_value", ToUtf8(defaultValue)},
            {"bim_uuid", ToUtf8(bimUuid)},
            {"attributes", CalculationJson::Properties(attributes)},
            {"id", ToUtf8(id)},
            {"type", ToUtf8(type)}};
}

}  // namespace QRV
