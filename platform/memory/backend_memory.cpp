// The back-end operations on the in-memory desktop.
#include <algorithm>
#include <cstring>
#include <new>
#include <string>

#include "../window_system.h"
#include "desktop.h"

namespace backend {

namespace {

memory::Desktop& Desk() { return memory::Desktop::Current(); }

bool Alive(Window window) { return Desk().Holds(window); }

}  // namespace

// Nothing to load: the in-memory windows have no system controls behind them.
void init_common_controls() {}

Result run_modal_dialog(int templateId, Window owner, MessageHandler& handler) {
    return Desk().RunModal(templateId, owner, handler);
}

void end_dialog(Window dialog, Result result) {
    if (!Alive(dialog) || dialog->kind != WindowObject::Kind::Dialog) return;
    dialog->ended = true;
    dialog->result = result;
}

Window dialog_item(Window dialog, int controlId) {
    if (!Alive(dialog)) return nullptr;
    for (auto& control : dialog->controls) {
        if (control->id == controlId) return control.get();
    }
    return nullptr;
}

Result send_message(Window window, unsigned message, WordParam wParam, LongParam lParam) {
    return Desk().Send(window, message, wParam, lParam);
}

Result default_processing(Window window, unsigned message, WordParam wParam, LongParam lParam) {
    return Desk().DefaultProcessing(window, message, wParam, lParam);
}

std::size_t window_text_length(Window window) {
    if (!Alive(window)) return 0;
    return static_cast<std::size_t>(Desk().Send(window, WM_GETTEXTLENGTH, 0, 0));
}

void window_text(Window window, char* buffer, std::size_t capacity) {
    if (capacity == 0) return;
    buffer[0] = '\0';
    if (!Alive(window)) return;
    Desk().Send(window, WM_GETTEXT, capacity, reinterpret_cast<LongParam>(buffer));
}

void set_window_text(Window window, const char* text) {
    Desk().Send(window, WM_SETTEXT, 0, reinterpret_cast<LongParam>(text));
}

bool enable_window(Window window, bool enable) {
    if (!Alive(window)) return false;
    const bool wasDisabled = !window->enabled;
    window->enabled = enable;
    return wasDisabled;
}

Window set_focus(Window window) {
    Window previous = Desk().focus;
    if (Alive(window)) Desk().focus = window;
    return previous;
}

bool is_iconic(Window window) { return Alive(window) && window->iconic; }

Rect client_rect(Window window) {
    if (!Alive(window)) return {};
    return Rect{0, 0, window->cx, window->cy};
}

Rect map_dialog_rect(Window, Rect units) {
    const memory::Desktop& desk = Desk();
    return Rect{desk.HorizontalPixels(units.left), desk.VerticalPixels(units.top),
                desk.HorizontalPixels(units.right), desk.VerticalPixels(units.bottom)};
}

int system_metric(int index) { return index == SM_CXICON || index == SM_CYICON ? 32 : 0; }

std::uint32_t system_color(int index) {
    return index == COLOR_WINDOWTEXT ? Desk().windowTextColor : 0;
}

int message_box(Window owner, const char* text, const char* caption, unsigned style) {
    return Desk().TheFront().ShowMessageBox(owner, text, caption, style);
}

Menu system_menu(Window window, bool revert) { return Desk().SystemMenu(window, revert); }

bool append_menu(Menu menu, unsigned flags, std::uintptr_t itemId, const char* text) {
    if (menu == nullptr) return false;
    const bool separator = (flags & MF_SEPARATOR) != 0;
    menu->items.push_back(memory::MenuItem{
        flags, static_cast<int>(itemId), separator || text == nullptr ? "" : text, {}});
    return true;
}

std::size_t load_string(unsigned stringId, char* buffer, std::size_t capacity) {
    std::string text;
    if (!Desk().Resources().LoadString(stringId, text)) text.clear();
    return memory::CopyText(text, buffer, capacity);
}

Icon load_icon(int iconId) { return Desk().LoadIcon(iconId); }

void module_name(char* buffer, std::size_t capacity) {
    memory::CopyText(Desk().ModuleName(), buffer, capacity);
}

DeviceContext begin_paint(Window window, PaintSession& session) {
    static_assert(sizeof(DeviceContextObject) <= sizeof(PaintSession::bytes));
    auto* dc = new (session.bytes) DeviceContextObject{window, Desk().StockPen(), 0, 0};
    Desk().openPaints.push_back(dc);
    return dc;
}

void end_paint(Window, PaintSession& session) {
    auto* dc = std::launder(reinterpret_cast<DeviceContextObject*>(session.bytes));
    if (dc->pen != Desk().StockPen()) {
        Desk().Problem("painting ended with the program's pen still selected");
    }
    auto& open = Desk().openPaints;
    open.erase(std::remove(open.begin(), open.end(), dc), open.end());
}

Gdi create_pen(int style, int width, std::uint32_t color) {
    return Desk().CreatePen(style, width, color);
}

Gdi select_object(DeviceContext dc, Gdi object) {
    if (dc == nullptr || !Desk().Holds(object) || object->deleted) return nullptr;
    Gdi previous = dc->pen;
    dc->pen = object;
    return previous;
}

bool delete_object(Gdi object) { return Desk().DeletePen(object); }

void move_to(DeviceContext dc, int x, int y) {
    if (dc == nullptr) return;
    dc->x = x;
    dc->y = y;
}

void line_to(DeviceContext dc, int x, int y) {
    if (dc == nullptr || !Alive(dc->window)) return;
    memory::DrawOp op;
    op.kind = memory::DrawOp::Kind::Line;
    op.x1 = dc->x;
    op.y1 = dc->y;
    op.x2 = x;
    op.y2 = y;
    op.penStyle = dc->pen->style;
    op.penWidth = dc->pen->width;
    op.penColor = dc->pen->color;
    dc->window->lastPaint.push_back(op);
    dc->x = x;
    dc->y = y;
}

bool draw_icon(DeviceContext dc, int x, int y, Icon icon) {
    if (dc == nullptr || icon == nullptr || !Alive(dc->window)) return false;
    memory::DrawOp op;
    op.kind = memory::DrawOp::Kind::Icon;
    op.x1 = x;
    op.y1 = y;
    op.iconId = icon->id;
    dc->window->lastPaint.push_back(op);
    return true;
}

int compare_mbcs(const unsigned char* left, const unsigned char* right) {
    return std::strcmp(reinterpret_cast<const char*>(left), reinterpret_cast<const char*>(right));
}

int run_shell_command(const char* command) {
    Desk().TheFront().ShellCommand(command != nullptr ? command : "");
    return 0;
}

}  // namespace backend
