// Closing a native pop-up menu from outside its own event loop. The toolkit
// offers no call for it; the menu bar uses it to move from one open menu to
// the next.
#pragma once

class NativeMenu {
public:
    // Hides the open pop-up menu whose toolkit handle (a GtkMenu*) is given,
    // which ends the loop that shows it. False when the handle is null or the
    // toolkit's call is not in the process.
    static bool Popdown(void* gtkMenu);
    // Highlights the first item of the open pop-up menu, as a menu opened
    // from the keyboard shows it. False as for Popdown.
    static bool SelectFirst(void* gtkMenu);

    // Called with -1 for Left and +1 for Right.
    using SideKeyFn = void (*)(void* data, int step);
    // Watches the open pop-up menu for Left and Right where the toolkit has
    // no submenu to open or leave with them, as a menu bar moves to the
    // neighbouring menu then. Returns the watch for EndSideKeys; 0 when the
    // toolkit's calls are not in the process.
    static unsigned long WatchSideKeys(void* gtkMenu, SideKeyFn fn, void* data);
    static void EndSideKeys(void* gtkMenu, unsigned long watch);
};
