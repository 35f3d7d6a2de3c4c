// The window-system operations that each back-end supplies; the MFC-like layer is built on these
// alone. It leaves every policy (exchange, routing, prompts) to the layer above it.
//
// This header names nothing that <windows.h> defines, so the Win32 back-end can include both.
// Texts come back as Win32 hands them: copied into the caller's `buffer`, cut to `capacity` - 1
// characters and ended with a zero.
#pragma once

#include <cstddef>
#include <cstdint>

namespace backend {

struct WindowObject;
struct MenuObject;
struct IconObject;
struct DeviceContextObject;
struct GdiObject;

using Window = WindowObject*;
using Menu = MenuObject*;
using Icon = IconObject*;
using DeviceContext = DeviceContextObject*;
using Gdi = GdiObject*;
using WordParam = std::uintptr_t;
using LongParam = std::intptr_t;
using Result = std::intptr_t;

// What one paint keeps from its beginning to its end. The caller holds it, so that painting
// allocates nothing; each back-end keeps its own state in the bytes.
struct PaintSession {
    alignas(8) unsigned char bytes[128];
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Receives the messages of one dialog window. Answers true when it handled the message, with
// the answer in `result`; false leaves the message to the window's default processing.
class MessageHandler {
public:
    virtual bool HandleMessage(Window window, unsigned message, WordParam wParam, LongParam lParam,
                               Result& result) = 0;

protected:
    ~MessageHandler() = default;
};

// Start-up: the system's common controls made ready for the program's windows. With the manifest's
// version 6 of the controls, Windows XP creates the standard controls from comctl32.dll's classes,
// and only once the program has loaded that DLL itself; later Windows load it on demand.
void init_common_controls();

// Dialogs
Result run_modal_dialog(int templateId, Window owner, MessageHandler& handler);
void end_dialog(Window dialog, Result result);
Window dialog_item(Window dialog, int controlId);

// Windows and controls
Result send_message(Window window, unsigned message, WordParam wParam, LongParam lParam);
Result default_processing(Window window, unsigned message, WordParam wParam, LongParam lParam);
std::size_t window_text_length(Window window);
void window_text(Window window, char* buffer, std::size_t capacity);
void set_window_text(Window window, const char* text);
bool enable_window(Window window, bool enable);
Window set_focus(Window window);
bool is_iconic(Window window);
Rect client_rect(Window window);
// Dialog units of `dialog`'s template font to pixels of its client area, as its controls are
// placed: x by a quarter of the font's average letter width, y by an eighth of its height.
Rect map_dialog_rect(Window dialog, Rect units);
int system_metric(int index);
// A colour of the user's scheme (COLOR_WINDOWTEXT, ...), as 0x00BBGGRR.
std::uint32_t system_color(int index);

// Boxes, menus and the module's resources
int message_box(Window owner, const char* text, const char* caption, unsigned style);
Menu system_menu(Window window, bool revert);
bool append_menu(Menu menu, unsigned flags, std::uintptr_t itemId, const char* text);
// The length of the text copied; 0 when there is no such string.
std::size_t load_string(unsigned stringId, char* buffer, std::size_t capacity);
Icon load_icon(int iconId);
// The file name of the program, without its folder and extension.
void module_name(char* buffer, std::size_t capacity);

// Painting
DeviceContext begin_paint(Window window, PaintSession& session);
void end_paint(Window window, PaintSession& session);
Gdi create_pen(int style, int width, std::uint32_t color);
Gdi select_object(DeviceContext dc, Gdi object);
bool delete_object(Gdi object);
void move_to(DeviceContext dc, int x, int y);
void line_to(DeviceContext dc, int x, int y);
bool draw_icon(DeviceContext dc, int x, int y, Icon icon);

// The runtime library
int compare_mbcs(const unsigned char* left, const unsigned char* right);
int run_shell_command(const char* command);

}  // namespace backend
