// The output folder bar: the folder converted files go to, a browse button
// to pick another and a button that shows it in the file manager. Observers
// hear NOTIFY_OUTPUT_FOLDER_CHANGED when the folder changes.
#pragma once

#include "BaseWindow.h"

class PvBitmapButton;
class PvCheckBox;
class PvStaticText;
class wxTextCtrl;

class OutputWindow : public BaseWindow {
public:
    enum {
        ID_OUTPUT_WINDOW = 2139,
        ID_FOLDER_FIELD = 2106,
        ID_BROWSE = 2107,
        ID_OPEN_FOLDER = 2108,
        ID_MERGE_BOX = 2109,
    };

    OutputWindow();

    // Takes ownership of skin when the pane is created.
    virtual bool Create(wxWindow* parent, int id, wxBitmap* skin,
                        const wxPoint& pos = wxDefaultPosition,
                        const wxSize& size = wxDefaultSize, long style = wxNO_BORDER,
                        const wxString& name = wxPanelNameStr);

    wxString GetOutputFolder() const;
    // Shows the folder as it stands (no separator is rewritten) and tells
    // the observers.
    void SetOutputFolder(const wxString& folder);

    wxTextCtrl* GetFolderField() const { return m_field; }
    PvBitmapButton* GetBrowseButton() const { return m_browse; }
    PvBitmapButton* GetOpenButton() const { return m_open; }
    PvCheckBox* GetMergeBox() const { return m_mergeBox; }

protected:
    virtual void OnPaint(wxPaintEvent& event);

private:
    void OnBrowse(wxCommandEvent& event);
    void OnOpenFolder(wxCommandEvent& event);

    wxTextCtrl* m_field = nullptr;
    PvCheckBox* m_mergeBox = nullptr;
    PvStaticText* m_label = nullptr;
    PvBitmapButton* m_browse = nullptr;
    PvBitmapButton* m_open = nullptr;

    wxDECLARE_DYNAMIC_CLASS(OutputWindow);
    wxDECLARE_EVENT_TABLE();
};
