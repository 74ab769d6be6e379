// The catalog as the application loads it at start-up and writes it back at exit.
#include "AppMain.h"
#include "AppUtil.h"
#include "CatalogWriter.h"
#include "FormatCatalog.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/dir.h>
#include <wx/init.h>
#include <wx/sstream.h>
#include <wx/xml/xml.h>

#include <cstdlib>
#include <memory>

namespace {

const char* const kTwoGroups =
    "<catalog>"
    " <group id=\"Hidden\" isShow=\"0\">"
    "  <subsection id=\"Hidden AVI (*.avi)\" isShow=\"1\"/>"
    " </group>"
    " <group id=\"Video\" isShow=\"1\">"
    "  <subsection id=\"Off (*.mkv)\" isShow=\"0\"/>"
    "  <subsection id=\"MP4 H.264 (*.mp4)\" isShow=\"1\" alias=\"MP4\"/>"
    " </group>"
    "</catalog>";

const char* const kAllHidden =
    "<catalog><group id=\"Video\" isShow=\"1\"><subsection id=\"A (*.avi)\" isShow=\"0\"/><subsection id=\"C (*.mov)\"/></group>"
    "<group id=\"Audio\" isShow=\"0\"><subsection id=\"B (*.mp3)\" isShow=\"1\"/></group></catalog>";

class StartupCatalogTest : public testing::Test {
protected:
    void SetUp() override
    {
        // The per-user folders go into the temporary home.
        setenv("HOME", (temp / "home").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (temp / "home/.config").c_str(), 1);
        wxMkDir(temp / "home", 0700);
        wxMkDir(temp / "FormatList", 0700);
        path = wxString::FromUTF8(temp / "FormatList/format_catalog.bin");
    }
    void TearDown() override { delete settings.catalog; }

    // Writes an XML text scrambled, as the build does.
    void WriteCatalog(const char* xml)
    {
        wxXmlDocument document;
        wxStringInputStream in(wxString::FromUTF8(xml));
        ASSERT_TRUE(document.Load(in, "UTF-8"));
        ASSERT_TRUE(CatalogWriter::Save(document, path, 1));
    }
    // The names in the catalog's folder.
    std::vector<wxString> FolderNames()
    {
        std::vector<wxString> names;
        wxDir dir(wxString::FromUTF8(temp / "FormatList"));
        wxString name;
        for (bool more = dir.GetFirst(&name); more; more = dir.GetNext(&name))
            names.push_back(name);
        std::sort(names.begin(), names.end());
        return names;
    }

    wxInitializer toolkit;
    mvtest::TempDir temp;
    wxString path;
    AppSettings settings;
};

TEST_F(StartupCatalogTest, MissingCatalogLeavesEmptyRecordAndNoFile)
{
    const AppMain::CatalogOrigin origin = AppMain::LoadFormatCatalog(settings, path);
    ASSERT_NE(settings.catalog, nullptr);
    EXPECT_EQ(settings.catalog->GetRoot(), nullptr);
    EXPECT_TRUE(settings.profileId.empty());
    EXPECT_TRUE(settings.outputExtension.empty());
    EXPECT_TRUE(settings.defaultOutputFolder.empty());
    settings.catalogChanged = true;  // even so: nothing to write
    EXPECT_FALSE(AppMain::WriteBackCatalog(settings, path, origin));
    EXPECT_FALSE(wxFileExists(path));
}

TEST_F(StartupCatalogTest, FirstShownProfileOfAShownGroupIsCurrent)
{
    WriteCatalog(kTwoGroups);
    AppMain::LoadFormatCatalog(settings, path);
    EXPECT_EQ(settings.profileId, "MP4 H.264 (*.mp4)");
    EXPECT_EQ(settings.outputExtension, ".mp4");
    EXPECT_EQ(settings.reserved, 0);
    // The per-user data folder exists and is named after the maker and product.
    EXPECT_TRUE(settings.defaultOutputFolder.EndsWith("/Tarvelin/Tarvelin Merovant"))
        << settings.defaultOutputFolder;
    EXPECT_TRUE(wxDirExists(settings.defaultOutputFolder));
}

TEST_F(StartupCatalogTest, NothingShownGivesEmptyProfileAndBareDot)
{
    WriteCatalog(kAllHidden);
    AppMain::LoadFormatCatalog(settings, path);
    EXPECT_TRUE(settings.profileId.empty());
    EXPECT_EQ(settings.outputExtension, ".");
}

TEST_F(StartupCatalogTest, UnchangedDocumentLeavesTheFileByteForByte)
{
    WriteCatalog(kTwoGroups);
    const std::string before = mvtest::ReadFile(path.ToStdString());
    const AppMain::CatalogOrigin origin = AppMain::LoadFormatCatalog(settings, path);
    EXPECT_FALSE(AppMain::WriteBackCatalog(settings, path, origin));
    EXPECT_EQ(mvtest::ReadFile(path.ToStdString()), before);
}

TEST_F(StartupCatalogTest, ChangedDocumentIsWrittenThroughATemporaryFile)
{
    WriteCatalog(kTwoGroups);
    const AppMain::CatalogOrigin origin = AppMain::LoadFormatCatalog(settings, path);
    settings.catalog->GetRoot()->AddAttribute("edited", "yes");
    settings.catalogChanged = true;
    EXPECT_TRUE(AppMain::WriteBackCatalog(settings, path, origin));

    wxXmlDocument reread;
    ASSERT_TRUE(LoadCatalogFile(reread, path));
    EXPECT_EQ(reread.GetRoot()->GetAttribute("edited"), "yes");
    EXPECT_EQ(FolderNames(), std::vector<wxString>{"format_catalog.bin"});
}

// An editor's save after start-up, in this process or from outside, is kept.
TEST_F(StartupCatalogTest, LaterSaveIsNeverReplacedByTheStartUpCopy)
{
    struct Case {
        const char* name;
        bool throughWriter;
    };
    for (const Case& c : {Case{"editor in this process", true}, Case{"another program", false}}) {
        SCOPED_TRACE(c.name);
        WriteCatalog(kTwoGroups);
        const AppMain::CatalogOrigin origin = AppMain::LoadFormatCatalog(settings, path);
        if (c.throughWriter) {
            WriteCatalog(kAllHidden);
        } else {
            std::string bytes = mvtest::ReadFile(path.ToStdString());
            bytes.back() ^= 1;
            mvtest::WriteFile(path.ToStdString(), bytes);
        }
        const std::string saved = mvtest::ReadFile(path.ToStdString());
        settings.catalog->GetRoot()->AddAttribute("edited", "yes");
        settings.catalogChanged = true;
        EXPECT_FALSE(AppMain::WriteBackCatalog(settings, path, origin));
        EXPECT_EQ(mvtest::ReadFile(path.ToStdString()), saved);
    }
}

}  // namespace
