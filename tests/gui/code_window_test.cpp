#include "forms/code_window.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/process.h>
#include <wx/sstream.h>
#include <wx/stc/stc.h>
#include <wx/stream.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "canvas/canvas_ctrl.h"
#include "code_window_expect.h"
#include "core/full_screen.h"
#include "core/hotspot_list.h"
#include "core/random.h"
#include "gui_test.h"
#include "hotspots/hotspot_ops.h"
#include "output/code_ui.h"
#include "toolkit/clipboard.h"
#include "toolkit/drop_down.h"

using namespace guitest;

namespace {

const char* const kAddressTitle = "本地图片地址替换成网络地址";
const char* const kAddressPrompt = "请将本地图片上传到图片空间并复制链接粘贴到下方框内";
const char* const kCopied = "代码已成功复制到剪辑板中，粘贴即可使用";
const char* const kNoCode = "代码复制失败，原因：无代码";
const char* const kCopyFailed = "代码复制失败，请手动复制";
const char* const kConverted = "代码已转换完成并已复到，安装到店铺任意自定义模块内即可";

void click(wxWindow* control) { pressButton(control); }

void setChecked(wxCheckBox* box, bool on) {
    box->SetValue(on);
    wxCommandEvent e(wxEVT_CHECKBOX, box->GetId());
    e.SetEventObject(box);
    e.SetInt(on ? 1 : 0);
    box->ProcessWindowEvent(e);
}

void choose(wxChoice* choice, int row) {
    choice->SetSelection(row);
    wxCommandEvent e(wxEVT_CHOICE, choice->GetId());
    e.SetEventObject(choice);
    e.SetInt(row);
    choice->ProcessWindowEvent(e);
}

// The clipboard as another program sees it, read while we keep serving it.
std::string clipboardTextByXclip() {
    class Reader : public wxProcess {
      public:
        Reader() { Redirect(); }
        void OnTerminate(int, int) override { ended = true; }
        bool ended = false;
    };
    Reader reader;
    if (wxExecute("xclip -o -selection clipboard", wxEXEC_ASYNC, &reader) <= 0) return "(no xclip)";
    std::string out;
    auto drain = [&] {
        wxInputStream* in = reader.GetInputStream();
        char buf[4096];
        while (in && in->CanRead()) {
            in->Read(buf, sizeof buf);
            out.append(buf, in->LastRead());
            if (in->LastRead() == 0) break;
        }
    };
    EXPECT_TRUE(waitFor("xclip to end", [&] {
        drain();
        return reader.ended;
    }));
    drain();
    return out;
}

std::string editorText(CodeWindow& w) { return s8(w.editor->GetText()); }
std::string noteText(CodeWindow& w) { return s8(w.note->GetLabel()); }

// The map name the code carries (after usemap="#), or -1.
int mapNameOf(const std::string& code) {
    const size_t at = code.find("usemap=\"#");
    return at == std::string::npos ? -1 : std::atoi(code.c_str() + at + 9);
}

class CodeOutput : public MainWindowTest {
  protected:
    void TearDown() override {
        toolkit::setClipboardUnavailable(false);
        MainWindowTest::TearDown();
    }
    int addObject(int x, int y, int w, int h) {
        const int id = window->canvas->createObject(x, y);
        window->canvas->setPicture(
            id, Picture::fromPlanes(w, h, std::vector<std::uint8_t>(w * h * 3, 180)));
        return id;
    }
    // A 790 x 400 picture at (30, 40) on the canvas.
    void addPicture(const std::string& path, int loadMode) {
        state->pictureObject = addObject(30, 40, 790, 400);
        state->imagePath = path;
        state->imageWidth = 790;
        state->imageHeight = 400;
        state->loadMode = loadMode;
    }
    void addHotspot(int x, int y, int w, int h, const std::string& link, const std::string& tip) {
        insertHotspot(*window, window->document.count(), std::nullopt, RectXYWH{x, y, w, h}, link,
                      tip, false, currentLook(*window));
    }
    // The code for the picture and the two hotspots of addTwoHotspots.
    static std::string expectedCode(const std::string& src, int mapName) {
        const std::string n = std::to_string(mapName);
        return "<img src=\"" + src + "\" width=\"790\" height=\"400\" usemap=\"#" + n +
               "\" border=\"0\" />\r\n<map name=\"" + n + "\" id=\"" + n +
               "\">  <area shape=\"rect\" coords=\"10,20,160,120\" href=\"http://a/1\" "
               "alt=\"第一\" title=\"第一\" target=\"_blank\" />\r\n"
               "  <area shape=\"rect\" coords=\"-5,0,145,100\" href=\"http://a/&quot;2&quot;\" "
               "alt=\"\" title=\"\" target=\"_blank\" />\r\n</map>";
    }
    void addTwoHotspots() {
        addHotspot(40, 60, 150, 100, "http://a/1", "第一");
        addHotspot(25, 40, 150, 100, "http://a/\"2\"", "");
    }
};

TEST_F(CodeOutput, CancelledAddressOpensNothing) {
    addPicture("C:\\图片\\banner.jpg", 0);
    window->document.setCodeAddress("old");
    ExpectInput::lastInitial() = "not asked";
    wxTEST_DIALOG(click(window->viewCodeButton),
                  ExpectInput(kAddressTitle, "", true, kAddressPrompt));
    EXPECT_EQ(ExpectInput::lastInitial(), "");
    EXPECT_EQ(window->document.codeAddress(), "old");
}

TEST_F(CodeOutput, AddressBoxPrefilledWithTheAddressLastTypedForThisPicture) {
    addPicture("C:\\图片\\banner.jpg", 0);
    addTwoHotspots();
    const std::string typed = " http://img.example/banner.jpg ";
    wxTEST_DIALOG(click(window->viewCodeButton),
                  ExpectInput(kAddressTitle, typed.c_str(), false, kAddressPrompt),
                  ExpectCodeWindow([](CodeWindow&) {}));
    EXPECT_EQ(ExpectInput::lastInitial(), "");
    // Opened again: the box holds the address as typed, spaces included; confirming it
    // as it stands gives the same code.
    wxTEST_DIALOG(click(window->viewCodeButton),
                  ExpectInput(kAddressTitle, typed.c_str(), false, kAddressPrompt),
                  ExpectCodeWindow([&](CodeWindow& w) {
                      EXPECT_EQ(editorText(w), expectedCode(typed, mapNameOf(editorText(w))));
                  }));
    EXPECT_EQ(ExpectInput::lastInitial(), typed);
    // Cancelling keeps it for next time.
    wxTEST_DIALOG(click(window->viewCodeButton),
                  ExpectInput(kAddressTitle, "", true, kAddressPrompt));
    EXPECT_EQ(ExpectInput::lastInitial(), typed);
    // Another picture starts with an empty box.
    state->imagePath = "C:\\图片\\other.jpg";
    wxTEST_DIALOG(click(window->viewCodeButton),
                  ExpectInput(kAddressTitle, "", true, kAddressPrompt));
    EXPECT_EQ(ExpectInput::lastInitial(), "");
}

TEST_F(CodeOutput, BlankAddressRefused) {
    addPicture("C:\\图片\\banner.jpg", 0);
    window->document.setCodeAddress("old");
    for (const char* blank : {"", "   ", "　", " 　 　"}) {
        SCOPED_TRACE(blank);
        wxTEST_DIALOG(click(window->viewCodeButton),
                      ExpectInput(kAddressTitle, blank, false, kAddressPrompt),
                      ExpectMessage("图片地址位置不能为空"));
        EXPECT_EQ(window->document.codeAddress(), "old");
    }
}

TEST_F(CodeOutput, LocalPictureCodeUsesTheAddressAsTyped) {
    addPicture("C:\\图片\\banner.jpg", 0);
    addTwoHotspots();
    const std::string typed = " http://img.example/banner.jpg ";
    wxTEST_DIALOG(click(window->viewCodeButton),
                  ExpectInput(kAddressTitle, typed.c_str(), false, kAddressPrompt),
                  ExpectCodeWindow([&](CodeWindow& w) {
                      EXPECT_EQ(s8(w.GetTitle()), "查看代码    [热点代码]");
                      const std::string code = editorText(w);
                      const int name = mapNameOf(code);
                      EXPECT_GE(name, 100000);
                      EXPECT_LE(name, 999999);
                      EXPECT_EQ(code, expectedCode(typed, name));
                      // Appended at the caret: the caret ends after the last byte.
                      EXPECT_EQ(w.editor->GetLength(), static_cast<int>(code.size()));
                      EXPECT_EQ(w.editor->GetCurrentPos(), w.editor->GetLength());
                      w.Show();
                      screenshot(&w, "code_window.png");
                      w.Hide();
                  }));
    EXPECT_EQ(window->document.codeAddress(), typed);
}

TEST_F(CodeOutput, QuoteInTheTypedAddressCannotBreakThePage) {
    addPicture("C:\\图片\\banner.jpg", 0);
    addTwoHotspots();
    wxTEST_DIALOG(click(window->viewCodeButton),
                  ExpectInput(kAddressTitle, "http://img.example/a\" onload=\"x.jpg"),
                  ExpectCodeWindow([&](CodeWindow& w) {
                      const std::string code = editorText(w);
                      EXPECT_EQ(code, expectedCode("http://img.example/a&quot; onload=&quot;x.jpg",
                                                   mapNameOf(code)));
                  }));
}

TEST_F(CodeOutput, NetworkPictureAsksNothingAndDrawsANewNameEachTime) {
    addPicture("http://img.example/a b.png", 1);
    addTwoHotspots();
    rng::seed(7);
    std::vector<int> names;
    for (int i = 0; i < 2; ++i) {
        wxTEST_DIALOG(click(window->viewCodeButton), ExpectCodeWindow([&](CodeWindow& w) {
                          const std::string code = editorText(w);
                          names.push_back(mapNameOf(code));
                          EXPECT_EQ(code, expectedCode("http://img.example/a b.png", names.back()));
                          w.editor->AddText("edited");
                      }));
    }
    ASSERT_EQ(names.size(), 2u);
    EXPECT_NE(names[0], names[1]);
    EXPECT_EQ(window->document.codeAddress(), "http://img.example/a b.png");
}

TEST_F(CodeOutput, AmpersandsABrowserWouldMisreadAreEscaped) {
    addPicture("http://img.example/a.png?v=1&copy", 1);
    addHotspot(40, 60, 150, 100, "http://a/?id=5&copy&x=1&b=2&amp;c", "买&reg_送&#169;");
    wxTEST_DIALOG(
        click(window->viewCodeButton), ExpectCodeWindow([&](CodeWindow& w) {
            const std::string code = editorText(w);
            const std::string n = std::to_string(mapNameOf(code));
            EXPECT_EQ(
                code,
                "<img src=\"http://img.example/a.png?v=1&amp;copy\" width=\"790\" "
                "height=\"400\" usemap=\"#" +
                    n + "\" border=\"0\" />\r\n<map name=\"" + n + "\" id=\"" + n +
                    "\">  <area shape=\"rect\" coords=\"10,20,160,120\" "
                    "href=\"http://a/?id=5&amp;copy&x=1&b=2&amp;c\" alt=\"买&amp;reg_送&#169;\" "
                    "title=\"买&amp;reg_送&#169;\" target=\"_blank\" />\r\n</map>");
        }));
}

TEST_F(CodeOutput, NoPictureShowsNoCode) {
    wxTEST_DIALOG(click(window->viewCodeButton), ExpectInput(kAddressTitle, "http://x/a.jpg"),
                  ExpectCodeWindow([&](CodeWindow& w) {
                      EXPECT_EQ(s8(w.GetTitle()), "查看代码    [暂无代码]");
                      EXPECT_EQ(editorText(w), "");
                      wxTEST_DIALOG(click(w.copyButton), ExpectMessage(kNoCode));
                  }));
}

TEST_F(CodeOutput, CopyPlacesTheEditedTextAndRefusesAnEmptyEditor) {
    addPicture("http://img.example/a.png", 1);
    wxTEST_DIALOG(click(window->viewCodeButton), ExpectCodeWindow([&](CodeWindow& w) {
                      // No hotspots: the header and the end tag only.
                      const std::string n = std::to_string(mapNameOf(editorText(w)));
                      EXPECT_EQ(editorText(w),
                                "<img src=\"http://img.example/a.png\" width=\"790\" "
                                "height=\"400\" usemap=\"#" +
                                    n +
                                    "\" border=\"0\" />\r\n"
                                    "<map name=\"" +
                                    n + "\" id=\"" + n + "\"></map>");
                      w.editor->AddText("\r\n<!-- 已修改 -->");
                      const std::string edited = editorText(w);
                      wxTEST_DIALOG(click(w.copyButton), ExpectMessage(kCopied));
                      EXPECT_EQ(clipboardText(), edited);
                      EXPECT_EQ(clipboardTextByXclip(), edited);

                      w.editor->ClearAll();
                      wxTEST_DIALOG(click(w.copyButton), ExpectMessage(kNoCode));
                      EXPECT_EQ(clipboardText(), edited);
                  }));
}

TEST_F(CodeOutput, ClipboardFailureIsReported) {
    addPicture("http://img.example/a.png", 1);
    addTwoHotspots();
    wxTEST_DIALOG(click(window->viewCodeButton), ExpectCodeWindow([&](CodeWindow& w) {
                      toolkit::setClipboardUnavailable(true);
                      wxTEST_DIALOG(click(w.copyButton), ExpectMessage(kCopyFailed));
                      EXPECT_FALSE(editorText(w).empty());  // kept for copying by hand
                      setChecked(w.fullScreenCheck, true);
                      click(w.convertButton);
                      EXPECT_EQ(noteText(w), kCopyFailed);

                      toolkit::setClipboardUnavailable(false);
                      click(w.convertButton);
                      EXPECT_EQ(noteText(w), kConverted);
                  }));
}

TEST_F(CodeOutput, FullScreenConversion) {
    addPicture("http://img.example/a.png", 1);
    addTwoHotspots();
    wxTEST_DIALOG(click(window->viewCodeButton), ExpectCodeWindow([&](CodeWindow& w) {
                      const std::string code = editorText(w);
                      setChecked(w.fullScreenCheck, true);
                      EXPECT_EQ(noteText(w), codeform::kWideWarning);
                      for (wxWindow* c : std::initializer_list<wxWindow*>{
                               w.editionChoice, w.offsetBox, w.convertButton, w.gapChoice})
                          EXPECT_TRUE(c->IsEnabled());

                      choose(w.editionChoice, 1);
                      EXPECT_EQ(s8(w.offsetBox->GetValue()), "-1050");
                      choose(w.editionChoice, 2);
                      EXPECT_EQ(s8(w.offsetBox->GetValue()), "-960");
                      w.offsetBox->SetValue("abc");
                      choose(w.gapChoice, 3);
                      EXPECT_EQ(w.topGapValue, "-30");

                      // Clearing the box keeps the settings; checking it again uses them.
                      setChecked(w.fullScreenCheck, false);
                      EXPECT_EQ(noteText(w), codeform::kNote);
                      for (wxWindow* c : std::initializer_list<wxWindow*>{
                               w.editionChoice, w.offsetBox, w.convertButton, w.gapChoice})
                          EXPECT_FALSE(c->IsEnabled());
                      setChecked(w.fullScreenCheck, true);
                      EXPECT_EQ(s8(w.offsetBox->GetValue()), "abc");

                      // An offset that is not a plain integer never reaches the page's CSS.
                      const std::string before = clipboardText();
                      for (const char* bad : {"abc", "\"><script>", "1e309", "", "1234567"}) {
                          w.offsetBox->SetValue(u8(bad));
                          wxTEST_DIALOG(click(w.convertButton),
                                        ExpectMessage(fullscreen::kBadOffsetMessage));
                          EXPECT_EQ(noteText(w), codeform::kWideWarning);
                          EXPECT_EQ(clipboardText(), before);
                      }
                      w.offsetBox->SetValue("-120");
                      click(w.convertButton);
                      EXPECT_EQ(noteText(w), kConverted);
                      const std::string wrapped =
                          "<div style=\"height:370px;\">\r\n"
                          "    <div class=\"sn-simple-logo\" "
                          "style=\"left:50%;top:-30px;border:none;padding:0;\">\r\n"
                          "        <div class=\"sn-simple-logo\" "
                          "style=\"left:-120px;top:auto;border:none;padding:0;\">\r\n"
                          "           " +
                          code +
                          "\r\n"
                          "        </div>\r\n"
                          "    </div>\r\n"
                          "</div>";
                      EXPECT_EQ(clipboardText(), wrapped);
                      EXPECT_EQ(w.pictureHeight, "400");
                      EXPECT_EQ(editorText(w), code);  // the editor keeps the plain code

                      click(w.convertButton);
                      EXPECT_EQ(clipboardText(), wrapped);
                  }));
}

TEST_F(CodeOutput, WindowAndEditorAsDesigned) {
    CodeWindow w(window);
    EXPECT_EQ(w.GetSize(), wxSize(718, 590));
    const long style = w.GetWindowStyleFlag();
    EXPECT_TRUE(style & wxCLOSE_BOX);
    EXPECT_FALSE(style & (wxMINIMIZE_BOX | wxMAXIMIZE_BOX | wxRESIZE_BORDER));

    struct Row {
        const char* name;
        wxRect rect;
        bool enabled;
        const char* text;  // label, caption or value; null to skip
    };
    const Row rows[] = {
        {"外形框1", {0, 0, 712, 480}, true, nullptr},
        {"代码编辑框1", {3, 3, 706, 474}, true, ""},
        {"标签1", {7, 486, 572, 28}, true, codeform::kNote},
        {"按钮复制", {590, 488, 112, 28}, true, "复制热点代码"},
        {"选择框1", {11, 528, 213, 24}, true, "将制作好的热点代码转换为全屏效果"},
        {"组合框1", {235, 529, 104, 20}, false, "转换为专业版"},
        {"标签2", {350, 527, 42, 24}, true, "偏移量"},
        {"编辑框1", {396, 527, 40, 24}, false, "-960"},
        {"标签3", {445, 527, 64, 24}, true, "消除上间距"},
        {"组合框2", {514, 529, 70, 20}, false, "不消除"},
        {"按钮1", {590, 523, 112, 28}, false, "转换并复制"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        wxWindow* c = find(&w, r.name);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->GetPosition(), r.rect.GetPosition());
        EXPECT_EQ(c->GetSize().x, r.rect.width);
        EXPECT_EQ(c->IsEnabled(), r.enabled);
        if (!r.text) continue;
        if (auto* choice = dynamic_cast<wxChoice*>(c))
            EXPECT_EQ(s8(choice->GetStringSelection()), r.text);
        else if (auto* box = dynamic_cast<wxTextCtrl*>(c))
            EXPECT_EQ(s8(box->GetValue()), r.text);
        else if (auto* stc = dynamic_cast<wxStyledTextCtrl*>(c))
            EXPECT_EQ(s8(stc->GetText()), r.text);
        else
            EXPECT_EQ(s8(c->GetLabel()), r.text);
    }
    EXPECT_EQ(w.editionChoice->GetCount(), 3u);
    EXPECT_EQ(w.gapChoice->GetCount(), 6u);
    EXPECT_EQ(s8(w.gapChoice->GetString(5)), "-50px");
    EXPECT_FALSE(w.fullScreenCheck->GetValue());
    EXPECT_TRUE(w.convertButton->GetFont().GetWeight() == wxFONTWEIGHT_BOLD);
    EXPECT_EQ(w.topGapValue, "0");
    EXPECT_EQ(w.workingCopy, "");
    EXPECT_EQ(w.pictureHeight, "");
    EXPECT_EQ(w.templateText, fullscreen::fullScreenTemplate);

    wxStyledTextCtrl* e = w.editor;
    EXPECT_EQ(e->GetLexer(), wxSTC_LEX_NULL);
    EXPECT_TRUE(e->GetUseHorizontalScrollBar());
    EXPECT_TRUE(e->GetUseVerticalScrollBar());
    EXPECT_EQ(e->GetWrapMode(), wxSTC_WRAP_NONE);
    EXPECT_EQ(e->GetEOLMode(), wxSTC_EOL_CRLF);
    EXPECT_EQ(e->GetIndentationGuides(), wxSTC_IV_NONE);
    EXPECT_EQ(e->GetViewWhiteSpace(), wxSTC_WS_INVISIBLE);
    EXPECT_FALSE(e->GetViewEOL());
    EXPECT_EQ(e->GetCaretForeground(), *wxBLACK);
    EXPECT_EQ(e->GetCaretWidth(), 1);
    EXPECT_EQ(e->GetCaretPeriod(), 500);
    EXPECT_EQ(e->GetMarginWidth(1), 0);
    EXPECT_FALSE(e->GetReadOnly());
    // Positions count UTF-8 bytes.
    w.showCode(std::string("热点"));
    EXPECT_EQ(e->GetLength(), 6);
}

TEST_F(CodeOutput, PlainEscCloses) {
    auto* w = new CodeWindow(window);
    w->showCode(std::string("<map></map>"));
    w->Show();
    ASSERT_TRUE(waitFor("the code window to show", [w] { return w->IsShownOnScreen(); }));
    w->editor->SetFocus();
    drainEvents();
    wxUIActionSimulator sim;
    sim.Char(WXK_ESCAPE, wxMOD_SHIFT);
    drainEvents();
    EXPECT_TRUE(w->IsShown());
    sim.Char(WXK_ESCAPE);
    EXPECT_TRUE(waitFor("Esc to close the code window", [w] { return !w->IsShown(); }));
    w->Destroy();
}

// An Esc that closes an open drop-down list is the list's: the window stays.
TEST_F(CodeOutput, EscOnAnOpenDropDownClosesOnlyTheList) {
    auto* w = new CodeWindow(window);
    w->showCode(std::string("<map></map>"));
    w->Show();
    ASSERT_TRUE(waitFor("the code window to show", [w] { return w->IsShownOnScreen(); }));
    w->editionChoice->Enable();  // as the full-screen box does when ticked
    w->Raise();
    drainEvents();
    const wxRect choice = w->editionChoice->GetScreenRect();
    wxUIActionSimulator sim;
    sim.MouseMove(choice.GetPosition() + wxPoint(choice.width / 2, choice.height / 2));
    drainEvents();
    sim.MouseClick();
    ASSERT_TRUE(
        waitFor("the click to drop the list down", [w] { return toolkit::dropDownOpen(w); }));
    sim.Char(WXK_ESCAPE);
    ASSERT_TRUE(waitFor("Esc to close the list", [w] { return !toolkit::dropDownOpen(w); }));
    for (int i = 0; i < 5; ++i) wxYield();
    EXPECT_TRUE(w->IsShown());
    // With the list closed, a plain Esc closes the window.
    sim.Char(WXK_ESCAPE);
    EXPECT_TRUE(waitFor("the second Esc to close the window", [w] { return !w->IsShown(); }));
    w->Destroy();
}

}  // namespace
