// One entry of the profile menus: a category of the catalog or one of its
// profiles, built from one catalog element.
#pragma once

#include <wx/bitmap.h>
#include <wx/object.h>
#include <wx/string.h>

#include <memory>

class MyMenuItem : public wxObject {
public:
    MyMenuItem();
    ~MyMenuItem() override;

    MyMenuItem(const MyMenuItem&) = delete;
    MyMenuItem& operator=(const MyMenuItem&) = delete;

    void SetIndex(int index) { m_index = index; }
    int GetIndex() const { return m_index; }

    const wxString& GetId() const { return m_id; }
    void SetId(const wxString& id) { m_id = id; }

    const wxString& GetAlias() const { return m_alias; }
    void SetAlias(const wxString& alias) { m_alias = alias; }

    const wxString& GetDescription() const { return m_description; }
    void SetDescription(const wxString& description) { m_description = description; }

    const wxString& GetTransferExtraParam() const { return m_transferExtraParam; }
    void SetTransferExtraParam(const wxString& params) { m_transferExtraParam = params; }

    bool IsShow() const { return m_isShow; }
    void SetShow(bool show) { m_isShow = show; }

    // Null when the element's picture could not be loaded.
    wxBitmap* GetImage() const { return m_image.get(); }
    // Takes ownership of the bitmap.
    void SetImage(wxBitmap* image) { m_image.reset(image); }

    // The category a profile entry was listed under; not owned.
    MyMenuItem* GetParent() const { return m_parent; }
    void SetParent(MyMenuItem* parent) { m_parent = parent; }

private:
    wxString m_id;
    int m_index = 0;
    std::unique_ptr<wxBitmap> m_image;
    bool m_enabled = true;
    wxString m_alias;
    wxString m_description;
    bool m_isShow = true;
    wxString m_transferExtraParam;
    MyMenuItem* m_parent = nullptr;
};
