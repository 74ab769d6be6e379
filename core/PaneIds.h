// Ids of main-window panes and pane controls that windows of other libraries
// look up with wxWindow::FindWindowById; the panes take their ids from here.
#pragma once

enum PaneId : int {
    PANE_PROFILE_CHOOSER = 2110,  // ProfileWindow's ProfileComboBox
    PANE_FILE_LIST = 2136,        // SelectWindow
};
