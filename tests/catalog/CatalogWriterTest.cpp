// The one catalog writer: whole file or old file, never a truncated one.
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <string>
#include <vector>

#include <dirent.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "AppUtil.h"
#include "CatalogFixture.h"
#include "CatalogWriter.h"
#include "LiveCatalog.h"
#include "FormatCatalog.h"
#include "TestSupport.h"

using catalogtest::W;

namespace {

const char* const kOld = "<old><g id=\"Recent\" isShow=\"1\"/></old>";

int CountEntries(const std::string& folder)
{
    int n = 0;
    if (DIR* d = opendir(folder.c_str())) {
        while (dirent* e = readdir(d))
            n += std::string(e->d_name) != "." && std::string(e->d_name) != "..";
        closedir(d);
    }
    return n;
}

// A document with `groups` groups of ten profiles each.
void MakeCatalog(wxXmlDocument& doc, int groups)
{
    std::string xml = "<catalog>";
    for (int g = 0; g < groups; ++g) {
        xml += "<category id=\"g" + std::to_string(g) + "\" isShow=\"1\">";
        for (int p = 0; p < 10; ++p)
            xml += "<subsection isShow=\"1\" id=\"P" + std::to_string(g * 10 + p) +
                   " (*.mp4)\" transfer_extra_param=\"-vcodec libx264 -b 1000k -ab 128k\"/>";
        xml += "</category>";
    }
    catalogtest::ParseXml(doc, xml + "</catalog>");
}

TEST(CatalogWriter, SavesScrambledWithTheIndentAndReadsBack)
{
    mvtest::TempDir dir;
    std::string path = dir / "format_catalog.bin";
    catalogtest::WriteScrambled(path, kOld);
    chmod(path.c_str(), 0640);

    wxXmlDocument doc;
    MakeCatalog(doc, 2);
    unsigned long before = CatalogWriter::GetSaveCount();
    ASSERT_TRUE(CatalogWriter::Save(doc, W(path), 1));
    EXPECT_EQ(CatalogWriter::GetSaveCount(), before + 1);

    std::string plain = catalogtest::ReadUnscrambled(path);
    EXPECT_EQ(plain.rfind("<?xml", 0), 0u) << plain.substr(0, 60);
    EXPECT_NE(plain.find("\n <category id=\"g0\""), std::string::npos);  // indent step 1
    EXPECT_NE(plain.find("\n  <subsection"), std::string::npos);

    wxXmlDocument back;
    ASSERT_TRUE(LoadCatalogFile(back, W(path)));
    FormatEntry entry;
    EXPECT_TRUE(FindProfile(back, "P19 (*.mp4)", entry));

    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);  // the old file's permissions stay
    EXPECT_EQ(CountEntries(dir.path()), 1);  // no temporary file left
}

TEST(CatalogWriter, DocumentWithoutRootIsNeverWritten)
{
    mvtest::TempDir dir;
    std::string path = dir / "format_catalog.bin";
    wxXmlDocument noRoot;
    unsigned long before = CatalogWriter::GetSaveCount();
    EXPECT_FALSE(CatalogWriter::Save(noRoot, W(path)));
    EXPECT_FALSE(mvtest::FileExists(path));  // not created

    catalogtest::WriteScrambled(path, kOld);
    EXPECT_FALSE(CatalogWriter::Save(noRoot, W(path)));
    EXPECT_EQ(catalogtest::ReadUnscrambled(path), kOld);  // not emptied
    EXPECT_EQ(CatalogWriter::GetSaveCount(), before);
    EXPECT_EQ(CountEntries(dir.path()), 1);
}

TEST(CatalogWriter, FailedWriteLeavesTheOldFileWhole)
{
    mvtest::TempDir dir;
    std::string path = dir / "format_catalog.bin";
    catalogtest::WriteScrambled(path, kOld);
    wxXmlDocument doc;
    MakeCatalog(doc, 30);  // well over the file size allowed below

    // A full disk, as seen by the writer: the file size limit fails writes
    // past 4 KiB (for root too) with EFBIG instead of a signal.
    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    int error = 0;
    bool saved = CatalogWriter::Save(doc, W(path), 1, &error);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_EQ(error, EFBIG);  // the reason, for the message the user sees
    EXPECT_EQ(catalogtest::ReadUnscrambled(path), kOld);
    EXPECT_EQ(CountEntries(dir.path()), 1);  // the partial temporary file is gone

    // Nowhere to write: a missing folder.
    EXPECT_FALSE(CatalogWriter::Save(doc, W(dir / "no/such/format_catalog.bin"), 1, &error));
    EXPECT_EQ(error, ENOENT);
    EXPECT_FALSE(mvtest::FileExists(dir / "no"));

    // Without the limit the same document goes through.
    EXPECT_TRUE(CatalogWriter::Save(doc, W(path)));
    wxXmlDocument back;
    ASSERT_TRUE(LoadCatalogFile(back, W(path)));
    FormatEntry entry;
    EXPECT_TRUE(FindProfile(back, "P299 (*.mp4)", entry));
}

// Two running copies saving at the same instant: each reads the file, adds
// its profile and writes. The later one must have read the earlier one's
// save, so both profiles stay.
TEST(LiveCatalog, TwoCopiesSavingAtOnceKeepBothProfiles)
{
    mvtest::TempDir root;
    ASSERT_EQ(mkdir((root / "Plugin").c_str(), 0755), 0);
    ASSERT_EQ(mkdir((root / "Plugin/FormatList").c_str(), 0755), 0);
    AppUtil::SetAppRootDir(W(root.path()));
    catalogtest::WriteScrambled(root / "Plugin/FormatList/format_catalog.bin",
                                "<catalog><category id=\"User Defined\"/></catalog>");

    int start[2];
    ASSERT_EQ(pipe(start), 0);
    std::vector<pid_t> copies;
    for (const char* id : {"first", "second"}) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            close(start[1]);
            char byte;
            (void)!read(start[0], &byte, 1);  // both go when the pipe closes
            wxXmlDocument document;
            const bool saved = LiveCatalog::Update(
                document,
                [id](wxXmlDocument& fresh, wxString&) {
                    auto* profile = new wxXmlNode(wxXML_ELEMENT_NODE, "subsection");
                    profile->AddAttribute("id", id);
                    fresh.GetRoot()->GetChildren()->AddChild(profile);
                    usleep(200 * 1000);  // the other copy starts meanwhile
                    return true;
                },
                1);
            _exit(saved ? 0 : 1);
        }
        copies.push_back(pid);
    }
    close(start[0]);
    close(start[1]);
    for (pid_t pid : copies) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    wxXmlDocument back;
    ASSERT_TRUE(LoadCatalogFile(back, LiveCatalog::Path()));
    const wxXmlNode* userDefined = FirstElement(back.GetRoot());
    EXPECT_TRUE(FirstChildWithId(userDefined, "first"));
    EXPECT_TRUE(FirstChildWithId(userDefined, "second"));
    EXPECT_EQ(CountEntries(root / "Plugin/FormatList"), 1);  // nothing left beside the catalog
    AppUtil::SetAppRootDir(wxEmptyString);
}

}  // namespace
