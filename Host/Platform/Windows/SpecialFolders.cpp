#include "Win32.hpp"

#include "Platform/Shell.hpp"
#include "WideText.hpp"

namespace Platform {
namespace {

// The interface's folder numbers are its own; the shell's numbers for the same folders differ.
int ShellFolder(Int32 folder)
{
    switch (folder) {
        case FolderDocuments: return CSIDL_PERSONAL;
        case FolderProgramFiles: return CSIDL_PROGRAM_FILES;
        default: return -1;
    }
}

}  // namespace

bool GetSpecialFolderPath(Int32 folder, GS::UniString* path, bool create)
{
    try {
        const int shellFolder = ShellFolder(folder);
        if (path == nullptr || shellFolder < 0)
            return false;
        wchar_t location[MAX_PATH] = {};
        if (!::SHGetSpecialFolderPathW(nullptr, location, shellFolder, create ? TRUE : FALSE))
            return false;
        const DWORD attributes = ::GetFileAttributesW(location);
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            return false;
        *path = Detail::UniText(location);
        return true;
    } catch (...) {
        return false;
    }
}

UInt32 GetFileAttributes(const GS::UniString& path)
{
    try {
        const std::wstring location = Detail::WidePath(path);
        if (location.empty())
            return InvalidFileAttributes;
        return ::GetFileAttributesW(location.c_str());
    } catch (...) {
        return InvalidFileAttributes;
    }
}

}  // namespace Platform
