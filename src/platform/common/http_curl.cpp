#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <mutex>

#include "platform/http.h"

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

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
    const DownloadLimits* limits = nullptr;
    DownloadProgress* progress = nullptr;
    Clock::time_point lastByte = Clock::now();
    Clock::time_point windowStart = lastByte;
    std::int64_t received = 0;  // header and body bytes
    std::int64_t windowReceived = 0;
    std::int64_t headerBytes = 0;
    bool statusLine = false;                   // a response began with an HTTP status line
    bool headersComplete = false;              // the last response's header block has ended
    DownloadStatus stop = DownloadStatus::Ok;  // why a callback ended the transfer

    bool cancelled() const { return progress && progress->cancel.load(); }
    void note(std::size_t n) {
        received += static_cast<std::int64_t>(n);
        lastByte = Clock::now();
    }
};

// The callbacks are called from C: nothing they throw may leave them.
std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* user) try {
    auto* t = static_cast<Transfer*>(user);
    const std::size_t n = size * count;
    t->note(n);
    t->headerBytes += static_cast<std::int64_t>(n);
    if (t->headerBytes > t->limits->maxHeaderBytes) {
        t->stop = DownloadStatus::HeadersTooLarge;
        return 0;
    }
    const std::string line(data, n);
    if (line.rfind("HTTP/", 0) == 0) {  // a new response (the first, or after a redirect)
        t->statusLine = true;
        t->headersComplete = false;
    }
    if (line == "\r\n" || line == "\n") t->headersComplete = true;
    return n;
} catch (...) {
    static_cast<Transfer*>(user)->stop = DownloadStatus::Failed;
    return 0;
}

std::size_t onBody(char* data, std::size_t size, std::size_t count, void* user) try {
    auto* t = static_cast<Transfer*>(user);
    const std::size_t n = size * count;
    if (t->cancelled()) {
        t->stop = DownloadStatus::Cancelled;
        return 0;
    }
    // Without a Content-Length the size limit can only be checked here.
    if (static_cast<std::int64_t>(t->body.size() + n) > t->limits->maxBytes) {
        t->stop = DownloadStatus::TooLarge;
        return 0;
    }
    t->note(n);
    t->body.insert(t->body.end(), data, data + n);
    if (t->progress) t->progress->received.store(static_cast<std::int64_t>(t->body.size()));
    return n;
} catch (...) {
    static_cast<Transfer*>(user)->stop = DownloadStatus::Failed;
    return 0;
}

// Called often while data flows and about once a second while it does not.
int onProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto* t = static_cast<Transfer*>(user);
    const DownloadLimits& l = *t->limits;
    if (t->cancelled()) {
        t->stop = DownloadStatus::Cancelled;
        return 1;
    }
    const auto now = Clock::now();
    if (now - t->lastByte >= std::chrono::seconds(l.stallSeconds)) {
        t->stop = DownloadStatus::TimedOut;
        return 1;
    }
    if (now - t->windowStart >= std::chrono::seconds(l.slowSeconds)) {
        if (t->received - t->windowReceived < l.slowBytesPerSecond * l.slowSeconds) {
            t->stop = DownloadStatus::TooSlow;
            return 1;
        }
        t->windowStart = now;
        t->windowReceived = t->received;
    }
    return 0;
}

// Every option is checked: a transfer set up only in part is not started.
class Options {
public:
    explicit Options(CURL* c) : c_(c) {}
    template <class T>
    void set(CURLoption option, T value) {
        const CURLcode code = curl_easy_setopt(c_, option, value);
        if (code != CURLE_OK && first_ == CURLE_OK) first_ = code;
    }
    CURLcode firstError() const { return first_; }

private:
    CURL* c_;
    CURLcode first_ = CURLE_OK;
};

DownloadStatus statusOf(CURLcode code, const Transfer& t, long httpStatus, Clock::duration elapsed,
                        const DownloadLimits& limits) {
    if (t.stop != DownloadStatus::Ok) return t.stop;
    switch (code) {
    case CURLE_OK:
        // A reply closed inside its headers is no reply.
        if (!t.headersComplete) return DownloadStatus::Incomplete;
        return httpStatus >= 200 && httpStatus <= 299 ? DownloadStatus::Ok : DownloadStatus::HttpError;
    case CURLE_ABORTED_BY_CALLBACK: return DownloadStatus::Cancelled;
    // The library refuses a header line longer than it buffers as if memory ran out.
    case CURLE_OUT_OF_MEMORY:
        return t.headersComplete ? DownloadStatus::Failed : DownloadStatus::HeadersTooLarge;
    case CURLE_FILESIZE_EXCEEDED: return DownloadStatus::TooLarge;
    case CURLE_OPERATION_TIMEDOUT:
        return elapsed >= std::chrono::seconds(limits.deadlineSeconds) - std::chrono::milliseconds(500)
                   ? DownloadStatus::DeadlinePassed
                   : DownloadStatus::TimedOut;
    case CURLE_HTTP_RETURNED_ERROR: return DownloadStatus::HttpError;
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING: return DownloadStatus::Incomplete;
    default: return DownloadStatus::Failed;
    }
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
    std::unique_ptr<curl_slist, ListDeleter> headers(curl_slist_append(nullptr, "Accept: */*"));
    if (!curl || !headers) {
        result.errorCode = CURLE_FAILED_INIT;
        return result;
    }

    Transfer t;
    t.limits = &limits;
    t.progress = progress;
    const std::string url = encodeAddress(address);
    Options o(curl.get());
    o.set(CURLOPT_URL, url.c_str());
    o.set(CURLOPT_PROTOCOLS_STR, "http,https");
    o.set(CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    o.set(CURLOPT_FOLLOWLOCATION, 1L);
    o.set(CURLOPT_MAXREDIRS, 10L);
    o.set(CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
    o.set(CURLOPT_USERAGENT, "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)");
    o.set(CURLOPT_HTTPHEADER, headers.get());
    o.set(CURLOPT_NOPROXY, "*");
    o.set(CURLOPT_PROXY, "");
    o.set(CURLOPT_NOSIGNAL, 1L);
    o.set(CURLOPT_FAILONERROR, 1L);
    o.set(CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBytes));
    o.set(CURLOPT_CONNECTTIMEOUT, static_cast<long>(limits.stallSeconds));
    o.set(CURLOPT_TIMEOUT, static_cast<long>(limits.deadlineSeconds));
    // The stall and slow-speed rules are watched in onProgress; the library's own
    // low-speed limit only stands behind them.
    o.set(CURLOPT_LOW_SPEED_LIMIT, static_cast<long>(limits.slowBytesPerSecond));
    o.set(CURLOPT_LOW_SPEED_TIME, static_cast<long>(std::max(limits.slowSeconds, limits.stallSeconds) + 5));
    o.set(CURLOPT_HEADERFUNCTION, onHeader);
    o.set(CURLOPT_HEADERDATA, &t);
    o.set(CURLOPT_WRITEFUNCTION, onBody);
    o.set(CURLOPT_WRITEDATA, &t);
    o.set(CURLOPT_NOPROGRESS, 0L);
    o.set(CURLOPT_XFERINFOFUNCTION, onProgress);
    o.set(CURLOPT_XFERINFODATA, &t);
    if (o.firstError() != CURLE_OK) {
        result.errorCode = static_cast<int>(o.firstError());
        return result;
    }

    const auto start = Clock::now();
    const CURLcode code = curl_easy_perform(curl.get());
    if (curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &result.httpStatus) != CURLE_OK)
        result.httpStatus = 0;
    result.errorCode = static_cast<int>(code);
    // A reply without a status line (HTTP/0.9, or no HTTP at all) is refused as an
    // unsupported protocol: it is the server's reply that is wrong, not the address.
    curl_off_t connectTime = 0;
    if (code == CURLE_UNSUPPORTED_PROTOCOL && !t.statusLine &&
        curl_easy_getinfo(curl.get(), CURLINFO_CONNECT_TIME_T, &connectTime) == CURLE_OK && connectTime > 0)
        result.errorCode = CURLE_WEIRD_SERVER_REPLY;
    result.status = statusOf(code, t, result.httpStatus, Clock::now() - start, limits);
    if (result.status == DownloadStatus::Ok) result.body = std::move(t.body);
    return result;
}

namespace {

// The transport library's refusals, each as a sentence.
std::string transportMessage(int code) {
    switch (code) {
    case CURLE_UNSUPPORTED_PROTOCOL: return "不接受这种地址，只能下载 http:// 或 https:// 地址";
    case CURLE_URL_MALFORMAT: return "网络图片地址的格式不正确";
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_RESOLVE_HOST: return "找不到服务器，请检查地址中的网站名";
    case CURLE_COULDNT_CONNECT: return "无法连接到服务器";
    case CURLE_WEIRD_SERVER_REPLY: return "服务器的回应无法识别";
    case CURLE_REMOTE_ACCESS_DENIED:
    case CURLE_LOGIN_DENIED: return "服务器拒绝访问";
    case CURLE_TOO_MANY_REDIRECTS: return "服务器转向的次数过多";
    case CURLE_PEER_FAILED_VERIFICATION: return "服务器的证书不受信任";
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_ENGINE_NOTFOUND:
    case CURLE_SSL_ENGINE_SETFAILED:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_ENGINE_INITFAILED:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_SHUTDOWN_FAILED:
    case CURLE_SSL_CRL_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
    case CURLE_SSL_INVALIDCERTSTATUS:
    case CURLE_SSL_CLIENTCERT: return "无法与服务器建立安全连接";
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR: return "网络连接中断";
    case CURLE_OUT_OF_MEMORY: return "内存不足";
    case CURLE_BAD_CONTENT_ENCODING: return "服务器发来的数据无法解压";
    case CURLE_FAILED_INIT:
    case CURLE_NOT_BUILT_IN:
    case CURLE_UNKNOWN_OPTION:
    case CURLE_BAD_FUNCTION_ARGUMENT: return "网络组件无法完成下载的设置";
    default: return "网络出现了错误";
    }
}

}  // namespace

std::string downloadMessage(const DownloadResult& result, const DownloadLimits& limits) {
    const std::string failed = "网络图片下载失败，";
    switch (result.status) {
    case DownloadStatus::Ok:
    case DownloadStatus::Cancelled: return {};
    case DownloadStatus::TimedOut:
        return failed + "服务器 " + text::number(limits.stallSeconds) + " 秒没有响应";
    case DownloadStatus::TooSlow:
        return failed + "服务器传输过慢（" + text::number(limits.slowSeconds) + " 秒内平均每秒不到 " +
               text::number(limits.slowBytesPerSecond / 1024) + " KB）";
    case DownloadStatus::DeadlinePassed:
        return failed + "下载超过了 " +
               (limits.deadlineSeconds % 60 == 0 ? text::number(limits.deadlineSeconds / 60) + " 分钟"
                                                 : text::number(limits.deadlineSeconds) + " 秒");
    case DownloadStatus::TooLarge:
        return failed + "图片超过 " + text::number(limits.maxBytes / (1024 * 1024)) + " MB";
    case DownloadStatus::HeadersTooLarge: return failed + "服务器发来的回应头过大";
    case DownloadStatus::HttpError:
        return "网络图片下载失败（HTTP " + text::number(result.httpStatus) + "）";
    case DownloadStatus::Incomplete: return failed + "数据没有传输完整";
    case DownloadStatus::Failed: break;
    }
    return failed + transportMessage(result.errorCode);
}

}  // namespace platform
