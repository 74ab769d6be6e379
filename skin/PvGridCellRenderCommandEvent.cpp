#include "PvGridCellRenderCommandEvent.h"

PvGridCellRenderCommandEvent::PvGridCellRenderCommandEvent(wxEventType type, int id)
    : wxCommandEvent(type, id)
{
}

wxEvent* PvGridCellRenderCommandEvent::Clone() const
{
    return new PvGridCellRenderCommandEvent(*this);
}
