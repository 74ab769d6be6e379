// Codes a pane sets with PvSubject::SetState before PvSubject::Notify.
// The argument is null except for NOTIFY_PROFILE_CHANGED (the settings
// editor's profile box, or null) and NOTIFY_APPLY_TO_ALL (an int* holding 0 or 1).
#pragma once

enum NotifyCode : int {
    NOTIFY_SELECTION_CHANGED = 3,
    NOTIFY_PROFILE_CHANGED = 4,
    NOTIFY_APPLY_TO_ALL = 5,
    NOTIFY_OUTPUT_FOLDER_CHANGED = 6,
    NOTIFY_ADD_FILES = 8,
    NOTIFY_ADD_FOLDER = 9,
    NOTIFY_FILE_INFO = 10,
    NOTIFY_START_CONVERSION = 11,
    NOTIFY_REMOVE_SELECTED = 12,
    NOTIFY_CLEAR_ALL = 13,
    NOTIFY_STOP_PREVIEW = 14,
    NOTIFY_EDIT = 15,
    NOTIFY_CLIP = 16,
    NOTIFY_OPEN_SETTINGS = 17,
};
