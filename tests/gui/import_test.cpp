// Importing code through the real window as browsers read it: a file Notepad saved
// as "Unicode", code a browser shows as text, areas without a map.
#include <unistd.h>
#include <wx/filedlg.h>
#include <wx/menu.h>
#include <wx/textctrl.h>

#include <cstdio>
#include <fstream>

#include "forms/import_code_dialog.h"
#include "hotspot_test_support.h"

using namespace guitest;

namespace {

// Opens `path` through the dialog's 打开文件 button, checks the text it shows, imports.
class ExpectImportFile : public wxExpectModalBase<ImportCodeDialog, ExpectImportFile> {
  public:
    ExpectImportFile(std::string path, std::string shown)
        : path_(std::move(path)), shown_(std::move(shown)) {}

  protected:
    int OnInvoked(ImportCodeDialog* d) const override {
        class ExpectOpen : public wxExpectModalBase<wxFileDialog, ExpectOpen> {
          public:
            explicit ExpectOpen(std::string path) : path_(std::move(path)) {}

          protected:
            int OnInvoked(wxFileDialog* dialog) const override {
                dialog->SetPath(u8(path_.c_str()));
                EXPECT_TRUE(waitFor("the file dialog to hold the path",
                                    [&] { return s8(dialog->GetPath()) == path_; }));
                return wxID_OK;
            }
            std::string path_;
        };
        wxTEST_DIALOG(pressButton(d->openButton), ExpectOpen(path_));
        EXPECT_EQ(s8(d->codeBox->GetValue()), shown_);
        return wxID_OK;
    }
    wxString GetDefaultDescription() const override { return "import dialog with a file"; }

  private:
    std::string path_, shown_;
};

class ExpectPaste : public wxExpectModalBase<ImportCodeDialog, ExpectPaste> {
  public:
    explicit ExpectPaste(std::string code) : code_(std::move(code)) {}

  protected:
    int OnInvoked(ImportCodeDialog* d) const override {
        d->codeBox->SetValue(u8(code_.c_str()));
        return wxID_OK;
    }
    wxString GetDefaultDescription() const override { return "import dialog"; }

  private:
    std::string code_;
};

class Import : public HotspotWindowTest {
  protected:
    void SetUp() override {
        HotspotWindowTest::SetUp();
        putPicture(400, 300);
        state->imageWidth = 400;
        state->imageHeight = 300;
    }
    void chooseImport() {
        wxCommandEvent e(wxEVT_MENU, window->menuImportCode->GetId());
        window->GetEventHandler()->ProcessEvent(e);
    }
    std::string row(int i) const {
        const wxRect r(window->canvas->objectLeft(window->hotspots.hotspotObjectAt(i)),
                       window->canvas->objectTop(window->hotspots.hotspotObjectAt(i)),
                       window->canvas->objectWidth(window->hotspots.hotspotObjectAt(i)),
                       window->canvas->objectHeight(window->hotspots.hotspotObjectAt(i)));
        return std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.width) +
               "x" + std::to_string(r.height) + " " + s8(window->hotspotTable->GetItemText(i, 1)) +
               " [" + s8(window->hotspotTable->GetItemText(i, 2)) + "]";
    }
};

TEST_F(Import, Utf16FileWithCodeInATextarea) {
    const std::string code =
        "<textarea><map name=\"m\"><area coords=\"0,0,10,10\" href=\"inert\"></map></textarea>\r\n"
        "<map name=\"m\"><area shape=\"rectangel\" coords=\"10;20;110;80;5\" "
        "href=\"http://a/?id=1&amp;x&copy\" "
        "alt=\"新品\" title=\"新品\">\r\n<area shape=\"default\" href=\"整张\"></map>";
    // As Notepad saves "Unicode": UTF-16 little-endian after its byte-order mark.
    std::string bytes = "\xFF\xFE";
    const std::wstring wide = u8(code.c_str()).ToStdWstring();
    for (wchar_t c : wide) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>((c >> 8) & 0xFF);
    }
    const std::string path = "/tmp/import-utf16-" + std::to_string(::getpid()) + ".html";
    {
        std::ofstream out(path, std::ios::binary);
        out << bytes;
    }
    wxTEST_DIALOG(chooseImport(), ExpectImportFile(path, code), ExpectMessage("已导入 2 个热点"));
    std::remove(path.c_str());
    ASSERT_EQ(window->hotspots.hotspotCount(), 2);
    EXPECT_EQ(row(0), "10,20 100x60 http://a/?id=1&x© [新品]");
    EXPECT_EQ(row(1), "0,0 400x300 整张 []");
}

TEST_F(Import, CodeABrowserShowsAsTextGivesNoHotspots) {
    wxTEST_DIALOG(
        chooseImport(),
        ExpectPaste("<textarea><map name=m><area coords=\"0,0,10,10\" href=a></map></textarea>"
                    "<!-- <area coords=\"0,0,10,10\"> --><template><map><area coords=1,1,5,5></map>"
                    "</template>"),
        ExpectMessage("代码中没有矩形热点区域，没有导入任何热点"));
    EXPECT_EQ(window->hotspots.hotspotCount(), 0);
}

TEST_F(Import, AreasWithoutAMapAreTakenAndTheMessageSaysSo) {
    wxTEST_DIALOG(
        chooseImport(),
        ExpectPaste("  <area shape=\"rect\" coords=\"0,0,150,100\" href=\"a\" />\r\n"
                    "  <area shape=\"rect\" coords=\"350,250,450,350\" href=\"b\" />\r\n"),
        ExpectMessage("已导入 2 个热点。代码中没有 map 元素，这些区域是从 map 之外导入的，"
                      "在网页上要放进 map 才能点击"));
    ASSERT_EQ(window->hotspots.hotspotCount(), 2);
    EXPECT_EQ(row(1), "350,250 50x50 b []");  // clipped to the picture
}

}  // namespace
