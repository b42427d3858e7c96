// Starting a program through the shell's "open". The shell starts it as a process of its own, which the
// caller does not wait for and which outlives it.
#include "Win32.hpp"

#include "Platform/Shell.hpp"
#include "PlatformText.hpp"
#include "WideText.hpp"

#include <cstdint>
#include <string>

namespace Platform {
namespace {

bool IsOpenVerb(const GS::UniString& verb)
{
    if (verb.IsEmpty())
        return true;
    std::string text = Platform::Utf8(verb);
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text == "open";
}

// The shell's failure values are more than the interface names; each becomes the nearest of its codes.
Int32 ShellErrorFromResult(INT_PTR result)
{
    switch (result) {
        case 0:
        case SE_ERR_OOM: return ShellErrorOutOfMemory;
        case SE_ERR_FNF:
        case SE_ERR_PNF: return ShellErrorFileNotFound;
        case SE_ERR_ACCESSDENIED: return ShellErrorAccessDenied;
        default: return ShellErrorNoAssociation;
    }
}

}  // namespace

Int32 ShellExecute(const GS::UniString& verb, const GS::UniString& file, const GS::UniString& parameters,
                   const GS::UniString& directory, Int32 showMode)
{
    try {
        // Other verbs ("runas", "print", ...) would do more than start the program.
        if (!IsOpenVerb(verb))
            return ShellErrorNoAssociation;
        const std::wstring program = Detail::WidePath(file);
        if (program.empty())
            return ShellErrorFileNotFound;
        const DWORD attributes = ::GetFileAttributesW(program.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return ShellErrorFileNotFound;
        // "open" on a folder would show it in the Explorer instead of starting a program.
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            return ShellErrorNoAssociation;
        const std::wstring arguments = Detail::Wide(parameters);
        const std::wstring folder = Detail::WidePath(directory);
        const INT_PTR result = reinterpret_cast<INT_PTR>(
            ::ShellExecuteW(nullptr, L"open", program.c_str(), arguments.empty() ? nullptr : arguments.c_str(),
                            folder.empty() ? nullptr : folder.c_str(), showMode));
        if (result > ShellExecuteFailureLimit)
            return result <= INT32_MAX ? static_cast<Int32>(result) : ShellExecuteFailureLimit + 1;
        return ShellErrorFromResult(result);
    } catch (...) {
        return ShellErrorOutOfMemory;
    }
}

}  // namespace Platform
