// A stand-in for the updater: waits until a file "release" appears beside it (at most 20 seconds), then
// writes the arguments it was started with, each in brackets, to "arguments.txt" beside it.
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

std::string Utf8(const wchar_t* text)
{
    const int needed = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(needed > 0 ? needed : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), needed, nullptr, nullptr);
    utf8.resize(utf8.size() - 1);
    return utf8;
}

}  // namespace

int wmain()
{
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self, length);
    folder.erase(folder.find_last_of(L'\\'));
    for (int attempt = 0; attempt < 800; ++attempt) {
        if (GetFileAttributesW((folder + L"\\release").c_str()) != INVALID_FILE_ATTRIBUTES)
            break;
        Sleep(25);
    }
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::string report;
    for (int i = 1; arguments != nullptr && i < count; ++i)
        report += "[" + Utf8(arguments[i]) + "]";
    report += "\n";
    const std::wstring part = folder + L"\\arguments.txt.part";
    HANDLE file = CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, report.data(), static_cast<DWORD>(report.size()), &written, nullptr);
    CloseHandle(file);
    MoveFileExW(part.c_str(), (folder + L"\\arguments.txt").c_str(), MOVEFILE_REPLACE_EXISTING);
    return 0;
}
