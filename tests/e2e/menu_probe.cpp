// The menu probe: a hook DLL that the driver loads into Quarvel's thread to read its menus,
// which Wine keeps inside the owning process. It only reads, and writes what it read to the
// file named by QUARVEL_E2E_MENU_DUMP: "system|bar <TAB> separator <TAB> id <TAB> popup <TAB>
// text".
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

void Write(FILE* out, const char* where, HMENU menu, const char* popup) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
        item.dwTypeData = text;
        item.cch = sizeof text;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &item);
        if (item.hSubMenu != nullptr) {
            Write(out, where, item.hSubMenu, text);
            continue;
        }
        std::fprintf(out, "%s\t%d\t%u\t%s\t%s\n", where, (item.fType & MFT_SEPARATOR) ? 1 : 0,
                     item.wID, popup, text);
    }
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    QuarvelMenuProbe(int code, WPARAM wParam, LPARAM lParam) {
    static const UINT dumpMenus = RegisterWindowMessageA("QuarvelE2eDumpMenus");
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == dumpMenus) {
        const char* path = std::getenv("QUARVEL_E2E_MENU_DUMP");
        if (FILE* out = path != nullptr ? std::fopen(path, "w") : nullptr) {
            Write(out, "system", GetSystemMenu(message->hwnd, FALSE), "");
            Write(out, "bar", GetMenu(message->hwnd), "");
            std::fclose(out);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
