#include "page_front.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "platform/memory/dialog_user.h"

namespace web {

namespace {

using memory::Window;

// How a control is drawn; false for a kind the page does not draw.
bool ElementOf(const Window& control, Element& element) {
    switch (control.kind) {
        case Window::Kind::PushButton:
            element = (control.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? Element::DefaultButton
                                                                        : Element::Button;
            return true;
        case Window::Kind::GroupBox:
            element = Element::Group;
            return true;
        case Window::Kind::Edit:
            element = Element::Edit;
            return true;
        case Window::Kind::ComboBox:
            element = Element::List;
            return true;
        case Window::Kind::Static:
            element = (control.style & SS_TYPEMASK) == SS_ICON ? Element::Icon : Element::Static;
            return true;
        default:
            return false;
    }
}

int IconId(backend::Icon icon) { return icon != nullptr ? icon->id : 0; }

}  // namespace

void PageFront::Attach(memory::Desktop& desktop) {
    int units[2];
    quarvel_page_base_units(units);
    desktop.baseUnitX = units[0];
    desktop.baseUnitY = units[1];
    desktop.windowTextColor = quarvel_page_text_color();
    m_desktop = &desktop;
}

void PageFront::AwaitRestart() {
    quarvel_page_show_ended();
    while (Next().kind != Input::Restart) {
    }
}

void PageFront::Open(Window* dialog) {
    quarvel_page_open_window(dialog, dialog->templateId, dialog->text.c_str(), dialog->cx,
                             dialog->cy, m_desktop->baseUnitY);
    ShownDialog shown{dialog, dialog->text, 0, 0, {}};
    for (const auto& control : dialog->controls) {
        Element element;
        if (!ElementOf(*control, element)) continue;
        quarvel_page_add_control(dialog, control.get(), control->id, static_cast<int>(element),
                                 control->style, control->x, control->y, control->cx, control->cy,
                                 control->text.c_str());
        if (element == Element::Icon) quarvel_page_set_icon(control.get(), control->iconId);
        shown.controls.push_back({control.get(), control->text, true, {}, -1});
    }
    for (std::size_t popup = 0; popup < dialog->menuBar.size(); ++popup) {
        const memory::MenuItem& title = dialog->menuBar[popup];
        quarvel_page_add_menu(dialog, static_cast<int>(popup), -1, 0, title.flags,
                              title.text.c_str());
        for (std::size_t item = 0; item < title.items.size(); ++item) {
            const memory::MenuItem& entry = title.items[item];
            quarvel_page_add_menu(dialog, static_cast<int>(popup), static_cast<int>(item), entry.id,
                                  entry.flags, entry.text.c_str());
        }
    }
    m_dialogs.push_back(std::move(shown));
}

void PageFront::RunDialog(Window* dialog) {
    Open(dialog);
    quarvel_page_show_window(dialog, dialog->owner != nullptr);
    Render();
    m_desktop->Paint(dialog);
    while (!dialog->ended) {
        Render();
        Dispatch(Next());
    }
    quarvel_page_close_window(dialog);
    m_dialogs.pop_back();
    // The owner gets the focus back; the page shows it there again.
    m_shownFocus = nullptr;
}

void PageFront::Render() {
    for (ShownDialog& shown : m_dialogs) {
        Window* dialog = shown.dialog;
        if (dialog->text != shown.caption) {
            quarvel_page_set_text(dialog, dialog->text.c_str());
            shown.caption = dialog->text;
        }
        if (IconId(dialog->smallIcon) != shown.iconId) {
            shown.iconId = IconId(dialog->smallIcon);
            quarvel_page_set_icon(dialog, shown.iconId);
        }
        // The program only appends to its system menu: a menu as long as the one shown is it.
        backend::MenuObject* menu = m_desktop->SystemMenu(dialog, false);
        if (menu != nullptr && menu->items.size() != shown.systemMenuItems) {
            for (std::size_t i = 0; i < menu->items.size(); ++i) {
                const memory::MenuItem& item = menu->items[i];
                quarvel_page_system_menu_item(dialog, static_cast<int>(i), item.id, item.flags,
                                              item.text.c_str());
            }
            shown.systemMenuItems = menu->items.size();
        }
        for (ShownControl& control : shown.controls) {
            Window* window = control.window;
            if (window->kind == Window::Kind::ComboBox) {
                if (window->items != control.items) {
                    for (std::size_t i = 0; i < window->items.size(); ++i)
                        quarvel_page_list_item(window, static_cast<int>(i),
                                               window->items[i].c_str());
                    if (window->items.empty()) quarvel_page_list_item(window, -1, "");
                    control.items = window->items;
                    control.selection = -2;  // a list filled anew shows no choice
                }
                if (window->selection != control.selection) {
                    quarvel_page_set_selection(window, window->selection);
                    control.selection = window->selection;
                }
            } else if (window->text != control.text) {
                quarvel_page_set_text(window, window->text.c_str());
                control.text = window->text;
            }
            if (window->enabled != control.enabled) {
                quarvel_page_set_enabled(window, window->enabled);
                control.enabled = window->enabled;
            }
        }
    }
    RenderFocus();
}

void PageFront::RenderFocus() {
    Window* focus = m_desktop->focus;
    ShownDialog* active = Active();
    if (focus == nullptr || active == nullptr || focus->parent != active->dialog) return;
    const bool edit = focus->kind == Window::Kind::Edit;
    if (focus == m_shownFocus && (!edit || focus->selectionsSet == m_shownSelections)) return;
    // A field the focus moves to shows its whole text selected, as the dialog manager does,
    // unless the program selected a part itself.
    std::size_t from = 0, to = focus->text.size();
    if (edit && focus == m_shownFocus) {
        from = focus->selectedFrom;
        to = focus->selectedTo;
    }
    quarvel_page_focus(focus, static_cast<int>(from), static_cast<int>(to));
    m_shownFocus = focus;
    m_shownSelections = focus->selectionsSet;
}

PageFront::Event PageFront::Next() {
    int fields[4];
    const int length = quarvel_page_next_event(fields);
    Event event{static_cast<Input>(fields[0]),
                static_cast<std::uintptr_t>(fields[1]),
                fields[2],
                fields[3],
                {}};
    if (length >= 0) {
        event.text.resize(static_cast<std::size_t>(length) + 1);
        quarvel_page_event_text(event.text.data());
        event.text.pop_back();
    }
    return event;
}

PageFront::ShownDialog* PageFront::Active() {
    return m_dialogs.empty() ? nullptr : &m_dialogs.back();
}

void PageFront::Dispatch(const Event& event) {
    ShownDialog* active = Active();
    if (active == nullptr) return;
    if (event.kind == Input::Repaint) {
        m_desktop->windowTextColor = quarvel_page_text_color();
        for (const ShownDialog& shown : m_dialogs) m_desktop->Paint(shown.dialog);
        return;
    }
    Window* dialog = active->dialog;
    const auto control =
        std::find_if(active->controls.begin(), active->controls.end(), [&](const ShownControl& c) {
            return reinterpret_cast<std::uintptr_t>(c.window) == event.target;
        });
    const bool toDialog = reinterpret_cast<std::uintptr_t>(dialog) == event.target;
    if (control == active->controls.end() && !toDialog) return;
    Window* window = toDialog ? dialog : control->window;
    memory::DialogUser user(*m_desktop, dialog);
    switch (event.kind) {
        case Input::Click:
            user.Press(window->id);
            break;
        case Input::Text:
            control->text = event.text;  // what the page shows already
            user.Type(window->id, event.text);
            break;
        case Input::Pick:
            if (event.a < 0 || event.a >= static_cast<int>(window->items.size())) break;
            control->selection = event.a;
            user.Pick(window->id, window->items[static_cast<std::size_t>(event.a)]);
            break;
        case Input::Key:
            user.Key(static_cast<unsigned>(event.a), event.b != 0);
            break;
        case Input::Menu: {
            const auto& bar = dialog->menuBar;
            const auto popup = static_cast<std::size_t>(event.a);
            const auto item = static_cast<std::size_t>(event.b);
            if (popup < bar.size() && item < bar[popup].items.size())
                user.ChooseMenu(bar[popup].text, bar[popup].items[item].text);
            break;
        }
        case Input::SystemMenu: {
            backend::MenuObject* menu = m_desktop->SystemMenu(dialog, false);
            const auto item = static_cast<std::size_t>(event.a);
            if (menu != nullptr && item < menu->items.size())
                user.ChooseSystemMenu(menu->items[item].text);
            break;
        }
        case Input::CloseBox:
            user.CloseBox();
            break;
        case Input::Focus:
            m_desktop->focus = window;
            m_shownFocus = window;
            m_shownSelections = window->selectionsSet;
            break;
        default:
            break;
    }
    // Nothing the page lets a person do is refused here; what the desktop records for tests
    // is of no use to anyone.
    m_desktop->problems.clear();
}

int PageFront::ShowMessageBox(Window*, const char* text, const char* caption, unsigned style) {
    Render();  // the windows under the box as they stand
    static int boxes = 0;
    const int id = ++boxes;
    quarvel_page_show_box(id, text != nullptr ? text : "", caption != nullptr ? caption : "Error",
                          style);
    int answer = 0;
    while (answer == 0) {
        const Event event = Next();
        if (event.kind == Input::Answer && event.target == static_cast<std::uintptr_t>(id))
            answer = event.a;
        if (event.kind == Input::Repaint) Dispatch(event);
    }
    quarvel_page_close_box(id);
    return answer;
}

// The page has no command processor. It carries out the one kind of command a page can: a web
// browser started on an address ("start iexplore.exe  www.example.com") opens the address in a
// new tab, over https where it names no scheme.
void PageFront::ShellCommand(const char* command) {
    const std::string_view line(command);
    if (line.substr(0, 6) != "start ") return;
    const std::size_t last = line.find_last_of(' ');
    const std::string_view address = line.substr(last + 1);
    if (address.empty()) return;
    std::string url(address);
    if (address.find("://") == std::string_view::npos) url = "https://" + url;
    quarvel_page_open_url(url.c_str());
}

void PageFront::Painted(Window* window) {
    quarvel_page_begin_paint(window);
    for (const memory::DrawOp& op : window->lastPaint) {
        if (op.kind == memory::DrawOp::Kind::Line)
            quarvel_page_draw_line(window, op.x1, op.y1, op.x2, op.y2, op.penWidth, op.penColor);
    }
}

}  // namespace web
