// Ids of main-window panes that windows of other libraries look up with
// wxWindow::FindWindowById; the panes take their ids from here.
#pragma once

enum PaneId : int {
    PANE_FILE_LIST = 2136,  // SelectWindow
};
