// The menu pane: every item reaches its observers or its action, chosen in
// real pop-up menus; web pages through the system-action seam; the update
// check against a loopback server; the about box and the profile customiser
// opened and closed.
#include "CatalogWriter.h"
#include "CheckTreeDialog.h"
#include "CheckedTreeCtrl.h"
#include "ControlsTestUtil.h"
#include "CustomizeFrame.h"
#include "EventTypes.h"
#include "LoopbackHttpServer.h"
#include "MenuTestUtil.h"
#include "MenuWindow.h"
#include "NotifyCode.h"
#include "OptionDomain.h"
#include "PvAboutDialog.h"
#include "PvBitmapButton.h"
#include "PvObserver.h"
#include "RkMenuBar.h"
#include "RkMenuButton.h"
#include "SystemActions.h"
#include "WebPageOpener.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/uiaction.h>
#include <wx/url.h>
#include <wx/xml/xml.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Told {
    int observer;
    int code;
    void* argument;
    bool operator==(const Told& o) const
    {
        return observer == o.observer && code == o.code && argument == o.argument;
    }
};

class RecordingObserver : public PvObserver {
public:
    RecordingObserver(int tag, std::vector<Told>& log) : m_tag(tag), m_log(log) {}
    void Update(PvSubject* subject, void* argument) override
    {
        m_log.push_back({m_tag, subject->GetState(), argument});
    }

private:
    int m_tag;
    std::vector<Told>& m_log;
};

// The shown top-level window of this class; null when none is.
template <class Dialog>
Dialog* OpenDialog()
{
    for (wxWindow* w : wxTopLevelWindows)
        if (auto* dialog = dynamic_cast<Dialog*>(w); dialog && dialog->IsShown())
            return dialog;
    return nullptr;
}

PvAboutDialog* OpenAboutBox()
{
    return OpenDialog<PvAboutDialog>();
}

class MenuWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"HTTP_PROXY", "http_proxy", "all_proxy", "ALL_PROXY"})
            unsetenv(name);
        const std::string base = server.Base();
        server.Set("/mv-update.xml",
                   {200, "<versions><product name=\"Tarvelin Merovant\" version=\"2.3.0\"/></versions>"});
        mvtest::WriteFile(skin.root() + "/option.cfg",
                          "<option><address><help>" + base + "/help</help><home>" + base +
                              "/</home><support>" + base + "/support</support><buy>" + base +
                              "/buy</buy><update>" + base + "/mv</update><product>" + base +
                              "/product</product></address></option>");

        frame = new wxFrame(nullptr, MenuWindow::ID_MAIN_FRAME, "main", wxPoint(40, 40),
                            wxSize(860, 120), wxBORDER_NONE);
        wxTheApp->SetTopWindow(frame);
        frame->Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& e) {
            closes.push_back({e.GetId(), e.CanVeto()});
        });
        frame->Bind(EVT_UPDATE_CHECK_RESULT,
                    [this](wxCommandEvent& e) { updates.push_back(e.GetString().ToStdString()); });
        new wxWindow(frame, wxID_ANY, wxPoint(0, 100), wxSize(10, 10));
        pane = new MenuWindow;
        ASSERT_TRUE(pane->Create(frame, 2155, new wxBitmap(ctest::MakeGradient(wxSize(846, 24))),
                                 wxPoint(0, 26), wxSize(846, 24), wxNO_BORDER));
        pane->Attach(&first);
        pane->Attach(&second);
        SystemActions::SetRecorder(
            [this](const SystemActions::Action& a) { actions.push_back(a.LogLine()); });
        ASSERT_TRUE(ctest::ShowAndWait(frame));
    }

    void TearDown() override
    {
        // A menu still open would keep its loop on the frame's next events.
        EXPECT_TRUE(menutest::MenusClosed());
        menutest::CloseOpenMenus();
        SystemActions::SetRecorder({});
        wxTheApp->SetTopWindow(nullptr);
        frame->Destroy();
        ctest::Pump(50);
    }

    // Opens a title's menu for real and picks its n-th item with the keys;
    // then `afterwards`, once the dialog the item opens is on screen.
    template <class Dialog = wxDialog>
    void Choose(int titleId, int item, const std::function<void(Dialog*)>& afterwards = {})
    {
        std::function<bool()> ready;
        std::function<void()> step;
        if (afterwards) {
            ready = [] { return ctest::OnScreen(OpenDialog<Dialog>()); };
            step = [afterwards] { afterwards(OpenDialog<Dialog>()); };
        }
        ASSERT_TRUE(menutest::Choose(pane->GetMenuBar(), titleId, item, "its dialog on screen",
                                     ready, step));
        menutest::WaitForQueuedCommands(pane->GetMenuBar());
        ctest::Pump(100);
    }

    void Send(int id)
    {
        wxCommandEvent event(wxEVT_MENU, id);
        pane->GetMenuBar()->GetEventHandler()->ProcessEvent(event);
    }

    std::vector<int> Codes() const
    {
        std::vector<int> codes;
        for (const Told& t : told)
            if (t.observer == 1)
                codes.push_back(t.code);
        return codes;
    }

    ctest::SkinArchive skin{ctest::StandardSkin()};
    catalogtest::LoopbackHttpServer server;
    wxFrame* frame = nullptr;
    MenuWindow* pane = nullptr;
    std::vector<Told> told;
    RecordingObserver first{1, told};
    RecordingObserver second{2, told};
    std::vector<std::string> actions;
    std::vector<std::pair<int, bool>> closes;
    std::vector<std::string> updates;
};

TEST_F(MenuWindowTest, BarCarriesTheFourTitlesOnThePanesSkin)
{
    RkMenuBar* bar = pane->GetMenuBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GetId(), 2155);
    EXPECT_EQ(bar->GetRect(), wxRect(0, 0, 846, 24));
    EXPECT_EQ(bar->GetSkin(), pane->GetShape());
    std::vector<std::pair<int, wxString>> titles;
    for (RkMenuButton* t : bar->GetTitles())
        titles.push_back({t->GetId(), t->GetLabelText()});
    EXPECT_EQ(titles, (std::vector<std::pair<int, wxString>>{
                          {6, "File"}, {13, "Edit"}, {16, "Option"}, {23, "Help"}}));
    auto texts = [](wxMenu* menu) {
        std::vector<std::pair<int, wxString>> items;
        for (wxMenuItem* item : menu->GetMenuItems())
            items.push_back({item->IsSeparator() ? 0 : item->GetId(),
                             item->IsSeparator() ? wxString("-") : item->GetItemLabelText()});
        return items;
    };
    using Items = std::vector<std::pair<int, wxString>>;
    const auto& t = bar->GetTitles();
    EXPECT_EQ(texts(t[0]->GetMenu()), (Items{{1, "Add Video Files..."}, {2, "Add Video Folder..."},
                                             {0, "-"}, {3, "File Information"},
                                             {4, "Start Conversion"}, {0, "-"}, {5, "Exit"}}));
    EXPECT_EQ(texts(t[1]->GetMenu()), (Items{{7, "Remove"}, {8, "Clear All"}}));
    EXPECT_EQ(texts(t[2]->GetMenu()), (Items{{14, "Preferences..."}, {15, "Customize Profile..."}}));
    EXPECT_EQ(texts(t[3]->GetMenu()), (Items{{17, "Help"}, {20, "Support"}, {21, "Product Page"},
                                             {0, "-"}, {22, "Check for Update"}, {5014, "About"}}));
}

TEST_F(MenuWindowTest, ItemsChosenInRealMenusNotifyEveryObserverInAttachOrder)
{
    struct Case {
        int title;
        int item;  // 1-based, separators not counted
        int code;
    };
    const Case cases[] = {
        {6, 1, NOTIFY_ADD_FILES},    {6, 2, NOTIFY_ADD_FOLDER}, {6, 3, NOTIFY_FILE_INFO},
        {6, 4, NOTIFY_START_CONVERSION}, {13, 1, NOTIFY_REMOVE_SELECTED},
        {13, 2, NOTIFY_CLEAR_ALL},   {16, 1, NOTIFY_OPEN_SETTINGS},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        told.clear();
        Choose(c.title, c.item);
        EXPECT_EQ(told, (std::vector<Told>{{1, c.code, nullptr}, {2, c.code, nullptr}}));
    }
    EXPECT_TRUE(actions.empty());
    EXPECT_TRUE(closes.empty());
}

TEST_F(MenuWindowTest, CommandsWithoutItemsTellNothingButEditAndClip)
{
    for (int id : {9, 10, 11, 12})
        Send(id);
    EXPECT_EQ(Codes(), (std::vector<int>{NOTIFY_EDIT, NOTIFY_CLIP}));
    EXPECT_TRUE(actions.empty());
}

TEST_F(MenuWindowTest, HelpPagesOpenThroughTheSystemActionSeam)
{
    Choose(23, 1);  // "Help", from the real menu
    Send(20);
    Send(21);
    const std::string base = server.Base();
    EXPECT_EQ(actions, (std::vector<std::string>{"open-url " + base + "/help",
                                                 "open-url " + base + "/support",
                                                 "open-url " + base + "/product"}));
    EXPECT_TRUE(told.empty());
    EXPECT_TRUE(server.Requests().empty()) << "no page is fetched";
}

// Values that are no web address (a script, a file, nothing, a second line)
// are refused with a message, and nothing reaches the browser.
TEST_F(MenuWindowTest, PagesThatAreNoWebAddressesAreRefusedWithAMessage)
{
    const struct {
        const char* help;
        const char* support;
        const char* product;
    } cases[] = {
        {"javascript:alert(1)//", "file:///etc/passwd", ""},
        {"http://127.0.0.1:1/\nfile:///etc/passwd", "/etc/passwd", "mailto:a@b.example"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.help);
        mvtest::WriteFile(skin.root() + "/option.cfg",
                          std::string("<option><address><help>") + c.help + "</help><home>h</home><support>" +
                              c.support + "</support><buy>b</buy><update>u</update><product>" + c.product +
                              "</product></address></option>");
        pane->GetOptions()->Load();
        ctest::MessageBoxCatcher boxes;
        Choose(23, 1);  // "Help", from the real menu
        Send(20);
        Send(21);
        EXPECT_EQ(boxes.messages, std::vector<wxString>(3, WebPageOpener::kRefusedText));
    }
    EXPECT_TRUE(actions.empty());
}

TEST_F(MenuWindowTest, CheckForUpdateAsksTheServerAndAnswersTheTopWindow)
{
    Choose(23, 4);  // "Check for Update"
    ctest::WaitFor([&] { return !updates.empty(); });
    EXPECT_EQ(server.Requests(), std::vector<std::string>{"/mv-update.xml"});
    EXPECT_EQ(updates, std::vector<std::string>{"2.3.0"});
}

TEST_F(MenuWindowTest, ExitQueuesAClosingThatCannotBeVetoed)
{
    Choose(6, 5);
    EXPECT_EQ(closes, (std::vector<std::pair<int, bool>>{{2000, false}}));
    EXPECT_TRUE(told.empty());
}

TEST_F(MenuWindowTest, CustomizeProfileOpensTheCustomiserAndClosesWithCancel)
{
    // A catalog of two categories in the program folder.
    wxXmlDocument catalog;
    auto* root = new wxXmlNode(wxXML_ELEMENT_NODE, "catalog");
    catalog.SetRoot(root);
    for (const char* id : {"Audio", "Video"}) {
        auto* group = new wxXmlNode(root, wxXML_ELEMENT_NODE, "section");
        group->AddAttribute("id", id);
        group->AddAttribute("alias", id);
        group->AddAttribute("isShow", "1");
        auto* profile = new wxXmlNode(group, wxXML_ELEMENT_NODE, "subsection");
        profile->AddAttribute("id", wxString(id) + " one (*.mkv)");
        profile->AddAttribute("alias", wxString(id) + " one");
        profile->AddAttribute("isShow", "1");
    }
    mvtest::Run({"mkdir", "-p", skin.root() + "/Plugin/FormatList"});
    const std::string path = skin.root() + "/Plugin/FormatList/format_catalog.bin";
    ASSERT_TRUE(CatalogWriter::Save(catalog, wxString::FromUTF8(path), 1));
    const std::string bytes = mvtest::ReadFile(path);

    bool opened = false;
    size_t categories = 0;
    Choose<CheckTreeDialog>(16, 2, [&](CheckTreeDialog* dialog) {  // "Option", "Customize Profile..."
        opened = dialog->IsModal();
        categories = dialog->GetFrame()->GetTree()->GetCategoryCount();
        ctest::Screenshot("menu-customize-profile");
        wxWindow* cancel = dialog->GetFrame()->FindWindow(CustomizeFrame::ID_CANCEL);
        ASSERT_TRUE(cancel);
        wxUIActionSimulator sim;
        sim.MouseMove(cancel->GetScreenRect().GetPosition() + cancel->GetSize() / 2);
        sim.MouseClick();
    });
    ctest::WaitFor([] { return OpenDialog<CheckTreeDialog>() == nullptr; });
    EXPECT_TRUE(opened);
    EXPECT_EQ(categories, 2u);
    EXPECT_EQ(OpenDialog<CheckTreeDialog>(), nullptr);
    EXPECT_EQ(mvtest::ReadFile(path), bytes);
    EXPECT_TRUE(told.empty());
}

TEST_F(MenuWindowTest, AboutOpensCentredAndClosesWithItsButton)
{
    bool opened = false;
    wxPoint centreOffset;
    Choose<PvAboutDialog>(23, 5, [&](PvAboutDialog* about) {
        opened = about->IsModal();
        const wxRect r = about->GetScreenRect();
        const wxSize screen = wxGetDisplaySize();
        centreOffset = wxPoint(r.x + r.width / 2 - screen.x / 2, r.y + r.height / 2 - screen.y / 2);
        EXPECT_EQ(r.GetSize(), wxSize(400, 320));
        PvBitmapButton* close = about->GetCloseButton();
        wxUIActionSimulator sim;
        sim.MouseMove(close->ClientToScreen(wxPoint(8, 8)));
        sim.MouseClick();
    });
    ctest::WaitFor([] { return OpenAboutBox() == nullptr; });
    EXPECT_TRUE(opened);
    EXPECT_LE(std::abs(centreOffset.x), 1);
    EXPECT_LE(std::abs(centreOffset.y), 1);
    EXPECT_EQ(OpenAboutBox(), nullptr);
}

}  // namespace
