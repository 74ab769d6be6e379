#include "MenuWindow.h"

#include "AppUtil.h"
#include "CheckTreeDialog.h"
#include "ImageUtil.h"
#include "NotifyCode.h"
#include "OptionDomain.h"
#include "PvAboutDialog.h"
#include "RkMenuBar.h"
#include "WebPageOpener.h"

#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/menu.h>

#include <vector>

wxIMPLEMENT_DYNAMIC_CLASS(MenuWindow, BaseWindow);

wxBEGIN_EVENT_TABLE(MenuWindow, BaseWindow)
    EVT_PAINT(MenuWindow::OnPaint)

    EVT_MENU(MenuWindow::ID_ADD_FILES, MenuWindow::OnMenu)
    EVT_MENU(MenuWindow::ID_ADD_FOLDER, MenuWindow::OnMenu)
    EVT_MENU(MenuWindow::ID_FILE_INFO, MenuWindow::OnMenu)
    EVT_MENU(MenuWindow::ID_START_CONVERSION, MenuWindow::OnMenu)
    EVT_MENU(MenuWindow::ID_EXIT, MenuWindow::OnMenu)

    EVT_MENU(MenuWindow::ID_REMOVE, MenuWindow::OnMenu)
    EVT_MENU(MenuWindow::ID_CLEAR_ALL, MenuWindow::OnMenu)
    EVT_MENU(MenuWindow::ID_UNUSED_9, MenuWindow::OnMenu)
    EVT_MENU(MenuWindow::ID_UNUSED_10, MenuWindow::OnMenu)
    EVT_MENU(MenuWindow::ID_EDIT, MenuWindow::OnMenu)
    EVT_MENU(MenuWindow::ID_CLIP, MenuWindow::OnMenu)

    EVT_MENU(MenuWindow::ID_PREFERENCES, MenuWindow::OnMenu)
    EVT_MENU(MenuWindow::ID_CUSTOMIZE_PROFILE, MenuWindow::OnMenu)

    EVT_MENU(MenuWindow::ID_HELP, MenuWindow::OnMenu)
    EVT_MENU(MenuWindow::ID_SUPPORT, MenuWindow::OnMenu)
    EVT_MENU(MenuWindow::ID_PRODUCT_PAGE, MenuWindow::OnMenu)
    EVT_MENU(MenuWindow::ID_CHECK_UPDATE, MenuWindow::OnMenu)
    EVT_MENU(MenuWindow::ID_ABOUT, MenuWindow::OnMenu)
wxEND_EVENT_TABLE()

namespace {

struct MenuLine {
    int id;  // 0: a separator
    const char* text;
};

struct MenuTitle {
    int id;
    const char* text;
    std::vector<MenuLine> lines;
};

const std::vector<MenuTitle>& Menus()
{
    static const std::vector<MenuTitle> menus = {
        {MenuWindow::ID_MENU_FILE, "&File",
         {{MenuWindow::ID_ADD_FILES, "Add Video Files..."},
          {MenuWindow::ID_ADD_FOLDER, "Add Video Folder..."},
          {0, nullptr},
          {MenuWindow::ID_FILE_INFO, "File Information"},
          {MenuWindow::ID_START_CONVERSION, "Start Conversion"},
          {0, nullptr},
          {MenuWindow::ID_EXIT, "Exit"}}},
        {MenuWindow::ID_MENU_EDIT, "&Edit",
         {{MenuWindow::ID_REMOVE, "Remove"}, {MenuWindow::ID_CLEAR_ALL, "Clear All"}}},
        {MenuWindow::ID_MENU_OPTION, "&Option",
         {{MenuWindow::ID_PREFERENCES, "Preferences..."},
          {MenuWindow::ID_CUSTOMIZE_PROFILE, "Customize Profile..."}}},
        {MenuWindow::ID_MENU_HELP, "&Help",
         {{MenuWindow::ID_HELP, "Help"},
          {MenuWindow::ID_SUPPORT, "Support"},
          {MenuWindow::ID_PRODUCT_PAGE, "Product Page"},
          {0, nullptr},
          {MenuWindow::ID_CHECK_UPDATE, "Check for Update"},
          {MenuWindow::ID_ABOUT, "About"}}},
    };
    return menus;
}

}  // namespace

MenuWindow::MenuWindow() = default;

MenuWindow::~MenuWindow() = default;

bool MenuWindow::Create(wxWindow* parent, int id, wxBitmap* skin, const wxPoint& pos,
                        const wxSize& size, long style, const wxString& name)
{
    if (!BaseWindow::Create(parent, id, skin, pos, size, style, name))
        return false;
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    CreateMenus();
    m_options = std::make_unique<OptionDomain>(GetOptionFilePath());
    m_options->Load();
    return true;
}

void MenuWindow::CreateMenus()
{
    m_menuBar = new RkMenuBar;
    m_menuBar->SetSkin(GetShape());
    m_menuBar->Create(this, GetId(), wxPoint(0, 0), GetWindowStyleFlag());
    for (const MenuTitle& title : Menus()) {
        auto* menu = new wxMenu;
        for (const MenuLine& line : title.lines) {
            if (line.id == 0)
                menu->AppendSeparator();
            else
                menu->Append(line.id, line.text, wxString(), wxITEM_NORMAL);
        }
        m_menuBar->AddMenu(title.id, menu, title.text);
    }
}

void MenuWindow::Update(PvSubject*, void*) {}

wxSize MenuWindow::DoGetBestSize() const
{
    return GetSize();
}

void MenuWindow::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    if (wxBitmap* skin = GetShape(); skin && skin->IsOk())
        dc.DrawBitmap(*skin, 0, 0, true);
}

void MenuWindow::NotifyObservers(int code)
{
    SetState(code);
    Notify(nullptr);
}

void MenuWindow::CloseProgram()
{
    wxWindow* top = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
    if (!top)
        return;
    auto* close = new wxCloseEvent(wxEVT_CLOSE_WINDOW, ID_MAIN_FRAME);
    close->SetEventObject(top);
    close->SetCanVeto(false);
    top->GetEventHandler()->QueueEvent(close);
}

void MenuWindow::ShowAbout()
{
    wxBitmap* background = ImageUtil::LoadThemeBitmap("surface/base/info_bg.png");
    wxBitmap* picture = ImageUtil::LoadThemeBitmap("application/application.png");
    if (!background) {
        delete picture;
        return;
    }
    PvAboutDialog about;
    if (!about.Create(nullptr, wxID_ANY, wxString(), picture, background, wxDefaultPosition,
                      background->GetSize(), wxBORDER_NONE | wxFRAME_SHAPED, wxDialogNameStr))
        return;
    about.CentreOnScreen(wxBOTH);
    about.ShowModal();
}

void MenuWindow::OnMenu(wxCommandEvent& event)
{
    switch (event.GetId()) {
    case ID_ADD_FILES:
        NotifyObservers(NOTIFY_ADD_FILES);
        break;
    case ID_ADD_FOLDER:
        NotifyObservers(NOTIFY_ADD_FOLDER);
        break;
    case ID_FILE_INFO:
        NotifyObservers(NOTIFY_FILE_INFO);
        break;
    case ID_START_CONVERSION:
        NotifyObservers(NOTIFY_START_CONVERSION);
        break;
    case ID_EXIT:
        CloseProgram();
        break;
    case ID_REMOVE:
        NotifyObservers(NOTIFY_REMOVE_SELECTED);
        break;
    case ID_CLEAR_ALL:
        NotifyObservers(NOTIFY_CLEAR_ALL);
        break;
    case ID_EDIT:
        NotifyObservers(NOTIFY_EDIT);
        break;
    case ID_CLIP:
        NotifyObservers(NOTIFY_CLIP);
        break;
    case ID_PREFERENCES:
        NotifyObservers(NOTIFY_OPEN_SETTINGS);
        break;
    case ID_CUSTOMIZE_PROFILE:
        CheckTreeDialog::RunModal();
        break;
    case ID_HELP:
        WebPageOpener::Open(m_options->GetHelpUrl(), this);
        break;
    case ID_SUPPORT:
        WebPageOpener::Open(m_options->GetSupportUrl(), this);
        break;
    case ID_PRODUCT_PAGE:
        WebPageOpener::Open(m_options->GetProductPageUrl(), this);
        break;
    case ID_CHECK_UPDATE:
        m_options->CheckForUpdate();
        break;
    case ID_ABOUT:
        ShowAbout();
        break;
    default:  // 9, 10: nothing
        break;
    }
}
