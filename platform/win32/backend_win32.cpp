// The back-end operations on the real Win32 API: ANSI functions, but texts are read wide and
// converted without look-alikes (see Ansi below). Dialogs are the system's own modal dialogs, so
// the dialog manager does the keyboard: Tab, Enter, Esc.
#include <windows.h>

#include <commctrl.h>
#include <mbstring.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <memory>
#include <new>

#include "../window_system.h"

namespace backend {

namespace {

HWND Handle(Window window) { return reinterpret_cast<HWND>(window); }
Window Wrap(HWND window) { return reinterpret_cast<Window>(window); }

// The dialog is placed in the middle of its owner, or of the work area of the owner's monitor,
// with its top left corner kept on that work area: with the owner on a monitor left of or above
// the primary one, that monitor's coordinates are negative.
void Centre(HWND dialog) {
    HWND owner = GetWindow(dialog, GW_OWNER);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromWindow(owner != nullptr ? owner : dialog,
                                           MONITOR_DEFAULTTONEAREST),
                         &monitor))
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &monitor.rcWork, 0);
    const RECT& work = monitor.rcWork;
    RECT area;
    if (owner == nullptr || !IsWindowVisible(owner) || IsIconic(owner) ||
        !GetWindowRect(owner, &area)) {
        area = work;
    }
    RECT own;
    GetWindowRect(dialog, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    const int x = area.left + ((area.right - area.left) - width) / 2;
    const int y = area.top + ((area.bottom - area.top) - height) / 2;
    SetWindowPos(dialog, nullptr, x < work.left ? work.left : x, y < work.top ? work.top : y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A text converted for the caller, as long as it needs to be, ended with a zero.
struct Text {
    std::unique_ptr<char[]> bytes;
    std::size_t length = 0;
};

// `count` characters of `wide` in the ANSI code page, where a character the code page cannot hold
// exactly becomes the code page's default character ('?'), never a look-alike: best-fit mapping
// would make a pasted "\u221e" an 8 and a full-width "\uff15" a 5, numbers the user never typed.
// A UTF-8 code page has no best fit and takes no flags.
Text Ansi(const wchar_t* wide, int count) {
    DWORD flags = WC_NO_BEST_FIT_CHARS;
    int length = 0;
    if (count > 0) {
        length = WideCharToMultiByte(CP_ACP, flags, wide, count, nullptr, 0, nullptr, nullptr);
        if (length == 0) {
            flags = 0;
            length = WideCharToMultiByte(CP_ACP, flags, wide, count, nullptr, 0, nullptr, nullptr);
        }
    }
    Text text{std::unique_ptr<char[]>(new char[static_cast<std::size_t>(length) + 1]),
              static_cast<std::size_t>(length)};
    if (length > 0)
        WideCharToMultiByte(CP_ACP, flags, wide, count, text.bytes.get(), length, nullptr, nullptr);
    text.bytes[text.length] = '\0';
    return text;
}

// A window's text as the control holds it, in UTF-16, converted as above.
Text WindowText(HWND window) {
    const int capacity = GetWindowTextLengthW(window) + 1;
    std::unique_ptr<wchar_t[]> wide(new wchar_t[static_cast<std::size_t>(capacity)]);
    return Ansi(wide.get(), GetWindowTextW(window, wide.get(), capacity));
}

// `text` into `buffer`, cut to the whole characters that fit before its zero.
void CopyCut(const Text& text, char* buffer, std::size_t capacity) {
    const char* const first = text.bytes.get();
    std::size_t length = text.length;
    if (length >= capacity) {
        length = 0;
        for (const char* at = first; *at != '\0';) {
            const char* next = CharNextA(at);
            if (static_cast<std::size_t>(next - first) >= capacity) break;
            length = static_cast<std::size_t>(next - first);
            at = next;
        }
    }
    std::memcpy(buffer, first, length);
    buffer[length] = '\0';
}

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* handler = reinterpret_cast<MessageHandler*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (message == WM_INITDIALOG) {
        handler = reinterpret_cast<MessageHandler*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(handler));
        Centre(dialog);
        lParam = 0;
    }
    if (handler == nullptr) return FALSE;
    Result result = 0;
    if (!handler->HandleMessage(Wrap(dialog), message, wParam, lParam, result)) return FALSE;
    switch (message) {
        // These answer through the procedure's own result, not DWLP_MSGRESULT.
        case WM_INITDIALOG:
        case WM_QUERYDRAGICON:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
            return static_cast<INT_PTR>(result);
        default:
            SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
            return TRUE;
    }
}

}  // namespace

static_assert(sizeof(PAINTSTRUCT) <= sizeof(PaintSession::bytes) &&
              alignof(PAINTSTRUCT) <= alignof(PaintSession));

void init_common_controls() { InitCommonControls(); }

Result run_modal_dialog(int templateId, Window owner, MessageHandler& handler) {
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), Handle(owner),
                           DialogProcedure, reinterpret_cast<LPARAM>(&handler));
}

void end_dialog(Window dialog, Result result) { EndDialog(Handle(dialog), result); }

Window dialog_item(Window dialog, int controlId) {
    return Wrap(GetDlgItem(Handle(dialog), controlId));
}

Result send_message(Window window, unsigned message, WordParam wParam, LongParam lParam) {
    return SendMessageA(Handle(window), message, wParam, lParam);
}

Result default_processing(Window window, unsigned message, WordParam wParam, LongParam lParam) {
    return DefWindowProcA(Handle(window), message, wParam, lParam);
}

std::size_t window_text_length(Window window) { return WindowText(Handle(window)).length; }

void window_text(Window window, char* buffer, std::size_t capacity) {
    if (capacity == 0) return;
    CopyCut(WindowText(Handle(window)), buffer, capacity);
}

void set_window_text(Window window, const char* text) { SetWindowTextA(Handle(window), text); }

bool enable_window(Window window, bool enable) {
    return EnableWindow(Handle(window), enable ? TRUE : FALSE) != FALSE;
}

Window set_focus(Window window) { return Wrap(SetFocus(Handle(window))); }

bool is_iconic(Window window) { return IsIconic(Handle(window)) != FALSE; }

Rect client_rect(Window window) {
    RECT area{};
    GetClientRect(Handle(window), &area);
    return Rect{area.left, area.top, area.right, area.bottom};
}

Rect map_dialog_rect(Window dialog, Rect units) {
    RECT area{units.left, units.top, units.right, units.bottom};
    MapDialogRect(Handle(dialog), &area);
    return Rect{area.left, area.top, area.right, area.bottom};
}

int system_metric(int index) { return GetSystemMetrics(index); }

std::uint32_t system_color(int index) { return GetSysColor(index); }

int message_box(Window owner, const char* text, const char* caption, unsigned style) {
    return MessageBoxA(Handle(owner), text, caption, style);
}

Menu system_menu(Window window, bool revert) {
    return reinterpret_cast<Menu>(GetSystemMenu(Handle(window), revert ? TRUE : FALSE));
}

bool append_menu(Menu menu, unsigned flags, std::uintptr_t itemId, const char* text) {
    return AppendMenuA(reinterpret_cast<HMENU>(menu), flags, itemId, text) != FALSE;
}

std::size_t load_string(unsigned stringId, char* buffer, std::size_t capacity) {
    if (capacity == 0) return 0;
    buffer[0] = '\0';
    const int length =
        LoadStringA(GetModuleHandleA(nullptr), stringId, buffer, static_cast<int>(capacity));
    return length > 0 ? static_cast<std::size_t>(length) : 0;
}

Icon load_icon(int iconId) {
    return reinterpret_cast<Icon>(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconId)));
}

void module_name(char* buffer, std::size_t capacity) {
    if (capacity == 0) return;
    // The wide path, in a buffer that grows until the whole path fits: XP leaves a cut path
    // without its zero, and in a double-byte code page an ANSI path may outgrow MAX_PATH bytes
    // and holds 0x5C as the second byte of a character, which is no backslash.
    DWORD size = MAX_PATH, length = 0;
    std::unique_ptr<wchar_t[]> path;
    for (;; size *= 2) {
        path.reset(new wchar_t[size]);
        length = GetModuleFileNameW(nullptr, path.get(), size);
        if (length < size || size >= 32768) break;
    }
    if (length >= size) length = 0;
    path[length] = L'\0';
    const wchar_t* name = path.get();
    for (const wchar_t* at = name; *at != L'\0'; ++at)
        if (*at == L'\\' || *at == L'/') name = at + 1;
    const wchar_t* dot = std::wcsrchr(name, L'.');
    const int count = static_cast<int>(dot != nullptr ? dot - name : std::wcslen(name));
    CopyCut(Ansi(name, count), buffer, capacity);
}

DeviceContext begin_paint(Window window, PaintSession& session) {
    auto* paint = new (session.bytes) PAINTSTRUCT{};
    return reinterpret_cast<DeviceContext>(BeginPaint(Handle(window), paint));
}

void end_paint(Window window, PaintSession& session) {
    EndPaint(Handle(window), std::launder(reinterpret_cast<PAINTSTRUCT*>(session.bytes)));
}

Gdi create_pen(int style, int width, std::uint32_t color) {
    return reinterpret_cast<Gdi>(CreatePen(style, width, color));
}

Gdi select_object(DeviceContext dc, Gdi object) {
    return reinterpret_cast<Gdi>(
        SelectObject(reinterpret_cast<HDC>(dc), reinterpret_cast<HGDIOBJ>(object)));
}

bool delete_object(Gdi object) { return DeleteObject(reinterpret_cast<HGDIOBJ>(object)) != FALSE; }

void move_to(DeviceContext dc, int x, int y) { MoveToEx(reinterpret_cast<HDC>(dc), x, y, nullptr); }

void line_to(DeviceContext dc, int x, int y) { LineTo(reinterpret_cast<HDC>(dc), x, y); }

bool draw_icon(DeviceContext dc, int x, int y, Icon icon) {
    return DrawIcon(reinterpret_cast<HDC>(dc), x, y, reinterpret_cast<HICON>(icon)) != FALSE;
}

int compare_mbcs(const unsigned char* left, const unsigned char* right) {
    return _mbscmp(left, right);
}

int run_shell_command(const char* command) { return std::system(command); }

}  // namespace backend
