#include "Location.hpp"

#include "APIdefs_ErrorCodes.h"
#include "SimUtf8.hpp"

#include <filesystem>

namespace IO {

Location::Location(const GS::UniString& path) : path_(path) {}

GSErrCode Location::ToPath(GS::UniString* path) const
{
    if (path == nullptr || path_.IsEmpty())
        return APIERR_BADPARS;
    *path = path_;
    return NoError;
}

GS::UniString Location::GetLastLocalName() const
{
    return GS::UniString(std::filesystem::path(Sim::Utf8(path_)).filename().string());
}

}  // namespace IO
