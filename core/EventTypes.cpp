#include "EventTypes.h"

// Array elements are initialised in order, so the types come out in index order.
const MvEventType kEventTypes[kEventTypeCount] = {
    wxNewEventType(), wxNewEventType(), wxNewEventType(), wxNewEventType(), wxNewEventType(),
    wxNewEventType(), wxNewEventType(), wxNewEventType(), wxNewEventType(), wxNewEventType(),
    wxNewEventType(), wxNewEventType(), wxNewEventType(), wxNewEventType(), wxNewEventType(),
    wxNewEventType(), wxNewEventType(), wxNewEventType(), wxNewEventType(), wxNewEventType(),
};

// References are bound before any dynamic initialisation, so event tables of
// other files may name them whatever order the files are initialised in.
const MvEventType& EVT_SETTINGS_RELOAD = kEventTypes[5];
const MvEventType& EVT_SLIDER_POSITION = kEventTypes[9];
const MvEventType& EVT_CATALOG_LOADED = kEventTypes[11];
const MvEventType& EVT_MEDIA_IMPORT_PROGRESS = kEventTypes[15];
const MvEventType& EVT_CONVERT_PROGRESS = kEventTypes[16];
const MvEventType& EVT_CONVERT_FINISHED = kEventTypes[17];
const MvEventType& EVT_PLAYER_POSITION = kEventTypes[18];
const MvEventType& EVT_UPDATE_CHECK_RESULT = kEventTypes[19];
