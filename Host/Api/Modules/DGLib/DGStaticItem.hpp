// DG static texts.
#pragma once

#include "DGItemProperty.hpp"

namespace DG {

class DG_DLL_EXPORT StaticText : public Item, public ItemTextProperty {
protected:
    StaticText();
    StaticText(const Panel& panel, short item);

public:
    ~StaticText();
};

class DG_DLL_EXPORT LeftText : public StaticText {
public:
    LeftText(const Panel& panel, short item);
    ~LeftText();
};

}  // namespace DG
