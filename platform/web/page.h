// The calls into the page script (page.js), which draws the desktop's windows as real controls
// and queues what the user does there. Handles are the desktop's window pointers; texts cross as
// the program's single-byte texts.
#pragma once

#include <emscripten/em_macros.h>

#include <cstdint>

namespace web {

// What the page reports, with the numbers page.js uses.
enum class Input : int {
    Click = 1,       // a push button: target
    Text = 2,        // an edit field's new text: target, text
    Pick = 3,        // a list's chosen entry: target, a = its index
    Key = 4,         // Tab, Enter or Esc in a window: target, a = virtual key, b = Shift held
    Menu = 5,        // a menu-bar item: target window, a = pop-up, b = item
    SystemMenu = 6,  // a system-menu item: target window, a = item
    CloseBox = 7,    // target window
    Focus = 8,       // the focus moved to a control: target
    Answer = 9,      // a message box's button: a = the button's command
    Repaint = 10,    // the colour scheme or the scale changed: target window
    Restart = 11,    // the user asks for the program again once it has ended
};

// What kind of element a control is drawn as, with the numbers page.js uses.
enum class Element : int { Button = 1, DefaultButton, Group, Edit, Static, List, Icon };

}  // namespace web

extern "C" {
void quarvel_page_base_units(int* units);
std::uint32_t quarvel_page_text_color();
void quarvel_page_open_window(const void* handle, int templateId, const char* caption, int width,
                              int height, int baseY);
void quarvel_page_add_control(const void* window, const void* handle, int id, int element,
                              unsigned style, int x, int y, int cx, int cy, const char* text);
void quarvel_page_add_menu(const void* window, int popup, int item, int command, unsigned flags,
                           const char* text);
void quarvel_page_system_menu_item(const void* window, int index, int command, unsigned flags,
                                   const char* text);
void quarvel_page_set_text(const void* handle, const char* text);
void quarvel_page_set_enabled(const void* handle, int enabled);
void quarvel_page_list_item(const void* handle, int index, const char* text);
void quarvel_page_set_selection(const void* handle, int index);
void quarvel_page_focus(const void* handle, int from, int to);
void quarvel_page_set_icon(const void* handle, int iconId);
void quarvel_page_show_window(const void* handle, int modal);
void quarvel_page_close_window(const void* handle);
void quarvel_page_begin_paint(const void* handle);
void quarvel_page_draw_line(const void* handle, int x1, int y1, int x2, int y2, int width,
                            std::uint32_t color);
void quarvel_page_show_box(int id, const char* text, const char* caption, unsigned style);
void quarvel_page_close_box(int id);
void quarvel_page_open_url(const char* url);
void quarvel_page_show_ended();
// Suspends the program until the page has input for it (fields: kind, target, a, b); answers the
// length of its text, or -1 when it has none, which quarvel_page_event_text then copies.
int quarvel_page_next_event(int* fields) EM_IMPORT(__asyncjs__quarvel_page_next_event);
void quarvel_page_event_text(char* buffer);
}
