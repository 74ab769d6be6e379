#include "FrameTESSALINE.h"

#include "AppUtil.h"
#include "ImageUtil.h"
#include "MenuWindow.h"
#include "OutputWindow.h"
#include "PreviewWindow.h"
#include "ProfileWindow.h"
#include "SelectWindow.h"
#include "StartWindow.h"
#include "TitleWindow.h"
#include "ToolbarWindow.h"

#include <wx/custombgwin.h>
#include <wx/panel.h>

#include <cstring>
#include <memory>

wxIMPLEMENT_DYNAMIC_CLASS(FrameTESSALINE, FrameBase);

wxBEGIN_EVENT_TABLE(FrameTESSALINE, FrameBase)
wxEND_EVENT_TABLE()

namespace {

constexpr double kCornerRadius = 9.0;

const FrameTESSALINE::PaneSlot& SlotOf(const std::vector<FrameTESSALINE::PaneSlot>& slots,
                                       const char* name)
{
    for (const FrameTESSALINE::PaneSlot& slot : slots)
        if (wxString(slot.name) == name)
            return slot;
    return slots.front();
}

// A pane created in its slot with the piece of the background under it as
// its skin; null when it cannot be created.
template <typename Pane>
Pane* CreatePane(wxWindow* face, const wxBitmap& background, const FrameTESSALINE::PaneSlot& slot)
{
    const wxRect& r = slot.rect;
    std::unique_ptr<wxBitmap> skin(ImageUtil::CropBitmapNew(background, r.x, r.y, r.width, r.height));
    auto pane = std::make_unique<Pane>();
    if (!pane->Create(face, slot.id, skin.get(), r.GetPosition(), r.GetSize(), slot.style,
                      wxPanelNameStr))
        return nullptr;
    skin.release();  // the pane's now
    return pane.release();
}

}  // namespace

FrameTESSALINE::FrameTESSALINE() = default;

std::vector<FrameTESSALINE::PaneSlot> FrameTESSALINE::PaneLayout(const wxSize& background)
{
    const int w = background.GetWidth();
    const wxRect title(0, 0, w, 20);
    const wxRect menu(0, 26, w, 24);
    const wxRect toolbar(0, 56, w, 44);
    const wxRect select(10, toolbar.GetBottom() + 1 + 8, 502, 320);
    const wxRect preview(514, 110, 322, 322);
    const wxRect profile(40, 456, 560, 28);
    const wxRect output(40, profile.GetBottom() + 1 + 6, 600, 28);
    const wxRect start(output.GetRight() + 1 + 50, 450, 136, 64);
    return {
        {"TitleWindow", 2165, title, wxNO_BORDER},
        {"MenuWindow", 2155, menu, wxNO_BORDER},
        {"ToolbarWindow", ToolbarWindow::ID_TOOLBAR_WINDOW, toolbar, wxNO_BORDER},
        {"SelectWindow", SelectWindow::ID_SELECT_WINDOW, select, wxNO_BORDER},
        {"PreviewWindow", PreviewWindow::ID_PREVIEW_WINDOW, preview, 0},
        {"ProfileWindow", 2138, profile, wxNO_BORDER},
        {"OutputWindow", OutputWindow::ID_OUTPUT_WINDOW, output, wxNO_BORDER},
        {"StartWindow", 2153, start, wxNO_BORDER},
    };
}

bool FrameTESSALINE::Create(int id, const wxString&, const wxSize&)
{
    std::unique_ptr<wxBitmap> background(ImageUtil::LoadThemeBitmap("surface/base/background.png"));
    if (!background)
        return false;
    const wxSize size = background->GetSize();
    if (!FrameBase::Create(id, GetAppDisplayName(), size))
        return false;

    auto* face = new wxCustomBackgroundWindow<wxPanel>;
    face->Create(this, wxID_ANY, wxPoint(0, 0), size, wxTAB_TRAVERSAL | wxNO_BORDER);
    face->SetBackgroundBitmap(ImageUtil::LoadThemeBitmapValue("surface/base/background.png"));

    // The panes come here, each cut from the background at its PaneLayout
    // rectangle, and are then wired to each other.
    const std::vector<PaneSlot> slots = PaneLayout(size);
    const PaneSlot& title = SlotOf(slots, "TitleWindow");
    new TitleWindow(face, title.id,
                    ImageUtil::CropBitmapNew(*background, title.rect.x, title.rect.y,
                                             title.rect.width, title.rect.height),
                    title.rect.GetPosition(), title.rect.GetSize(), title.style);
    auto* menu = CreatePane<MenuWindow>(face, *background, SlotOf(slots, "MenuWindow"));
    auto* toolbar = CreatePane<ToolbarWindow>(face, *background, SlotOf(slots, "ToolbarWindow"));
    auto* select = CreatePane<SelectWindow>(face, *background, SlotOf(slots, "SelectWindow"));
    auto* preview = CreatePane<PreviewWindow>(face, *background, SlotOf(slots, "PreviewWindow"));
    auto* profile = CreatePane<ProfileWindow>(face, *background, SlotOf(slots, "ProfileWindow"));
    auto* output = CreatePane<OutputWindow>(face, *background, SlotOf(slots, "OutputWindow"));
    auto* start = CreatePane<StartWindow>(face, *background, SlotOf(slots, "StartWindow"));

    // Who hears whom; each subject tells its observers in attach order.
    auto attach = [](PvSubject* subject, std::initializer_list<PvObserver*> observers) {
        if (!subject)
            return;
        for (PvObserver* observer : observers)
            if (observer)
                subject->Attach(observer);
    };
    attach(menu, {select, output, profile, start});
    attach(toolbar, {select});
    attach(select, {preview, toolbar, menu});
    attach(profile, {select});
    attach(output, {start, preview});
    if (preview && output)
        preview->SetSnapshotFolder(output->GetOutputFolder());

    Centre(wxBOTH);
    SetRoundedShape(size.GetWidth(), size.GetHeight(), kCornerRadius);
    Fit();
    return true;
}
