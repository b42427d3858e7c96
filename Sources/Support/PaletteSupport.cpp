#include "PaletteSupport.hpp"

#include <cstring>

namespace QRV {

Int32 PaletteReferenceNumber(const GS::Guid& guid)
{
    // The host's GUID record has the 16 bytes of the GUID in its memory order.
    const API_Guid& record = GSGuid2APIGuid(guid);
    UInt32 words[4];
    static_assert(sizeof words == sizeof record, "four 32-bit words make a GUID");
    std::memcpy(words, &record, sizeof words);
    const UInt32 sum = words[0] + words[1] + words[2] + words[3];
    return static_cast<Int32>(sum);
}

GSErrCode RegisterPalette(const GS::Guid& guid, APIPaletteControlCallBackProc* handler)
{
    const API_Guid apiGuid = GSGuid2APIGuid(guid);
    return ACAPI_RegisterModelessWindow(PaletteReferenceNumber(guid), handler, PaletteControlFlags, apiGuid);
}

void AnswerPaletteVisible(GS::IntPtr param, bool visible)
{
    if (param != 0)
        *reinterpret_cast<bool*>(param) = visible;
}

GSResModule OwnResModule()
{
    return ACAPI_GetOwnResModule();
}

}  // namespace QRV
