#include "AppUtil.h"
#include "FileUtil.h"

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/filename.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Points HOME and XDG_CONFIG_HOME at a fresh folder for one test.
class FreshHome : public testing::Test {
protected:
    void SetUp() override
    {
        Save("HOME");
        Save("XDG_CONFIG_HOME");
        setenv("HOME", home.path().c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
        fs::create_directories(home / "config");
    }
    void TearDown() override
    {
        for (const auto& [name, value] : saved_) {
            if (value.first)
                setenv(name.c_str(), value.second.c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }
    void SetDocumentsDir(const std::string& xdgValue)
    {
        mvtest::WriteFile(home / "config/user-dirs.dirs",
                          "# written by the test\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                          "XDG_DOCUMENTS_DIR=\"" + xdgValue + "\"\n");
    }

    mvtest::TempDir home;

private:
    void Save(const std::string& name)
    {
        const char* v = std::getenv(name.c_str());
        saved_[name] = {v != nullptr, v ? v : ""};
    }
    std::map<std::string, std::pair<bool, std::string>> saved_;
};

}  // namespace

TEST_F(FreshHome, UserFoldersFollowTheXdgDocumentsDirAndAreCreatedWithParents)
{
    // As xdg-user-dir does, a documents folder that does not exist falls
    // back to the home folder.
    struct Case { std::string xdgValue; std::string documents; bool exists; };
    const Case cases[] = {
        {"$HOME/My Documents", home / "My Documents", true},
        {"$HOME/deep/er/Doc's", home / "deep/er/Doc's", true},
        {"$HOME/Missing", home.path(), false},
    };
    for (const auto& c : cases) {
        SetDocumentsDir(c.xdgValue);
        if (c.exists)
            fs::create_directories(c.documents);
        EXPECT_EQ(GetDocumentsFolder(), wxString::FromUTF8(c.documents));

        const std::string data = c.documents + "/Tarvelin/Tarvelin Merovant";
        const std::string files = c.documents + "/Tarvelin files/Tarvelin Merovant";
        EXPECT_EQ(GetUserDataDir(), wxString::FromUTF8(data));
        EXPECT_TRUE(fs::is_directory(data)) << data;
        EXPECT_EQ(GetUserFilesDir(), wxString::FromUTF8(files));
        EXPECT_TRUE(fs::is_directory(files)) << files;
        EXPECT_EQ(GetPropertiesFilePath(), wxString::FromUTF8(files + "/Merovant.cfg"));
        // A second call finds the folders there and gives the same path.
        EXPECT_EQ(GetUserDataDir(), wxString::FromUTF8(data));
    }
}

TEST_F(FreshHome, LogLinesGoToTodaysFileUnderTheFilesFolder)
{
    SetDocumentsDir("$HOME/Docs");
    fs::create_directories(home / "Docs");
    const wxString path = FileUtil::GetLogFilePath();
    const wxString folder = wxString::FromUTF8(home / "Docs/Tarvelin files/Tarvelin Merovant/Log/");
    ASSERT_TRUE(path.StartsWith(folder)) << path;
    EXPECT_TRUE(wxString(path).Mid(folder.length()).Matches("????????.log")) << path;

    FileUtil::WriteLogLine("first");
    FileUtil::WriteLogLine("");
    FileUtil::WriteLogLine(wxString::FromUTF8("zweite Größe"));
    const std::string text = mvtest::ReadFile(FileUtil::ToNative(path));
    const std::string dots(45, '.');
    EXPECT_TRUE(wxString::FromUTF8(text).Matches(
        "# ??:??:?? first\n# " + wxString(dots) + wxString::FromUTF8("\n# ??:??:?? zweite Größe\n")))
        << text;
}

TEST(Folders, ProgramFolderIsTheParentOfTheExecutablesFolder)
{
    const fs::path exe = fs::read_symlink("/proc/self/exe");
    EXPECT_EQ(AppUtil::GetExeDir(), wxString(exe.parent_path().string()));
    EXPECT_EQ(AppUtil::GetAppRootDir(), wxString(exe.parent_path().parent_path().string()));
    EXPECT_EQ(GetOptionFilePath(), AppUtil::GetAppRootDir() + "/option.cfg");

    AppUtil::SetAppRootDir("/opt/some where/");
    EXPECT_EQ(AppUtil::GetAppRootDir(), "/opt/some where");
    EXPECT_EQ(GetOptionFilePath(), "/opt/some where/option.cfg");
    AppUtil::SetAppRootDir(wxString());
    EXPECT_EQ(AppUtil::GetAppRootDir(), wxString(exe.parent_path().parent_path().string()));
}

TEST(Folders, FileQueries)
{
    mvtest::TempDir dir;
    mvtest::WriteFile(dir / "a.mp4", "12345");
    mvtest::WriteFile(dir / "b.mp4", "");
    mvtest::WriteFile(dir / "c.MP4", "");
    mvtest::WriteFile(dir / "mp4", "");
    fs::create_directories(dir / "d.mp4");
    mvtest::WriteFile(dir / "d.mp4/e.mp4", "");

    EXPECT_EQ(FileUtil::GetFileLength(dir / "a.mp4"), 5);
    EXPECT_EQ(FileUtil::GetFileLength(dir / "none"), -1);
    EXPECT_TRUE(FileUtil::FileExists(dir / "a.mp4"));
    EXPECT_FALSE(FileUtil::FileExists(dir / "d.mp4"));
    EXPECT_TRUE(FileUtil::PathExists(dir / "d.mp4"));
    EXPECT_FALSE(FileUtil::PathExists(dir / "none"));

    wxArrayString files;
    FileUtil::ListFilesWithExtension(dir.path(), files, "x.mp4");
    files.Sort();
    ASSERT_EQ(files.size(), 2u) << "files only, same case, not in subfolders";
    EXPECT_EQ(files[0], wxString(dir / "a.mp4"));
    EXPECT_EQ(files[1], wxString(dir / "b.mp4"));

    EXPECT_TRUE(FileUtil::MakeDir(dir / "x/y/z"));
    EXPECT_TRUE(FileUtil::RemoveDir(dir / "x", wxPATH_RMDIR_RECURSIVE));
    EXPECT_FALSE(FileUtil::PathExists(dir / "x"));
}
