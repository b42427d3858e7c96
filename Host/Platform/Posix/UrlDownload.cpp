#include "CurlSupport.hpp"
#include "HttpText.hpp"

#include "Platform/Network.hpp"
#include "PlatformText.hpp"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <exception>
#include <memory>
#include <new>
#include <string>

namespace Platform {
namespace {

struct Sink {
    std::FILE* file = nullptr;
    UInt64 written = 0;
    UInt64 maxBytes = 0;
    bool tooLarge = false;
};

// Stops the transfer (curl reports a write error) once the body passes the ceiling, whether or not the
// server announced its length.
size_t WriteToFile(char* data, size_t size, size_t count, void* target)
{
    Sink& sink = *static_cast<Sink*>(target);
    const UInt64 bytes = static_cast<UInt64>(size) * count;
    if (bytes > sink.maxBytes - sink.written) {
        sink.tooLarge = true;
        return 0;
    }
    sink.written += bytes;
    return std::fwrite(data, size, count, sink.file) * size;
}

struct CurlEasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};

struct CurlUrlDeleter {
    void operator()(CURLU* url) const { curl_url_cleanup(url); }
};

std::string LowerScheme(const std::string& url)
{
    const size_t colon = url.find(':');
    std::string scheme = colon == std::string::npos ? std::string() : url.substr(0, colon);
    for (char& c : scheme)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return scheme;
}

// The local path a file address names, decoded; false with `why` set when it has none.
bool FileAddressPath(const std::string& url, std::string& path, std::string& why)
{
    std::unique_ptr<CURLU, CurlUrlDeleter> parts(curl_url());
    char* decoded = nullptr;
    if (!parts || curl_url_set(parts.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK ||
        curl_url_get(parts.get(), CURLUPART_PATH, &decoded, CURLU_URLDECODE) != CURLUE_OK || decoded == nullptr) {
        why = "the file address cannot be read";
        return false;
    }
    path = decoded;
    curl_free(decoded);
    // A file address names a file of this machine; one of another host is no local file.
    char* host = nullptr;
    if (curl_url_get(parts.get(), CURLUPART_HOST, &host, 0) == CURLUE_OK && host != nullptr) {
        const std::string name = host;
        curl_free(host);
        if (!name.empty() && name != "localhost" && name != "127.0.0.1") {
            why = "the file address names a file of another machine";
            return false;
        }
    }
    return true;
}

struct FileDescriptor {
    explicit FileDescriptor(int value) : fd(value) {}
    ~FileDescriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int fd;
};

// Copies the file a file address names into `sink`. The file is opened without waiting and checked on
// the opened descriptor, so nothing swapped in after a check is read: a device (/dev/zero) never ends, a
// FIFO would wait for a writer, and some kernel files that call themselves regular (/proc/kmsg) wait for
// data that may never come. A read that would wait ends the download at once.
bool CopyLocalFile(const std::string& url, Sink& sink, const DownloadRules& rules, std::string& why)
{
    std::string path;
    if (!FileAddressPath(url, path, why))
        return false;
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat facts {};
    if (file.fd < 0) {
        why = errno == ENOENT || errno == ENOTDIR ? "the file address names no file"
                                                  : "the file address names a file that cannot be read";
        return false;
    }
    if (::fstat(file.fd, &facts) != 0 || !S_ISREG(facts.st_mode)) {
        why = "the file address names no regular file";
        return false;
    }
    if (static_cast<UInt64>(facts.st_size) > sink.maxBytes) {
        why = "the download is larger than the limit of " + std::to_string(rules.maxBytes) + " bytes";
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(rules.maxSeconds);
    char buffer[64 * 1024];
    for (;;) {
        if (std::chrono::steady_clock::now() >= deadline) {
            why = "the download took longer than the limit of " + std::to_string(rules.maxSeconds) + " seconds";
            return false;
        }
        if (rules.stopRequested && rules.stopRequested()) {
            why = DownloadStoppedText;
            return false;
        }
        const ssize_t count = ::read(file.fd, buffer, sizeof buffer);
        if (count == 0)
            return true;
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            why = errno == EAGAIN || errno == EWOULDBLOCK ? "the file address names a file that is not read without waiting"
                                                         : "the file address names a file that cannot be read";
            return false;
        }
        if (WriteToFile(buffer, 1, static_cast<size_t>(count), &sink) != static_cast<size_t>(count)) {
            why = sink.tooLarge ? "the download is larger than the limit of " + std::to_string(rules.maxBytes) + " bytes"
                                : "cannot write the download";
            return false;
        }
    }
}

// Asked by curl about once a second however the transfer goes, so a stop needs no data to arrive.
int WatchForStop(void* rules, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    const auto& watched = *static_cast<const DownloadRules*>(rules);
    return watched.stopRequested && watched.stopRequested() ? 1 : 0;
}

// Whether `rules` let a download start at `url`; `why` says what is refused.
bool MayStartAt(const std::string& url, const DownloadRules& rules, std::string& why)
{
    const std::string scheme = LowerScheme(url);
    if (scheme == "https")
        return true;
    if (scheme == "http" && rules.plainHttp)
        return true;
    if (scheme == "file" && rules.localFiles)
        return true;
    why = rules.plainHttp ? (rules.localFiles ? "only http, https and file addresses are downloaded"
                                              : "only http and https addresses are downloaded")
                          : "only https addresses are downloaded";
    return false;
}

// Fetches into `partFile`; false with `why` set on any failure.
bool Fetch(const std::string& url, const std::string& partFile, const DownloadRules& rules, std::string& why)
{
    if (!Detail::EnsureCurlReady()) {
        why = "the internet library could not be initialised";
        return false;
    }
    if (!MayStartAt(url, rules, why)) {
        Detail::SetLastError(ErrorInternetInvalidUrl);
        return false;
    }
    std::unique_ptr<CURL, CurlEasyDeleter> easy(curl_easy_init());
    if (!easy) {
        why = "the internet library could not start a transfer";
        return false;
    }
    Sink sink;
    sink.maxBytes = rules.maxBytes;
    sink.file = std::fopen(partFile.c_str(), "wb");
    if (sink.file == nullptr) {
        why = "cannot write " + partFile;
        return false;
    }
    if (LowerScheme(url) == "file") {
        const bool copied = CopyLocalFile(url, sink, rules, why);
        const bool closed = std::fclose(sink.file) == 0;
        if (!copied) {
            Detail::SetLastError(why == DownloadStoppedText ? ErrorInternetConnectionAborted : ErrorInternetInvalidUrl);
            return false;
        }
        if (!closed) {
            why = "cannot finish writing " + partFile;
            return false;
        }
        return true;
    }
    const bool secureStart = LowerScheme(url) == "https";
    char errorText[CURL_ERROR_SIZE] = {};
    CURL* handle = easy.get();
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    // A web server may send us elsewhere on the web, never into the local file system, and a download
    // that began over TLS stays on it.
    curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, secureStart ? "https" : "http,https");
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(handle, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(handle, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &WriteToFile);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &sink);
    curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, errorText);
    if (rules.stopRequested) {
        curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, &WatchForStop);
        curl_easy_setopt(handle, CURLOPT_XFERINFODATA, &rules);
        curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
    }
    Detail::ApplyTransferSafety(handle);
    // A length announced past the ceiling is refused before any byte is written.
    curl_easy_setopt(handle, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(rules.maxBytes));
    curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, static_cast<long>(rules.maxSeconds) * 1000L);
    const auto started = std::chrono::steady_clock::now();
    const CURLcode result = curl_easy_perform(handle);
    const auto took = std::chrono::steady_clock::now() - started;
    const bool closed = std::fclose(sink.file) == 0;
    if (result != CURLE_OK) {
        long redirects = 0;
        curl_easy_getinfo(handle, CURLINFO_REDIRECT_COUNT, &redirects);
        if (result == CURLE_ABORTED_BY_CALLBACK)
            why = DownloadStoppedText;
        else if (sink.tooLarge || result == CURLE_FILESIZE_EXCEEDED)
            why = "the download is larger than the limit of " + std::to_string(rules.maxBytes) + " bytes";
        else if (result == CURLE_OPERATION_TIMEDOUT &&
                 took >= std::chrono::milliseconds(static_cast<long>(rules.maxSeconds) * 1000L - 100))
            why = "the download took longer than the limit of " + std::to_string(rules.maxSeconds) + " seconds";
        else if (result == CURLE_UNSUPPORTED_PROTOCOL && (secureStart || redirects > 0))
            why = std::string("the server redirected the download to an address it may not go to") +
                  (secureStart ? " (only https)" : "");
        else
            why = errorText[0] != '\0' ? errorText : curl_easy_strerror(result);
        Detail::SetLastError(Detail::ErrorFromCurl(result, errorText));
        return false;
    }
    if (!closed) {
        why = "cannot finish writing " + partFile;
        return false;
    }
    return true;
}

}  // namespace

bool DownloadUrlToFile(const GS::UniString& url, const GS::UniString& destination, const DownloadRules& rules,
                       std::string* error)
{
    std::string why;
    bool ok = false;
    Detail::SetLastError(ErrorSuccess);
    try {
        const std::string target = Platform::Utf8(destination);
        if (url.IsEmpty() || target.empty()) {
            why = "no address or no destination";
        } else {
            // Fetched beside the destination and moved into place when complete, so a failed download
            // never leaves a partial file under the expected name.
            const std::string partFile = target + DownloadPartSuffix;
            ok = Fetch(Detail::EscapeUnsafeUrlBytes(Platform::Utf8(url)), partFile, rules, why);
            if (ok && std::rename(partFile.c_str(), target.c_str()) != 0) {
                why = "cannot move the download to " + target;
                ok = false;
            }
            if (!ok)
                std::remove(partFile.c_str());
        }
    } catch (const std::exception& exception) {
        why = exception.what();
        ok = false;
    } catch (...) {
        why = "unexpected failure";
        ok = false;
    }
    if (!ok && GetLastError() == ErrorSuccess)
        Detail::SetLastError(ErrorInternetInternalError);
    if (error != nullptr)
        *error = ok ? std::string() : why;
    return ok;
}

}  // namespace Platform
