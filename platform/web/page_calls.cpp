// The page script's functions as the program calls them: each converts its arguments and hands
// them to QuarvelPage (page.js). Texts are read and written byte for byte.
#include <emscripten.h>

#include "page.h"

// clang-format off
EM_JS(void, quarvel_page_base_units, (int* units), {
    const [x, y] = QuarvelPage.baseUnits();
    HEAP32[units >> 2] = x;
    HEAP32[(units >> 2) + 1] = y;
});
EM_JS(std::uint32_t, quarvel_page_text_color, (), { return QuarvelPage.textColor(); });
EM_JS(void, quarvel_page_open_window, (const void* handle, int templateId, const char* caption,
                                       int width, int height, int baseY), {
    QuarvelPage.openWindow(handle, templateId, QuarvelPage.readText(HEAPU8, caption), width,
                           height, baseY);
});
EM_JS(void, quarvel_page_add_control, (const void* window, const void* handle, int id,
                                       int element, unsigned style, int x, int y, int cx, int cy,
                                       const char* text), {
    QuarvelPage.addControl(window, handle, id, element, style, x, y, cx, cy,
                           QuarvelPage.readText(HEAPU8, text));
});
EM_JS(void, quarvel_page_add_menu, (const void* window, int popup, int item, int command,
                                    unsigned flags, const char* text), {
    QuarvelPage.addMenu(window, popup, item, command, flags, QuarvelPage.readText(HEAPU8, text));
});
EM_JS(void, quarvel_page_system_menu_item, (const void* window, int index, int command,
                                            unsigned flags, const char* text), {
    QuarvelPage.systemMenuItem(window, index, command, flags, QuarvelPage.readText(HEAPU8, text));
});
EM_JS(void, quarvel_page_set_text, (const void* handle, const char* text), {
    QuarvelPage.setText(handle, QuarvelPage.readText(HEAPU8, text));
});
EM_JS(void, quarvel_page_set_enabled, (const void* handle, int enabled), {
    QuarvelPage.setEnabled(handle, enabled !== 0);
});
EM_JS(void, quarvel_page_list_item, (const void* handle, int index, const char* text), {
    QuarvelPage.listItem(handle, index, QuarvelPage.readText(HEAPU8, text));
});
EM_JS(void, quarvel_page_set_selection, (const void* handle, int index), {
    QuarvelPage.setSelection(handle, index);
});
EM_JS(void, quarvel_page_focus, (const void* handle, int from, int to), {
    QuarvelPage.focus(handle, from, to);
});
EM_JS(void, quarvel_page_set_icon, (const void* handle, int iconId), {
    QuarvelPage.setIcon(handle, iconId);
});
EM_JS(void, quarvel_page_show_window, (const void* handle, int modal), {
    QuarvelPage.showWindow(handle, modal !== 0);
});
EM_JS(void, quarvel_page_close_window, (const void* handle), { QuarvelPage.closeWindow(handle); });
EM_JS(void, quarvel_page_begin_paint, (const void* handle), { QuarvelPage.beginPaint(handle); });
EM_JS(void, quarvel_page_draw_line, (const void* handle, int x1, int y1, int x2, int y2,
                                     int width, std::uint32_t color), {
    QuarvelPage.drawLine(handle, x1, y1, x2, y2, width, color);
});
EM_JS(void, quarvel_page_show_box, (int id, const char* text, const char* caption,
                                    unsigned style), {
    QuarvelPage.showBox(id, QuarvelPage.readText(HEAPU8, text),
                        QuarvelPage.readText(HEAPU8, caption), style);
});
EM_JS(void, quarvel_page_close_box, (int id), { QuarvelPage.closeBox(id); });
EM_JS(void, quarvel_page_open_url, (const char* url), {
    QuarvelPage.openUrl(QuarvelPage.readText(HEAPU8, url));
});
EM_JS(void, quarvel_page_show_ended, (), { QuarvelPage.showEnded(); });
EM_ASYNC_JS(int, quarvel_page_next_event, (int* fields), {
    const event = await QuarvelPage.nextEvent();
    HEAP32[fields >> 2] = event.kind;
    HEAP32[(fields >> 2) + 1] = event.target;
    HEAP32[(fields >> 2) + 2] = event.a;
    HEAP32[(fields >> 2) + 3] = event.b;
    return event.text === null ? -1 : event.text.length;
});
EM_JS(void, quarvel_page_event_text, (char* buffer), { QuarvelPage.writeText(HEAPU8, buffer); });
// clang-format on
