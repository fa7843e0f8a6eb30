// Keeping the work, through the real window: projects saved, begun anew and opened
// again with the same hotspots and code, the title's "*", the unsaved-changes
// question, bad files, a failing disk, recovery after the program was killed,
// and importing image-map code.
#include <sys/stat.h>
#include <unistd.h>
#include <wx/clrpicker.h>
#include <wx/dir.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/menu.h>
#include <wx/slider.h>
#include <wx/stdpaths.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "core/map_code.h"
#include "core/project_file.h"
#include "forms/import_code_dialog.h"
#include "hotspot_info_expect.h"
#include "hotspot_test_support.h"
#include "hotspots/hotspot_info.h"
#include "output/code_ui.h"
#include "platform/files.h"
#include "project/project_session.h"

using namespace guitest;

namespace {

// Answers a file dialog with a path, GTK taking it asynchronously.
class ExpectFile : public wxExpectModalBase<wxFileDialog, ExpectFile> {
  public:
    ExpectFile(std::string path, bool save) : path_(std::move(path)), save_(save) {}

  protected:
    int OnInvoked(wxFileDialog* dialog) const override {
        EXPECT_EQ(dialog->HasFlag(wxFD_SAVE), save_);
        if (path_.empty()) return wxID_CANCEL;
        dialog->SetPath(u8(path_.c_str()));
        EXPECT_TRUE(waitFor("the file dialog to take the path",
                            [&] { return s8(dialog->GetPath()) == path_; }));
        return wxID_OK;
    }
    wxString GetDefaultDescription() const override { return "file dialog"; }

  private:
    std::string path_;
    bool save_;
};

// Pastes code into the import dialog and presses 导入.
class ExpectImport : public wxExpectModalBase<ImportCodeDialog, ExpectImport> {
  public:
    explicit ExpectImport(std::string code) : code_(std::move(code)) {}

  protected:
    int OnInvoked(ImportCodeDialog* d) const override {
        EXPECT_EQ(s8(d->GetTitle()), "导入热点代码");
        EXPECT_NE(find(d, "编辑框代码"), nullptr);
        d->codeBox->SetValue(u8(code_.c_str()));
        return wxID_OK;
    }
    wxString GetDefaultDescription() const override { return "import dialog"; }

  private:
    std::string code_;
};

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The code without its random map name.
std::string codeOf(MainWindow& w) {
    std::string code = generateMapCode(w, MapVariant::preview);
    return code;
}

class Projects : public HotspotWindowTest {
  protected:
    void SetUp() override {
        HotspotWindowTest::SetUp();
        folder = toolkit::toUtf8(wxFileName::CreateTempFileName("proj"));
        wxRemoveFile(toolkit::fromUtf8(folder));
        wxMkdir(toolkit::fromUtf8(folder));
        picturePath = folder + "/素材 banner.png";
        wxImage picture(790, 600);
        picture.SetRGB(wxRect(0, 0, 790, 600), 30, 120, 200);
        ASSERT_TRUE(picture.SaveFile(toolkit::fromUtf8(picturePath), wxBITMAP_TYPE_PNG));
    }
    void TearDown() override {
        platform::setWriteFilterForTests({});
        HotspotWindowTest::TearDown();
        wxFileName::Rmdir(toolkit::fromUtf8(folder), wxPATH_RMDIR_RECURSIVE);
    }
    void loadPicture(const std::string& path) {
        window->canvas->onFilesDropped({toolkit::fromUtf8(path)});
        ASSERT_TRUE(
            waitFor("the picture to be installed", [&] { return state->pictureObject != 0; }));
    }
    void choose(wxMenuItem* item) {
        wxCommandEvent e(wxEVT_MENU, item->GetId());
        window->GetEventHandler()->ProcessEvent(e);
    }
    std::string title() const { return s8(window->GetTitle()); }
    // A picture with three hotspots: fixed, drawn with the info dialog's values, moved.
    void makeWork() {
        loadPicture(picturePath);
        dragOnce({400, 300}, {380, 250});  // the picture, to (-20, -50)
        createHotspot(*window, 10, 20, 150, 100, "http://shop.example/a?x=1&y=\"2\"", "新品 😀", false);
        createHotspot(*window, 300, 200, 80, 40, "未添加热点链接", "", true);
        createHotspot(*window, -100, 500, 60, 30, "http://b/", "热点提示", false);
        window->hotspotPicker->SetColour(wxColour(10, 20, 30));
        window->transparencySlider->SetValue(30);
    }
    void dragOnce(wxPoint from, wxPoint to) {
        drag(from, {to});
        release();
    }
    std::string folder, picturePath;
};

}  // namespace

TEST_F(Projects, SaveNewOpenGivesTheSameHotspotsAndCode) {
    EXPECT_EQ(title(), "绘栈热点生成器");
    makeWork();
    // One drawn with the info dialog, one edited through it.
    state->drawnRect = {200, 60, 120, 80};
    ShownInfo shown;
    wxTEST_DIALOG(createDrawnHotspot(*window), ExpectHotspotInfo(shown, confirmWith("shop.example/Drawn", "画的")));
    wxTEST_DIALOG(modifyHotspotInfo(*window, window->hotspots.hotspotObjectAt(2)),
                  ExpectHotspotInfo(shown, confirmWith("http://B/Path", "改过的")));
    ASSERT_EQ(window->hotspots.hotspotCount(), 4);
    EXPECT_TRUE(waitFor("the title to show the unsaved change", [&] {
        return title() == "绘栈热点生成器 - 未命名工程 *";
    })) << title();
    const std::string code = codeOf(*window);
    const project::Project before = captureProject(*window);

    const std::string path = folder + "/店铺首页.hzproj";
    wxTEST_DIALOG(choose(window->menuSaveProject), ExpectFile(path, true));
    EXPECT_TRUE(platform::fileExists(path));
    EXPECT_EQ(title(), "绘栈热点生成器 - 店铺首页.hzproj");
    const std::string saved = readFile(path);
    EXPECT_NE(saved.find("\"relativePath\": \"素材 banner.png\""), std::string::npos) << saved;

    // Moving the picture is the view, no change: no "*". Saving again asks not where
    // and keeps the picture's place.
    dragOnce({420, 320}, {425, 320});
    drainEvents();
    noteWork(*window);
    EXPECT_EQ(title(), "绘栈热点生成器 - 店铺首页.hzproj");
    window->canvas->SetFocus();
    drainEvents();
    sim.Char('s', wxMOD_CONTROL);  // Ctrl+S
    EXPECT_TRUE(waitFor("Ctrl+S to write the picture's new place",
                        [&] { return readFile(path) != saved; }));
    EXPECT_EQ(title(), "绘栈热点生成器 - 店铺首页.hzproj");
    // The picture carries its hotspots: the code is the same, the position is not.
    EXPECT_EQ(codeOf(*window), code);
    const project::Project moved = captureProject(*window);
    EXPECT_EQ(moved.picture.left, before.picture.left + 5);

    choose(window->menuNewProject);  // saved: no question
    EXPECT_EQ(state->pictureObject, 0);
    EXPECT_EQ(window->hotspots.hotspotCount(), 0);
    EXPECT_EQ(title(), "绘栈热点生成器");

    wxTEST_DIALOG(choose(window->menuOpenProject), ExpectFile(path, false));
    EXPECT_EQ(title(), "绘栈热点生成器 - 店铺首页.hzproj");
    EXPECT_EQ(codeOf(*window), code);
    EXPECT_TRUE(captureProject(*window) == moved);
    EXPECT_EQ(listTexts().size(), 4u);
    EXPECT_TRUE(window->hotspots.isHotspotLocked(1));
    EXPECT_TRUE(window->hotspots.isHotspotLocked(3));  // drawn hotspots are locked
    EXPECT_EQ(s8(window->hotspotTable->GetItemText(0, 2)), "新品 😀");
    EXPECT_EQ(s8(window->hotspotTable->GetItemText(2, 1)), "http://b/Path");
    EXPECT_EQ(s8(window->hotspotTable->GetItemText(3, 1)), "http://shop.example/Drawn");
    EXPECT_EQ(window->hotspotPicker->GetColour(), wxColour(10, 20, 30));
    EXPECT_EQ(window->transparencySlider->GetValue(), 30);
    EXPECT_FALSE(isDirty(*window));
}

TEST_F(Projects, APictureMovedAwayIsFoundBesideTheProjectOrAskedFor) {
    makeWork();
    const std::string sub = folder + "/工程";
    wxMkdir(toolkit::fromUtf8(sub));
    const std::string path = sub + "/a.hzproj";
    ASSERT_TRUE(saveProjectTo(*window, path));
    const std::string code = codeOf(*window);

    // The folder moves with both in it: the saved path is gone, the relative one holds.
    const std::string moved = folder + "-moved";
    ASSERT_TRUE(wxRenameFile(toolkit::fromUtf8(folder), toolkit::fromUtf8(moved)));
    folder = moved;
    newProject(*window);
    ASSERT_TRUE(openProjectFile(*window, moved + "/工程/a.hzproj"));
    EXPECT_EQ(state->imagePath, moved + "/素材 banner.png");
    EXPECT_EQ(codeOf(*window).substr(code.find('>')), code.substr(code.find('>')));

    // Neither path holds: the user is asked, and a picture of another size warns.
    const std::string elsewhere = moved + "/other.png";
    wxImage other(400, 300);
    ASSERT_TRUE(other.SaveFile(toolkit::fromUtf8(elsewhere), wxBITMAP_TYPE_PNG));
    ASSERT_TRUE(saveProjectTo(*window, moved + "/工程/a.hzproj"));
    wxRemoveFile(toolkit::fromUtf8(moved + "/素材 banner.png"));
    newProject(*window);
    wxTEST_DIALOG(EXPECT_TRUE(openProjectFile(*window, moved + "/工程/a.hzproj")),
                  ExpectMessage(("找不到工程的图片：" + moved + "/素材 banner.png\n请指出图片现在的位置。").c_str()),
                  ExpectFile(elsewhere, false),
                  ExpectMessage("图片的尺寸（400×300）与工程中保存的尺寸（790×600）不同，热点将按保存的位置恢复。"));
    EXPECT_EQ(window->hotspots.hotspotCount(), 3);
    EXPECT_EQ(state->imagePath, elsewhere);
}

TEST_F(Projects, BadFilesAreRefusedAndTheWorkStays) {
    makeWork();
    const std::string code = codeOf(*window);
    const std::string bad = folder + "/bad.hzproj";
    struct Case {
        std::string bytes;
        std::string message;
    };
    const Case cases[] = {
        {"", "工程文件是空的"},
        {"{\"format\": \"huizhan-hotspots-project\", \"version\": 1, \"pict", "工程文件已损坏或不完整（第 1 行附近不是有效的 JSON）"},
        {"{\"format\": \"huizhan-hotspots-project\", \"version\": 9}",
         "工程文件的格式版本为 9，本程序只能打开版本 1，请使用更新的程序打开"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        std::ofstream(bad, std::ios::binary) << c.bytes;
        wxTEST_DIALOG(EXPECT_FALSE(openProjectFile(*window, bad)), ExpectMessage(c.message.c_str()));
        EXPECT_EQ(codeOf(*window), code);
        EXPECT_TRUE(isDirty(*window));
    }
    wxTEST_DIALOG(EXPECT_FALSE(openProjectFile(*window, folder + "/none.hzproj")),
                  ExpectMessage(("工程文件无法打开（文件夹不存在）：" + folder + "/none.hzproj").c_str()));
    EXPECT_EQ(codeOf(*window), code);
}

TEST_F(Projects, AFailingDiskLeavesThePreviousFileWhole) {
    makeWork();
    const std::string path = folder + "/a.hzproj";
    ASSERT_TRUE(saveProjectTo(*window, path));
    const std::string first = readFile(path);
    createHotspot(*window, 0, 0, 20, 20, "http://new/", "", false);
    ASSERT_TRUE(
        waitFor("the new hotspot to mark the work unsaved", [&] { return isDirty(*window); }));
    // The disk fills up halfway through the write.
    platform::setWriteFilterForTests([](const std::string& bytes) { return bytes.size() / 2; });
    wxTEST_DIALOG(EXPECT_FALSE(saveProjectTo(*window, path)),
                  ExpectMessage(("工程保存失败（磁盘空间不足）：" + path).c_str()));
    EXPECT_EQ(readFile(path), first);
    EXPECT_TRUE(isDirty(*window));
    platform::setWriteFilterForTests({});
    // A folder that is not there.
    wxTEST_DIALOG(EXPECT_FALSE(saveProjectTo(*window, folder + "/no/such/a.hzproj")),
                  ExpectMessage(("工程保存失败（文件夹不存在）：" + folder + "/no/such/a.hzproj").c_str()));
    const wxArrayString left = [&] {
        wxArrayString files;
        wxDir::GetAllFiles(toolkit::fromUtf8(folder), &files, wxString(), wxDIR_FILES);
        return files;
    }();
    for (const wxString& f : left) EXPECT_EQ(f.Find("saving"), wxNOT_FOUND) << s8(f);
}

TEST_F(Projects, TheUnsavedQuestionsThreeAnswers) {
    makeWork();
    // 取消: nothing happens.
    wxTEST_DIALOG(choose(window->menuNewProject), ExpectSaveQuestion(wxID_CANCEL));
    EXPECT_EQ(window->hotspots.hotspotCount(), 3);
    // 保存 with no file yet asks where; cancelling there keeps everything too.
    wxTEST_DIALOG(choose(window->menuNewProject), ExpectSaveQuestion(wxID_YES), ExpectFile("", true));
    EXPECT_EQ(window->hotspots.hotspotCount(), 3);
    // 保存, then the new project.
    const std::string path = folder + "/q.hzproj";
    wxTEST_DIALOG(choose(window->menuNewProject), ExpectSaveQuestion(wxID_YES), ExpectFile(path, true));
    EXPECT_TRUE(platform::fileExists(path));
    EXPECT_EQ(window->hotspots.hotspotCount(), 0);
    // 不保存: the work is dropped when opening another project.
    loadPicture(picturePath);
    createHotspot(*window, 0, 0, 10, 10, "x", "y", false);
    wxTEST_DIALOG(choose(window->menuOpenProject), ExpectSaveQuestion(wxID_NO), ExpectFile(path, false));
    EXPECT_EQ(window->hotspots.hotspotCount(), 3);
    EXPECT_EQ(title(), "绘栈热点生成器 - q.hzproj");

    // Closing: 保存 with a file saves and closes.
    createHotspot(*window, 5, 5, 10, 10, "z", "", false);
    const std::shared_ptr<bool> destroyed = std::make_shared<bool>(false);
    window->Bind(wxEVT_DESTROY, [destroyed, w = window](wxWindowDestroyEvent& e) {
        if (e.GetEventObject() == w) *destroyed = true;
        e.Skip();
    });
    wxTEST_DIALOG(window->Close(), ExpectSaveQuestion(wxID_YES));
    EXPECT_TRUE(waitFor("the window to be destroyed", [&] { return *destroyed; }));
    window = nullptr;
    project::Project p;
    std::string error;
    ASSERT_TRUE(project::fromJson(readFile(path), p, error)) << error;
    EXPECT_EQ(p.hotspots.size(), 4u);
}

// 清空 with unsaved work asks first; whatever it ends in is a new, untitled work,
// so the next Ctrl+S asks where to save instead of overwriting the old project.
TEST_F(Projects, ClearAsksBeforeThrowingUnsavedWorkAway) {
    const std::string path = folder + "/kept.hzproj";
    makeWork();
    wxTEST_DIALOG(choose(window->menuSaveProjectAs), ExpectFile(path, true));
    const std::string savedBytes = readFile(path);
    createHotspot(*window, 50, 50, 20, 20, "http://c/", "", false);

    // 取消: everything stays.
    wxTEST_DIALOG(click(window->clearButton), ExpectSaveQuestion(wxID_CANCEL));
    EXPECT_EQ(window->hotspots.hotspotCount(), 4);
    EXPECT_EQ(title(), "绘栈热点生成器 - kept.hzproj *");
    // 保存: the work goes to its file first, then the window is cleared.
    wxTEST_DIALOG(click(window->clearButton), ExpectSaveQuestion(wxID_YES));
    EXPECT_EQ(window->hotspots.hotspotCount(), 0);
    project::Project p;
    std::string error;
    ASSERT_TRUE(project::fromJson(readFile(path), p, error)) << error;
    EXPECT_EQ(p.hotspots.size(), 4u);
    EXPECT_EQ(title(), "绘栈热点生成器");

    // 不保存: dropped, and the project file is left as it was.
    wxTEST_DIALOG(choose(window->menuOpenProject), ExpectFile(path, false));
    ASSERT_EQ(window->hotspots.hotspotCount(), 4);
    const std::string fourBytes = readFile(path);
    createHotspot(*window, 60, 60, 20, 20, "http://d/", "", false);
    wxTEST_DIALOG(click(window->clearButton), ExpectSaveQuestion(wxID_NO));
    EXPECT_EQ(window->hotspots.hotspotCount(), 0);
    EXPECT_EQ(title(), "绘栈热点生成器");
    EXPECT_EQ(readFile(path), fourBytes);

    // Nothing unsaved: no question.
    click(window->clearButton);
    // The next picture's work is untitled: saving asks where.
    loadPicture(picturePath);
    createHotspot(*window, 0, 0, 10, 10, "http://e/", "", false);
    wxTEST_DIALOG(choose(window->menuSaveProject), ExpectFile("", true));
    EXPECT_EQ(readFile(path), fourBytes);
    EXPECT_NE(savedBytes, fourBytes);
}

// Saving over a file keeps what the user had: its permissions, a link to it, and a
// file made read-only; a name at the system's limit saves; every reason is Chinese.
TEST_F(Projects, SavingKeepsTheFileTheUserHad) {
    makeWork();
    const std::string privateFile = folder + "/private.hzproj";
    std::ofstream(privateFile) << "old";
    ASSERT_EQ(::chmod(privateFile.c_str(), 0600), 0);
    ASSERT_TRUE(saveProjectTo(*window, privateFile));
    struct stat st {};
    ASSERT_EQ(::stat(privateFile.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);

    // Through a symbolic link: the file it names gets the work, the link stays a link.
    const std::string real = folder + "/real.hzproj", link = folder + "/link.hzproj";
    std::ofstream(real) << "old";
    ASSERT_EQ(::symlink("real.hzproj", link.c_str()), 0);
    ASSERT_TRUE(saveProjectTo(*window, link));
    ASSERT_EQ(::lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_NE(readFile(real).find("huizhan-hotspots-project"), std::string::npos);

    // A read-only file is refused, whoever runs the test.
    const std::string locked = folder + "/locked.hzproj";
    std::ofstream(locked) << "keep me";
    ASSERT_EQ(::chmod(locked.c_str(), 0444), 0);
    wxTEST_DIALOG(EXPECT_FALSE(saveProjectTo(*window, locked)),
                  ExpectMessage(("工程保存失败（没有写入权限）：" + locked).c_str()));
    EXPECT_EQ(readFile(locked), "keep me");

    // 82 Chinese characters and the extension: 253 bytes, within the 255 a name may have.
    std::string name;
    for (int i = 0; i < 82; ++i) name += "热";
    const std::string longName = folder + "/" + name + ".hzproj";
    EXPECT_TRUE(saveProjectTo(*window, longName));
    EXPECT_TRUE(platform::fileExists(longName));
    // One character more is past the limit: told in Chinese.
    const std::string tooLong = folder + "/" + name + "热.hzproj";
    wxTEST_DIALOG(EXPECT_FALSE(saveProjectTo(*window, tooLong)),
                  ExpectMessage(("工程保存失败（文件名过长）：" + tooLong).c_str()));
    wxTEST_DIALOG(EXPECT_FALSE(saveProjectTo(*window, folder)),
                  ExpectMessage(("工程保存失败（这是一个文件夹，不是文件）：" + folder).c_str()));

    // A name typed with an extension of its own is used as typed.
    const std::string json = folder + "/keep1.json";
    wxTEST_DIALOG(choose(window->menuSaveProjectAs), ExpectFile(json, true));
    EXPECT_TRUE(platform::fileExists(json));
    EXPECT_FALSE(platform::fileExists(json + ".hzproj"));
    EXPECT_EQ(title(), "绘栈热点生成器 - keep1.json");
}

// A pipe, a device or a folder is no file: refused at once as a project, as a
// picture and as code to import, where a plain open of a pipe waits for ever.
TEST_F(Projects, PipesDevicesAndFoldersAreRefusedAtOnce) {
    makeWork();
    // Not named *.hzproj: a dropped project file opens as a project, after the question.
    const std::string fifo = folder + "/pipe.png";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string before = codeOf(*window);
    for (const std::string& path : {fifo, std::string("/dev/zero"), folder}) {
        SCOPED_TRACE(path);
        wxTEST_DIALOG(EXPECT_FALSE(openProjectFile(*window, path)),
                      ExpectMessage(("工程文件无法打开（不是普通文件）：" + path).c_str()));
        wxTEST_DIALOG(window->canvas->onFilesDropped({toolkit::fromUtf8(path)}),
                      ExpectMessage(("图片读取失败，不是普通文件：" + path).c_str()));
        ImportCodeDialog dialog(window);
        wxTEST_DIALOG(EXPECT_FALSE(dialog.loadFile(toolkit::fromUtf8(path))),
                      ExpectMessage(("代码文件无法打开（不是普通文件）：" + path).c_str()));
        EXPECT_EQ(codeOf(*window), before);
    }
}

// What a save killed half-way left behind goes with the next save into that folder.
TEST_F(Projects, LeftoverTemporaryFilesAreCleanedAtTheNextSave) {
    makeWork();
    // Process numbers no process has: above the system's maximum.
    const std::string stale = folder + "/.~hz999999999-1.saving",
                      older = folder + "/a.hzproj.saving-999999999";
    const std::string running = folder + "/.~hz1-1.saving";  // process 1 runs
    for (const std::string& f : {stale, older, running}) std::ofstream(f) << "partial";
    ASSERT_TRUE(saveProjectTo(*window, folder + "/b.hzproj"));
    EXPECT_FALSE(platform::fileExists(stale));
    EXPECT_FALSE(platform::fileExists(older));
    EXPECT_TRUE(platform::fileExists(running));
}

// Started as a program of its own by the test below: makes a change, waits for its
// recovery file and kills itself.
TEST_F(Projects, ChildChangesThenIsKilled) {
    const char* parentFolder = std::getenv("HUIZHAN_RECOVERY_CHILD");
    if (!parentFolder) GTEST_SKIP() << "runs only as the child of RestoresWorkAfterTheProgramWasKilled";
    const std::string picture = std::string(parentFolder) + "/killed.png";
    wxImage image(640, 480);
    ASSERT_TRUE(image.SaveFile(toolkit::fromUtf8(picture), wxBITMAP_TYPE_PNG));
    loadPicture(picture);
    createHotspot(*window, 40, 60, 150, 100, "http://shop.example/killed", "被杀之前", true);
    createHotspot(*window, 200, 100, 50, 50, "http://shop.example/2", "", false);
    ASSERT_TRUE(waitFor("the recovery file to hold the second hotspot", [&] {
        const std::string f = window->session->recoveryPath;
        return platform::fileExists(f) && readFile(f).find("shop.example/2") != std::string::npos;
    }));
    std::raise(SIGKILL);
}

TEST_F(Projects, RestoresWorkAfterTheProgramWasKilled) {
    if (std::getenv("HUIZHAN_RECOVERY_CHILD")) GTEST_SKIP();
    wxExecuteEnv env;
    wxGetEnvMap(&env.env);
    env.env["HUIZHAN_RECOVERY_CHILD"] = toolkit::fromUtf8(folder);
    const wxString self = wxStandardPaths::Get().GetExecutablePath();
    const long rc = wxExecute(self + " --gtest_filter=Projects.ChildChangesThenIsKilled", wxEXEC_SYNC,
                              nullptr, &env);
    EXPECT_NE(rc, 0);  // killed
    ASSERT_EQ(platform::filesStartingWith(recoveryFolder(), "recovery-").size(), 1u);

    // The next start finds the file and asks.
    wxTEST_DIALOG(EXPECT_TRUE(offerRecovery(*window)), ExpectMessage(kRecoveryQuestion, wxID_OK));
    ASSERT_EQ(window->hotspots.hotspotCount(), 2);
    EXPECT_EQ(s8(window->hotspotTable->GetItemText(0, 1)), "http://shop.example/killed");
    EXPECT_EQ(s8(window->hotspotTable->GetItemText(0, 2)), "被杀之前");
    EXPECT_TRUE(window->hotspots.isHotspotLocked(0));
    EXPECT_EQ(state->imagePath, folder + "/killed.png");
    EXPECT_TRUE(isDirty(*window));  // still unsaved
    EXPECT_TRUE(waitFor("the title to show the restored work as unsaved", [&] {
        return title() == "绘栈热点生成器 - 未命名工程 *";
    })) << title();
    // Only this run's own file is left.
    const auto files = platform::filesStartingWith(recoveryFolder(), "recovery-");
    for (const std::string& f : files) EXPECT_EQ(f, window->session->recoveryPath);

    // Answered no, a file is dropped without restoring.
    std::ofstream(recoveryFolder() + "/recovery-999999999.hzproj") << project::toJson(project::Project());
    wxTEST_DIALOG(EXPECT_FALSE(offerRecovery(*window)), ExpectMessage(kRecoveryQuestion, wxID_CANCEL));
    EXPECT_FALSE(platform::fileExists(recoveryFolder() + "/recovery-999999999.hzproj"));
    EXPECT_EQ(window->hotspots.hotspotCount(), 2);
}

// A recovery file that cannot be read never stops a start: it is kept beside the
// old name and the user is told where, once. What a killed write left is no
// recovery of its own, so the question is never asked twice.
TEST_F(Projects, ADamagedRecoveryFileIsKeptAndNamed) {
    const std::string dir = recoveryFolder();
    ASSERT_TRUE(platform::makeFolders(dir));
    const std::string a = dir + "/recovery-999999998.hzproj",
                      b = dir + "/recovery-999999999.hzproj";
    std::ofstream(a) << "[1e400]";
    std::ofstream(b) << "{\"format\": 1}";
    const std::string complete = project::toRecoveryJson(project::Project(), "");
    const std::string temp = dir + "/.~hz999999997-1.saving",
                      oldTemp = dir + "/recovery-999999996.hzproj.saving-999999996";
    std::ofstream(temp) << complete;
    std::ofstream(oldTemp) << complete;

    const std::string message = "上次的工作恢复文件已损坏，无法恢复。为免丢失，文件已保留在：\n" +
                                a + ".damaged\n" + b + ".damaged";
    wxTEST_DIALOG(EXPECT_FALSE(offerRecovery(*window)), ExpectMessage(message.c_str()));
    EXPECT_EQ(readFile(a + ".damaged"), "[1e400]");
    EXPECT_EQ(readFile(b + ".damaged"), "{\"format\": 1}");
    EXPECT_FALSE(platform::fileExists(a));
    EXPECT_FALSE(platform::fileExists(temp));
    EXPECT_FALSE(platform::fileExists(oldTemp));
    EXPECT_TRUE(window->IsShown());
    // The next start asks nothing and says nothing.
    EXPECT_FALSE(offerRecovery(*window));
    // A second damaged file of the same name keeps both.
    std::ofstream(a) << "{";
    wxTEST_DIALOG(EXPECT_FALSE(offerRecovery(*window)),
                  ExpectMessage(("上次的工作恢复文件已损坏，无法恢复。为免丢失，文件已保留在：\n" +
                                 a + ".damaged-2")
                                    .c_str()));
    EXPECT_EQ(readFile(a + ".damaged"), "[1e400]");
    for (const std::string& f : {a + ".damaged", a + ".damaged-2", b + ".damaged"})
        platform::removeFile(f);
}

TEST_F(Projects, ACleanExitLeavesNoRecoveryFile) {
    makeWork();
    const std::string f = window->session->recoveryPath;
    ASSERT_TRUE(
        waitFor("the recovery file to be written", [&] { return platform::fileExists(f); }));
    wxTEST_DIALOG(window->Close(), ExpectSaveQuestion(wxID_NO));
    drainEvents();
    window = nullptr;
    EXPECT_FALSE(platform::fileExists(f));
}

TEST_F(Projects, ImportPastedCodeOntoTheLoadedPicture) {
    loadPicture(picturePath);
    dragOnce({400, 300}, {410, 320});  // the picture at (10, 20)
    const std::string code =
        "<IMG SRC='http://img/x.jpg' USEMAP='#m'><MAP NAME=m>"
        "<AREA SHAPE=RECT COORDS='100,50,0,0' HREF='http://a/?p=1&amp;q=2' ALT='&quot;第一'>"
        "<area shape=circle coords=5,5,5 href=c>"
        "<area coords=\"200,10,300,60\" href=\"http://b/\" title=\"只有标题\"></MAP>";
    wxTEST_DIALOG(choose(window->menuImportCode), ExpectImport(code),
                  ExpectMessage("已导入 2 个热点，跳过了 1 个圆形、多边形或无法识别的区域"));
    ASSERT_EQ(window->hotspots.hotspotCount(), 2);
    const int first = window->hotspots.hotspotObjectAt(0);
    EXPECT_EQ(objectAt(first), wxPoint(10, 20));
    EXPECT_EQ(window->canvas->objectWidth(first), 100);
    EXPECT_EQ(s8(window->hotspotTable->GetItemText(0, 1)), "http://a/?p=1&q=2");
    EXPECT_EQ(s8(window->hotspotTable->GetItemText(0, 2)), "第一");
    EXPECT_EQ(s8(window->hotspotTable->GetItemText(1, 2)), "只有标题");
    EXPECT_NE(codeOf(*window).find("coords=\"0,0,100,50\" href=\"http://a/?p=1&q=2\""), std::string::npos);
    EXPECT_NE(codeOf(*window).find("coords=\"200,10,300,60\""), std::string::npos);

    // Code without a rectangle changes nothing.
    wxTEST_DIALOG(choose(window->menuImportCode), ExpectImport("<map><area shape=poly coords=1,2,3,4,5,6></map>"),
                  ExpectMessage("代码中没有矩形热点区域，没有导入任何热点，跳过了 1 个圆形、多边形或无法识别的区域"));
    EXPECT_EQ(window->hotspots.hotspotCount(), 2);
}

// Import leaves out what a project could not keep, says so, and the work then
// saves and opens again.
TEST_F(Projects, ImportLeavesOutWhatCannotBeSaved) {
    loadPicture(picturePath);
    const std::string code =
        "<map><area coords=0,0,10,10 href=\"http://a/\">"
        "<area coords=0,0,10,10 href=\"http://b/" +
        std::string(70000, 'x') + "\"></map>";
    wxTEST_DIALOG(choose(window->menuImportCode), ExpectImport(code),
                  ExpectMessage("已导入 1 个热点；有 1 个区域的链接或提示超过 64 KB，没有导入"));
    EXPECT_EQ(window->hotspots.hotspotCount(), 1);
    const std::string path = folder + "/imported.hzproj";
    ASSERT_TRUE(saveProjectTo(*window, path));
    EXPECT_TRUE(openProjectFile(*window, path));
    EXPECT_EQ(window->hotspots.hotspotCount(), 1);
}

TEST_F(Projects, ImportWithoutAPictureOffersTheCodesPicture) {
    // No picture and no src: the user is told to load one first.
    wxTEST_DIALOG(choose(window->menuImportCode), ExpectImport("<area coords=1,1,5,5 href=x>"),
                  ExpectMessage("请先加载图片，再导入热点代码"));
    EXPECT_EQ(window->hotspots.hotspotCount(), 0);
    // With a src, it is offered as the network address; cancelling imports nothing.
    wxTEST_DIALOG(choose(window->menuImportCode),
                  ExpectImport("<img src=\"http://img.example/banner.png\" usemap=#a><area coords=1,1,5,5 href=x>"),
                  ExpectInput("图片地址", "", true));
    EXPECT_EQ(ExpectInput::lastInitial(), "http://img.example/banner.png");
    EXPECT_EQ(window->hotspots.hotspotCount(), 0);
}
