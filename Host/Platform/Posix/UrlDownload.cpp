#include "CurlSupport.hpp"
#include "HttpText.hpp"

#include "Platform/Network.hpp"
#include "PlatformText.hpp"

#include <sys/stat.h>

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

// A file address is taken only when it names a regular file: a device (/dev/zero) never ends and a FIFO
// would wait for a writer before any time limit could act.
bool IsRegularFileAddress(const std::string& url, std::string& why)
{
    std::unique_ptr<CURLU, CurlUrlDeleter> parts(curl_url());
    char* path = nullptr;
    if (!parts || curl_url_set(parts.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK ||
        curl_url_get(parts.get(), CURLUPART_PATH, &path, CURLU_URLDECODE) != CURLUE_OK || path == nullptr) {
        why = "the file address cannot be read";
        return false;
    }
    struct stat facts {};
    const bool found = ::stat(path, &facts) == 0;
    curl_free(path);
    if (!found) {
        why = "the file address names no file";
        return false;
    }
    if (!S_ISREG(facts.st_mode)) {
        why = "the file address names no regular file";
        return false;
    }
    return true;
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
        return IsRegularFileAddress(url, why);
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
    const bool secureStart = LowerScheme(url) == "https";
    char errorText[CURL_ERROR_SIZE] = {};
    CURL* handle = easy.get();
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https,file");
    // A web server may send us elsewhere on the web, never into the local file system, and a download
    // that began over TLS stays on it.
    curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, secureStart ? "https" : "http,https");
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(handle, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(handle, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &WriteToFile);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &sink);
    curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, errorText);
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
        if (sink.tooLarge || result == CURLE_FILESIZE_EXCEEDED)
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
