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
    limits.maxBytes = 1 << 20;
    server.route("/x.png", GetParam().route);
    const auto start = std::chrono::steady_clock::now();
    const auto r = httpDownload(server.url("/x.png"), limits);
    EXPECT_EQ(r.status, GetParam().status);
    EXPECT_TRUE(r.body.empty());
    if (GetParam().message) {
        EXPECT_EQ(platform::downloadMessage(r, limits), GetParam().message);
    } else {
        EXPECT_EQ(platform::downloadMessage(r, limits).rfind("网络图片下载失败（错误 ", 0), 0u);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

const FailureCase kFailures[] = {
    {"NotFound", {testhttp::response(404, "<html>gone</html>", "text/html")},
     DownloadStatus::HttpError, "网络图片下载失败（HTTP 404）"},
    {"ServerError", {testhttp::response(500, "")}, DownloadStatus::HttpError,
     "网络图片下载失败（HTTP 500）"},
    {"RedirectWithoutTarget", {"HTTP/1.0 302 Found\r\nContent-Length: 0\r\n\r\n"},
     DownloadStatus::HttpError, "网络图片下载失败（HTTP 302）"},
    {"Stalled", {"", true}, DownloadStatus::TimedOut, "网络图片下载失败，服务器 1 秒没有响应"},
    {"CutShort", {"HTTP/1.0 200 OK\r\nContent-Length: 500\r\n\r\n" + std::string(100, 'x')},
     DownloadStatus::Incomplete, "网络图片下载失败，数据没有传输完整"},
    {"TooLargeByLength", {testhttp::response(200, std::string((1 << 20) + 1, 'x'))},
     DownloadStatus::TooLarge, "网络图片下载失败，图片超过 1 MB"},
    {"TooLargeWithoutLength", {"HTTP/1.0 200 OK\r\n\r\n" + std::string((1 << 20) + 5000, 'x')},
     DownloadStatus::TooLarge, "网络图片下载失败，图片超过 1 MB"},
    {"NothingAtAll", {"garbage"}, DownloadStatus::Failed, nullptr},
};

INSTANTIATE_TEST_SUITE_P(Cases, HttpFailure, ::testing::ValuesIn(kFailures),
                         [](const auto& tc) { return std::string(tc.param.name); });

TEST(HttpDownloadErrors, RefusedConnectionAndOtherSchemes) {
    DownloadLimits limits;
    limits.stallSeconds = 2;
    // Port 1 on the loopback: nothing listens there.
    auto r = httpDownload("http://127.0.0.1:1/x.png", limits);
    EXPECT_EQ(r.status, DownloadStatus::ConnectFailed);
    EXPECT_EQ(platform::downloadMessage(r, limits), "网络图片下载失败，无法连接到服务器");
    r = httpDownload("file:///etc/passwd", limits);
    EXPECT_NE(r.status, DownloadStatus::Ok);
    EXPECT_TRUE(r.body.empty());
}

TEST_F(HttpDownload, CancelStopsAStalledDownloadQuickly) {
    server.route("/x.png", {"", true});
    DownloadProgress progress;
    auto done = std::async(std::launch::async, [&] { return httpDownload(server.url("/x.png"), limits, &progress); });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    progress.cancel = true;
    ASSERT_EQ(done.wait_for(std::chrono::seconds(5)), std::future_status::ready);
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
