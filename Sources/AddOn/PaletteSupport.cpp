#include "PaletteSupport.hpp"

namespace QRV {

Int32 PaletteReferenceNumber(const GS::Guid& guid)
{
    UInt32 words[4];
    guid.GetWords(words);
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
