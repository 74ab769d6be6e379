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
