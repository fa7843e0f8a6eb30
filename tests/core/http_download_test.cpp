#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <future>
#include <iterator>
#include <thread>

#include "platform/http.h"
#include "test_http_server.h"

using platform::DownloadLimits;
using platform::DownloadProgress;
using platform::DownloadStatus;
using platform::httpDownload;

namespace {

std::string fixture(const std::string& name) {
    std::ifstream in(std::string(FIXTURE_DIR) + "/pictures/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

Bytes bytesOf(const std::string& s) { return Bytes(s.begin(), s.end()); }

class HttpDownload : public ::testing::Test {
protected:
    testhttp::Server server;
    DownloadLimits limits;
    std::string png = fixture("good_790x300.png");
};

TEST_F(HttpDownload, GoodPictureWithTheRequestWeMean) {
    server.route("/a.png", {testhttp::response(200, png)});
    DownloadProgress progress;
    const auto r = httpDownload(server.url("/a.png"), limits, &progress);
    ASSERT_EQ(r.status, DownloadStatus::Ok);
    EXPECT_EQ(r.body, bytesOf(png));
    EXPECT_EQ(r.httpStatus, 200);
    EXPECT_EQ(progress.received.load(), static_cast<std::int64_t>(png.size()));
    ASSERT_EQ(server.requests().size(), 1u);
    const std::string head = server.requests()[0];
    EXPECT_EQ(head.rfind("GET /a.png HTTP/1.0\r\n", 0), 0u) << head;
    EXPECT_NE(head.find("\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n"),
              std::string::npos) << head;
    EXPECT_NE(head.find("\r\nAccept: */*\r\n"), std::string::npos) << head;
    EXPECT_EQ(platform::downloadMessage(r, limits), "");
}

TEST_F(HttpDownload, AddressAsTypedWithUpperCaseAndSpaces) {
    server.route("/SHOP/MY%20PIC.PNG", {testhttp::response(200, png)});
    const std::string typed = "HTTP://127.0.0.1:" + server.base().substr(17) + "/SHOP/MY PIC.PNG";
    const auto r = httpDownload(typed, limits);
    EXPECT_EQ(r.status, DownloadStatus::Ok);
    EXPECT_EQ(r.body.size(), png.size());
}

TEST_F(HttpDownload, FollowsRedirects) {
    server.route("/old.png", {testhttp::redirect("/new.png")});
    server.route("/new.png", {testhttp::response(200, png)});
    const auto r = httpDownload(server.url("/old.png"), limits);
    EXPECT_EQ(r.status, DownloadStatus::Ok);
    EXPECT_EQ(r.body, bytesOf(png));
    EXPECT_EQ(server.requests().size(), 2u);
}

struct FailureCase {
    const char* name;
    testhttp::Route route;
    DownloadStatus status;
    const char* message;
};

class HttpFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(HttpFailure, GivesNoBodyAndItsMessage) {
    testhttp::Server server;
    DownloadLimits limits;
    limits.stallSeconds = 1;
    limits.slowSeconds = 1;
    limits.deadlineSeconds = 4;
    limits.maxBytes = 1 << 20;
    limits.maxHeaderBytes = 8 * 1024;
    server.route("/x.png", GetParam().route);
    server.route("/loop.png", {testhttp::redirect("/loop.png")});
    server.route("/ftp.png", {testhttp::redirect("ftp://127.0.0.1/x.png")});
    const auto r = httpDownload(server.url("/x.png"), limits);
    EXPECT_EQ(r.status, GetParam().status);
    EXPECT_TRUE(r.body.empty());
    EXPECT_EQ(platform::downloadMessage(r, limits), GetParam().message);
}

const FailureCase kFailures[] = {
    {"NotFound",
     {testhttp::response(404, "<html>gone</html>", "text/html")},
     DownloadStatus::HttpError,
     "网络图片下载失败（HTTP 404）"},
    {"ServerError",
     {testhttp::response(500, "")},
     DownloadStatus::HttpError,
     "网络图片下载失败（HTTP 500）"},
    {"RedirectWithoutTarget",
     {"HTTP/1.0 302 Found\r\nContent-Length: 0\r\n\r\n"},
     DownloadStatus::HttpError,
     "网络图片下载失败（HTTP 302）"},
    {"Stalled", {"", true}, DownloadStatus::TimedOut, "网络图片下载失败，服务器 1 秒没有响应"},
    {"CutShort",
     {"HTTP/1.0 200 OK\r\nContent-Length: 500\r\n\r\n" + std::string(100, 'x')},
     DownloadStatus::Incomplete,
     "网络图片下载失败，数据没有传输完整"},
    {"TooLargeByLength",
     {testhttp::response(200, std::string((1 << 20) + 1, 'x'))},
     DownloadStatus::TooLarge,
     "网络图片下载失败，图片超过 1 MB"},
    {"TooLargeWithoutLength",
     {"HTTP/1.0 200 OK\r\n\r\n" + std::string((1 << 20) + 5000, 'x')},
     DownloadStatus::TooLarge,
     "网络图片下载失败，图片超过 1 MB"},
    {"NotHttpAtAll", {"garbage"}, DownloadStatus::Failed, "网络图片下载失败，服务器的回应无法识别"},
    // Closed in the middle of its headers: no success with an empty body.
    {"CutInsideHeaders",
     {"HTTP/1.0 200 OK\r\nContent-Ty"},
     DownloadStatus::Incomplete,
     "网络图片下载失败，数据没有传输完整"},
    {"CutAfterStatusLine",
     {"HTTP/1.0 200 OK\r\n"},
     DownloadStatus::Incomplete,
     "网络图片下载失败，数据没有传输完整"},
    // Two bytes a second: never a stall, always too slow.
    {"Trickling",
     {"HTTP/1.0 200 OK\r\nContent-Length: 100000\r\n\r\n", false, 500},
     DownloadStatus::TooSlow,
     "网络图片下载失败，服务器传输过慢（1 秒内平均每秒不到 1 KB）"},
    {"HeadersTooLarge",
     {"HTTP/1.0 200 OK\r\n" + std::string(100, 'X') + ": " + std::string(9000, 'y') + "\r\n\r\n"},
     DownloadStatus::HeadersTooLarge,
     "网络图片下载失败，服务器发来的回应头过大"},
    // One line longer than the transfer library takes at all.
    {"OneHugeHeaderLine",
     {"HTTP/1.0 200 OK\r\nX-Pad: " + std::string(150 * 1024, 'y') + "\r\n\r\n"},
     DownloadStatus::HeadersTooLarge,
     "网络图片下载失败，服务器发来的回应头过大"},
    {"TooManyRedirects",
     {testhttp::redirect("/loop.png")},
     DownloadStatus::Failed,
     "网络图片下载失败，服务器转向的次数过多"},
    {"RedirectToAnotherKind",
     {testhttp::redirect("/ftp.png")},
     DownloadStatus::Failed,
     "网络图片下载失败，不接受这种地址，只能下载 http:// 或 https:// 地址"},
};

INSTANTIATE_TEST_SUITE_P(Cases, HttpFailure, ::testing::ValuesIn(kFailures),
                         [](const auto& tc) { return std::string(tc.param.name); });

TEST(HttpDownloadErrors, RefusedConnectionAndOtherSchemes) {
    DownloadLimits limits;
    limits.stallSeconds = 2;
    // Port 1 on the loopback: nothing listens there.
    auto r = httpDownload("http://127.0.0.1:1/x.png", limits);
    EXPECT_EQ(r.status, DownloadStatus::Failed);
    EXPECT_EQ(platform::downloadMessage(r, limits), "网络图片下载失败，无法连接到服务器");
    r = httpDownload("file:///etc/passwd", limits);
    EXPECT_NE(r.status, DownloadStatus::Ok);
    EXPECT_TRUE(r.body.empty());
}

// Fast enough never to be too slow, yet it goes on past the overall deadline.
TEST_F(HttpDownload, OverallDeadlineEndsADownloadThatNeverFinishes) {
    server.route("/x.png", {"HTTP/1.0 200 OK\r\nContent-Length: 1000000\r\n\r\n", false, 20});
    limits.slowSeconds = 1;
    limits.slowBytesPerSecond = 10;
    limits.deadlineSeconds = 2;
    const auto r = httpDownload(server.url("/x.png"), limits);
    EXPECT_EQ(r.status, DownloadStatus::DeadlinePassed);
    EXPECT_EQ(platform::downloadMessage(r, limits), "网络图片下载失败，下载超过了 2 秒");
    EXPECT_EQ(platform::downloadMessage(r, DownloadLimits{}), "网络图片下载失败，下载超过了 5 分钟");
}

// Refusals the local server cannot stage, by the transport library's error
// number: each is a sentence, and no number is ever shown bare.
TEST(DownloadMessage, EveryTransportErrorIsASentence) {
    const struct {
        int code;
        const char* message;
    } cases[] = {
        {60, "网络图片下载失败，服务器的证书不受信任"},
        {35, "网络图片下载失败，无法与服务器建立安全连接"},
        {6, "网络图片下载失败，找不到服务器，请检查地址中的网站名"},
        {7, "网络图片下载失败，无法连接到服务器"},
        {47, "网络图片下载失败，服务器转向的次数过多"},
        {1, "网络图片下载失败，不接受这种地址，只能下载 http:// 或 https:// 地址"},
        {48, "网络图片下载失败，网络组件无法完成下载的设置"},
        {99, "网络图片下载失败，网络出现了错误"},
    };
    DownloadLimits limits;
    platform::DownloadResult r;
    r.status = DownloadStatus::Failed;
    for (const auto& c : cases) {
        r.errorCode = c.code;
        EXPECT_EQ(platform::downloadMessage(r, limits), c.message) << c.code;
    }
    for (int code = 1; code < 100; ++code) {
        r.errorCode = code;
        const std::string m = platform::downloadMessage(r, limits);
        EXPECT_EQ(m.find(std::to_string(code)), std::string::npos) << code << " " << m;
        EXPECT_EQ(m.find("错误 "), std::string::npos) << code;
    }
}

// The server holds the connection: without the cancel the download would end as
// stalled, with its message.
TEST_F(HttpDownload, CancelStopsAStalledDownload) {
    server.route("/x.png", {"", true});
    DownloadProgress progress;
    auto done = std::async(std::launch::async, [&] { return httpDownload(server.url("/x.png"), limits, &progress); });
    while (server.requests().empty()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    progress.cancel = true;
    const auto r = done.get();
    EXPECT_EQ(r.status, DownloadStatus::Cancelled);
    EXPECT_EQ(platform::downloadMessage(r, limits), "");
}

TEST(EncodeAddress, EscapesSpacesAndNonAscii) {
    EXPECT_EQ(platform::encodeAddress("http://a.com/b c.png"), "http://a.com/b%20c.png");
    EXPECT_EQ(platform::encodeAddress("http://a.com/图.png"), "http://a.com/%E5%9B%BE.png");
    EXPECT_EQ(platform::encodeAddress("http://a.com/x.png?a=1&b=%20"), "http://a.com/x.png?a=1&b=%20");
}

}  // namespace
