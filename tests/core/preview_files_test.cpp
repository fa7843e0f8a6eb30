#include "core/preview_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "platform/files.h"

namespace fs = std::filesystem;
using namespace preview;

namespace {

// Paths are UTF-8 in the program: on Windows a plain narrow path would be read in
// the system's code page instead.
fs::path u8(const std::string& path) { return fs::u8path(path); }
std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
std::string readAll(const std::string& utf8Path) { return readAll(u8(utf8Path)); }

class PreviewFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("preview-files-" + std::to_string(std::random_device{}()));
        fs::create_directories(root / "run");
        // A plain file where a directory is wanted: nothing can be made inside it.
        std::ofstream(root / "blocked") << "x";
    }
    void TearDown() override {
        setRunDirectoryOverride("");
        fs::remove_all(root);
    }
    fs::path root;
    const std::string document = "<html>预览</html>";
    const Bytes picture{0xFF, 0xD8, 0x00, 0x01, 0xFF, 0xD9};
};

TEST_F(PreviewFilesTest, RunDirectoryTakesDocumentAndCopy) {
    const std::vector<CacheLocation> at{{(root / "run").string(), false},
                                        {(root / "user" / kProgramFolder).string(), true}};
    const WriteResult r = writePreviewFiles(at, document, "横幅 1.jpg", &picture);
    ASSERT_EQ(r.outcome, WriteOutcome::written);
    EXPECT_EQ(r.files.document, (root / "run" / "Cache" / "Temporary.html").string());
    EXPECT_EQ(r.files.picture, (root / "run" / "Cache" / u8("横幅 1.jpg")).u8string());
    EXPECT_EQ(readAll(r.files.document), document);
    EXPECT_EQ(readAll(r.files.picture), std::string(picture.begin(), picture.end()));
    EXPECT_FALSE(fs::exists(root / "user"));  // the fallback was not needed

    // A second preview reuses Cache and overwrites the document.
    const WriteResult again = writePreviewFiles(at, "short", "横幅 1.jpg", &picture);
    ASSERT_EQ(again.outcome, WriteOutcome::written);
    EXPECT_EQ(readAll(again.files.document), "short");

    removePreviewFiles(again.files);
    EXPECT_FALSE(fs::exists(again.files.document));
    EXPECT_FALSE(fs::exists(u8(again.files.picture)));
    EXPECT_TRUE(fs::is_directory(root / "run" / "Cache"));  // Cache stays
    removePreviewFiles(again.files);                         // deleting again is harmless
}

TEST_F(PreviewFilesTest, NetworkPictureWritesTheDocumentOnly) {
    const WriteResult r =
        writePreviewFiles({{(root / "run").string(), false}}, document, "", nullptr);
    ASSERT_EQ(r.outcome, WriteOutcome::written);
    EXPECT_TRUE(r.files.picture.empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(root / "run" / "Cache"), {}), 1);
}

TEST_F(PreviewFilesTest, UnwritableRunDirectoryFallsBackToTheUserFolder) {
    const std::vector<CacheLocation> at{{(root / "blocked").string(), false},
                                        {(root / "user" / "cache" / kProgramFolder).string(), true}};
    const WriteResult r = writePreviewFiles(at, document, "a.png", &picture);
    ASSERT_EQ(r.outcome, WriteOutcome::written);
    const fs::path cache = root / "user" / "cache" / kProgramFolder / "Cache";
    EXPECT_EQ(r.files.document, (cache / "Temporary.html").string());
    EXPECT_EQ(r.files.picture, (cache / "a.png").string());
    EXPECT_EQ(readAll(r.files.document), document);
}

TEST_F(PreviewFilesTest, TheRunDirectoryIsNeverCreated) {
    const WriteResult r = writePreviewFiles({{(root / "missing").string(), false}}, document,
                                            "a.png", &picture);
    EXPECT_EQ(r.outcome, WriteOutcome::documentFailed);
    EXPECT_FALSE(fs::exists(root / "missing"));
}

TEST_F(PreviewFilesTest, NothingWritableFailsTheDocument) {
    const std::vector<CacheLocation> at{{(root / "blocked").string(), false},
                                        {(root / "blocked" / kProgramFolder).string(), true}};
    const WriteResult r = writePreviewFiles(at, document, "a.png", &picture);
    EXPECT_EQ(r.outcome, WriteOutcome::documentFailed);
    EXPECT_TRUE(r.files.document.empty());
}

TEST_F(PreviewFilesTest, FailedCopyRemovesItsDocument) {
    // A directory stands where the copy should go, in both locations.
    fs::create_directories(root / "run" / "Cache" / "a.png");
    fs::create_directories(root / "user" / "Cache" / "a.png");
    const std::vector<CacheLocation> at{{(root / "run").string(), false},
                                        {(root / "user").string(), true}};
    const WriteResult r = writePreviewFiles(at, document, "a.png", &picture);
    EXPECT_EQ(r.outcome, WriteOutcome::pictureFailed);
    EXPECT_FALSE(fs::exists(root / "run" / "Cache" / "Temporary.html"));
    EXPECT_FALSE(fs::exists(root / "user" / "Cache" / "Temporary.html"));

    // Where only the first location's copy fails, the second takes both.
    fs::remove(root / "user" / "Cache" / "a.png");
    const WriteResult second = writePreviewFiles(at, document, "a.png", &picture);
    ASSERT_EQ(second.outcome, WriteOutcome::written);
    EXPECT_EQ(second.files.document, (root / "user" / "Cache" / "Temporary.html").string());
    EXPECT_FALSE(fs::exists(root / "run" / "Cache" / "Temporary.html"));
}

TEST_F(PreviewFilesTest, LocationsFollowTheRunDirectoryAndTheUserCache) {
    setRunDirectoryOverride((root / "run").string());
    const std::vector<CacheLocation> at = cacheLocations();
    ASSERT_EQ(at.size(), 2u);
    EXPECT_EQ(at[0].base, (root / "run").string());
    EXPECT_FALSE(at[0].createBase);
    EXPECT_EQ(fs::path(at[1].base), fs::path(platform::userCacheDirectory()) / kProgramFolder);
    EXPECT_TRUE(at[1].createBase);

    setRunDirectoryOverride("");
    EXPECT_EQ(cacheLocations()[0].base, platform::executableDirectory());
    EXPECT_TRUE(fs::is_directory(platform::executableDirectory()));
}

}  // namespace
