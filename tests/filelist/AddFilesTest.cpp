// Adding files: probing behind the loading dialog, the log of unreadable
// files, drops of files and folders, and file names that the row text must
// carry intact.
#include "FileListEnv.h"

#include "MediaInfo.h"
#include "NotifyCode.h"
#include "PvLoadingDialog.h"
#include "PvLogDialog.h"
#include "PvPdfItemGridCellRenderer.h"
#include "PvStaticText.h"
#include "DnDFile.h"
#include "SelectWindow.h"
#include "SpecialFiles.h"
#include "WmGrid.h"

#include <gtest/gtest.h>
#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <filesystem>
#include <memory>

namespace {

namespace fs = std::filesystem;
using fltest::Clip;
using fltest::WaitFor;

wxString W(const std::string& s) { return wxString::FromUTF8(s); }

std::string CopyAs(const std::string& source, const std::string& folder, const std::string& name)
{
    const std::string target = folder + "/" + name;
    std::filesystem::copy_file(source, target, std::filesystem::copy_options::overwrite_existing);
    return target;
}

wxString SourceText(SelectWindow* pane, int row)
{
    auto* renderer = dynamic_cast<PvPdfItemGridCellRenderer*>(
        pane->GetGrid()->PeekCellRenderer(row, SelectWindow::COL_SOURCE));
    return renderer ? renderer->GetText() : wxString("<no renderer>");
}

class AddFilesTest : public fltest::PaneTest {
protected:
    mvtest::TempDir dir;
};

TEST_F(AddFilesTest, UnreadableMiddleFileIsLoggedAndTheOthersKeepTheirOwnRecords)
{
    const std::string first = Clip("two.mp4", 2);
    const std::string third = Clip("four.mp4", 4);
    ASSERT_FALSE(first.empty());
    ASSERT_FALSE(third.empty());
    const std::string bad = dir / "broken.mp4";
    mvtest::WriteFile(bad, "this is not a video at all\n");

    wxString logText, countText;
    fltest::ModalCloser closer(CLASSINFO(PvLogDialog), [&](wxDialog* dialog) {
        auto* log = static_cast<PvLogDialog*>(dialog);
        logText = log->GetLog()->GetValue();
        countText = log->GetCountLabel()->GetText();
        fltest::Screenshot("log-dialog");
        return 0;
    });
    wxArrayString paths;
    paths.Add(W(first));
    paths.Add(W(bad));
    paths.Add(W(third));
    EXPECT_FALSE(pane()->GetGrid()->IsShown());
    pane()->AddFiles(paths);

    EXPECT_EQ(closer.seen(), 1);
    EXPECT_EQ(logText, "broken.mp4\n");
    EXPECT_EQ(countText, "1 files failed.");

    ASSERT_EQ(pane()->GetRowCount(), 2);
    ASSERT_EQ(pane()->GetRecords().size(), 2u);
    EXPECT_TRUE(pane()->GetGrid()->IsShown());
    const char* names[] = {"two.mp4", "four.mp4"};
    const char* durations[] = {"00:00:02", "00:00:04"};
    const std::string sources[] = {first, third};
    const uint64_t seconds[] = {2, 4};
    for (int row = 0; row < 2; ++row) {
        SCOPED_TRACE(row);
        const MediaInfo* record = pane()->GetRecords()[size_t(row)];
        EXPECT_EQ(SourceText(pane(), row), names[row]);
        EXPECT_EQ(pane()->GetCellText(SelectWindow::COL_DURATION, row), durations[row]);
        EXPECT_EQ(pane()->GetCellText(SelectWindow::COL_PATH, row), W(sources[row]));
        EXPECT_EQ(pane()->GetCellText(SelectWindow::COL_PROFILE_ID, row), fltest::kProfileA);
        EXPECT_EQ(pane()->GetCellText(SelectWindow::COL_EXTENSION, row), ".mp4");
        EXPECT_FALSE(pane()->GetCellText(SelectWindow::COL_SIZE, row).empty());
        EXPECT_EQ(record->fileName, names[row]);
        EXPECT_EQ(record->duration, durations[row]);
        EXPECT_EQ(record->mediaLength, seconds[row]);
        EXPECT_EQ(record->frameWidth, 320u);
    }
    // Sizes follow each file's own length.
    EXPECT_NE(pane()->GetCellText(SelectWindow::COL_SIZE, 0), pane()->GetCellText(SelectWindow::COL_SIZE, 1));
    fltest::Screenshot("filelist-two-rows");
}

TEST_F(AddFilesTest, DroppedFolderGivesItsOwnFilesAndComesWithTheDroppedFile)
{
    const std::string folder = dir / "drop";
    std::filesystem::create_directories(folder + "/inner");
    CopyAs(Clip("one.mp4", 1), folder, "b-second.mp4");
    CopyAs(Clip("one.mp4", 1), folder, "a-first.mp4");
    CopyAs(Clip("one.mp4", 1), folder, ".hidden.mp4");
    CopyAs(Clip("one.mp4", 1), folder + "/inner", "deeper.mp4");
    const std::string loose = CopyAs(Clip("two.mp4", 2), dir.path(), "loose.mp4");

    wxArrayString names;
    names.Add(W(folder));
    names.Add(W(loose));
    DnDFile target(pane());
    EXPECT_TRUE(target.OnDropFiles(5, 5, names));
    ASSERT_TRUE(WaitFor([&] { return pane()->GetRowCount() == 3; }));
    fltest::Pump(200);
    EXPECT_EQ(pane()->GetRowCount(), 3);
    EXPECT_EQ(SourceText(pane(), 0), "a-first.mp4");
    EXPECT_EQ(SourceText(pane(), 1), "b-second.mp4");
    EXPECT_EQ(SourceText(pane(), 2), "loose.mp4");
    EXPECT_EQ(pane()->GetRecords()[2]->mediaLength, 2u);
}

// GTK's folder chooser may answer OK without a folder; that adds nothing.
TEST_F(AddFilesTest, AddFolderAnsweredWithoutAFolderAddsNothing)
{
    fltest::Sender menu;
    menu.Attach(pane());
    fltest::ModalCloser closer(CLASSINFO(wxDirDialog), [](wxDialog*) { return wxID_OK; });
    menu.Send(NOTIFY_ADD_FOLDER);
    EXPECT_EQ(closer.seen(), 1);
    EXPECT_EQ(pane()->GetRowCount(), 0);
    EXPECT_FALSE(pane()->GetGrid()->IsShown());
}

TEST_F(AddFilesTest, DropsAreAcceptedOnThePaneAndOnTheGridBody)
{
    EXPECT_NE(dynamic_cast<DnDFile*>(pane()->GetDropTarget()), nullptr);
    EXPECT_NE(dynamic_cast<DnDFile*>(pane()->GetGrid()->GetGridWindow()->GetDropTarget()), nullptr);
}

TEST_F(AddFilesTest, EmptyDropOrEmptyFolderAddsNothingAndOpensNoDialog)
{
    const std::string empty = dir / "empty";
    std::filesystem::create_directories(empty + "/only-a-folder");
    mvtest::WriteFile(empty + "/.hidden", "x");

    fltest::ModalCloser closer(CLASSINFO(wxDialog), [](wxDialog*) { return 0; });
    DnDFile target(pane());
    for (const wxArrayString& names : {wxArrayString(), wxArrayString(1, W(empty))}) {
        EXPECT_TRUE(target.OnDropFiles(5, 5, names));
        fltest::Pump(300);
    }
    pane()->AddFiles(wxArrayString());
    fltest::Pump(100);
    EXPECT_EQ(closer.seen(), 0);
    EXPECT_EQ(pane()->GetRowCount(), 0);
    EXPECT_FALSE(pane()->GetGrid()->IsShown());
}

// Names with the row text's separator and escape character, and without an
// extension, keep their source path and get a usable base name.
TEST_F(AddFilesTest, AwkwardFileNamesKeepTheirPathAndBaseName)
{
    struct Case {
        const char* name;
        const char* baseName;
    };
    const Case cases[] = {
        {"pipe|in name.mp4", "pipe|in name"},
        {"back\\slash.mp4", "back\\slash"},
        {"trailing\\", "trailing\\"},
        {"both\\|mixed|.mkv", "both\\|mixed|"},
        {"no extension", "no extension"},
        {".dotfirst", ".dotfirst"},
        {"two.dots.mp4", "two.dots"},
    };
    wxArrayString paths;
    for (const Case& c : cases)
        paths.Add(W(CopyAs(Clip("one.mp4", 1), dir.path(), c.name)));
    pane()->AddFiles(paths);
    ASSERT_EQ(pane()->GetRowCount(), int(std::size(cases)));
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].name);
        const int row = int(i);
        EXPECT_EQ(SourceText(pane(), row), W(cases[i].name));
        EXPECT_EQ(pane()->GetCellText(SelectWindow::COL_PATH, row), paths[i]);
        EXPECT_EQ(pane()->GetCellText(SelectWindow::COL_BASE_NAME, row), W(cases[i].baseName));
        EXPECT_EQ(pane()->GetCellText(SelectWindow::COL_DURATION, row), "00:00:01");
        EXPECT_EQ(pane()->GetCellText(SelectWindow::COL_PROFILE_ID, row), fltest::kProfileA);
        EXPECT_EQ(pane()->GetRecords()[i]->fileName, W(cases[i].name));
    }
}

}  // namespace

namespace {

// A folder of special names beside a clip and a link to it.
struct SpecialFolder {
    explicit SpecialFolder(const std::string& path) : path(path), special(path)
    {
        clip = CopyAs(Clip("one.mp4", 1), path, "real.mp4");
        fs::create_symlink(clip, path + "/via-link.mp4");
    }
    std::string path;
    mvtest::SpecialFiles special;
    std::string clip;
};

wxString LogLines(const std::vector<std::string>& names)
{
    wxString text;
    for (const std::string& name : names)
        text += W(name) + "\n";
    return text;
}

}  // namespace

// Only regular files are offered from a folder; pipes, sockets, devices and
// broken links in it are passed over without opening them.
TEST_F(AddFilesTest, FolderOffersOnlyRegularFiles)
{
    SpecialFolder folder(dir / "special");
    ASSERT_TRUE(folder.special.ok());
    wxArrayString paths;
    SelectWindow::ListFolderFiles(W(folder.path), paths);
    EXPECT_EQ(std::vector<wxString>(paths.begin(), paths.end()),
              (std::vector<wxString>{W(folder.path + "/real.mp4"), W(folder.path + "/via-link.mp4")}));

    fltest::ModalCloser logs(CLASSINFO(PvLogDialog), [](wxDialog*) { return 0; });
    DnDFile target(pane());
    EXPECT_TRUE(target.OnDropFiles(5, 5, wxArrayString(1, W(folder.path))));
    ASSERT_TRUE(WaitFor([&] { return pane()->GetRowCount() == 2; }));
    fltest::Pump(200);
    EXPECT_EQ(logs.seen(), 0);
    EXPECT_EQ(SourceText(pane(), 0), "real.mp4");
    EXPECT_EQ(SourceText(pane(), 1), "via-link.mp4");
    EXPECT_FALSE(folder.special.SomeoneBlocked()) << "the import waited on the pipe";
}

// Special names dropped one by one are listed as failed, never probed; the
// clip dropped with them is added.
TEST_F(AddFilesTest, DroppedSpecialFilesAreLoggedWithoutBeingOpened)
{
    SpecialFolder folder(dir / "special");
    ASSERT_TRUE(folder.special.ok());
    wxArrayString names;
    for (const std::string& path : folder.special.paths())
        names.Add(W(path));
    names.Add(W(folder.clip));

    wxString logText;
    fltest::ModalCloser logs(CLASSINFO(PvLogDialog), [&](wxDialog* dialog) {
        logText = static_cast<PvLogDialog*>(dialog)->GetLog()->GetValue();
        return 0;
    });
    DnDFile target(pane());
    EXPECT_TRUE(target.OnDropFiles(5, 5, names));
    ASSERT_TRUE(WaitFor([&] { return pane()->GetRowCount() == 1; }));
    fltest::Pump(200);
    EXPECT_EQ(logs.seen(), 1);
    EXPECT_EQ(logText, LogLines(folder.special.names()));
    EXPECT_EQ(SourceText(pane(), 0), "real.mp4");
    EXPECT_FALSE(folder.special.SomeoneBlocked()) << "the import waited on the pipe";
}

// The pipe typed into the file dialog's location field comes back refused.
TEST_F(AddFilesTest, PipeChosenInTheFileDialogIsLoggedWithoutBeingOpened)
{
    SpecialFolder folder(dir / "special");
    ASSERT_TRUE(folder.special.ok());
    const std::string pipe = folder.special.paths().front();

    bool typed = false;
    wxString logText;
    fltest::ModalCloser files(CLASSINFO(wxFileDialog), [&](wxDialog* dialog) {
        fltest::Pump(300);
        const wxRect rect = dialog->GetScreenRect();
        wxUIActionSimulator sim;
        sim.MouseMove(rect.x + rect.width / 2, rect.y + rect.height / 2);
        fltest::Pump(200);
        // A leading "/" opens GTK's location field.
        sim.Text(pipe.c_str());
        fltest::Pump(300);
        sim.Char(WXK_RETURN);
        typed = true;
        return wxID_NONE;
    });
    fltest::ModalCloser logs(CLASSINFO(PvLogDialog), [&](wxDialog* dialog) {
        logText = static_cast<PvLogDialog*>(dialog)->GetLog()->GetValue();
        fltest::Screenshot("special-file-log");
        return 0;
    });
    fltest::Sender toolbar;
    toolbar.Attach(pane());
    toolbar.Send(NOTIFY_ADD_FILES);
    EXPECT_TRUE(typed);
    EXPECT_EQ(logs.seen(), 1);
    EXPECT_EQ(logText, "pipe.mp4\n");
    EXPECT_EQ(pane()->GetRowCount(), 0);
    EXPECT_FALSE(folder.special.SomeoneBlocked()) << "the import waited on the pipe";
}
