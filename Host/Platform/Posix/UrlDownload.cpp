#include "CurlSupport.hpp"
#include "HttpText.hpp"

#include "Platform/Network.hpp"
#include "PlatformText.hpp"

#include <cstdio>
#include <exception>
#include <memory>
#include <new>
#include <string>

namespace Platform {
namespace {

size_t WriteToFile(char* data, size_t size, size_t count, void* file)
{
    return std::fwrite(data, size, count, static_cast<std::FILE*>(file)) * size;
}

struct CurlEasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};

// Fetches into `partFile`; false with `why` set on any failure.
bool Fetch(const std::string& url, const std::string& partFile, std::string& why)
{
    if (!Detail::EnsureCurlReady()) {
        why = "the internet library could not be initialised";
        return false;
    }
    std::unique_ptr<CURL, CurlEasyDeleter> easy(curl_easy_init());
    if (!easy) {
        why = "the internet library could not start a transfer";
        return false;
    }
    std::FILE* file = std::fopen(partFile.c_str(), "wb");
    if (file == nullptr) {
        why = "cannot write " + partFile;
        return false;
    }
    char errorText[CURL_ERROR_SIZE] = {};
    CURL* handle = easy.get();
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https,file");
    // A web server may send us elsewhere on the web, never into the local file system.
    curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(handle, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(handle, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &WriteToFile);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, file);
    curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, errorText);
    Detail::ApplyTransferSafety(handle);
    const CURLcode result = curl_easy_perform(handle);
    const bool closed = std::fclose(file) == 0;
    if (result != CURLE_OK) {
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

bool DownloadUrlToFile(const GS::UniString& url, const GS::UniString& destination, std::string* error)
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
            const std::string partFile = target + ".download";
            ok = Fetch(Detail::EscapeUnsafeUrlBytes(Platform::Utf8(url)), partFile, why);
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
