// The clip and edit dialogs opened as the file list opens them, on a
// generated clip played by the real player, driven with the real pointer
// inside their modal loops.
#include "ClipDialog.h"
#include "EventTypes.h"
#include "EditCropPage.h"
#include "EditDialog.h"
#include "EditEffectPage.h"
#include "EditSubtitlePage.h"
#include "EditWatermarkPage.h"
#include "EditorsEnv.h"
#include "ImageUtil.h"
#include "PreviewPicture.h"
#include "PvBitmapButton.h"
#include "PvButtonComboBox.h"
#include "PvClipSlider.h"
#include "PvRadioButton.h"
#include "PvSlider.h"
#include "PvStaticText.h"

#include <gtest/gtest.h>

#include <wx/textctrl.h>

#include <vector>

namespace {

using ctest::Click;
using ctest::Pump;
using ctest::Screenshot;
using ctest::WaitFor;
using edtest::ClipJob;
using edtest::Drag;
using edtest::RunModal;

const testing::Environment* const g_env = testing::AddGlobalTestEnvironment(new edtest::Environment);

template <typename T>
T* Child(wxWindow* parent, int id)
{
    return dynamic_cast<T*>(parent->FindWindow(id));
}

template <typename T>
std::vector<T*> Children(wxWindow* parent)
{
    std::vector<T*> found;
    for (wxWindow* w : parent->GetChildren())
        if (auto* t = dynamic_cast<T*>(w))
            found.push_back(t);
    return found;
}

void ClickCentre(wxWindow* win)
{
    Click(win, wxPoint(win->GetSize().x / 2, win->GetSize().y / 2));
    Pump(60);
}

bool Black(const wxColour& c) { return c.Red() < 16 && c.Green() < 16 && c.Blue() < 16; }

// Of the given points of a pane, how many show something other than black.
int Lit(wxWindow* pane, const std::vector<wxPoint>& points)
{
    int lit = 0;
    for (const wxPoint& p : points)
        lit += Black(edtest::ScreenPixel(pane, p)) ? 0 : 1;
    return lit;
}

// Creates the dialog as the file list does: the skin, the job, the close
// button's place.
template <typename Dialog>
bool Open(Dialog& dialog, ClipJob& clip, const char* background, int closeX, int closeY)
{
    wxBitmap* skin = ImageUtil::LoadThemeBitmap(background);
    if (!skin)
        return false;
    dialog.SetPlayJob(&clip.job);
    dialog.SetCloseOffsetX(closeX);
    dialog.SetCloseOffsetY(closeY);
    const wxSize size = skin->GetSize();
    if (!dialog.Create(nullptr, wxID_ANY, wxEmptyString, nullptr, skin, wxDefaultPosition, size,
                       wxBORDER_NONE | wxFRAME_SHAPED, wxDialogNameStr))
        return false;
    dialog.CentreOnScreen(wxBOTH);
    return true;
}

bool Open(ClipDialog& dialog, ClipJob& clip)
{
    // The base's default top for the close button.
    if (!Open(dialog, clip, "surface/window/clip-background.png", -16, 6))
        return false;
    dialog.SetStartTime(3);
    dialog.SetEndTime(clip.job.durationSeconds);
    return true;
}

bool Open(EditDialog& dialog, ClipJob& clip)
{
    return Open(dialog, clip, "surface/window/edit-background.png", -14, 8);
}

// Opens the dialog on a clip of the given seconds, runs steps(dialog, clip)
// inside its modal loop and checks that the playback ended with it; returns
// the modal result.
template <typename Dialog, typename Steps>
int RunOnClip(int seconds, Steps steps)
{
    ClipJob clip(seconds);
    Dialog dialog;
    if (!Open(dialog, clip)) {
        ADD_FAILURE() << "the dialog did not open";
        return -1;
    }
    const int result = RunModal(dialog, [&] { steps(dialog, clip); });
    EXPECT_FALSE(clip.job.Running()) << "the playback outlived the dialog";
    return result;
}

bool WaitForFrames(const ClipJob& clip)
{
    return WaitFor([&] { return clip.job.Running() && clip.job.FrameWidth() == 320; });
}

TEST(PreviewPictureTest, FramesKeepTheirPlaceOrFitThePane)
{
    const struct {
        wxSize frame, pane;
        wxRect place;
    } cases[] = {
        {{320, 240}, {466, 284}, {0, 0, 320, 240}},    // fits: unscaled, top-left
        {{1280, 720}, {466, 284}, {0, 11, 466, 262}},  // wider: fitted to the width
        {{1280, 720}, {396, 294}, {0, 36, 396, 222}},  // the edit pane's 36 px bars
        {{300, 400}, {466, 284}, {126, 0, 213, 284}},  // taller: fitted to the height
        {{0, 0}, {466, 284}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PreviewPicture::Place(c.frame, c.pane), c.place) << c.frame.x << "x" << c.frame.y;
}

TEST(CropHandleTest, TheBandPointsPickEdgesAndCorners)
{
    const wxRect inner(2, 38, 392, 218);  // of the rectangle (0, 36, 396, 222)
    const struct {
        wxPoint p;
        int mode;
        wxStockCursor cursor;
    } cases[] = {
        {{395, 100}, EditDialog::CROP_RIGHT, wxCURSOR_SIZEWE},
        {{100, 257}, EditDialog::CROP_BOTTOM, wxCURSOR_SIZENS},
        {{395, 257}, EditDialog::CROP_BOTTOM_RIGHT, wxCURSOR_SIZENWSE},
        {{100, 36}, EditDialog::CROP_TOP, wxCURSOR_SIZENS},
        {{395, 37}, EditDialog::CROP_TOP_RIGHT, wxCURSOR_SIZENESW},
        {{0, 36}, EditDialog::CROP_TOP_LEFT, wxCURSOR_SIZENWSE},
        {{1, 100}, EditDialog::CROP_LEFT, wxCURSOR_SIZEWE},
        {{0, 257}, EditDialog::CROP_BOTTOM_LEFT, wxCURSOR_SIZENESW},
    };
    for (const auto& c : cases) {
        wxStockCursor cursor = wxCURSOR_NONE;
        EXPECT_EQ(EditDialog::PickCropHandle(inner, c.p, &cursor), c.mode) << c.p.x << "," << c.p.y;
        EXPECT_EQ(cursor, c.cursor) << c.p.x << "," << c.p.y;
    }
}

TEST(ClipDialogTest, OpensOnTheClipShowsItsFramesAndClosesWithOk)
{
    const int result = RunOnClip<ClipDialog>(4, [](ClipDialog& dialog, ClipJob& clip) {
        EXPECT_TRUE(Child<PvBitmapButton>(&dialog, ClipDialog::ID_PAUSE)->IsShown());
        EXPECT_FALSE(Child<PvBitmapButton>(&dialog, ClipDialog::ID_PLAY)->IsShown());
        const auto boxes = Children<wxTextCtrl>(&dialog);
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[0]->GetValue(), "00:00:03");
        EXPECT_EQ(boxes[1]->GetValue(), "00:00:04");
        std::vector<wxString> texts;
        for (PvStaticText* t : Children<PvStaticText>(&dialog))
            texts.push_back(t->GetText());
        for (const char* text : {"Clip", "/00:00:04", "Set start time:", "Set end time:", "Length:"})
            EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text;
        EXPECT_EQ(texts.back(), "00:00:01") << "the length";
        auto* trim = Child<PvClipSlider>(&dialog, ClipDialog::ID_CLIP_SLIDER);
        auto* seek = Child<PvSlider>(&dialog, ClipDialog::ID_SEEK_SLIDER);
        EXPECT_EQ(trim->GetInPos(), 0);
        EXPECT_EQ(trim->GetOutPos(), seek->GetRange());

        ASSERT_TRUE(WaitForFrames(clip));
        Pump(300);
        wxWindow* pane = nullptr;
        for (wxWindow* w : dialog.GetChildren())
            if (w->GetSize() == wxSize(466, 284))
                pane = w;
        ASSERT_NE(pane, nullptr);
        // The 320 x 240 picture at the top-left, black beside it.
        EXPECT_GE(Lit(pane, {{40, 40}, {160, 120}, {280, 200}, {100, 180}}), 3);
        EXPECT_EQ(Lit(pane, {{400, 100}, {200, 270}}), 0);
        Screenshot("clip-dialog");

        // Pause holds the picture and the positions; play goes on.
        auto* play = Child<PvBitmapButton>(&dialog, ClipDialog::ID_PLAY);
        auto* pause = Child<PvBitmapButton>(&dialog, ClipDialog::ID_PAUSE);
        ClickCentre(pause);
        EXPECT_TRUE(play->IsShown());
        EXPECT_FALSE(pause->IsShown());
        Pump(300);
        const int held = seek->GetThumbPos();
        Pump(1200);
        EXPECT_EQ(seek->GetThumbPos(), held);
        EXPECT_TRUE(clip.job.Running());
        ClickCentre(play);
        EXPECT_FALSE(play->IsShown());
        EXPECT_TRUE(pause->IsShown());
        EXPECT_TRUE(WaitFor([&] { return seek->GetThumbPos() > held; }));
        ClickCentre(Child<PvBitmapButton>(&dialog, ClipDialog::ID_OK));
    });
    EXPECT_EQ(result, 0);
}

// The seek thumb follows the playback, but not while the pointer holds it.
template <typename Dialog>
void ExpectTheSeekThumbToFollowPlaybackButNotTheHand(Dialog& dialog, ClipJob& clip, int closeId,
                                                     const char* screenshot)
{
    RunModal(dialog, [&] {
        auto* seek = Child<PvSlider>(&dialog, Dialog::ID_SEEK_SLIDER);
        ASSERT_TRUE(WaitForFrames(clip));
        ASSERT_TRUE(WaitFor([&] { return seek->GetThumbPos() > 0; })) << "the thumb stays at the start";
        const int range = seek->GetRange();
        const int half = (seek->GetSize().x - range) / 2;
        const int y = seek->GetSize().y / 2;
        auto report = [&](int seconds) {
            wxCommandEvent position(EVT_PLAYER_POSITION, dialog.GetId());
            position.SetInt(seconds);
            dialog.GetEventHandler()->ProcessEvent(position);
        };
        // The thumb taken to the start and held there while the clip plays on.
        const int from = seek->GetThumbPos() + half;
        ctest::MoveTo(seek, {from, y});
        ctest::Press();
        for (int x = from; x > half; x -= 6)
            ctest::MoveTo(seek, {x, y});
        ctest::MoveTo(seek, {half, y});
        ASSERT_TRUE(seek->HasCapture());
        const int held = seek->GetThumbPos();
        EXPECT_LT(held, range / 8);
        report(3);
        Pump(1300);  // the player's own positions come meanwhile
        EXPECT_EQ(seek->GetThumbPos(), held);
        ctest::Release();
        Pump(60);
        // Let go, the thumb follows the playback again.
        report(3);
        EXPECT_EQ(seek->GetThumbPos(), range * 3 / 4);
        Screenshot(screenshot);
        ClickCentre(Child<PvBitmapButton>(&dialog, closeId));
    });
}

TEST(ClipDialogTest, PlaybackDoesNotMoveTheSeekThumbUnderTheHand)
{
    ClipJob clip(4);
    ClipDialog dialog;
    ASSERT_TRUE(Open(dialog, clip));
    ExpectTheSeekThumbToFollowPlaybackButNotTheHand(dialog, clip, ClipDialog::ID_OK, "clip-dialog-playing");
}

TEST(EditDialogTest, PlaybackMovesTheSeekThumbButNotUnderTheHand)
{
    ClipJob clip(4);
    EditDialog dialog;
    ASSERT_TRUE(Open(dialog, clip));
    ExpectTheSeekThumbToFollowPlaybackButNotTheHand(dialog, clip, EditDialog::ID_CANCEL, "edit-dialog-playing");
}

TEST(ClipDialogTest, MarksFollowDragsAndButtonsAndStayOrdered)
{
    RunOnClip<ClipDialog>(2, [](ClipDialog& dialog, ClipJob& clip) {
        auto* trim = Child<PvClipSlider>(&dialog, ClipDialog::ID_CLIP_SLIDER);
        auto* seek = Child<PvSlider>(&dialog, ClipDialog::ID_SEEK_SLIDER);
        // Positions would move the seek thumb: let the short clip end first.
        ASSERT_TRUE(WaitFor([&] { return clip.job.Running(); }));
        ASSERT_TRUE(WaitFor([&] { return !clip.job.Running(); }));
        Pump(100);
        const int range = seek->GetRange();
        const int y = trim->GetSize().y / 2;

        // The in mark dragged right: the seek thumb follows, the start is its time.
        Drag(trim, {5, y}, {105, y});
        EXPECT_EQ(trim->GetInPos(), 100);
        EXPECT_EQ(seek->GetThumbPos(), 100);
        EXPECT_EQ(dialog.GetStartSeconds(), 100 * 2 / range);
        // Released without a drag while the seek thumb stands elsewhere: the
        // start stays the mark's time.
        seek->SetThumbPos(380);
        Click(trim, {trim->GetInPos() + 5, y});
        Pump(60);
        EXPECT_EQ(dialog.GetStartSeconds(), 0);

        // The out mark cannot pass the in mark, nor the in mark the out mark.
        const int outX = trim->GetOutPos() + 10 + 5;
        Drag(trim, {outX, y}, {20, y});
        EXPECT_EQ(trim->GetOutPos(), trim->GetInPos());
        Drag(trim, {trim->GetOutPos() + 10 + 5, y}, {trim->GetSize().x + 60, y});
        EXPECT_EQ(trim->GetOutPos(), range);
        EXPECT_EQ(dialog.GetEndSeconds(), 2);
        Drag(trim, {trim->GetInPos() + 5, y}, {trim->GetSize().x + 60, y});
        EXPECT_EQ(trim->GetInPos(), trim->GetOutPos());
        EXPECT_LE(dialog.GetStartSeconds(), dialog.GetEndSeconds());
        Drag(trim, {trim->GetInPos() + 5, y}, {-80, y});
        EXPECT_EQ(trim->GetInPos(), 0);
        EXPECT_EQ(dialog.GetStartSeconds(), 0);

        // The mark buttons take the seek thumb, kept in order.
        seek->SetThumbPos(300);
        ClickCentre(Child<PvBitmapButton>(&dialog, ClipDialog::ID_MARK_OUT));
        EXPECT_EQ(trim->GetOutPos(), 300);
        EXPECT_EQ(dialog.GetEndSeconds(), 300 * 2 / range);
        seek->SetThumbPos(350);
        ClickCentre(Child<PvBitmapButton>(&dialog, ClipDialog::ID_MARK_IN));
        EXPECT_EQ(trim->GetInPos(), 300);
        EXPECT_EQ(dialog.GetStartSeconds(), dialog.GetEndSeconds());
        ClickCentre(Child<PvBitmapButton>(&dialog, ClipDialog::ID_CANCEL));
    });
}

// Every control of the page's list shown or hidden; its tabs to match.
void ExpectPage(EditDialog& dialog, int page, const EditPage* controls, bool shown)
{
    for (wxWindow* w : controls->GetControls())
        EXPECT_EQ(w->IsShown(), shown) << "page " << page << " control " << w->GetClassInfo()->GetClassName();
    EXPECT_EQ(dialog.GetTab(page, true)->IsShown(), shown) << "page " << page;
    if (page != 4 || !shown) {
        EXPECT_EQ(dialog.GetTab(page, false)->IsShown(), !shown) << "page " << page;
    }
}

TEST(EditDialogTest, OpensOnTheCropPageAndTheTabsSwitchPages)
{
    const int result = RunOnClip<EditDialog>(3, [](EditDialog& dialog, ClipJob& clip) {
        const EditPage* pages[5] = {nullptr, dialog.GetCropPage(), dialog.GetEffectPage(),
                                    dialog.GetWatermarkPage(), dialog.GetSubtitlePage()};
        EXPECT_EQ(pages[1]->GetControls().size(), 13u);
        EXPECT_EQ(pages[2]->GetControls().size(), 20u);
        EXPECT_EQ(pages[3]->GetControls().size(), 19u);
        EXPECT_EQ(pages[4]->GetControls().size(), 14u);
        for (int page = 1; page <= 4; ++page)
            ExpectPage(dialog, page, pages[page], page == 1);
        EXPECT_TRUE(Child<PvBitmapButton>(&dialog, EditDialog::ID_PAUSE)->IsShown());
        EXPECT_FALSE(Child<PvBitmapButton>(&dialog, EditDialog::ID_PLAY)->IsShown());
        EXPECT_FALSE(Child<PvBitmapButton>(&dialog, EditDialog::ID_MUTE)->IsShown());
        EXPECT_EQ(dialog.GetCropPage()->zoomCombo->GetValue(), "Keep original\n");
        EXPECT_EQ(dialog.GetEffectPage()->effectCombo->GetSelection(), 0);
        const EditWatermarkPage* mark = dialog.GetWatermarkPage();
        EXPECT_TRUE(mark->imageRadio->IsChecked());
        EXPECT_FALSE(mark->imageCombo->IsEnabled());
        EXPECT_TRUE(mark->textCombo->IsEnabled());
        for (const PvSlider* s : {dialog.GetEffectPage()->brightness, dialog.GetEffectPage()->saturation})
            EXPECT_EQ(s->GetThumbPos(), s->GetRange() / 2);
        // The three spacing labels end at one x.
        const auto& rows = mark->spacing;
        EXPECT_EQ(rows.labels[0]->GetRect().GetRight(), rows.labels[2]->GetRect().GetRight());
        EXPECT_EQ(rows.labels[1]->GetRect().GetRight(), rows.labels[2]->GetRect().GetRight());

        ASSERT_TRUE(WaitForFrames(clip));
        Pump(300);
        Screenshot("edit-dialog-crop");

        const struct {
            int page;
            int clicked;  // the normal tab clicked, or 0 for the pressed one of the current page
        } steps[] = {{2, 2}, {2, 0}, {4, 4}, {3, 3}, {1, 1}};
        int current = 1;
        for (const auto& s : steps) {
            ClickCentre(s.clicked ? dialog.GetTab(s.clicked, false) : dialog.GetTab(current, true));
            current = s.page;
            EXPECT_EQ(dialog.GetCurrentTab(), current);
            for (int page = 1; page <= 4; ++page)
                ExpectPage(dialog, page, pages[page], page == current);
            if (current == 2 || current == 4)
                Screenshot(current == 2 ? "edit-dialog-effect" : "edit-dialog-subtitle");
            if (current == 3) {
                ClickCentre(mark->textRadio);
                EXPECT_TRUE(mark->textRadio->IsChecked());
                EXPECT_FALSE(mark->imageRadio->IsChecked());
                Screenshot("edit-dialog-watermark");
            }
        }
        ClickCentre(Child<PvBitmapButton>(&dialog, EditDialog::ID_CANCEL));
    });
    EXPECT_EQ(result, 0);
}

// Where each page's controls lie: every one inside the dialog and shown
// there on the screen (a backdrop colour behind the dialog shows through
// wherever a control falls outside it), none over another.
TEST(EditDialogTest, EveryPageKeepsItsControlsInsideTheDialog)
{
    ctest::Backdrop backdrop(wxColour(255, 0, 255));
    ClipJob clip(3);
    EditDialog dialog;
    ASSERT_TRUE(Open(dialog, clip));
    RunModal(dialog, [&] {
        const EditPage* pages[5] = {nullptr, dialog.GetCropPage(), dialog.GetEffectPage(),
                                    dialog.GetWatermarkPage(), dialog.GetSubtitlePage()};
        const wxRect client(dialog.GetClientSize());
        // The page lies above the OK and Cancel buttons.
        const int pageBottom = Child<PvBitmapButton>(&dialog, EditDialog::ID_CANCEL)->GetRect().y;
        for (int page = 1; page <= 4; ++page) {
            if (page != dialog.GetCurrentTab())
                ClickCentre(dialog.GetTab(page, false));
            ASSERT_EQ(dialog.GetCurrentTab(), page);
            Pump(200);
            const wxImage screen = ctest::GrabScreen();
            const std::vector<wxWindow*>& controls = pages[page]->GetControls();
            for (size_t i = 0; i < controls.size(); ++i) {
                wxWindow* w = controls[i];
                const wxRect r = w->GetRect();
                const std::string what = "page " + std::to_string(page) + " control " +
                                         std::to_string(i) + " " +
                                         wxString(w->GetClassInfo()->GetClassName()).ToStdString() + " at " +
                                         std::to_string(r.x) + "," + std::to_string(r.y) + " " +
                                         std::to_string(r.width) + "x" + std::to_string(r.height);
                EXPECT_TRUE(client.Contains(r)) << what;
                EXPECT_LE(r.GetBottom(), pageBottom) << what;
                EXPECT_EQ(ctest::CountColour(screen, w->GetScreenRect(), backdrop.colour(), 0), 0)
                    << what;
                for (size_t j = i + 1; j < controls.size(); ++j)
                    EXPECT_FALSE(r.Intersects(controls[j]->GetRect()))
                        << what << " and control " << j << " "
                        << controls[j]->GetClassInfo()->GetClassName();
            }
            Screenshot("edit-page-" + std::to_string(page));
        }
        ClickCentre(Child<PvBitmapButton>(&dialog, EditDialog::ID_CANCEL));
    });
}

void ExpectInside(const EditDialog& dialog)
{
    const wxRect r = dialog.GetCropRect();
    EXPECT_TRUE(wxRect(dialog.GetSourcePane()->GetClientSize()).Contains(r))
        << r.x << "," << r.y << " " << r.width << "x" << r.height;
    EXPECT_GE(r.width, EditDialog::kMinCropSize);
    EXPECT_GE(r.height, EditDialog::kMinCropSize);
}

TEST(EditDialogTest, TheCropRectangleMovesAndResizesWithinThePane)
{
    RunOnClip<EditDialog>(3, [](EditDialog& dialog, ClipJob& clip) {
        wxWindow* pane = dialog.GetSourcePane();
        ASSERT_TRUE(WaitForFrames(clip));
        EXPECT_EQ(dialog.GetCropRect(), wxRect(0, 36, 396, 222));

        // Hover: 1 px inside the right edge resizes, 5 px inside moves,
        // outside keeps the mode.
        ctest::MoveTo(pane, {394, 150});
        EXPECT_EQ(dialog.GetCropMode(), EditDialog::CROP_RIGHT);
        ctest::MoveTo(pane, {390, 150});
        EXPECT_EQ(dialog.GetCropMode(), EditDialog::CROP_MOVE);
        ctest::MoveTo(pane, {200, 10});
        EXPECT_EQ(dialog.GetCropMode(), EditDialog::CROP_MOVE);

        const struct {
            wxPoint from, to;
            wxRect expected;
        } drags[] = {
            {{394, 150}, {200, 150}, {0, 36, 200, 222}},   // right edge in
            {{100, 150}, {150, 190}, {50, 72, 200, 222}},  // moved, down to the pane's foot
            {{150, 190}, {700, 700}, {196, 72, 200, 222}}, // and off the pane: stops at its edge
            {{196, 150}, {390, 150}, {388, 72, 8, 222}},   // left edge past the right one
            {{392, 293}, {392, 60}, {388, 72, 8, 8}},      // bottom edge past the top one
            {{388, 72}, {-50, -50}, {0, 0, 396, 80}},      // top-left corner off the pane
        };
        for (const auto& d : drags) {
            Drag(pane, d.from, d.to);
            EXPECT_EQ(dialog.GetCropRect(), d.expected) << d.from.x << "," << d.from.y;
            ExpectInside(dialog);
            EXPECT_FALSE(pane->HasCapture());
        }
        Pump(200);
        Screenshot("edit-dialog-cropped");
        ClickCentre(dialog.GetCloseButton());
    });
}

TEST(EditDialogTest, LosingTheCaptureEndsTheDrag)
{
    RunOnClip<EditDialog>(3, [](EditDialog& dialog, ClipJob&) {
        wxWindow* pane = dialog.GetSourcePane();
        ctest::MoveTo(pane, {200, 150});
        ctest::Press();
        ctest::MoveTo(pane, {210, 140});
        ASSERT_TRUE(pane->HasCapture());
        const wxRect during = dialog.GetCropRect();
        EXPECT_EQ(during.GetPosition(), wxPoint(0, 26));
        // What the toolkit does when a popup breaks the grab.
        wxWindow::GTKHandleCaptureLost();
        Pump(60);
        EXPECT_FALSE(pane->HasCapture());
        ctest::MoveTo(pane, {230, 120});
        EXPECT_EQ(dialog.GetCropRect(), during);
        ctest::Release();
        // The display's grab outlived the simulated loss: take and free it.
        pane->CaptureMouse();
        pane->ReleaseMouse();
        Pump(60);
        // A fresh drag works again.
        Drag(pane, {200, 150}, {200, 160});
        EXPECT_EQ(dialog.GetCropRect().GetPosition(), wxPoint(0, 36));
        ClickCentre(Child<PvBitmapButton>(&dialog, EditDialog::ID_CANCEL));
    });
}

}  // namespace
