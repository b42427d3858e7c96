// The file address ("file://" + path) of a local file, as the catalogue names downloads: "/" between the
// path's parts, and one before a Windows drive ("file:///C:/folder/name").
#pragma once

#include "SimUtf8.hpp"

#include <filesystem>
#include <string>

namespace QRVTest {

inline std::string FileAddress(const std::filesystem::path& path)
{
    const std::string generic = Sim::GenericPathUtf8(path);
    return "file://" + (!generic.empty() && generic.front() == '/' ? generic : "/" + generic);
}

}  // namespace QRVTest
