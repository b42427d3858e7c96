#pragma once

#include "UniString.hpp"

namespace QRV {

enum ReplaceAnswer : short { ReplaceContinue = 1, ReplaceReject = 2 };

// Asks before an existing item of the same name is replaced: "Continue" (1) or "Reject" (2).
short AskReplaceExisting(const GS::UniString& name, const GS::UniString& kind);

}  // namespace QRV
