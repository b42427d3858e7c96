#include "System/Files.hpp"
#include "SystemText.hpp"

#include <algorithm>
#include <filesystem>
#include <random>
#include <vector>

namespace Sim::System {
namespace {

using Detail::ErrorText;
using Detail::WidePath;

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    void Close()
    {
        if (Valid())
            ::CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_;
};

std::string RandomSuffix()
{
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::mt19937 generator(std::random_device{}() ^ ::GetCurrentProcessId() ^ ::GetTickCount());
    std::uniform_int_distribution<int> pick(0, static_cast<int>(sizeof letters) - 2);
    std::string suffix;
    for (int i = 0; i < 6; ++i)
        suffix += letters[pick(generator)];
    return suffix;
}

// A save opens its temporary file shared with no one until it is renamed into place, and the system
// closes it with the process that held it: a file that can be deleted was abandoned. Only plain files
// are taken.
void RemoveAbandonedTemporaries(const std::filesystem::path& folder, const std::string& fileName)
{
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (!IsSaveTemporaryOf(it->path().filename().u8string(), fileName))
            continue;
        const std::wstring path = it->path().wstring();
        const DWORD attributes = ::GetFileAttributesW(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES ||
            (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0)
            continue;
        ::DeleteFileW(path.c_str());
    }
}

bool Fail(SaveFailure* failure, SaveStep step, DWORD code)
{
    if (failure != nullptr)
        *failure = SaveFailure{step, ErrorText(code)};
    return false;
}

bool WriteAll(HANDLE file, const std::string& text)
{
    size_t written = 0;
    while (written < text.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(text.size() - written, 1u << 30));
        DWORD done = 0;
        if (!::WriteFile(file, text.data() + written, chunk, &done, nullptr) || done == 0)
            return false;
        written += done;
    }
    return true;
}

// Renames the open file over `target` through its own handle, so that it stays locked until it is there.
bool RenameOpenFile(HANDLE file, const std::wstring& target)
{
    const size_t size = sizeof(FILE_RENAME_INFO) + target.size() * sizeof(wchar_t);
    std::vector<unsigned char> buffer(size, 0);
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    rename->ReplaceIfExists = TRUE;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = static_cast<DWORD>(target.size() * sizeof(wchar_t));
    std::copy(target.begin(), target.end(), rename->FileName);
    return ::SetFileInformationByHandle(file, FileRenameInfo, rename, static_cast<DWORD>(size)) != FALSE;
}

}  // namespace

bool ReadRegularFile(const std::string& path, std::string* text, std::string* reason)
{
    const std::wstring wide = WidePath(path);
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        *reason = "not a regular file";
        return false;
    }
    FileHandle file(::CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        *reason = ErrorText(::GetLastError());
        return false;
    }
    // A device (NUL, CON) or a pipe would be read without end.
    LARGE_INTEGER size{};
    if (::GetFileType(file.Get()) != FILE_TYPE_DISK || !::GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0) {
        *reason = "not a regular file";
        return false;
    }
    std::string content(static_cast<size_t>(size.QuadPart), '\0');
    size_t got = 0;
    while (got < content.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(content.size() - got, 1u << 30));
        DWORD n = 0;
        if (!::ReadFile(file.Get(), content.data() + got, chunk, &n, nullptr)) {
            *reason = ErrorText(::GetLastError());
            return false;
        }
        if (n == 0)
            break;  // shortened meanwhile: what is there is read
        got += n;
    }
    content.resize(got);
    *text = std::move(content);
    return true;
}

bool SaveFileWhole(const std::string& path, const std::string& text, SaveFailure* failure)
{
    namespace fs = std::filesystem;
    const fs::path target(WidePath(path));
    const fs::path folder = target.parent_path();
    const std::string fileName = target.filename().u8string();
    RemoveAbandonedTemporaries(folder, fileName);

    fs::path temporary;
    HANDLE opened = INVALID_HANDLE_VALUE;
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < 64 && opened == INVALID_HANDLE_VALUE && error == ERROR_FILE_EXISTS; ++attempt) {
        temporary = folder / fs::u8path("." + fileName + ".tmp-" + RandomSuffix());
        opened = ::CreateFileW(temporary.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        error = opened == INVALID_HANDLE_VALUE ? ::GetLastError() : ERROR_SUCCESS;
    }
    FileHandle file(opened);
    if (!file.Valid())
        return Fail(failure, SaveStep::CreateTemporary, error);

    auto fail = [&](SaveStep step) {
        const DWORD code = ::GetLastError();
        file.Close();
        ::DeleteFileW(temporary.c_str());
        return Fail(failure, step, code);
    };
    if (!WriteAll(file.Get(), text) || !::FlushFileBuffers(file.Get()))
        return fail(SaveStep::Write);
    if (!RenameOpenFile(file.Get(), target.wstring()))
        return fail(SaveStep::Rename);
    return true;
}

bool MoveReplacing(const std::string& from, const std::string& to, std::string* reason)
{
    if (::MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    if (reason != nullptr)
        *reason = ErrorText(::GetLastError());
    return false;
}

std::string MakeUniqueFolder(const std::string& parent, const std::string& prefix, std::string* reason)
{
    const std::filesystem::path base(WidePath(parent));
    DWORD error = ERROR_ALREADY_EXISTS;
    for (int attempt = 0; attempt < 64 && error == ERROR_ALREADY_EXISTS; ++attempt) {
        const std::filesystem::path folder = base / std::filesystem::u8path(prefix + RandomSuffix());
        if (::CreateDirectoryW(folder.c_str(), nullptr))
            return folder.u8string();
        error = ::GetLastError();
    }
    if (reason != nullptr)
        *reason = ErrorText(error);
    return {};
}

std::string TemporaryFilesFolder()
{
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH)
        return ".";
    std::wstring text(folder, length);
    while (text.size() > 3 && (text.back() == L'\\' || text.back() == L'/'))
        text.pop_back();
    return Detail::Utf8(text);
}

}  // namespace Sim::System
