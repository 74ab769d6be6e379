// The toolbar's buttons and codes, the file dialog the add code opens, and
// the file information dialog's texts.
#include "FileListEnv.h"

#include "ImageUtil.h"
#include "MediaInfo.h"
#include "NotifyCode.h"
#include "PvBitmapButton.h"
#include "PvFileInfoDialog.h"
#include "SelectWindow.h"
#include "ToolbarWindow.h"
#include "WmGrid.h"

#include <gtest/gtest.h>
#include <wx/filedlg.h>
#include <wx/textctrl.h>

#include <memory>

namespace {

using fltest::Pump;

using ToolbarAndInfoTest = fltest::PaneTest;

// A file information dialog on its theme background.
bool CreateInfoDialog(PvFileInfoDialog& dialog)
{
    wxBitmap* background = ImageUtil::LoadThemeBitmap("surface/window/fileinformation-bg.png");
    if (!background)
        return false;
    const wxSize size = background->GetSize();
    return dialog.Create(nullptr, wxID_ANY, wxEmptyString, nullptr, background, wxDefaultPosition,
                         size, wxBORDER_NONE | wxFRAME_SHAPED);
}

struct ToolbarHost {
    ToolbarHost()
    {
        frame = new wxFrame(nullptr, wxID_ANY, "toolbar", wxPoint(30, 30), wxSize(846, 44), wxBORDER_NONE);
        wxBitmap background = ImageUtil::LoadThemeBitmapValue("surface/base/background.png");
        toolbar = new ToolbarWindow;
        toolbar->Create(frame, ToolbarWindow::ID_TOOLBAR_WINDOW,
                        ImageUtil::CropBitmapNew(background, 0, 56, 846, 44), wxPoint(0, 0),
                        wxSize(846, 44), wxNO_BORDER, wxPanelNameStr);
        toolbar->Attach(&observer);
        frame->Show();
        fltest::WaitFor([&] { return frame->IsShownOnScreen(); });
        Pump(100);
    }
    ~ToolbarHost()
    {
        frame->Destroy();
        Pump(50);
    }
    wxFrame* frame = nullptr;
    ToolbarWindow* toolbar = nullptr;
    fltest::Recorder observer;
};

TEST_F(ToolbarAndInfoTest, ToolbarShowsOnlyTheAddButtonWhichSendsCodeEight)
{
    ToolbarHost bar;
    PvBitmapButton* add = bar.toolbar->GetAddButton();
    EXPECT_EQ(add->GetId(), 2122);
    EXPECT_EQ(add->GetPosition(), wxPoint(20, 0));
    EXPECT_EQ(add->GetSize(), wxSize(132, 44));
    EXPECT_TRUE(add->IsShown());
    EXPECT_TRUE(add->IsEnabled());
    EXPECT_EQ(bar.toolbar->GetClipButton()->GetPosition(), wxPoint(152, 0));
    EXPECT_EQ(bar.toolbar->GetEditButton()->GetPosition(),
              wxPoint(152 + bar.toolbar->GetClipButton()->GetSize().x, 0));
    for (PvBitmapButton* hidden : {bar.toolbar->GetClipButton(), bar.toolbar->GetEditButton()}) {
        EXPECT_FALSE(hidden->IsShown());
        EXPECT_FALSE(hidden->IsEnabled());
    }

    fltest::Click(add, wxPoint(60, 22));
    EXPECT_EQ(bar.observer.codes, std::vector<int>{NOTIFY_ADD_FILES});
    EXPECT_EQ(bar.observer.arguments, std::vector<void*>{nullptr});
    fltest::Screenshot("toolbar");
}

TEST_F(ToolbarAndInfoTest, ClipAndEditButtonsSendTheirCodesAndWakeOnTheFirstSelection)
{
    ToolbarHost bar;
    const std::pair<int, int> clicks[] = {{ToolbarWindow::ID_CLIP_BUTTON, NOTIFY_CLIP},
                                          {ToolbarWindow::ID_EDIT_BUTTON, NOTIFY_EDIT}};
    for (const auto& click : clicks) {
        wxCommandEvent event(wxEVT_BUTTON, click.first);
        bar.toolbar->GetEventHandler()->ProcessEvent(event);
        EXPECT_EQ(bar.observer.codes.back(), click.second);
    }
    EXPECT_EQ(bar.observer.codes.size(), 2u);

    fltest::Sender list;
    list.Attach(bar.toolbar);
    list.Send(NOTIFY_CLEAR_ALL);
    EXPECT_FALSE(bar.toolbar->GetClipButton()->IsEnabled());
    list.Send(NOTIFY_SELECTION_CHANGED);
    list.Send(NOTIFY_SELECTION_CHANGED);
    for (PvBitmapButton* button : {bar.toolbar->GetClipButton(), bar.toolbar->GetEditButton()}) {
        EXPECT_TRUE(button->IsEnabled());
        EXPECT_FALSE(button->IsShown());
    }
}

TEST_F(ToolbarAndInfoTest, AddCodeOpensAMultipleFileDialogThatShowsNamesWithoutADot)
{
    long style = 0;
    wxString wildcard, message;
    fltest::ModalCloser closer(CLASSINFO(wxFileDialog), [&](wxDialog* dialog) {
        auto* files = static_cast<wxFileDialog*>(dialog);
        style = files->GetWindowStyle();
        wildcard = files->GetWildcard();
        message = files->GetMessage();
        return wxID_CANCEL;
    });
    fltest::Sender toolbar;
    toolbar.Attach(pane());
    toolbar.Send(NOTIFY_ADD_FILES);
    EXPECT_EQ(closer.seen(), 1);
    EXPECT_TRUE(style & wxFD_MULTIPLE);
    EXPECT_TRUE(style & wxFD_OPEN);
    EXPECT_TRUE(style & wxFD_FILE_MUST_EXIST);
    EXPECT_EQ(wildcard, "All Supported Video formats|*");
    EXPECT_EQ(message, "Select One or More Files");
    // Cancelled: nothing changes.
    EXPECT_EQ(pane()->GetRowCount(), 0);
    EXPECT_FALSE(pane()->GetGrid()->IsShown());
}

TEST_F(ToolbarAndInfoTest, FileInformationTexts)
{
    struct Case {
        const char* what;
        MediaInfo info;
        const char* resolution;
        const char* videoRate;
        const char* frameRate;
        const char* channel;
        const char* audioRate;
    };
    auto record = [](uint64_t w, uint64_t h, uint64_t vbr, uint64_t fps, uint64_t ch, const char* layout,
                     uint64_t abr) {
        MediaInfo info;
        info.fileName = "movie.mkv";
        info.duration = "01:02:03";
        info.frameWidth = w;
        info.frameHeight = h;
        info.videoBitRate = vbr;
        info.frameRate = fps;
        info.sampleRate = 48000;
        info.channel = ch;
        info.channelLayout = layout;
        info.audioBitRate = abr;
        return info;
    };
    const Case cases[] = {
        {"stereo", record(1920, 1080, 1499999, 25, 2, "stereo", 192000), "1920 x 1080", "1499 kbps",
         "25 fps", "2 channel stereo", "192 kbps"},
        {"empty layout", record(640, 360, 999, 30, 6, "", 1999), "640 x 360", "0 kbps", "30 fps",
         "6 channel ", "1 kbps"},
        {"audio only", record(0, 0, 0, 0, 1, "mono", 128000), "0 x 0", "0 kbps", "0 fps",
         "1 channel mono", "128 kbps"},
        // Only the low 32 bits count, read as signed.
        {"huge", record(0x100000280ull, 0x1E0, 0xFFFFFFFFull, 0x100000019ull, 2, "stereo", 0),
         "640 x 480", "0 kbps", "25 fps", "2 channel stereo", "0 kbps"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PvFileInfoDialog dialog;
        ASSERT_TRUE(CreateInfoDialog(dialog));
        dialog.ShowRecord(c.info);
        EXPECT_EQ(dialog.GetFileNameField()->GetValue(), "movie.mkv");
        EXPECT_EQ(dialog.GetMediaLengthField()->GetValue(), "01:02:03");
        EXPECT_EQ(dialog.GetResolutionField()->GetValue(), c.resolution);
        EXPECT_EQ(dialog.GetVideoBitRateField()->GetValue(), c.videoRate);
        EXPECT_EQ(dialog.GetFrameRateField()->GetValue(), c.frameRate);
        EXPECT_EQ(dialog.GetSampleRateField()->GetValue(), "48000 Hz");
        EXPECT_EQ(dialog.GetChannelField()->GetValue(), c.channel);
        EXPECT_EQ(dialog.GetAudioBitRateField()->GetValue(), c.audioRate);
    }
}

// Read-only 200 x 22 fields in one column; the group fields 32 apart and
// the Audio group one group height (130) and 10 below the Video group.
TEST_F(ToolbarAndInfoTest, FileInformationFieldsLineUp)
{
    PvFileInfoDialog dialog;
    ASSERT_TRUE(CreateInfoDialog(dialog));
    wxTextCtrl* const fields[] = {
        dialog.GetFileNameField(),   dialog.GetMediaLengthField(), dialog.GetResolutionField(),
        dialog.GetVideoBitRateField(), dialog.GetFrameRateField(), dialog.GetSampleRateField(),
        dialog.GetChannelField(),    dialog.GetAudioBitRateField(),
    };
    const int x = fields[0]->GetPosition().x;
    EXPECT_GT(x, 64);
    for (wxTextCtrl* field : fields) {
        EXPECT_EQ(field->GetPosition().x, x);
        EXPECT_EQ(field->GetSize(), wxSize(200, 22));
        EXPECT_FALSE(field->IsEditable());
    }
    auto y = [&](int i) { return fields[i]->GetPosition().y; };
    EXPECT_EQ(y(0), 46);
    EXPECT_GT(y(1), y(0) + 10);
    EXPECT_EQ(y(3) - y(2), 32);
    EXPECT_EQ(y(4) - y(3), 32);
    EXPECT_EQ(y(5) - y(2), 140);
    EXPECT_EQ(y(6) - y(5), 32);
    EXPECT_EQ(y(7) - y(6), 32);
    EXPECT_LE(fields[7]->GetRect().GetBottom(), dialog.GetClientSize().y);
}

TEST_F(ToolbarAndInfoTest, FileInformationClosesByItsCloseButtonAndByOk)
{
    for (int id : {2141, int(wxID_OK)}) {
        SCOPED_TRACE(id);
        PvFileInfoDialog dialog;
        ASSERT_TRUE(CreateInfoDialog(dialog));
        dialog.CallAfter([&dialog, id] {
            wxCommandEvent click(wxEVT_BUTTON, id);
            dialog.GetEventHandler()->ProcessEvent(click);
        });
        EXPECT_EQ(dialog.ShowModal(), 0);
    }
}

}  // namespace
