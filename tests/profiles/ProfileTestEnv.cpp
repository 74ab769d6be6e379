#include "ProfileTestEnv.h"

#include "AppUtil.h"
#include "CatalogWriter.h"
#include "MenuRowPainter.h"
#include "MyLeafMenu.h"
#include "MyPopupMenu.h"
#include "ProfileComboBox.h"

#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/mstream.h>
#include <wx/sstream.h>
#include <wx/uiaction.h>
#include <wx/wfstream.h>
#include <wx/window.h>
#include <wx/zipstrm.h>

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <cstdlib>

namespace ptest {

namespace {

struct Picture {
    const char* entry;
    int width;
    int height;
};

// Every picture the chooser and the profile pane load.
const Picture kPictures[] = {
    {"surface/test/cat-red.png", 24, 24},
    {"surface/test/cat-green.png", 24, 24},
    {"surface/test/cat-blue.png", 24, 24},
    {"surface/test/cat-yellow.png", 24, 24},
    {"surface/test/profile.png", 32, 32},
    {"surface/mypopmenu/custom.png", 60, 20},
    {"surface/mypopmenu/custom_over.png", 60, 20},
    {"surface/mypopmenu/spinButton/left.png", 20, 20},
    {"surface/mypopmenu/spinButton/left_over.png", 20, 20},
    {"surface/mypopmenu/spinButton/right.png", 20, 20},
    {"surface/mypopmenu/spinButton/right_over.png", 20, 20},
    {"surface/mypopmenu/close.png", 16, 16},
    {"surface/mypopmenu/close_over.png", 16, 16},
    {"surface/window/settings-normal.png", 26, 24},
    {"surface/window/settings-current.png", 26, 24},
    {"surface/window/settings-pressed.png", 26, 24},
};

wxImage DrawPicture(const Picture& picture)
{
    wxImage image(picture.width, picture.height);
    const wxColour c = IconColour(picture.entry);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            image.SetRGB(x, y, c.Red(), c.Green(), c.Blue());
    return image;
}

void WriteTheme(const std::string& path)
{
    wxFileOutputStream file(path);
    wxZipOutputStream zip(file);
    for (const Picture& picture : kPictures) {
        zip.PutNextEntry(picture.entry);
        wxMemoryOutputStream png;
        DrawPicture(picture).SaveFile(png, wxBITMAP_TYPE_PNG);
        const size_t size = png.GetLength();
        std::string bytes(size, '\0');
        png.CopyTo(&bytes[0], size);
        zip.Write(bytes.data(), size);
    }
    zip.Close();
}

wxXmlDocument ParseXml(const wxString& xml)
{
    wxXmlDocument document;
    wxStringInputStream in(xml);
    document.Load(in, "UTF-8");
    return document;
}

}  // namespace

const char* const kLongUserAlias =
    "My own profile with a name long enough to run under the delete icon (*.mkv)";
const char* const kLongDescription =
    "A description that is much longer than three hundred and forty pixels in one line";

wxString CatalogProfile(const wxString& id, const wxString& alias, const wxString& description,
                 const wxString& isShow)
{
    return wxString::Format(
        "  <subsection seq=\"1\" level=\"2\" isShow=\"%s\" id=\"%s\" alias=\"%s\" "
        "image=\"surface/test/profile.png\" description=\"%s\" "
        "transfer_extra_param=\"-vcodec mpeg4 -b 800k -acodec mp2 -ab 128k\"/>\n",
        isShow, id, alias, description);
}

wxString CatalogGroup(const wxString& id, const wxString& image, const wxString& body,
                  const wxString& isShow)
{
    return wxString::Format(" <section seq=\"1\" level=\"1\" isShow=\"%s\" id=\"%s\" alias=\"%s\" "
                            "image=\"%s\">\n%s </section>\n",
                            isShow, id, id, image, body);
}

// Five groups (one hidden): the popup is 5 * 28 + 25 = 165 high and the
// profile list shows three rows.
wxString ChooserCatalog()
{
    wxString video;
    for (int i = 0; i < 8; ++i)
        video += CatalogProfile(wxString::Format("video_%d (*.mp4)", i),
                         wxString::Format("Video %d (*.mp4)", i), "Short");
    const wxString audio = CatalogProfile("audio_long (*.mp3)", "Long", kLongDescription) +
                           CatalogProfile("audio_plain (*.ogg)", "Plain Audio", "Short") +
                           CatalogProfile("audio_hidden (*.wav)", "Hidden", "Short", "0");
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<catalog>\n" +
           CatalogGroup("Video", "surface/test/cat-red.png", video) +
           CatalogGroup("Audio", "surface/test/cat-green.png", audio) +
           CatalogGroup("Hidden", "surface/test/cat-yellow.png", CatalogProfile("x (*.avi)", "X", "x"), "0") +
           CatalogGroup("User Defined", "surface/test/cat-blue.png",
                    CatalogProfile("mine (*.mkv)", "Mine (*.mkv)", "Mine") +
                        CatalogProfile("mine_long (*.mkv)", kLongUserAlias, kLongDescription)) +
           CatalogGroup("Recent", "surface/test/cat-yellow.png", "") + "</catalog>\n";
}


wxString RunCatalog()
{
    const wxString video =
        "  <subsection seq=\"1\" level=\"2\" isShow=\"1\" id=\"mp4v (*.mp4)\" alias=\"MP4 (*.mp4)\" "
        "image=\"\" description=\"d\" transfer_extra_param=\"-vcodec mpeg4 -b 400k -acodec aac -ab 96k\"/>\n";
    const wxString audio =
        "  <subsection seq=\"1\" level=\"2\" isShow=\"1\" id=\"ogg_vorbis (*.ogg)\" alias=\"Vorbis audio\" "
        "image=\"\" description=\"d\" transfer_extra_param=\"-vn -acodec libvorbis -ab 96k\"/>\n";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<catalog>\n" +
           CatalogGroup("Video", "surface/profile/category/general.png", video) +
           CatalogGroup("Audio", "surface/profile/category/audio.png", audio) + "</catalog>\n";
}

void OpenChooser(ProfileComboBox* combo)
{
    Click(combo, wxPoint(100, 11));
    MyPopupMenu* popup = combo->GetPopup();
    ASSERT_TRUE(WaitFor([&] { return popup->IsShown() && popup->GetLeafMenu()->IsShown(); }));
    Pump(100);
}

wxPoint CategoryRowPoint(ProfileComboBox* combo, int row)
{
    return combo->GetPopup()->GetScreenPosition() + wxPoint(60, row * 28 + 14);
}

wxPoint ProfileRowPoint(ProfileComboBox* combo, int row)
{
    return combo->GetPopup()->GetLeafMenu()->GetScreenPosition() + wxPoint(150, row * 45 + 22);
}

void ChooseProfile(ProfileComboBox* combo, int categoryRow, int profileRow)
{
    OpenChooser(combo);
    MoveTo(CategoryRowPoint(combo, categoryRow));
    MyLeafMenu* leaf = combo->GetPopup()->GetLeafMenu();
    MoveTo(ProfileRowPoint(combo, profileRow));
    Click(leaf, leaf->ScreenToClient(ProfileRowPoint(combo, profileRow)));
    ASSERT_TRUE(WaitFor([&] { return !combo->GetPopup()->IsShown(); }));
}

wxColour IconColour(const wxString& entry)
{
    if (entry.Contains("cat-red"))
        return wxColour(220, 30, 30);
    if (entry.Contains("cat-green"))
        return wxColour(30, 200, 30);
    if (entry.Contains("cat-blue"))
        return wxColour(30, 30, 220);
    if (entry.Contains("cat-yellow"))
        return wxColour(230, 220, 20);
    if (entry.Contains("close_over"))
        return wxColour(250, 0, 250);
    if (entry.Contains("close"))
        return wxColour(120, 0, 120);
    if (entry.Contains("_over") || entry.Contains("-current"))
        return wxColour(255, 150, 0);
    return wxColour(100, 100, 100);
}

ProfileTestEnv::ProfileTestEnv(const wxString& catalogXml, const std::string& themeArchive)
{
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxInitAllImageHandlers();
    const std::string root = m_dir.path();
    mvtest::Run({"mkdir", "-p", root + "/Plugin/FormatList", root + "/Themes"});
    if (themeArchive.empty())
        WriteTheme(root + "/Themes/default.zip");
    else
        mvtest::Run({"cp", themeArchive, root + "/Themes/default.zip"});
    AppUtil::SetAppRootDir(wxString::FromUTF8(root));
    WriteCatalog(catalogXml);

    m_catalog = std::make_unique<wxXmlDocument>(ParseXml(catalogXml));
    m_settings.catalog = m_catalog.get();
    wxTheApp->SetClientData(&m_settings);
}

ProfileTestEnv::~ProfileTestEnv()
{
    wxTheApp->SetClientData(nullptr);
    AppUtil::SetAppRootDir(wxEmptyString);
}

wxString ProfileTestEnv::CatalogPath() const
{
    return wxString::FromUTF8(m_dir.path()) + "/Plugin/FormatList/format_catalog.bin";
}

void ProfileTestEnv::WriteCatalog(const wxString& xml) const
{
    const wxXmlDocument document = ParseXml(xml);
    ASSERT_TRUE(document.GetRoot()) << "catalog text does not parse";
    ASSERT_TRUE(CatalogWriter::Save(document, CatalogPath(), 1));
}

std::unique_ptr<wxXmlDocument> ProfileTestEnv::ReadCatalog() const
{
    auto document = std::make_unique<wxXmlDocument>();
    const wxString text = ReadScrambledText(CatalogPath().ToStdString());
    wxStringInputStream in(text);
    if (text.empty() || !document->Load(in, "UTF-8"))
        return nullptr;
    return document;
}

wxString ReadScrambledText(const std::string& path)
{
    if (!mvtest::FileExists(path))
        return wxEmptyString;
    std::string plain = mvtest::ReadFile(path);
    for (char& c : plain)
        c = static_cast<char>(static_cast<unsigned char>(c) ^ 0xB3);
    return wxString::FromUTF8(plain);
}

wxBitmap* NewPlainBitmap(const wxSize& size, const wxColour& colour)
{
    auto* bitmap = new wxBitmap(size);
    wxMemoryDC dc(*bitmap);
    dc.SetBackground(wxBrush(colour));
    dc.Clear();
    return bitmap;
}

bool ShowAndWait(wxWindow* topLevel)
{
    const bool ok = ctest::ShowAndWait(topLevel);
    Pump(50);
    return ok;
}

void MoveTo(const wxPoint& screen)
{
    wxUIActionSimulator sim;
    sim.MouseMove(screen);
    Pump(80);
}

void MoveTo(wxWindow* win, const wxPoint& client)
{
    MoveTo(win->ClientToScreen(client));
}

void Click(wxWindow* win, const wxPoint& client)
{
    MoveTo(win, client);
    wxUIActionSimulator sim;
    sim.MouseDown();
    Pump(60);
    sim.MouseUp();
    Pump(120);
}

void PressAt(const wxPoint& screen)
{
    MoveTo(screen);
    wxUIActionSimulator sim;
    sim.MouseDown();
    Pump(80);
}

void Release()
{
    wxUIActionSimulator sim;
    sim.MouseUp();
    Pump(120);
}

void Wheel(int notches)
{
    Display* display = XOpenDisplay(nullptr);
    ASSERT_TRUE(display) << "no X display";
    const unsigned button = notches > 0 ? 5 : 4;
    for (int i = 0; i < std::abs(notches); ++i) {
        XTestFakeButtonEvent(display, button, True, CurrentTime);
        XTestFakeButtonEvent(display, button, False, CurrentTime);
        XFlush(display);
        Pump(60);
    }
    XCloseDisplay(display);
    Pump(120);
}

void PressKey(int keyCode, int modifiers)
{
    wxUIActionSimulator sim;
    sim.Char(keyCode, modifiers);
    Pump(120);
}

using ctest::GrabScreen;

wxColour ScreenPixel(const wxPoint& screen)
{
    const wxImage image = GrabScreen();
    if (!image.IsOk() || !wxRect(image.GetSize()).Contains(screen))
        return wxNullColour;
    return wxColour(image.GetRed(screen.x, screen.y), image.GetGreen(screen.x, screen.y),
                    image.GetBlue(screen.x, screen.y));
}

bool ScreenRectHas(const wxRect& screen, const wxColour& colour, int tolerance)
{
    Pump(50);
    const wxImage image = GrabScreen();
    if (!image.IsOk())
        return false;
    const wxRect area = screen.Intersect(wxRect(image.GetSize()));
    for (int y = area.y; y < area.GetBottom() + 1; ++y)
        for (int x = area.x; x < area.GetRight() + 1; ++x) {
            if (std::abs(image.GetRed(x, y) - colour.Red()) <= tolerance &&
                std::abs(image.GetGreen(x, y) - colour.Green()) <= tolerance &&
                std::abs(image.GetBlue(x, y) - colour.Blue()) <= tolerance)
                return true;
        }
    return false;
}

void Screenshot(const std::string& name)
{
    const char* dir = std::getenv("SHOT_DIR");
    if (!dir || !*dir || !mvtest::HaveProgram("import"))
        return;
    Pump(100);
    mvtest::Run({"import", "-window", "root", std::string(dir) + "/" + name + ".png"});
}

void ExpectTextsFit(wxWindow* window, const std::vector<MenuRowPainter::Text>& texts,
                    const wxRect& area, const std::vector<wxRect>& clear, const wxString& full)
{
    wxClientDC dc(window);
    wxString shown;
    for (size_t i = 0; i < texts.size(); ++i) {
        const MenuRowPainter::Text& t = texts[i];
        SCOPED_TRACE(t.text.ToStdString());
        dc.SetFont(t.font);
        const wxSize extent = dc.GetTextExtent(t.text);
        EXPECT_LE(extent.x, t.box.width);
        EXPECT_LE(extent.y, t.box.height);
        EXPECT_TRUE(area.Contains(t.box))
            << t.box.x << "," << t.box.y << " " << t.box.width << "x" << t.box.height;
        for (const wxRect& other : clear)
            EXPECT_FALSE(other.Intersects(t.box));
        for (size_t j = i + 1; j < texts.size(); ++j)
            EXPECT_FALSE(texts[j].box.Intersects(t.box));
        EXPECT_FALSE(t.text.EndsWith(MenuRowPainter::Ellipsis()));
        shown += t.text;
    }
    EXPECT_EQ(shown, full);
}

}  // namespace ptest
