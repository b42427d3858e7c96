#include "ReplaceQuestion.hpp"

#include "DG.h"

namespace QRV {

short AskReplaceExisting(const GS::UniString& name, const GS::UniString& kind)
{
    const GS::UniString message = GS::UniString::Printf(
        "'%T' is already in this project.\nIf you continue, you will replace the existing %T.\nOr to keep the "
        "existing %T you can rename it within the Helmdeck.",
        name.ToPrintf(), kind.ToPrintf(), kind.ToPrintf());
    return DGAlert(DG_WARNING, "", "", message, "Continue", "Reject");
}

}  // namespace QRV
