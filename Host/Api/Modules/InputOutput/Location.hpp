// IO::Location: where a file or folder is, as the host passes it (for example to a file-type handler).
#pragma once

#include "IOBase.hpp"
#include "Name.hpp"
#include "UniString.hpp"

namespace IO {

class IO_DLL_EXPORT Location {
private:
    GS::UniString path;
    GSErrCode status;

public:
    enum {
        ResolveError = LocationErrors + 0,    // the text is no path
        InvalidOperand = LocationErrors + 1,  // the operation needs a location that is not empty
    };

    Location();
    // A path of the file system, absolute.
    explicit Location(const GS::UniString& targetPath);
    explicit Location(const char* targetPath);
    Location(const Location& source);
    Location(Location&& source);
    // The entry `name` inside the folder `parent`.
    Location(const Location& parent, const Name& name);
    Location& operator=(const Location& source);
    Location& operator=(Location&& source);
    ~Location();

    GSErrCode GetStatus() const { return status; }
    GSErrCode Set(const GS::UniString& targetPath);
    void Clear();
    bool IsEmpty() const;

    GSErrCode GetLastLocalName(Name* result) const;
    GSErrCode AppendToLocal(const Name& name);
    GSErrCode DeleteLastLocalName();

    bool operator==(const Location& rightOp) const;
    bool operator!=(const Location& rightOp) const;

    // The path of the file system; an error for an empty location.
    GSErrCode ToPath(GS::UniString* result) const;
    GS::UniString ToDisplayText() const;
};

}  // namespace IO
