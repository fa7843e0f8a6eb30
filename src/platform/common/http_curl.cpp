#include "platform/http.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace platform {

namespace {

void initialiseOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct EasyDeleter {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct ListDeleter {
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

struct Transfer {
    Bytes body;
    std::int64_t maxBytes = 0;
    DownloadProgress* progress = nullptr;
    bool tooLarge = false;
    bool cancelled = false;
};

size_t onBody(char* data, size_t size, size_t count, void* user) {
    auto* t = static_cast<Transfer*>(user);
    const size_t n = size * count;
    if (t->progress && t->progress->cancel.load()) {
        t->cancelled = true;
        return 0;
    }
    // Without a Content-Length the size limit can only be checked here.
    if (static_cast<std::int64_t>(t->body.size() + n) > t->maxBytes) {
        t->tooLarge = true;
        return 0;
    }
    t->body.insert(t->body.end(), data, data + n);
    if (t->progress) t->progress->received.store(static_cast<std::int64_t>(t->body.size()));
    return n;
}

int onProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto* t = static_cast<Transfer*>(user);
    if (t->progress && t->progress->cancel.load()) {
        t->cancelled = true;
        return 1;
    }
    return 0;
}

}  // namespace

std::string encodeAddress(const std::string& address) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(address.size());
    for (unsigned char c : address) {
        if (c <= 0x20 || c >= 0x7F) {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

DownloadResult httpDownload(const std::string& address, const DownloadLimits& limits,
                            DownloadProgress* progress) {
    initialiseOnce();
    DownloadResult result;
    std::unique_ptr<CURL, EasyDeleter> curl(curl_easy_init());
    if (!curl) return result;
    std::unique_ptr<curl_slist, ListDeleter> headers(curl_slist_append(nullptr, "Accept: */*"));

    Transfer t;
    t.maxBytes = limits.maxBytes;
    t.progress = progress;
    const std::string url = encodeAddress(address);
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(c, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
    curl_easy_setopt(c, CURLOPT_USERAGENT, "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)");
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(c, CURLOPT_NOPROXY, "*");
    curl_easy_setopt(c, CURLOPT_PROXY, "");
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(c, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBytes));
    // "No data for stallSeconds": under one byte a second for that long, or no connection.
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, static_cast<long>(limits.stallSeconds));
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, static_cast<long>(limits.stallSeconds));
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, onBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &t);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, onProgress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &t);

    const CURLcode code = curl_easy_perform(c);
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &result.httpStatus);
    result.errorCode = static_cast<int>(code);

    if (t.cancelled || code == CURLE_ABORTED_BY_CALLBACK) {
        result.status = DownloadStatus::Cancelled;
    } else if (t.tooLarge || code == CURLE_FILESIZE_EXCEEDED) {
        result.status = DownloadStatus::TooLarge;
    } else if (code == CURLE_OPERATION_TIMEDOUT) {
        result.status = DownloadStatus::TimedOut;
    } else if (code == CURLE_HTTP_RETURNED_ERROR) {
        result.status = DownloadStatus::HttpError;
    } else if (code == CURLE_PARTIAL_FILE || code == CURLE_RECV_ERROR || code == CURLE_GOT_NOTHING) {
        result.status = DownloadStatus::Incomplete;
    } else if (code == CURLE_COULDNT_RESOLVE_HOST || code == CURLE_COULDNT_CONNECT) {
        result.status = DownloadStatus::ConnectFailed;
    } else if (code != CURLE_OK) {
        result.status = DownloadStatus::Failed;
    } else if (result.httpStatus < 200 || result.httpStatus > 299) {
        result.status = DownloadStatus::HttpError;  // e.g. a redirect without a target
    } else {
        result.status = DownloadStatus::Ok;
        result.body = std::move(t.body);
    }
    return result;
}

std::string downloadMessage(const DownloadResult& result, const DownloadLimits& limits) {
    switch (result.status) {
    case DownloadStatus::Ok:
    case DownloadStatus::Cancelled: return {};
    case DownloadStatus::TimedOut:
        return "网络图片下载失败，服务器 " + text::number(limits.stallSeconds) + " 秒没有响应";
    case DownloadStatus::TooLarge:
        return "网络图片下载失败，图片超过 " + text::number(limits.maxBytes / (1024 * 1024)) + " MB";
    case DownloadStatus::HttpError:
        return "网络图片下载失败（HTTP " + text::number(result.httpStatus) + "）";
    case DownloadStatus::Incomplete: return "网络图片下载失败，数据没有传输完整";
    case DownloadStatus::ConnectFailed: return "网络图片下载失败，无法连接到服务器";
    case DownloadStatus::Failed: break;
    }
    return "网络图片下载失败（错误 " + text::number(result.errorCode) + "）";
}

}  // namespace platform
