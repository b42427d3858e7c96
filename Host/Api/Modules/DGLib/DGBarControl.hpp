// DG bar controls: the progress bar.
#pragma once

#include "DGItem.hpp"

namespace DG {

class DG_DLL_EXPORT ProgressBar : public Item {
public:
    ProgressBar(const Panel& panel, short item);
    ~ProgressBar();

    void SetMin(Int32 min);
    void SetMax(Int32 max);
    // Kept within the bar's bounds.
    void SetValue(Int32 value);
    Int32 GetMin() const;
    Int32 GetMax() const;
    Int32 GetValue() const;
};

}  // namespace DG
