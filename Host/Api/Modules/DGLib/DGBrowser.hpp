// DG::Browser: the embedded web browser item. A page it shows sees the script objects registered with it,
// under their names.
#pragma once

#include "DGItem.hpp"
#include "Ref.hpp"
#include "JSValues.hpp"

namespace DG {

class HOSTLIB_API Browser : public Item {
public:
    Browser(const Panel& panel, short itemId);
    ~Browser() override;

    void LoadURL(const GS::UniString& url);
    GS::UniString GetURL() const;
    // The page's calls to the object's functions arrive asynchronously on the host's thread. An object of
    // the same name replaces the earlier one. False for an empty object or an invalid item.
    bool RegisterAsynchJSObject(GS::Ref<JS::Object> object);
};

}  // namespace DG
