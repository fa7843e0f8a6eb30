// The Windows side of the toolkit seams, run under Wine by the Windows check (the
// GTK side is covered by the GUI tests).
#include <gtest/gtest.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/init.h>

#include <string>
#include <vector>

#include "platform/arguments.h"
#include "toolkit/clipboard.h"
#include "toolkit/folders.h"
#include "toolkit/settings.h"
#include "toolkit/theme.h"
#include "toolkit/widgets.h"

namespace {

TEST(Clipboard, TextComesBackExactlyWithItsLineEnds) {
    const std::string cases[] = {
        "<img src=\"http://a.com/b.jpg\" />\r\n<map name=\"250\" id=\"250\">\r\n</map>",
        "热点提示\r\n镕喆 √×：",
        "one line",
        "a\nb",  // a lone LF stays a lone LF
    };
    for (const std::string& text : cases) {
        ASSERT_TRUE(toolkit::copyToClipboard(text)) << text;
        EXPECT_EQ(toolkit::clipboardText(), text);
    }
}

TEST(Clipboard, AnUnavailableClipboardKeepsWhatItHad) {
    ASSERT_TRUE(toolkit::copyToClipboard("before"));
    toolkit::setClipboardUnavailable(true);
    EXPECT_FALSE(toolkit::copyToClipboard("after"));
    toolkit::setClipboardUnavailable(false);
    EXPECT_EQ(toolkit::clipboardText(), "before");
}

TEST(Folders, TheFileDialogFirstOpensAnExistingFolder) {
    const wxString folder = toolkit::firstUseFolder();
    EXPECT_FALSE(folder.empty());
    EXPECT_TRUE(wxDirExists(folder)) << toolkit::toUtf8(folder);
}

std::vector<std::string>& givenArguments() {
    static std::vector<std::string> args;
    return args;
}

TEST(Arguments, TheSystemsCopyMatchesWhatMainGot) {
    const auto args = platform::commandLineArguments();
    ASSERT_TRUE(args.has_value());
    EXPECT_EQ(*args, givenArguments());
}

// A Windows path with its backslashes, a space and Chinese goes into the ini file
// and comes back the same in the next run.
TEST(Settings, AFolderComesBackFromTheIniUnderAppData) {
    const wxString folder = toolkit::settingsFolder() + "\\设置 测试";
    ASSERT_TRUE(wxFileName::Mkdir(folder, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL));
    settings::reload();
    settings::rememberFolder(settings::Folder::projects, folder + "\\a.hzproj");
    EXPECT_TRUE(wxFileExists(settings::filePath())) << toolkit::toUtf8(settings::filePath());
    settings::reload();
    EXPECT_EQ(toolkit::toUtf8(settings::lastFolder(settings::Folder::projects)),
              toolkit::toUtf8(folder));
    wxRemoveFile(settings::filePath());
    wxRmdir(folder);
    settings::reload();
}

TEST(Theme, TheUiFontIsTheSystemsOwnFace) {
    const wxString face = toolkit::platformUiFaceName();
    EXPECT_FALSE(face.empty());
    EXPECT_NE(face, "WenQuanYi Zen Hei");
    EXPECT_TRUE(toolkit::uiFont().IsOk());
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) givenArguments().push_back(argv[i]);
    ::testing::InitGoogleTest(&argc, argv);
    wxInitializer wx(argc, argv);
    if (!wx.IsOk()) return 2;
    return RUN_ALL_TESTS();
}
