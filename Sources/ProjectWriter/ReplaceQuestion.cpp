#include "ReplaceQuestion.hpp"

#include "DG.h"

namespace QRV {

short AskReplaceExisting(const GS::UniString& name, const GS::UniString& kind)
{
    const GS::UniString message = GS::UniString::Printf(
        "'%ls' is already in this project.\nIf you continue, you will replace the existing %s.\nOr to keep the "
        "existing %s you can rename it within the Helmdeck.",
        name.ToUStr().Get(), kind.ToCStr().Get(), kind.ToCStr().Get());
    return DGAlert(DG_WARNING, "", message, "Continue", "Reject");
}

}  // namespace QRV
