// A temporary copy of the staged program folder (catalog files and theme)
// that the program folder points at while it lives, with the application's
// AppSettings holding the copied catalog. Plus catalog helpers and a way to
// answer the modal dialogs a window opens.
#pragma once

#include "AppSettings.h"
#include "FolderFault.h"
#include "TestSupport.h"

#include <wx/dialog.h>
#include <wx/modalhook.h>
#include <wx/timer.h>
#include <wx/xml/xml.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace stest {

class StagedCopy {
public:
    StagedCopy();
    ~StagedCopy();

    // False (and a test failure) when there is no staged folder to copy.
    bool ok() const { return m_ok; }
    wxString CatalogPath() const;
    AppSettings& Settings() { return m_settings; }
    std::string Root() const { return m_dir.path(); }

    // The catalog file as a document; null when it cannot be read.
    std::unique_ptr<wxXmlDocument> ReadCatalog() const;
    // Rewrites the catalog file through the one writer (not the document in memory).
    void WriteCatalog(const wxXmlDocument& document) const;
    std::string CatalogBytes() const;
    // The names in the catalog's folder (temporary files would show here).
    std::vector<wxString> FolderFiles() const;

private:
    mvtest::TempDir m_dir;
    std::unique_ptr<wxXmlDocument> m_catalog;
    AppSettings m_settings;
    bool m_ok = false;
};

// The serialized text of a document or a node.
wxString XmlText(const wxXmlDocument& document);
wxString XmlText(const wxXmlNode* node);
// The element children of a node, in order.
std::vector<wxXmlNode*> Elements(const wxXmlNode* parent);
// The first group with this "id"; null when none.
wxXmlNode* Group(const wxXmlDocument& document, const wxString& id);
// A copy of the document with every "isShow" attribute taken out.
wxString TextWithoutShow(const wxXmlDocument& document);

// Answers every modal dialog of the given class that opens while it lives:
// handle(dialog) runs inside the dialog's loop, then the dialog ends with the
// code it returns.
class ModalAnswer : public wxModalDialogHook {
public:
    using Handler = std::function<int(wxDialog*)>;
    ModalAnswer(wxClassInfo* type, Handler handle);
    ~ModalAnswer() override;
    int seen() const { return m_seen; }

protected:
    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog*) override {}

private:
    wxClassInfo* m_type;
    Handler m_handle;
    int m_seen = 0;
};

// Runs the dialog modally; `during` runs once its loop is up. A dialog still
// open after the limit is ended with -1.
int RunModal(wxDialog& dialog, const std::function<void()>& during, int limitMs = 20000);

// A pointer click in the middle of the window.
void ClickCentre(wxWindow* window);

// The program folder of a copy made read-only, or its Plugin folder filled up.
class FolderFault : public mvtest::FolderFault {
public:
    FolderFault(const StagedCopy& copy, Kind kind)
        : mvtest::FolderFault(kind == READ_ONLY ? copy.Root() : copy.Root() + "/Plugin", kind)
    {
    }
};

// Records every message box and, while one is open, presses Return on it
// (the real key) after a short look. Other dialogs are left alone.
class MessageBoxAnswer : public wxModalDialogHook {
public:
    explicit MessageBoxAnswer(const std::string& screenshot = "");
    ~MessageBoxAnswer() override;
    const std::vector<wxString>& messages() const { return m_messages; }

protected:
    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog* dialog) override;

private:
    wxTimer m_timer;
    wxDialog* m_open = nullptr;
    std::string m_screenshot;
    std::vector<wxString> m_messages;
};

// Limits the size of files this process writes, as a full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(long bytes);
    ~FileSizeLimit();

private:
    struct Saved;
    std::unique_ptr<Saved> m_saved;
};

}  // namespace stest
