// The strip under the title bar with the program's menus: File, Edit, Option
// and Help. A command either becomes a notification to the panes observing
// this one or is carried out here (exit, web pages, update check, about box).
#pragma once

#include "BaseWindow.h"
#include "FrameTESSALINE.h"

#include <memory>

class OptionDomain;
class RkMenuBar;

class MenuWindow : public BaseWindow {
public:
    // Title ids of the bar.
    enum { ID_MENU_FILE = 6, ID_MENU_EDIT = 13, ID_MENU_OPTION = 16, ID_MENU_HELP = 23 };
    // Item ids.
    enum {
        ID_ADD_FILES = 1,
        ID_ADD_FOLDER = 2,
        ID_FILE_INFO = 3,
        ID_START_CONVERSION = 4,
        ID_EXIT = 5,
        ID_REMOVE = 7,
        ID_CLEAR_ALL = 8,
        ID_UNUSED_9 = 9,
        ID_UNUSED_10 = 10,
        ID_EDIT = 11,
        ID_CLIP = 12,
        ID_PREFERENCES = 14,
        ID_CUSTOMIZE_PROFILE = 15,
        ID_HELP = 17,
        ID_SUPPORT = 20,
        ID_PRODUCT_PAGE = 21,
        ID_CHECK_UPDATE = 22,
        ID_ABOUT = 5014,
    };
    // The id of the main frame, which Exit closes.
    enum { ID_MAIN_FRAME = FrameTESSALINE::ID_MAIN_FRAME };

    MenuWindow();
    ~MenuWindow() override;

    // Creates the pane (taking ownership of skin), its menu bar with the four
    // menus, and reads option.cfg. False only when the pane cannot be created.
    virtual bool Create(wxWindow* parent, int id, wxBitmap* skin,
                        const wxPoint& pos = wxDefaultPosition,
                        const wxSize& size = wxDefaultSize, long style = wxNO_BORDER,
                        const wxString& name = wxPanelNameStr);

    using BaseWindow::Update;
    // The menu pane reacts to no notification.
    void Update(PvSubject* subject, void* argument) override;

    RkMenuBar* GetMenuBar() const { return m_menuBar; }
    OptionDomain* GetOptions() const { return m_options.get(); }

protected:
    wxSize DoGetBestSize() const override;

private:
    void CreateMenus();
    void NotifyObservers(int code);
    void CloseProgram();
    void ShowAbout();

    void OnPaint(wxPaintEvent& event);
    void OnMenu(wxCommandEvent& event);

    RkMenuBar* m_menuBar = nullptr;
    std::unique_ptr<OptionDomain> m_options;

    wxDECLARE_DYNAMIC_CLASS(MenuWindow);
    wxDECLARE_EVENT_TABLE();
};
