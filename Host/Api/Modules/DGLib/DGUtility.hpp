// Dialog library utilities: images and icons of resources, and the observer of all items of a panel.
#pragma once

#include "Array.hpp"
#include "DG.h"

namespace DG {

class Panel;

class DG_DLL_EXPORT Image {
protected:
    GSResModule resModule;
    short resId;
    const void* data;

public:
    Image();
    Image(GSResModule resModule, short resId);
    virtual ~Image();

    bool operator==(const Image& rightOp) const;
    bool operator!=(const Image& rightOp) const;

    GSResModule GetResourceModule() const;
    short GetResourceId() const;

    bool IsEmpty() const;
};

class DG_DLL_EXPORT Icon : public Image {
public:
    Icon();
    Icon(GSResModule resModule, short resId);
    virtual ~Icon();
};

// A class that derives from it and from item observers (ButtonItemObserver, RadioItemObserver) hears the
// events of every item of a panel that its observer classes observe.
class DG_DLL_EXPORT CompoundItemObserver {
protected:
    CompoundItemObserver();

public:
    virtual ~CompoundItemObserver();  // detaches from every panel

    short AttachToAllItems(const Panel& panel);
    short DetachFromAllItems(const Panel& panel);
};

}  // namespace DG
