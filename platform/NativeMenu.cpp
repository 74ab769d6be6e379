#include "NativeMenu.h"

#include <dlfcn.h>

bool NativeMenu::Popdown(void* gtkMenu)
{
    if (!gtkMenu)
        return false;
    // The toolkit is already loaded by the program; look the call up there
    // rather than building against its headers.
    using PopdownFn = void (*)(void*);
    static const auto popdown =
        reinterpret_cast<PopdownFn>(dlsym(RTLD_DEFAULT, "gtk_menu_popdown"));
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
    static const auto selectFirst =
        reinterpret_cast<SelectFirstFn>(dlsym(RTLD_DEFAULT, "gtk_menu_shell_select_first"));
    if (!selectFirst)
        return false;
    selectFirst(gtkMenu, 1);  // search sensitive items only
    return true;
}
