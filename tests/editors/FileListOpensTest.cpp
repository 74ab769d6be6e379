// The file list opens the clip and edit dialogs on codes 16 and 15 for its
// first selected row, after telling the preview to stop.
#include "ClipDialog.h"
#include "EditDialog.h"
#include "FileListEnv.h"
#include "FormatCatalog.h"
#include "MediaInfo.h"
#include "NotifyCode.h"
#include "PlayJob.h"
#include "SelectWindow.h"
#include "WmGrid.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class FileListOpensTest : public fltest::PaneTest {};

TEST_F(FileListOpensTest, CodesSixteenAndFifteenOpenTheDialogsOnTheFirstSelectedRow)
{
    const wxString other = wxString::FromUTF8(fltest::Clip("other.mp4", 1));
    const wxString clip = wxString::FromUTF8(fltest::Clip("chosen.mp4", 3));
    for (const wxString& path : {other, clip}) {
        wxArrayString fields;
        for (const wxString& f : {wxString("x.mp4"), wxString(path == clip ? "00:00:03" : "00:00:01"),
                                  wxString(""), wxString("x"), wxString(".mp4"), path,
                                  wxString(fltest::kProfileA)})
            fields.Add(f);
        pane()->AddRow(fields);
    }
    pane()->ShowGrid(true);
    pane()->GetGrid()->SelectRow(1);
    fltest::Pump(100);

    fltest::Recorder preview;
    pane()->Attach(&preview);
    fltest::Sender toolbar;
    toolbar.Attach(pane());
    PlayJob* job = pane()->GetPlayJob();

    const struct {
        int code;
        wxClassInfo* type;
    } cases[] = {{NOTIFY_CLIP, CLASSINFO(ClipDialog)}, {NOTIFY_EDIT, CLASSINFO(EditDialog)}};
    for (const auto& c : cases) {
        preview.codes.clear();
        bool played = false;
        fltest::ModalCloser closer(c.type, [&](wxDialog* dialog) {
            played = fltest::WaitFor([&] { return job->Running() && job->FrameWidth() == 320; });
            if (auto* clipDialog = dynamic_cast<ClipDialog*>(dialog)) {
                EXPECT_EQ(clipDialog->GetStartSeconds(), 3);
                EXPECT_EQ(clipDialog->GetEndSeconds(), 3);
            }
            return 0;
        });
        toolbar.Send(c.code);
        EXPECT_EQ(closer.seen(), 1) << c.code;
        EXPECT_TRUE(played) << c.code;
        EXPECT_EQ(job->media->path, clip);
        EXPECT_EQ(job->media->duration, "00:00:03");
        EXPECT_EQ(job->durationSeconds, 3);
        EXPECT_FALSE(job->Running()) << "the dialog stopped its playback";
        EXPECT_NE(std::find(preview.codes.begin(), preview.codes.end(), int(NOTIFY_STOP_PREVIEW)),
                  preview.codes.end());
    }
    pane()->Detach(&preview);
}

}  // namespace
