// What items of several kinds share: an icon, a text.
#pragma once

#include "UniString.hpp"
#include "DGItem.hpp"

namespace DG {

class DG_DLL_EXPORT ItemIconProperty : virtual public ItemBase {
protected:
    ItemIconProperty();

public:
    ~ItemIconProperty();

    void SetIcon(const DG::Icon& icon);
    DG::Icon GetIcon() const;
};

class DG_DLL_EXPORT ItemTextProperty : virtual public ItemBase {
protected:
    ItemTextProperty();

public:
    ~ItemTextProperty();

    void SetText(const GS::UniString& text);
    void CatText(const GS::UniString& text);
    GS::UniString GetText() const;
};

}  // namespace DG
