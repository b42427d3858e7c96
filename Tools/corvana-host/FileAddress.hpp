// Local files named in file addresses ("file://" + path), as the samples and generated payloads name
// their library parts.
#pragma once

#include <filesystem>
#include <string>

namespace CorvanaHost {

// The path part of the file address of `path`, made absolute: "/" between the parts and at the start, so
// that a Windows path reads "/C:/folder/file".
std::string FileAddressPath(const std::filesystem::path& path);

}  // namespace CorvanaHost
