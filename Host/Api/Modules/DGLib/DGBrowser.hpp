// DG::Browser: the embedded web browser item. A page it shows sees the script objects registered with it,
// under their names.
#pragma once

#include "DGDefs.h"
#include "DGItemProperty.hpp"
#include "DGPanel.hpp"
#include "JSValues.hpp"
#include "JavascriptEngine.hpp"

namespace DG {

class DG_DLL_EXPORT BrowserBase : public JavascriptEngine {
public:
    BrowserBase();
    virtual ~BrowserBase();
    BrowserBase(const BrowserBase&) = delete;
    BrowserBase& operator=(const BrowserBase&) = delete;
};

class DG_DLL_EXPORT Browser : public Item, public BrowserBase {
public:
    Browser(const Panel& panel, short item);
    virtual ~Browser();
};

}  // namespace DG
