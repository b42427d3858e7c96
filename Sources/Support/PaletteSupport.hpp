// What the add-on's palettes share in their dealings with the host: the reference number the host passes
// back in palette messages, their registration as modeless windows, and the answer to "is it visible?".
#pragma once

#include "ACAPinc.h"

namespace QRV {

// Where the palettes may be shown and what the host may do with them; the same for every palette.
constexpr GSFlags PaletteControlFlags = 1015;

// The 32-bit wrapping sum of the GUID's four 32-bit words, taken in memory order.
Int32 PaletteReferenceNumber(const GS::Guid& guid);

GSErrCode RegisterPalette(const GS::Guid& guid, APIPaletteControlCallBackProc* handler);

// For APIPalMsg_IsPaletteVisible: the message's parameter is the address of the answer.
void AnswerPaletteVisible(GS::IntPtr param, bool visible);

// The add-on's own resource module, which holds the palette layouts and icons.
GSResModule OwnResModule();

}  // namespace QRV
