#include "NativeMenu.h"

#include <dlfcn.h>

namespace {

template <typename Fn>
Fn Lookup(const char* name)
{
    return reinterpret_cast<Fn>(dlsym(RTLD_DEFAULT, name));
}

// The toolkit's direction of a "move-current" signal.
enum { DIR_PARENT = 0, DIR_CHILD = 1 };

struct SideKeyWatch {
    NativeMenu::SideKeyFn fn;
    void* data;
};

void OnMoveCurrent(void* shell, int direction, void* watchData)
{
    if (direction != DIR_PARENT && direction != DIR_CHILD)
        return;
    using SelectedFn = void* (*)(void*);
    static const auto selected = Lookup<SelectedFn>("gtk_menu_shell_get_selected_item");
    static const auto submenu = Lookup<SelectedFn>("gtk_menu_item_get_submenu");
    // Right on an item with a submenu opened it (the toolkit's own handler
    // ran first); in a submenu the signal comes from the submenu itself.
    if (direction == DIR_CHILD && selected && submenu) {
        if (void* item = selected(shell); item && submenu(item))
            return;
    }
    const auto* watch = static_cast<const SideKeyWatch*>(watchData);
    watch->fn(watch->data, direction == DIR_PARENT ? -1 : 1);
}

void FreeWatch(void* watchData, void*)
{
    delete static_cast<SideKeyWatch*>(watchData);
}

}  // namespace

bool NativeMenu::Popdown(void* gtkMenu)
{
    if (!gtkMenu)
        return false;
    // The toolkit is already loaded by the program; look the call up there
    // rather than building against its headers.
    using PopdownFn = void (*)(void*);
    static const auto popdown = Lookup<PopdownFn>("gtk_menu_popdown");
    if (!popdown)
        return false;
    popdown(gtkMenu);
    return true;
}

bool NativeMenu::SelectFirst(void* gtkMenu)
{
    if (!gtkMenu)
        return false;
    using SelectFirstFn = void (*)(void*, int);
    static const auto selectFirst = Lookup<SelectFirstFn>("gtk_menu_shell_select_first");
    if (!selectFirst)
        return false;
    selectFirst(gtkMenu, 1);  // search sensitive items only
    return true;
}

unsigned long NativeMenu::WatchSideKeys(void* gtkMenu, SideKeyFn fn, void* data)
{
    if (!gtkMenu || !fn)
        return 0;
    using ConnectFn = unsigned long (*)(void*, const char*, void (*)(), void*,
                                        void (*)(void*, void*), int);
    static const auto connect = Lookup<ConnectFn>("g_signal_connect_data");
    if (!connect)
        return 0;
    return connect(gtkMenu, "move-current", reinterpret_cast<void (*)()>(&OnMoveCurrent),
                   new SideKeyWatch{fn, data}, &FreeWatch, 0);
}

void NativeMenu::EndSideKeys(void* gtkMenu, unsigned long watch)
{
    using DisconnectFn = void (*)(void*, unsigned long);
    static const auto disconnect = Lookup<DisconnectFn>("g_signal_handler_disconnect");
    if (gtkMenu && watch && disconnect)
        disconnect(gtkMenu, watch);
}
