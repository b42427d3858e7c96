// The data the host sends along with a dialog event; each event class reads what it needs from it.
#pragma once

#include "DGDLLExport.h"
#include "Definitions.hpp"

namespace DG {

class DG_DLL_EXPORT EventArg {
public:
    virtual ~EventArg();
};

}  // namespace DG
