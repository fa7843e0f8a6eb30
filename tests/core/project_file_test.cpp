#include "core/project_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

using namespace project;

namespace {

Project sample() {
    Project p;
    p.hasPicture = true;
    p.picture.loadMode = 0;
    p.picture.path = "/home/店铺/素材/banner 1.jpg";
    p.picture.relativePath = "素材/banner 1.jpg";
    p.picture.uploadedAddress = "http://img.example/\"banner\".jpg?a=1&b=2";
    p.picture.width = 790;
    p.picture.height = 20000;
    p.picture.left = -12;
    p.picture.top = -4000;
    p.hotspots = {
        {0, 0, 150, 100, "http://shop.example/item?id=1&from=\"x\"", "新品上市 😀", true},
        {-20, 19990, 30, 40, "http://a/&amp;", "", false},
        {9999999, -9999999, 32000, 1, "未添加热点链接", "热点提示\n第二行", false},
    };
    p.hotspotColour = packRgb(1, 2, 3);
    p.borderColour = packRgb(250, 128, 0);
    p.backgroundColour = packRgb(0, 0, 0);
    p.transparency = 73;
    return p;
}

}  // namespace

TEST(ProjectFile, RoundTrip) {
    const Project p = sample();
    const std::string text = toJson(p);
    Project back;
    std::string error;
    ASSERT_TRUE(fromJson(text, back, error)) << error;
    EXPECT_TRUE(back == p);
    EXPECT_EQ(back.picture.relativePath, p.picture.relativePath);
    EXPECT_EQ(back.hotspots[0].tip, "新品上市 😀");
    EXPECT_EQ(toJson(back), text);  // stable

    Project empty;  // no picture: a fresh project
    ASSERT_TRUE(fromJson(toJson(empty), back, error)) << error;
    EXPECT_TRUE(back == empty);
    EXPECT_FALSE(back.hasPicture);

    Project network = sample();
    network.picture.loadMode = 1;
    network.picture.path = "http://img.example/a.png";
    network.picture.relativePath.clear();
    ASSERT_TRUE(fromJson(toJson(network), back, error)) << error;
    EXPECT_EQ(back.picture.loadMode, 1);
    EXPECT_TRUE(back == network);
}

TEST(ProjectFile, TheFileIsReadableJson) {
    const std::string text = toJson(sample());
    EXPECT_NE(text.find("\"format\": \"huizhan-hotspots-project\""), std::string::npos);
    EXPECT_NE(text.find("\"version\": 1"), std::string::npos);
    EXPECT_NE(text.find("\"tip\": \"新品上市 😀\""), std::string::npos);  // UTF-8 as it is
    EXPECT_NE(text.find("\"hotspot\": \"#010203\""), std::string::npos);
}

// Each bad file names its problem and leaves what was there.
TEST(ProjectFile, BadFilesAreRefusedWithTheirProblem) {
    const std::string good = toJson(sample());
    auto with = [&](const std::string& from, const std::string& to) {
        std::string s = good;
        const size_t at = s.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? s : s.replace(at, from.size(), to);
    };
    std::string manySpots = "{\"format\":\"huizhan-hotspots-project\",\"version\":1,"
                            "\"picture\":{\"source\":\"local\",\"path\":\"a.jpg\",\"relativePath\":\"\","
                            "\"uploadedAddress\":\"\",\"width\":10,\"height\":10,\"left\":0,\"top\":0},"
                            "\"hotspots\":[";
    for (int i = 0; i < 1000000; ++i) manySpots += i ? ",{}" : "{}";
    manySpots += "],\"colours\":{},\"transparency\":50}";
    // Seven faces of 32000 x 900 are 201.6 million pixels together.
    Project wide = sample();
    wide.hotspots.assign(7, HotspotRecord{0, 0, 32000, 900, "l", "t", false});
    const std::string tooMuchFace = toJson(wide);
    wide.hotspots.assign(1, HotspotRecord{0, 0, 32000, 32000, "l", "t", false});
    const std::string bigFace = toJson(wide);
    struct Case {
        std::string text;
        std::string error;
    };
    const Case cases[] = {
        {"", "工程文件是空的"},
        {" \r\n ", "工程文件是空的"},
        {good.substr(0, good.size() / 2), "工程文件已损坏或不完整（第 "},
        {"not json at all", "工程文件已损坏或不完整（第 1 行附近不是有效的 JSON）"},
        {"[1, 2]", "这不是绘栈热点工程文件"},
        {"{\"format\": \"other\"}", "这不是绘栈热点工程文件"},
        {with("\"version\": 1", "\"version\": 2"),
         "工程文件的格式版本为 2，本程序只能打开版本 1，请使用更新的程序打开"},
        {with("\"version\": 1", "\"version\": \"1\""), "工程文件无法打开：字段“version”应为整数"},
        {with("\"transparency\": 73", "\"transparencyX\": 73"),
         "工程文件无法打开：缺少字段“transparency”"},
        {with("\"width\": 790", "\"width\": -790"),
         "工程文件无法打开：字段“picture.width”的数值 -790 超出范围（1 至 1000000）"},
        {with("\"width\": 150", "\"width\": 1000000000"),
         "工程文件无法打开：字段“hotspots[0].width”的数值 1000000000 超出范围（1 至 32000）"},
        {bigFace, "工程文件无法打开：“hotspots[0]”的面积过大（32000×32000）"},
        {with("\"x\": 0", "\"x\": 1e9"), "工程文件无法打开：字段“hotspots[0].x”应为整数"},
        {with("\"x\": 0", "\"x\": 18446744073709551615"),
         "工程文件无法打开：字段“hotspots[0].x”的数值 18446744073709551615 超出范围（-10000000 至 "
         "10000000）"},
        {with("\"locked\": true", "\"locked\": 1"),
         "工程文件无法打开：字段“hotspots[0].locked”应为true 或 false"},
        {with("\"link\": \"http://shop", "\"link\": 5, \"x\": \"http://shop"),
         "工程文件无法打开：字段“hotspots[0].link”应为文本"},
        {with("\"source\": \"local\"", "\"source\": \"ftp\""),
         "工程文件无法打开：字段“picture.source”应为 local 或 network"},
        {with("\"hotspot\": \"#010203\"", "\"hotspot\": \"red\""),
         "工程文件无法打开：字段“colours.hotspot”不是 #RRGGBB 形式的颜色"},
        {with("\"transparency\": 73", "\"transparency\": 0"),
         "工程文件无法打开：字段“transparency”的数值 0 超出范围（1 至 100）"},
        {with("\"hotspots\": [", "\"hotspots\": 3, \"x\": ["),
         "工程文件无法打开：字段“hotspots”应为数组"},
        {manySpots, "工程文件无法打开：工程文件中的热点过多（超过 20000 个）"},
        // Valid JSON the library refuses to hold, or holds in a type the reader must not trust.
        {"[1e400]", "工程文件已损坏或不完整（数值超出范围）"},
        {with("\"transparency\": 73", "\"transparency\": -1e400"),
         "工程文件已损坏或不完整（数值超出范围）"},
        {"{\"format\": 1}", "这不是绘栈热点工程文件"},
        {"{\"format\": null}", "这不是绘栈热点工程文件"},
        {"{\"format\": [\"huizhan-hotspots-project\"]}", "这不是绘栈热点工程文件"},
        {"\"huizhan-hotspots-project\"", "这不是绘栈热点工程文件"},
        {std::string(100000, '[') + std::string(100000, ']'), "工程文件已损坏或不完整（嵌套过深）"},
        {tooMuchFace, "工程文件无法打开：工程文件中的热点总面积过大"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        Project kept = sample();
        std::string error;
        EXPECT_FALSE(fromJson(c.text, kept, error));
        EXPECT_EQ(error.substr(0, c.error.size()), c.error);
        EXPECT_TRUE(kept == sample());
        // A recovery file is read by the same rules.
        std::string owner = "kept";
        EXPECT_FALSE(fromRecoveryJson(c.text, kept, owner, error));
        EXPECT_EQ(error.substr(0, c.error.size()), c.error);
        EXPECT_EQ(owner, "kept");
    }
}

// 64 MB of empty hotspots is refused at the first one past the limit, before a
// document of millions of values is built.
TEST(ProjectFile, AnOversizedHotspotListIsRefusedBeforeItIsBuilt) {
    std::string text = "{\"format\":\"huizhan-hotspots-project\",\"version\":1,\"hotspots\":[{}";
    text.reserve(limits::kMaxProjectBytes);
    while (text.size() + 8 < limits::kMaxProjectBytes) text += ",{}";
    text += "]}";
    Project p;
    std::string error;
    EXPECT_FALSE(fromJson(text, p, error));
    EXPECT_EQ(error, "工程文件无法打开：工程文件中的热点过多（超过 20000 个）");
}

// Work at every limit at once saves, and the file opens again as the same work;
// one step past a limit is named before saving.
TEST(ProjectFile, WorkAtTheLimitsOpensAgain) {
    Project p = sample();
    p.picture.width = limits::kMaxSide;
    p.picture.height = 1;
    p.picture.left = -limits::kMaxCoordinate;
    p.picture.top = limits::kMaxCoordinate;
    const std::string longest(limits::kMaxTextBytes - 3, 'a');
    p.hotspots.assign(limits::kMaxHotspots,
                      HotspotRecord{1, 2, 3, 4, "http://s/?a=1&b=2", "提示", false});
    p.hotspots.front() = {-limits::kMaxCoordinate,
                          limits::kMaxCoordinate,
                          limits::kMaxHotspotSide,
                          1000,
                          longest + "链",
                          std::string(limits::kMaxTextBytes, '"'),
                          true};
    const std::string text = toJson(p);
    EXPECT_EQ(limitProblem(p, text.size()), "");
    Project back;
    std::string error;
    ASSERT_TRUE(fromJson(text, back, error)) << error;
    EXPECT_TRUE(back == p);
    ASSERT_TRUE(fromRecoveryJson(toRecoveryJson(p, "/a/b.hzproj"), back, error, error)) << error;

    struct Past {
        const char* what;
        std::function<void(Project&)> change;
        std::string problem;
    };
    const Past past[] = {
        {"one hotspot more", [](Project& q) { q.hotspots.emplace_back(q.hotspots.back()); },
         "热点过多（20001 个，最多 20000 个）"},
        {"a link a byte longer",
         [](Project& q) { q.hotspots[5].link.assign(limits::kMaxTextBytes + 1, 'x'); },
         "第 6 个热点的链接或提示过长（最多 65536 字节）"},
        {"a tip a byte longer", [](Project& q) { q.hotspots[0].tip += "x"; },
         "第 1 个热点的链接或提示过长（最多 65536 字节）"},
        {"a hotspot further away", [](Project& q) { q.hotspots[1].x = limits::kMaxCoordinate + 1; },
         "第 2 个热点的位置超出范围"},
        {"a wider hotspot", [](Project& q) { q.hotspots[1].width = limits::kMaxHotspotSide + 1; },
         "第 2 个热点的尺寸超出范围"},
        {"a wider picture", [](Project& q) { q.picture.width = limits::kMaxSide + 1; },
         "图片的尺寸超出范围"},
    };
    for (const Past& c : past) {
        SCOPED_TRACE(c.what);
        Project q = p;
        c.change(q);
        const std::string t = toJson(q);
        EXPECT_EQ(limitProblem(q, t.size()), c.problem);
        EXPECT_FALSE(fromJson(t, back, error));
    }
    EXPECT_EQ(limitProblem(sample(), limits::kMaxProjectBytes + 1), "工程文件过大（超过 64 MB）");
}

// Both separators read the same here; Windows writes its own.
std::string slashes(std::string s) {
    for (char& c : s)
        if (c == '\\') c = '/';
    return s;
}

TEST(ProjectFile, Paths) {
    EXPECT_EQ(relativeTo("/home/u/工程", "/home/u/工程/素材/a.jpg"), "素材/a.jpg");
    EXPECT_EQ(relativeTo("/home/u/工程", "/home/u/图片/a.jpg"), "../图片/a.jpg");
    EXPECT_EQ(relativeTo("", "/a.jpg"), "");
    EXPECT_EQ(slashes(resolveAgainst("/home/u/工程", "../图片/a.jpg")), "/home/u/图片/a.jpg");
    EXPECT_EQ(slashes(folderOf("/home/u/工程/a.hzproj")), "/home/u/工程");
    EXPECT_EQ(fileNameOf("/home/u/工程/a.hzproj"), "a.hzproj");
}

// Projects and recovery files as the program saved them (also the fuzzer's seeds):
// each opens, and writing what was read gives the same bytes.
TEST(ProjectFile, SavedFilesOpenAndWriteBackTheSame) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(FIXTURE_DIR "/projects")) {
        SCOPED_TRACE(entry.path().filename().string());
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(in), {}};
        Project p;
        std::string error, projectPath;
        if (entry.path().extension() == kExtension) {
            ASSERT_TRUE(fromJson(text, p, error)) << error;
            EXPECT_EQ(toJson(p), text);
        } else {
            ASSERT_TRUE(fromRecoveryJson(text, p, projectPath, error)) << error;
            EXPECT_EQ(toRecoveryJson(p, projectPath), text);
        }
        ++files;
    }
    EXPECT_GE(files, 4);
}
