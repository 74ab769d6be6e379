// One grid cell's progress, posted by the conversion job to the run dialog:
// the percent in the command integer, plus row, column and status (a
// ProgressTarget::Status). Copies keep all of them.
#pragma once

#include "ProgressTarget.h"

#include <wx/event.h>

class PvGridCellRenderCommandEvent : public wxCommandEvent {
public:
    explicit PvGridCellRenderCommandEvent(wxEventType type = wxEVT_NULL, int id = 0);

    int GetRow() const { return m_row; }
    void SetRow(int row) { m_row = row; }
    int GetColumn() const { return m_column; }
    void SetColumn(int column) { m_column = column; }
    int GetStatus() const { return m_status; }
    void SetStatus(int status) { m_status = status; }

    wxEvent* Clone() const override;

private:
    int m_row = 0;
    int m_column = 0;
    int m_status = ProgressTarget::STATUS_PROGRESS;
};
