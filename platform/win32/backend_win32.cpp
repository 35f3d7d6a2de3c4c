// The back-end operations on the real Win32 API: ANSI functions, but texts are read wide and
// converted without look-alikes (see CopyAnsi below). Dialogs are the system's own modal dialogs,
// so the dialog manager does the keyboard: Tab, Enter, Esc.
#include <windows.h>

#include <commctrl.h>
#include <mbstring.h>

#include <cstdlib>
#include <cstring>
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
    MONITORINFO monitor;
    monitor.cbSize = sizeof monitor;
    // The nearest monitor always answers.
    GetMonitorInfoA(MonitorFromWindow(owner != nullptr ? owner : dialog, MONITOR_DEFAULTTONEAREST),
                    &monitor);
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

// One UTF-16 character is at most this many bytes in an ANSI code page (UTF-8's three).
constexpr int kMostBytesPerCharacter = 3;

// `count` characters of `wide` in the ANSI code page, into `buffer`, cut to the whole characters
// that fit in `capacity` - 1 bytes. A character the code page cannot hold exactly becomes the code
// page's default character ('?'), never a look-alike: best-fit mapping would make a pasted
// "\u221e" an 8 and a full-width "\uff15" a 5, numbers the user never typed. A UTF-8 code page
// has no best fit and takes no flags.
void CopyAnsi(const wchar_t* wide, int count, char* buffer, std::size_t capacity) {
    if (capacity == 0) return;
    const int room = static_cast<int>(capacity) - 1;
    const DWORD flags = GetACP() == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    int length = 0;
    // Every character takes a byte at least; a conversion that does not fit converts nothing.
    for (count = count < room ? count : room; count > 0 && length == 0; --count)
        length = WideCharToMultiByte(CP_ACP, flags, wide, count, buffer, room, nullptr, nullptr);
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

// At least the length window_text gives, as GetWindowTextLengthA may be.
std::size_t window_text_length(Window window) {
    return static_cast<std::size_t>(GetWindowTextLengthW(Handle(window))) * kMostBytesPerCharacter;
}

// Read in UTF-16, as the control holds the text, and converted as above.
void window_text(Window window, char* buffer, std::size_t capacity) {
    const int length = GetWindowTextLengthW(Handle(window)) + 1;
    const std::unique_ptr<wchar_t[]> wide(new wchar_t[static_cast<std::size_t>(length)]);
    CopyAnsi(wide.get(), GetWindowTextW(Handle(window), wide.get(), length), buffer, capacity);
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
    // The wide path, in a buffer that holds the longest path there is: XP leaves a cut path
    // without its zero, and in a double-byte code page an ANSI path may outgrow MAX_PATH bytes
    // and holds 0x5C as the second byte of a character, which is no backslash.
    constexpr DWORD kLongestPath = 32768;
    const std::unique_ptr<wchar_t[]> path(new wchar_t[kLongestPath]);
    const DWORD length = GetModuleFileNameW(nullptr, path.get(), kLongestPath);
    path[length < kLongestPath ? length : 0] = L'\0';
    // The name runs from the last separator to the last point after it.
    const wchar_t *name = path.get(), *end = nullptr, *at = name;
    for (; *at != L'\0'; ++at) {
        if (*at == L'\\' || *at == L'/') name = at + 1, end = nullptr;
        if (*at == L'.') end = at;
    }
    CopyAnsi(name, static_cast<int>((end != nullptr ? end : at) - name), buffer, capacity);
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
