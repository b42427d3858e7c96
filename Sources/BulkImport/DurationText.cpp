#include "DurationText.hpp"

namespace QRV {

GS::UniString DurationText(Int64 seconds)
{
    if (seconds < 0)
        seconds = 0;
    const long long hours = seconds / 3600;
    const long long minutes = (seconds % 3600) / 60;
    const long long rest = seconds % 60;
    GS::UniString text = GS::UniString::Printf("%2llds", rest);
    if (minutes != 0)
        text = GS::UniString::Printf("%2lldm ", minutes) + text;
    if (hours != 0)
        text = GS::UniString::Printf("%2lldh ", hours) + text;
    return text;
}

}  // namespace QRV
