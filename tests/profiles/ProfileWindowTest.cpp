// The profile pane: the current profile in AppSettings, the extension taken
// from the chosen profile, and "Apply to All" on and off over a three-row
// file list stand-in.
#include "MenuItemArray.h"
#include "MyMenuItem.h"
#include "MyPopupMenu.h"
#include "NotifyCode.h"
#include "ProfileComboBox.h"
#include "ProfileTestEnv.h"
#include "ProfileWindow.h"
#include "PvCheckBox.h"
#include "PvObserver.h"
#include "PvSubject.h"

#include <gtest/gtest.h>

#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <set>
#include <vector>

using namespace ptest;

namespace {

// The file list's part in this: rows with an extension and a profile id,
// updated on codes 4 and 5 for every row or only the selected ones.
class FileListStub : public PvObserver {
public:
    struct Row {
        wxString extension;
        wxString profileId;
    };

    explicit FileListStub(AppSettings& settings) : m_settings(settings), rows(3) {}

    void Update(PvSubject* subject, void* argument) override
    {
        const int code = subject->GetState();
        codes.push_back(code);
        extensionsSeen.push_back(m_settings.outputExtension);
        if (code == NOTIFY_PROFILE_CHANGED) {
            Apply();
        } else if (code == NOTIFY_APPLY_TO_ALL) {
            applyToAll = *static_cast<int*>(argument) != 0;
            if (applyToAll)
                Apply();
        }
    }

    void Apply()
    {
        for (size_t i = 0; i < rows.size(); ++i) {
            if (applyToAll || selected.count(i)) {
                rows[i].extension = m_settings.outputExtension;
                rows[i].profileId = m_settings.profileId;
            }
        }
    }

    AppSettings& m_settings;
    std::vector<Row> rows;
    std::set<size_t> selected = {1};
    bool applyToAll = true;
    std::vector<int> codes;
    std::vector<wxString> extensionsSeen;
};

struct PaneHost {
    explicit PaneHost(AppSettings& settings) : list(settings)
    {
        frame = new wxFrame(nullptr, wxID_ANY, "host", wxPoint(30, 30), wxSize(600, 40),
                            wxBORDER_NONE);
        auto* skin = NewPlainBitmap(wxSize(560, 28), wxColour(235, 238, 242));
        pane = new ProfileWindow;
        EXPECT_TRUE(pane->Create(frame, 2138, skin, wxPoint(0, 0), wxSize(560, 28)));
        pane->Attach(&list);
        EXPECT_TRUE(ShowAndWait(frame));
    }
    ~PaneHost()
    {
        frame->Destroy();
        Pump(50);
    }
    ProfileComboBox* combo() const { return pane->GetCombo(); }

    // Clicks "Apply to All"; with a key, waits for the question and answers
    // it with the key once the server shows it; without, waits for the code.
    void ClickApplyToAll(int answerKey)
    {
        // Looks from inside the question's own loop.
        wxTimer answer;
        int asked = 0;
        answer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            if (GtkWidget* question = ctest::ShownMessageBox()) {
                ++asked;
                EXPECT_TRUE(ctest::AnswerMessageBox(question, answerKey)) << "the question stayed";
            } else {
                answer.StartOnce(20);
            }
        });
        if (answerKey)
            answer.StartOnce(20);
        const size_t codes = list.codes.size();
        PvCheckBox* box = pane->GetApplyToAllBox();
        Click(box, wxPoint(box->GetBoxSize().x / 2, box->GetSize().y / 2));
        if (answerKey)
            EXPECT_TRUE(WaitFor([&] { return asked > 0 && !ctest::ShownMessageBox(); }))
                << "no question";
        else
            EXPECT_TRUE(WaitFor([&] { return list.codes.size() > codes; })) << "no code";
        answer.Stop();
        Pump(100);
        answeredTries = asked;
    }

    wxFrame* frame = nullptr;
    ProfileWindow* pane = nullptr;
    FileListStub list;
    int answeredTries = 0;
};

}  // namespace

TEST(ProfilePane, StartsWithTheFirstShownProfile)
{
    ProfileTestEnv env(ChooserCatalog());
    PaneHost host(env.Settings());
    EXPECT_EQ(host.combo()->GetValue(), "Video 0 (*.mp4)");
    EXPECT_EQ(host.combo()->GetId(), ProfileWindow::ID_PROFILE_COMBO);
    EXPECT_EQ(host.combo()->GetPosition(), wxPoint(62, 2));
    EXPECT_EQ(host.combo()->GetSize(), wxSize(288, 22));
    EXPECT_EQ(env.Settings().profileId, "video_0 (*.mp4)");
    EXPECT_EQ(env.Settings().idExtension, ".mp4");
    EXPECT_EQ(env.Settings().outputExtension, ".mp4");
    EXPECT_TRUE(host.pane->IsApplyToAll());
    EXPECT_TRUE(host.list.codes.empty());
    EXPECT_EQ(host.combo()->GetBitmap(), host.combo()->GetPopup()->GetItems()->Item(0)->GetImage());
    Screenshot("profile-pane");
}

TEST(ProfilePane, StartIconIsTheShownProfilesGroup)
{
    // An empty "Recent" first: the box still shows the icon of the group
    // the shown profile belongs to.
    ProfileTestEnv env("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<catalog>\n" +
                       CatalogGroup("Recent", "surface/test/cat-yellow.png", "") +
                       CatalogGroup("Video", "surface/test/cat-red.png",
                                    CatalogProfile("v (*.avi)", "V (*.avi)", "d")) +
                       "</catalog>\n");
    PaneHost host(env.Settings());
    EXPECT_EQ(host.combo()->GetValue(), "V (*.avi)");
    const MenuItemArray* categories = host.combo()->GetPopup()->GetItems();
    ASSERT_EQ(categories->GetCount(), 2u);
    EXPECT_EQ(host.combo()->GetBitmap(), categories->Item(1)->GetImage());
    EXPECT_TRUE(ScreenRectHas(wxRect(host.combo()->GetScreenPosition() + wxPoint(3, 5), wxSize(4, 4)),
                              IconColour("cat-red"), 10));
}

TEST(ProfilePane, ExtensionComesFromTheChosenProfile)
{
    ProfileTestEnv env(ChooserCatalog());
    PaneHost host(env.Settings());

    // "Plain Audio" has no "(*.ext)" in its alias; its id ends in (*.ogg).
    ChooseProfile(host.combo(), 1, 1);
    EXPECT_EQ(host.combo()->GetValue(), "Plain Audio");
    EXPECT_EQ(env.Settings().profileId, "audio_plain (*.ogg)");
    EXPECT_EQ(env.Settings().outputExtension, ".ogg");
    EXPECT_EQ(env.Settings().idExtension, ".ogg");
    EXPECT_EQ(host.pane->GetExtension(), ".ogg");
    // The observers were told after AppSettings had the new profile.
    ASSERT_EQ(host.list.codes, std::vector<int>{NOTIFY_PROFILE_CHANGED});
    EXPECT_EQ(host.list.extensionsSeen[0], ".ogg");
    // The box shows the chosen profile's category icon.
    const MenuItemArray* categories = host.combo()->GetPopup()->GetItems();
    EXPECT_EQ(host.combo()->GetBitmap(), categories->Item(1)->GetImage());
    EXPECT_TRUE(ScreenRectHas(wxRect(host.combo()->GetScreenPosition() + wxPoint(3, 5), wxSize(4, 4)),
                              IconColour("cat-green"), 10));

    ChooseProfile(host.combo(), 2, 0);
    EXPECT_EQ(env.Settings().outputExtension, ".mkv");
    EXPECT_EQ(host.list.rows[2].profileId, "mine (*.mkv)");

    struct Case {
        const char* id;
        const char* extension;
    };
    const Case cases[] = {
        {"mp4_h264_720p (*.mp4)", ".mp4"},
        {"archive (*.tar.gz)", ".gz"},
        {"webm_vp9 (*.webm)", ".webm"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProfileWindow::ExtensionOfProfile(c.id), c.extension) << c.id;
}

TEST(ProfilePane, ApplyToAllOffAndOnOverThreeRows)
{
    ProfileTestEnv env(ChooserCatalog());
    PaneHost host(env.Settings());
    FileListStub& list = host.list;

    // Off: no question, code 5 with 0.
    host.ClickApplyToAll(0);
    EXPECT_FALSE(host.pane->IsApplyToAll());
    ASSERT_EQ(list.codes, std::vector<int>{NOTIFY_APPLY_TO_ALL});
    EXPECT_FALSE(list.applyToAll);

    // A profile chosen now reaches only the selected row.
    ChooseProfile(host.combo(), 1, 0);
    EXPECT_EQ(list.rows[1].extension, ".mp3");
    EXPECT_EQ(list.rows[1].profileId, "audio_long (*.mp3)");
    EXPECT_TRUE(list.rows[0].profileId.empty());
    EXPECT_TRUE(list.rows[2].profileId.empty());

    // On, answered No: unchecked again and nothing sent.
    list.codes.clear();
    host.ClickApplyToAll(WXK_ESCAPE);
    EXPECT_GE(host.answeredTries, 1);
    EXPECT_FALSE(host.pane->IsApplyToAll());
    EXPECT_TRUE(list.codes.empty());

    // On, answered Yes: code 5 with 1 and every row takes the profile.
    host.ClickApplyToAll(WXK_RETURN);
    EXPECT_GE(host.answeredTries, 1);
    EXPECT_TRUE(host.pane->IsApplyToAll());
    ASSERT_EQ(list.codes, std::vector<int>{NOTIFY_APPLY_TO_ALL});
    EXPECT_TRUE(list.applyToAll);
    for (const auto& row : list.rows) {
        EXPECT_EQ(row.extension, ".mp3");
        EXPECT_EQ(row.profileId, "audio_long (*.mp3)");
    }

    // The next choice reaches every row.
    ChooseProfile(host.combo(), 0, 2);
    for (const auto& row : list.rows)
        EXPECT_EQ(row.profileId, "video_2 (*.mp4)");
}
