// A program folder for the profile tests: a theme archive of pictures drawn
// at test time, a scrambled catalog written from XML text, and the
// application's AppSettings pointing at that catalog. Also the helpers that
// drive windows with real pointer events.
#pragma once

#include "AppSettings.h"
#include "ControlsTestUtil.h"
#include "TestSupport.h"

#include <wx/colour.h>
#include <wx/gdicmn.h>
#include <wx/string.h>
#include <wx/xml/xml.h>

#include "MenuRowPainter.h"

#include <memory>
#include <string>
#include <vector>

class ProfileComboBox;
class wxBitmap;
class wxWindow;

namespace ptest {

// Catalog texts. A profile of the test catalog, and a group around profiles.
extern const char* const kLongDescription;
extern const char* const kLongUserAlias;
wxString CatalogProfile(const wxString& id, const wxString& alias, const wxString& description,
                        const wxString& isShow = "1");
wxString CatalogGroup(const wxString& id, const wxString& image, const wxString& body,
                      const wxString& isShow = "1");
// Groups Video (8 profiles), Audio ("Long" with a two-line description,
// "Plain Audio" whose alias has no extension, one hidden), a hidden group,
// "User Defined" (a short and a long profile) and an empty "Recent": the popup is 5 * 28 + 25 = 165
// high and the profile list shows three rows.
wxString ChooserCatalog();
// Two converting profiles: "MP4 (*.mp4)" (mpeg4 and AAC) in Video, "Vorbis audio"
// (audio only) in Audio.
wxString RunCatalog();

// The chooser worked with the pointer: open it by a click on the box, the
// screen points of a category row and of a profile row, and a whole choice.
void OpenChooser(ProfileComboBox* combo);
wxPoint CategoryRowPoint(ProfileComboBox* combo, int row);
wxPoint ProfileRowPoint(ProfileComboBox* combo, int row);
void ChooseProfile(ProfileComboBox* combo, int categoryRow, int profileRow);

// Colours of the pictures in the generated theme (icon name -> colour).
wxColour IconColour(const wxString& entry);

class ProfileTestEnv {
public:
    // `catalogXml` is written to Plugin/FormatList/format_catalog.bin and
    // loaded as the application's catalog.
    // The theme is drawn at test time unless `themeArchive` names one to copy.
    explicit ProfileTestEnv(const wxString& catalogXml, const std::string& themeArchive = "");
    ~ProfileTestEnv();

    std::string Root() const { return m_dir.path(); }
    wxString CatalogPath() const;
    AppSettings& Settings() { return m_settings; }

    // Rewrites the catalog file (not the document in memory).
    void WriteCatalog(const wxString& xml) const;
    // The catalog file as a document.
    std::unique_ptr<wxXmlDocument> ReadCatalog() const;

private:
    mvtest::TempDir m_dir;
    std::unique_ptr<wxXmlDocument> m_catalog;
    AppSettings m_settings;
};

// The catalog text of a scrambled catalog file; empty when it cannot be read.
wxString ReadScrambledText(const std::string& path);

// A new bitmap of one colour, owned by the caller (a pane's skin).
wxBitmap* NewPlainBitmap(const wxSize& size, const wxColour& colour = *wxWHITE);

// Event pumping and real pointer input through XTEST.
using ctest::Pump;
using ctest::WaitFor;
bool ShowAndWait(wxWindow* topLevel);
void MoveTo(const wxPoint& screen);
void MoveTo(wxWindow* win, const wxPoint& client);
void Click(wxWindow* win, const wxPoint& client);
void PressAt(const wxPoint& screen);
void Release();
// Wheel notches where the pointer is, as X buttons 4 (up) and 5 (down):
// positive counts scroll down.
void Wheel(int notches);
// A real key press and release, with modifiers (wxMOD_ALT, ...).
void PressKey(int keyCode, int modifiers = 0);

// What the screen shows at a point, and whether a rectangle of it holds a
// pixel close to the colour.
wxColour ScreenPixel(const wxPoint& screen);
bool ScreenRectHas(const wxRect& screen, const wxColour& colour, int tolerance = 40);
// A screenshot of the whole screen for looking at, when SHOT_DIR is set.
void Screenshot(const std::string& name);

// Texts drawn in a window: each in its font fits its box, the boxes keep
// clear of each other and of `clear` (icon, arrow, scroll bar, buttons),
// stay inside `area`, and together they show `full` uncut.
void ExpectTextsFit(wxWindow* window, const std::vector<MenuRowPainter::Text>& texts,
                    const wxRect& area, const std::vector<wxRect>& clear, const wxString& full);

}  // namespace ptest
