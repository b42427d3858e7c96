// What shows pages and lets them call registered script objects.
#pragma once

#include "Ref.hpp"
#include "JSValues.hpp"

class JAVASCRIPT_ENGINE_DLL_EXPORT JavascriptEngine {
public:
    JavascriptEngine();
    virtual ~JavascriptEngine();

    virtual void LoadURL(const GS::UniString& url);
    // The page's calls to the object's functions arrive asynchronously on the host's thread. An object of
    // the same name replaces the earlier one. False for an empty object.
    virtual bool RegisterAsynchJSObject(GS::Ref<JS::Object> obj);
};
