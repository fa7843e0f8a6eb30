// The Windows side of the toolkit seams, run under Wine by the Windows check (the
// GTK side is covered by the GUI tests).
#include <gtest/gtest.h>
#include <wx/filefn.h>
#include <wx/init.h>

#include <string>

#include "toolkit/clipboard.h"
#include "toolkit/folders.h"
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

TEST(Theme, TheUiFontIsTheSystemsOwnFace) {
    const wxString face = toolkit::platformUiFaceName();
    EXPECT_FALSE(face.empty());
    EXPECT_NE(face, "WenQuanYi Zen Hei");
    EXPECT_TRUE(toolkit::uiFont().IsOk());
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    wxInitializer wx(argc, argv);
    if (!wx.IsOk()) return 2;
    return RUN_ALL_TESTS();
}
