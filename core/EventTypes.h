// The program's twenty custom event types, created once in index order while
// static data is initialised. Workers queue heap events of these types on the
// receiving window's handler (QueueEvent); the GUI thread handles them.
//
// In an event table:  EVT_COMMAND(wxID_ANY, EVT_CONVERT_FINISHED, Dialog::OnFinished)
// With Bind:          Bind(EVT_CONVERT_FINISHED, &Dialog::OnFinished, this)
// Events of another class under one of these types (EVT_CONVERT_PROGRESS carries a
// grid cell event) bind through a tag of that class:
//                     Bind(wxEventTypeTag<CellEvent>(EVT_CONVERT_PROGRESS), ...)
#pragma once

#include <wx/event.h>

constexpr int kEventTypeCount = 20;

using MvEventType = wxEventTypeTag<wxCommandEvent>;

// All twenty, index 0 to 19; the indices not named below are unused.
extern const MvEventType kEventTypes[kEventTypeCount];

// Command event, for the settings editor (id 2137); nobody posts it.
extern const MvEventType& EVT_SETTINGS_RELOAD;        // index 5
// Command event, slider position; nobody posts it.
extern const MvEventType& EVT_SLIDER_POSITION;        // index 9
// Command event from the settings editor's catalog-loading thread.
extern const MvEventType& EVT_CATALOG_LOADED;         // index 11
// Command event, id ImportJob::kDialogId: integer = files accepted so far (in
// the closing event the number of paths), string = file name (empty in the
// closing event).
extern const MvEventType& EVT_MEDIA_IMPORT_PROGRESS;  // index 15
// Grid cell event, id = target window's id: integer = percent, row, column, status.
extern const MvEventType& EVT_CONVERT_PROGRESS;       // index 16
// Command event, id = target window's id.
extern const MvEventType& EVT_CONVERT_FINISHED;       // index 17
// Command event, id = event window's id: integer = position in seconds.
extern const MvEventType& EVT_PLAYER_POSITION;        // index 18
// Command event, id 0: string = latest version text, empty on failure.
extern const MvEventType& EVT_UPDATE_CHECK_RESULT;    // index 19
