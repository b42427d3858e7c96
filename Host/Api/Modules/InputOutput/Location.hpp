// IO::Location: where a file or folder is, as the host passes it (for example to a file-type handler).
#pragma once

#include "UniString.hpp"

namespace IO {

class HOSTLIB_API Location {
public:
    Location() = default;
    explicit Location(const GS::UniString& path);

    bool IsEmpty() const { return path_.IsEmpty(); }
    // The location as a path of the file system; fails (APIERR_BADPARS) for an empty location or no target.
    GSErrCode ToPath(GS::UniString* path) const;
    // The last part of the path: the file or folder name.
    GS::UniString GetLastLocalName() const;

private:
    GS::UniString path_;
};

}  // namespace IO
