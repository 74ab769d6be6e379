// A video whose name is not valid UTF-8 (Latin-1 bytes), in the toolkit's own
// file-name conversion: listed from its folder, probed, converted and shown
// the way GTK shows such names, its bytes kept all the way.
#include "AppSettings.h"
#include "ConvertJob.h"
#include "FileUtil.h"
#include "ImportJob.h"
#include "JobServices.h"
#include "MediaSet.h"
#include "RowText.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <glib.h>
#include <wx/dir.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

const std::string kName = "caf\xe9 \xe0 la cr\xe8me.mp4";  // Latin-1, not UTF-8

TEST(FileNameBytes, ALatin1NameIsKeptFromTheListingToTheOutput)
{
    mvtest::TempDir dir;
    ASSERT_TRUE(mvtest::CopyFile(mvtest::MediaPath(mvtest::Media::Mp4), dir / kName));
    mvtest::InstallRealServices();

    // Listed as the folder command lists it.
    wxArrayString paths;
    wxDir::GetAllFiles(wxString::FromUTF8(dir.path()), &paths, wxEmptyString, wxDIR_FILES);
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_EQ(FileUtil::ToNative(paths[0]), dir / kName) << "the path's bytes are kept";
    const wxString path = paths[0];

    // Probed: accepted, with its duration.
    AppSettings settings;
    settings.outputExtension = ".avi";
    wxArrayString failed;
    std::vector<MediaInfo*> records;
    ImportJob job;
    job.paths = &paths;
    job.failed = &failed;
    job.records = &records;
    job.settings = &settings;
    ImportMediaFiles(&job);
    EXPECT_TRUE(failed.empty()) << "the file was refused";
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0]->duration, "00:00:04");
    const wxArrayString fields = RowText::Split(paths[0]);
    ASSERT_EQ(fields.size(), 7u);
    EXPECT_EQ(fields[5], path);

    // Shown as GLib shows the same bytes.
    gchar* shown = g_filename_display_name(kName.c_str());
    EXPECT_EQ(FileUtil::DisplayName(fields[0]), wxString::FromUTF8(shown));
    g_free(shown);
    EXPECT_EQ(FileUtil::DisplayName(wxString::FromUTF8("plain \xc3\xa9.mp4")), wxString::FromUTF8("plain \xc3\xa9.mp4"));

    // Converted, the output named with the same bytes.
    ConvertJob convert;
    convert.durations.Add(4);
    convert.inputs.Add(path);
    convert.params.Add("-vcodec mpeg4 -acodec libmp3lame");
    convert.outputs.Add(wxString::FromUTF8(dir.path()) + "/" + fields[3] + ".avi");
    convert.status = 2;
    RunConvertJob(&convert);
    convert.WaitForEnd();
    const std::string output = dir / "caf\xe9 \xe0 la cr\xe8me.avi";
    EXPECT_TRUE(fs::exists(output));
    EXPECT_EQ(mvtest::Probe(output, "stream=codec_name", "v:0"), "mpeg4");
    for (MediaInfo* r : records)
        delete r;
    mvtest::UninstallServices();
}

}  // namespace
