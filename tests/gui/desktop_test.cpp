// At home on the desktop, through the real window: the program started with a file,
// project files dropped on the canvas and the window, 文件 → 最近打开, and the
// settings kept for the next start (the window's place, each dialog's folder).
#include "app/desktop.h"

#include <wx/dnd.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/menu.h>
#include <wx/process.h>
#include <wx/slider.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <cstdio>
#include <fstream>

#include "app/app.h"
#include "core/limits.h"
#include "core/project_file.h"
#include "forms/import_code_dialog.h"
#include "hotspot_test_support.h"
#include "hotspots/hotspot_ops.h"
#include "image/picture_install.h"
#include "load_dialog_expect.h"
#include "platform/files.h"
#include "project/project_session.h"
#include "toolkit/folders.h"
#include "toolkit/settings.h"

using namespace guitest;

namespace {

// Expects a message box whose text starts with `start` and ends with `end`: the
// openers' own messages about a file that cannot be read.
class ExpectMessageAbout : public wxExpectModalBase<wxMessageDialog, ExpectMessageAbout> {
  public:
    ExpectMessageAbout(std::string start, std::string end)
        : start_(std::move(start)), end_(std::move(end)) {}

  protected:
    int OnInvoked(wxMessageDialog* dlg) const override {
        const std::string text = s8(dlg->GetMessage());
        EXPECT_EQ(text.rfind(start_, 0), 0u) << text;
        EXPECT_GE(text.size(), end_.size());
        EXPECT_EQ(text.substr(text.size() - std::min(text.size(), end_.size())), end_) << text;
        EXPECT_EQ(s8(dlg->GetCaption()), "绘栈提示");
        return wxID_OK;
    }
    wxString GetDefaultDescription() const override {
        return u8(("a message about " + end_).c_str());
    }

  private:
    std::string start_, end_;
};

// Expects a message box and keeps its text.
class KeepMessage : public wxExpectModalBase<wxMessageDialog, KeepMessage> {
  public:
    explicit KeepMessage(std::string& text) : text_(text) {}

  protected:
    int OnInvoked(wxMessageDialog* dlg) const override {
        text_ = s8(dlg->GetMessage());
        return wxID_OK;
    }
    wxString GetDefaultDescription() const override { return "a message box"; }

  private:
    std::string& text_;
};

// Expects a file dialog opened in `folder` (any, when empty); answers it with
// `path`, or cancels.
class ExpectFileIn : public wxExpectModalBase<wxFileDialog, ExpectFileIn> {
  public:
    ExpectFileIn(std::string folder, std::string path)
        : folder_(std::move(folder)), path_(std::move(path)) {}

  protected:
    int OnInvoked(wxFileDialog* dialog) const override {
        if (!folder_.empty()) {
            EXPECT_TRUE(waitFor("the file dialog to show the remembered folder",
                                [&] { return s8(dialog->GetDirectory()) == folder_; }))
                << folder_ << ", not " << s8(dialog->GetDirectory());
        }
        if (path_.empty()) return wxID_CANCEL;
        dialog->SetPath(u8(path_.c_str()));
        EXPECT_TRUE(waitFor("the file dialog to take the path", [&] {
            return s8(dialog->GetPath()) == path_;
        })) << path_;
        return wxID_OK;
    }
    wxString GetDefaultDescription() const override {
        return u8(("a file dialog in " + folder_).c_str());
    }

  private:
    std::string folder_, path_;
};

// ImportCodeDialog: presses 按钮打开文件, then imports what it read, if anything.
class PressOpenInImport : public wxExpectModalBase<ImportCodeDialog, PressOpenInImport> {
  protected:
    int OnInvoked(ImportCodeDialog* d) const override {
        pressButton(d->openButton);
        return d->codeBox->GetValue().empty() ? wxID_CANCEL : wxID_OK;
    }
    wxString GetDefaultDescription() const override { return "the import dialog"; }
};

std::string makeFolder(const char* prefix) {
    const wxString f = wxFileName::CreateTempFileName(prefix);
    wxRemoveFile(f);
    wxMkdir(f);
    return s8(f);
}

class Desktop : public HotspotWindowTest {
  protected:
    void SetUp() override {
        HotspotWindowTest::SetUp();
        folder = makeFolder("desk");
        picturePath = folder + "/图 & 片.png";
        wxImage picture(790, 600);
        picture.SetRGB(wxRect(0, 0, 790, 600), 30, 120, 200);
        ASSERT_TRUE(picture.SaveFile(u8(picturePath.c_str()), wxBITMAP_TYPE_PNG));
    }
    void TearDown() override {
        HotspotWindowTest::TearDown();
        wxFileName::Rmdir(u8(folder.c_str()), wxPATH_RMDIR_RECURSIVE);
    }
    // A project file on the picture with `hotspots` hotspots.
    std::string writeProject(const std::string& name, int hotspots) {
        project::Project p;
        p.hasPicture = true;
        p.picture.path = picturePath;
        p.picture.width = 790;
        p.picture.height = 600;
        for (int i = 0; i < hotspots; ++i)
            p.hotspots.push_back(
                {10 + 20 * i, 10, 15, 15, "http://shop.example/" + std::to_string(i), "", false});
        p.transparency = 40;
        const std::string path = folder + "/" + name;
        std::ofstream(path, std::ios::binary) << project::toJson(p);
        return path;
    }
    void makeUnsavedWork() {
        window->canvas->onFilesDropped({u8(picturePath.c_str())});
        ASSERT_TRUE(waitFor("the dropped picture", [&] { return state->pictureObject != 0; }));
        createHotspot(*window, 5, 5, 150, 100, "http://unsaved/", "", false);
        ASSERT_TRUE(waitFor("the work to count as unsaved", [&] { return isDirty(*window); }));
    }
    void choose(int id) {
        wxCommandEvent e(wxEVT_MENU, id);
        window->GetEventHandler()->ProcessEvent(e);
    }
    std::string title() const { return s8(window->GetTitle()); }
    std::vector<std::string> recentItems() const {
        std::vector<std::string> items;
        for (const wxMenuItem* item : window->desktop->recentMenu->GetMenuItems())
            items.push_back(item->IsSeparator() ? "-" : s8(item->GetItemLabel()));
        return items;
    }
    // The program started again, as a second run with the same settings folder;
    // `write` changes the settings file in between.
    void startAgain(const std::function<void()>& write = {}) {
        window->Destroy();
        window = nullptr;
        drainEvents();
        if (write) write();
        settings::reload();
        state = std::make_unique<AppState>();
        window = openMainWindow(*state);
        ASSERT_TRUE(waitFor("the new main window", [this] { return window->IsShownOnScreen(); }));
        drainEvents();
    }
    std::string folder, picturePath;
};

TEST_F(Desktop, StartedWithOneFileOpensItAfterTheRecoveryQuestion) {
    const std::string path = writeProject("首页.hzproj", 2);
    // Work left behind by a killed run is offered first; once restored, it is unsaved work.
    project::Project left;
    left.transparency = 77;
    const std::string recovery = recoveryFolder() + "/recovery-999999998.hzproj";
    ASSERT_TRUE(platform::makeFolders(recoveryFolder()));
    std::ofstream(recovery, std::ios::binary) << project::toRecoveryJson(left, "");
    wxTEST_DIALOG(openAtStart(*window, {path}), ExpectMessage(kRecoveryQuestion, wxID_OK),
                  ExpectSaveQuestion(wxID_NO));
    EXPECT_EQ(title(), "绘栈热点生成器 - 首页.hzproj");
    EXPECT_EQ(window->hotspots.hotspotCount(), 2);
    EXPECT_EQ(window->transparencySlider->GetValue(), 40);
    EXPECT_EQ(recentItems()[0], "&1 " + path);

    // A picture is loaded as a dropped one is; a relative path is taken from the working folder.
    const wxString before = wxGetCwd();
    wxSetWorkingDirectory(u8(folder.c_str()));
    openAtStart(*window, {"图 & 片.png"});
    wxSetWorkingDirectory(before);
    EXPECT_EQ(state->imagePath, picturePath);
    EXPECT_EQ(state->loadMode, 0);
}

TEST_F(Desktop, StartedWithBadFilesSaysSoAndKeepsTheWindow) {
    wxTEST_DIALOG(
        openAtStart(*window, {folder + "/a.hzproj", picturePath}),
        ExpectMessage("一次只能打开一个工程或一张图片，收到了 2 个文件，没有打开其中任何一个"));
    EXPECT_EQ(state->pictureObject, 0);
    wxTEST_DIALOG(openAtStart(*window, {folder + "/不存在.hzproj"}),
                  ExpectMessageAbout("工程文件无法打开", folder + "/不存在.hzproj"));
    // Not a picture: what a drop of it says.
    const std::string notes = folder + "/说明.txt";
    std::ofstream(notes) << "not a picture";
    std::string dropped, started;
    wxTEST_DIALOG(window->canvas->onFilesDropped({u8(notes.c_str())}), KeepMessage(dropped));
    wxTEST_DIALOG(openAtStart(*window, {notes}), KeepMessage(started));
    EXPECT_FALSE(dropped.empty());
    EXPECT_EQ(started, dropped);
    EXPECT_EQ(state->pictureObject, 0);
    EXPECT_EQ(title(), "绘栈热点生成器");
    EXPECT_TRUE(window->IsShownOnScreen());
    EXPECT_TRUE(recentItems() == (std::vector<std::string>{"清除列表"}));
}

// The program as a file manager starts it: the file's path on the command line.
TEST(ProgramStart, WithAProjectPathShowsItInTheTitle) {
    const std::string folder = makeFolder("start");
    const std::string picture = folder + "/p.png";
    wxImage(200, 100).SaveFile(u8(picture.c_str()), wxBITMAP_TYPE_PNG);
    project::Project p;
    p.hasPicture = true;
    p.picture.path = picture;
    p.picture.width = 200;
    p.picture.height = 100;
    const std::string path = folder + "/双击 打开.hzproj";
    std::ofstream(path, std::ios::binary) << project::toJson(p);

    // In the C locale, as file managers may start it: the name must not be converted.
    wxExecuteEnv env;
    wxGetEnvMap(&env.env);
    env.env["LC_ALL"] = "C";
    const char* argv[] = {APP_BINARY, path.c_str(), nullptr};
    const long pid = wxExecute(argv, wxEXEC_ASYNC | wxEXEC_MAKE_GROUP_LEADER, nullptr, &env);
    ASSERT_GT(pid, 0);
    std::string name;
    const bool shown = waitFor("the started program's window to name the project", [&] {
        FILE* f = popen(("for id in $(xdotool search --onlyvisible --pid " + std::to_string(pid) +
                         " 2>/dev/null); do xdotool getwindowname $id; done")
                            .c_str(),
                        "r");
        name.clear();
        char buf[512];
        while (f && fgets(buf, sizeof buf, f)) name += buf;
        if (f) pclose(f);
        return name.find("绘栈热点生成器 - 双击 打开.hzproj\n") != std::string::npos;
    });
    EXPECT_TRUE(shown) << "it shows: " << name;
    wxProcess::Kill(static_cast<int>(pid), wxSIGKILL, wxKILL_CHILDREN);
    wxFileName::Rmdir(u8(folder.c_str()), wxPATH_RMDIR_RECURSIVE);
}

TEST_F(Desktop, AProjectDroppedOnUnsavedWorkAsksFirst) {
    const std::string path = writeProject("拖入.hzproj", 3);
    makeUnsavedWork();
    // On the canvas: 取消 keeps the work.
    wxTEST_DIALOG(window->canvas->onFilesDropped({u8(path.c_str())}),
                  ExpectSaveQuestion(wxID_CANCEL));
    EXPECT_EQ(window->hotspots.hotspotCount(), 1);
    EXPECT_TRUE(isDirty(*window));
    // 不保存 opens the project; several files at once take the first, as for pictures.
    wxTEST_DIALOG(window->canvas->onFilesDropped({u8(path.c_str()), u8(picturePath.c_str())}),
                  ExpectSaveQuestion(wxID_NO));
    EXPECT_EQ(window->hotspots.hotspotCount(), 3);
    EXPECT_EQ(title(), "绘栈热点生成器 - 拖入.hzproj");

    // Anywhere else on the window: a project opens (the question again once the work
    // changed), a picture is left to the canvas as before.
    auto* target = dynamic_cast<wxFileDropTarget*>(window->GetDropTarget());
    ASSERT_NE(target, nullptr);
    wxArrayString pictureOnly;
    pictureOnly.Add(u8(picturePath.c_str()));
    EXPECT_FALSE(target->OnDropFiles(900, 300, pictureOnly));
    createHotspot(*window, 300, 300, 20, 20, "http://more/", "", false);
    ASSERT_TRUE(waitFor("the work to count as unsaved", [&] { return isDirty(*window); }));
    const std::string other = writeProject("另一个.HZPROJ", 1);
    wxArrayString project;
    project.Add(u8(other.c_str()));
    wxTEST_DIALOG(
        {
            EXPECT_TRUE(target->OnDropFiles(900, 300, project));
            EXPECT_TRUE(waitFor("the project dropped on the window to open", [&] {
                return title() == "绘栈热点生成器 - 另一个.HZPROJ";
            })) << title();
        },
        ExpectSaveQuestion(wxID_NO));
    EXPECT_EQ(window->hotspots.hotspotCount(), 1);
}

// Real drops from another program, as from a file manager (XDND): a project opens
// wherever it lands on the window, a picture loads on the canvas only.
TEST_F(Desktop, RealDropsFromAnotherProgram) {
    const std::string project = writeProject("拖放.hzproj", 2);
    const std::string other = folder + "/other.png";
    wxImage(300, 200).SaveFile(u8(other.c_str()), wxBITMAP_TYPE_PNG);
    // One drag from the source's window to the middle of `over`; true when the drop
    // was taken. A drag that a busy machine let go astray is made again.
    struct Ended : wxProcess {
        bool done = false;
        int status = -1;
        void OnTerminate(int, int s) override {
            status = s;
            done = true;
        }
    };
    const auto dragOnce = [&](const std::string& file, wxWindow* over) {
        Ended source;
        const char* argv[] = {DRAG_SOURCE, file.c_str(), nullptr};
        const long pid = wxExecute(argv, wxEXEC_ASYNC, &source);
        if (pid <= 0) return false;
        const bool shown = waitFor("the drag source's window", [&] {
            FILE* f =
                popen(("xdotool search --onlyvisible --pid " + std::to_string(pid) + " 2>/dev/null")
                          .c_str(),
                      "r");
            char buf[64] = {0};
            const bool found = f && fgets(buf, sizeof buf, f) != nullptr;
            if (f) pclose(f);
            return found;
        });
        EXPECT_TRUE(shown);
        const wxPoint from(50, 50);
        const wxRect r = over->GetScreenRect();
        const wxPoint to(r.x + r.width / 2, r.y + r.height / 2);
        sim.MouseMove(from);
        drainEvents();
        sim.MouseDown();
        drainEvents();
        // A hand's pace: the two programs talk about the drag while it moves.
        for (int i = 1; i <= 12; ++i) {
            sim.MouseMove(from + wxPoint((to.x - from.x) * i / 12, (to.y - from.y) * i / 12));
            pump(30);
        }
        sim.MouseUp();
        const bool ended = waitFor("the drag to end", [&] { return source.done; });
        EXPECT_TRUE(ended);
        if (!ended) {
            wxProcess::Kill(static_cast<int>(pid), wxSIGKILL);
            EXPECT_TRUE(waitFor("the killed drag source to end", [&] { return source.done; }));
        }
        drainEvents();
        return source.status == 0;
    };
    const auto dropOn = [&](const std::string& file, wxWindow* over) {
        for (int attempt = 0; attempt < 3; ++attempt)
            if (dragOnce(file, over)) return true;
        return false;
    };
    window->Raise();
    EXPECT_TRUE(dropOn(project, window->panel)) << "the window takes the project";
    EXPECT_TRUE(waitFor("the project dropped on the panel to open", [&] {
        return title() == "绘栈热点生成器 - 拖放.hzproj";
    })) << title();
    EXPECT_EQ(window->hotspots.hotspotCount(), 2);
    EXPECT_FALSE(dragOnce(other, window->panel)) << "outside the canvas a picture is refused";
    EXPECT_EQ(state->imagePath, picturePath);
    EXPECT_TRUE(dropOn(other, window->canvas)) << "the canvas takes the picture";
    EXPECT_TRUE(waitFor("the picture dropped on the canvas to load",
                        [&] { return state->imagePath == other; }));
}

TEST_F(Desktop, RecentProjectsAfterSaveAndOpenAndAGoneFile) {
    EXPECT_TRUE(recentItems() == (std::vector<std::string>{"清除列表"}));
    EXPECT_FALSE(window->desktop->clearRecentItem->IsEnabled());
    const std::string a = writeProject("a.hzproj", 1);
    const std::string b = folder + "/b & c.hzproj";
    ASSERT_TRUE(openProjectFile(*window, a));
    ASSERT_TRUE(saveProjectTo(*window, b));
    EXPECT_TRUE(recentItems() == (std::vector<std::string>{"&1 " + folder + "/b && c.hzproj",
                                                           "&2 " + a, "-", "清除列表"}));
    EXPECT_TRUE(window->desktop->clearRecentItem->IsEnabled());
    // Opening one again brings it to the top; choosing an entry opens it.
    choose(wxID_FILE2);
    EXPECT_EQ(title(), "绘栈热点生成器 - a.hzproj");
    EXPECT_EQ(recentItems()[0], "&1 " + a);

    // Eight at most, newest first, kept for the next start.
    for (int i = 0; i < 9; ++i)
        ASSERT_TRUE(saveProjectTo(*window, folder + "/n" + std::to_string(i) + ".hzproj"));
    startAgain();
    std::vector<std::string> expected;
    for (int i = 8; i >= 1; --i)
        expected.push_back("&" + std::to_string(9 - i) + " " + folder + "/n" + std::to_string(i) +
                           ".hzproj");
    expected.insert(expected.end(), {"-", "清除列表"});
    EXPECT_TRUE(recentItems() == expected);

    // A file gone since: the entry says so and goes.
    wxRemoveFile(u8((folder + "/n7.hzproj").c_str()));
    wxTEST_DIALOG(choose(wxID_FILE2),
                  ExpectMessage((std::string(kRecentGone) + folder + "/n7.hzproj").c_str()));
    EXPECT_EQ(recentItems().size(), 7u + 2u);
    EXPECT_EQ(recentItems()[1], "&2 " + folder + "/n6.hzproj");
    EXPECT_EQ(title(), "绘栈热点生成器");
    // With unsaved work the question comes first.
    makeUnsavedWork();
    wxTEST_DIALOG(choose(wxID_FILE1), ExpectSaveQuestion(wxID_CANCEL));
    EXPECT_TRUE(isDirty(*window));

    choose(window->desktop->clearRecentItem->GetId());
    EXPECT_TRUE(recentItems() == (std::vector<std::string>{"清除列表"}));
    startAgain();
    EXPECT_TRUE(recentItems() == (std::vector<std::string>{"清除列表"}));
}

TEST_F(Desktop, WindowPlaceRestoredInASecondStart) {
    // No settings yet: the designed size, centred.
    const wxRect designed = window->GetRect();
    EXPECT_EQ(designed.width, 971);
    window->SetSize(130, 90, 1100, 760);
    ASSERT_TRUE(waitFor("the window at its new place",
                        [&] { return window->GetRect() == wxRect(130, 90, 1100, 760); }));
    startAgain();
    EXPECT_TRUE(waitFor("the window restored at 130, 90, 1100 × 760",
                        [&] { return window->GetRect() == wxRect(130, 90, 1100, 760); }))
        << "is at " << window->GetRect().x << ", " << window->GetRect().y << ", "
        << window->GetRect().width << " × " << window->GetRect().height;
    EXPECT_EQ(window->canvas->GetSize().x, window->GetClientSize().x - 300);

    // Saved on a larger screen, the window comes back on this one (1600 × 1200).
    startAgain([] {
        std::ofstream(s8(settings::filePath()), std::ios::binary)
            << "[Window]\nX=-400\nY=2000\nWidth=2400\nHeight=1300\nMaximized=0\n";
    });
    EXPECT_TRUE(waitFor("the window fitted to the 1600 × 1200 screen",
                        [&] { return window->GetRect() == wxRect(0, 0, 1600, 1200); }))
        << "is " << window->GetRect().width << " × " << window->GetRect().height;
}

TEST_F(Desktop, DamagedOrAbsurdSettingsGiveTheDefaults) {
    const wxRect designed = window->GetRect();
    const std::string file = s8(settings::filePath());
    const std::string cases[] = {
        "[Window]\nX=10\nY=10\nWidth=100000\nHeight=700\n[Folders]\nProjects=/no/such/folder\n",
        "[Window]\nX=ten\nY=\nWidth=-5\nHeight=1e9\n[RecentProjects\nfile1",
        std::string("\xff\xfe[\0W\0i\0n\0", 10) + std::string(3000, '\x80'),
        std::string(limits::kMaxSettingsBytes + 1, '['),
    };
    for (const std::string& bytes : cases) {
        SCOPED_TRACE(bytes.substr(0, 40));
        startAgain([&] { std::ofstream(file, std::ios::binary) << bytes; });
        EXPECT_EQ(window->GetRect(), designed);
        EXPECT_TRUE(recentItems() == (std::vector<std::string>{"清除列表"}));
        EXPECT_EQ(settings::lastFolder(settings::Folder::projects), wxString());
    }
    // A settings file that cannot be read at all (a folder in its place).
    startAgain([&] {
        wxRemoveFile(u8(file.c_str()));
        wxMkdir(u8(file.c_str()));
    });
    EXPECT_EQ(window->GetRect(), designed);
    const std::string a = writeProject("a.hzproj", 1);
    EXPECT_TRUE(openProjectFile(*window, a));  // saving the list fails quietly
    EXPECT_EQ(recentItems()[0], "&1 " + a);
    wxRmdir(u8(file.c_str()));
}

TEST_F(Desktop, EachDialogOpensWhereItLastPickedAlsoInTheNextRun) {
    const std::string pictures = makeFolder("pics"), projects = makeFolder("projs"),
                      imports = makeFolder("imps");
    const std::string picture = pictures + "/p.png";
    wxImage(300, 200).SaveFile(u8(picture.c_str()), wxBITMAP_TYPE_PNG);
    const std::string code = imports + "/code.html";
    std::ofstream(code) << "<map><area coords=\"1,1,20,20\" href=\"http://i/\"></map>";
    // Pictures: 通用对话框1 through 按钮载入's local branch.
    wxTEST_DIALOG(runLoadHandler(*window), ChooseLoadMode("按钮2"), ExpectFileIn("", picture));
    ASSERT_EQ(state->imagePath, picture);
    // Projects: saved in one folder.
    wxTEST_DIALOG(choose(window->menuSaveProjectAs->GetId()),
                  ExpectFileIn("", projects + "/x.hzproj"));
    // Import: the code file's folder.
    wxTEST_DIALOG(choose(window->menuImportCode->GetId()), PressOpenInImport(),
                  ExpectFileIn("", code), ExpectMessage("已导入 1 个热点"));

    startAgain();
    EXPECT_EQ(s8(openDialogFolder("")), pictures);
    wxTEST_DIALOG(choose(window->menuOpenProject->GetId()), ExpectFileIn(projects, ""));
    wxTEST_DIALOG(choose(window->menuImportCode->GetId()), PressOpenInImport(),
                  ExpectFileIn(imports, ""));

    // A remembered folder that is gone since: the dialog starts where it did before.
    wxFileName::Rmdir(u8(pictures.c_str()), wxPATH_RMDIR_RECURSIVE);
    EXPECT_EQ(openDialogFolder(""), toolkit::firstUseFolder());
    wxFileName::Rmdir(u8(projects.c_str()), wxPATH_RMDIR_RECURSIVE);
    wxFileName::Rmdir(u8(imports.c_str()), wxPATH_RMDIR_RECURSIVE);
}

}  // namespace
