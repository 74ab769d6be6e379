// The about box on the program's own skin, as the X server shows it: the
// picture and its rings inside the window, every line whole and clear of
// the others.
#include "AppUtil.h"
#include "ControlsTestUtil.h"
#include "ImageUtil.h"
#include "PvAboutDialog.h"
#include "PvBitmapButton.h"

#include <gtest/gtest.h>
#include <wx/image.h>
#include <wx/timer.h>

#include <cstdlib>
#include <vector>

namespace {

// The largest difference of one channel between two pixels.
int Difference(const wxImage& image, const wxPoint& a, const wxPoint& b)
{
    return std::max({std::abs(image.GetRed(a.x, a.y) - image.GetRed(b.x, b.y)),
                     std::abs(image.GetGreen(a.x, a.y) - image.GetGreen(b.x, b.y)),
                     std::abs(image.GetBlue(a.x, a.y) - image.GetBlue(b.x, b.y))});
}

}  // namespace

TEST(AboutBoxTest, PictureAndLinesFitTheBox)
{
    const std::string stage = mvtest::StageDir();
    if (stage.empty() || !mvtest::FileExists(stage + "/Themes/default.zip"))
        GTEST_SKIP() << "no staged skin";
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxInitAllImageHandlers();
    AppUtil::SetAppRootDir(wxString::FromUTF8(stage));
    wxBitmap* background = ImageUtil::LoadThemeBitmap("surface/base/info_bg.png", wxBITMAP_TYPE_PNG);
    wxBitmap* picture = ImageUtil::LoadThemeBitmap("application/application.png", wxBITMAP_TYPE_PNG);
    ASSERT_TRUE(background && picture);
    const wxSize pictureSize = picture->GetSize();

    PvAboutDialog about;
    ASSERT_TRUE(about.Create(nullptr, wxID_ANY, "", picture, background, wxDefaultPosition,
                             background->GetSize()));
    about.CentreOnScreen();
    wxTimer guard;
    guard.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (about.IsModal())
            about.EndModal(-1);
    });
    guard.StartOnce(10000);
    about.CallAfter([&] {
        ctest::Pump(300);
        ctest::Screenshot("about-fit");
        const wxRect face(about.GetScreenPosition(), about.GetSize());
        const wxRect pictureRect(about.GetTitlePosition(), pictureSize);
        EXPECT_TRUE(wxRect(about.GetSize()).Contains(pictureRect));

        // Nothing of the picture's rings crosses the top edge: the top rows
        // over the middle are one colour each, as the band behind them is.
        const wxImage screen = ctest::GrabScreen();
        ASSERT_TRUE(screen.IsOk());
        const int middle = face.x + face.width / 2;
        for (int y = face.y + 1; y <= face.y + 3; ++y)
            for (int x = middle - 100; x <= middle + 100; ++x)
                EXPECT_LE(Difference(screen, wxPoint(x, y), wxPoint(middle - 100, y)), 3)
                    << "row " << y - face.y << " column " << x - face.x;

        // Each line is as wide as its text, inside the box, below the picture
        // and clear of the close button and of the other lines.
        std::vector<wxRect> lines;
        for (wxWindow* child : about.GetChildren()) {
            if (child == about.GetCloseButton())
                continue;
            const wxRect rect = child->GetRect();
            const wxString label = child->GetLabel();
            int width = 0;
            int height = 0;
            const wxFont font = child->GetFont();
            child->GetTextExtent(label, &width, &height, nullptr, nullptr, &font);
            EXPECT_GE(rect.width, width) << label;
            EXPECT_GE(rect.height, height) << label;
            EXPECT_GE(rect.x, 10) << label;
            EXPECT_LE(rect.GetRight(), about.GetSize().x - 10) << label;
            EXPECT_LE(rect.GetBottom(), about.GetSize().y - 8) << label;
            EXPECT_GT(rect.y, pictureRect.GetBottom()) << label;
            EXPECT_FALSE(rect.Intersects(about.GetCloseButton()->GetRect())) << label;
            for (const wxRect& other : lines)
                EXPECT_FALSE(rect.Intersects(other)) << label;
            lines.push_back(rect);
        }
        EXPECT_EQ(lines.size(), 4u);
        about.EndModal(wxID_OK);
    });
    EXPECT_EQ(about.ShowModal(), wxID_OK);
    AppUtil::SetAppRootDir(wxEmptyString);
}
