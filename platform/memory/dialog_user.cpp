#include "dialog_user.h"

namespace memory {

Window* DialogUser::Control(int id) const {
    for (auto& control : m_dialog->controls) {
        if (control->id == id) return control.get();
    }
    return nullptr;
}

std::string DialogUser::Text(int id) const {
    Window* control = Control(id);
    if (control == nullptr) return {};
    std::string text(backend::window_text_length(control), '\0');
    backend::window_text(control, text.data(), text.size() + 1);
    return text.c_str();  // up to the first zero, as the program reads it
}

bool DialogUser::Enabled(int id) const {
    Window* control = Control(id);
    return control != nullptr && control->enabled;
}

std::vector<std::string> DialogUser::Entries(int id) const {
    Window* control = Control(id);
    return control != nullptr ? control->items : std::vector<std::string>();
}

std::string DialogUser::SelectedEntry(int id) const {
    Window* control = Control(id);
    if (control == nullptr || control->selection < 0) return {};
    return control->items[static_cast<size_t>(control->selection)];
}

int DialogUser::Selection(int id) const {
    Window* control = Control(id);
    return control != nullptr ? control->selection : -1;
}

int DialogUser::FocusedId() const {
    Window* focus = m_desktop.focus;
    return focus != nullptr && focus->parent == m_dialog ? focus->id : 0;
}

std::string DialogUser::SelectedText(int id) const {
    Window* field = Control(id);
    if (field == nullptr) return {};
    return field->text.substr(field->selectedFrom, field->selectedTo - field->selectedFrom);
}

int DialogUser::IconId(bool big) const {
    const backend::Icon icon = big ? m_dialog->bigIcon : m_dialog->smallIcon;
    return icon != nullptr ? icon->id : 0;
}

std::vector<MenuItem> DialogUser::SystemMenu() const {
    backend::MenuObject* menu = m_desktop.SystemMenu(m_dialog, false);
    return menu != nullptr ? menu->items : std::vector<MenuItem>();
}

bool DialogUser::CanAct(const std::string& action) {
    if (!m_desktop.Holds(m_dialog) || m_dialog->ended) {
        m_desktop.Problem(action + ": dialog " + std::to_string(TemplateId()) + " has ended");
        return false;
    }
    if (!m_dialog->enabled) {
        m_desktop.Problem(action + ": dialog " + std::to_string(TemplateId()) +
                          " is disabled under another window");
        return false;
    }
    return true;
}

Window* DialogUser::Usable(int id, Window::Kind kind, const std::string& action) {
    if (!CanAct(action)) return nullptr;
    Window* control = Control(id);
    if (control == nullptr || control->kind != kind) {
        m_desktop.Problem(action + ": there is no such control");
        return nullptr;
    }
    if (!control->visible || !control->enabled) {
        m_desktop.Problem(action + ": the control is disabled or hidden");
        return nullptr;
    }
    return control;
}

void DialogUser::Command(int id, WORD code, Window* from) {
    m_desktop.Send(m_dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), code),
                   reinterpret_cast<LPARAM>(from));
}

void DialogUser::Type(int id, const std::string& text) {
    Window* field = Usable(id, Window::Kind::Edit, "typing into " + std::to_string(id));
    if (field == nullptr) return;
    m_desktop.focus = field;
    field->text = text;
    field->selectedFrom = field->selectedTo = text.size();
    Command(id, EN_CHANGE, field);
}

void DialogUser::Click(int id) {
    Window* field = Usable(id, Window::Kind::Edit, "clicking into " + std::to_string(id));
    if (field == nullptr) return;
    m_desktop.focus = field;
    field->selectedFrom = field->selectedTo = field->text.size();
}

void DialogUser::Pick(int id, const std::string& entry) {
    Window* list = Usable(id, Window::Kind::ComboBox, "picking " + entry);
    if (list == nullptr) return;
    m_desktop.focus = list;
    for (size_t i = 0; i < list->items.size(); ++i) {
        if (list->items[i] == entry) {
            list->selection = static_cast<int>(i);
            Command(id, CBN_SELCHANGE, list);
            Command(id, CBN_CLOSEUP, list);
            return;
        }
    }
    m_desktop.Problem("picking " + entry + ": the list has no such entry");
}

void DialogUser::Press(int id) {
    Window* button = Usable(id, Window::Kind::PushButton, "pressing " + std::to_string(id));
    if (button == nullptr) return;
    m_desktop.focus = button;
    Command(id, BN_CLICKED, button);
}

void DialogUser::Key(unsigned virtualKey, bool shift) {
    if (!CanAct("key " + std::to_string(virtualKey))) return;
    Window* focus = m_desktop.focus != nullptr && m_desktop.focus->parent == m_dialog
                        ? m_desktop.focus
                        : nullptr;
    switch (virtualKey) {
        case VK_TAB:
            if (Window* next = NextTabStop(m_dialog, focus, shift)) m_desktop.focus = next;
            return;
        case VK_RETURN: {
            // A focused push button takes Enter; otherwise the default button does, else OK.
            if (focus != nullptr && focus->kind == Window::Kind::PushButton) {
                Command(focus->id, BN_CLICKED, focus);
                return;
            }
            if (m_dialog->defaultId != 0) {
                Window* byDefault = Control(m_dialog->defaultId);
                if (byDefault == nullptr || byDefault->enabled) {
                    Command(m_dialog->defaultId, BN_CLICKED, byDefault);
                }
                return;
            }
            Command(IDOK, BN_CLICKED, Control(IDOK));
            return;
        }
        case VK_ESCAPE:
            Command(IDCANCEL, BN_CLICKED, Control(IDCANCEL));
            return;
        default:
            m_desktop.Problem("key " + std::to_string(virtualKey) + " is not modelled");
    }
}

void DialogUser::ChooseMenu(const std::string& popup, const std::string& item) {
    if (!CanAct("menu " + popup + ", " + item)) return;
    for (const MenuItem& top : m_dialog->menuBar) {
        if (top.text != popup) continue;
        for (const MenuItem& entry : top.items) {
            if (entry.text != item) continue;
            if ((entry.flags & (MF_GRAYED | MF_DISABLED)) != 0) {
                m_desktop.Problem("menu " + popup + ", " + item + " is disabled");
                return;
            }
            m_desktop.Send(m_dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(entry.id), 0), 0);
            return;
        }
    }
    m_desktop.Problem("menu " + popup + ", " + item + ": there is no such item");
}

void DialogUser::ChooseSystemMenu(const std::string& item) {
    if (!CanAct("system menu " + item)) return;
    for (const MenuItem& entry : SystemMenu()) {
        if (entry.text == item) {
            m_desktop.Send(m_dialog, WM_SYSCOMMAND, static_cast<WPARAM>(entry.id), 0);
            return;
        }
    }
    m_desktop.Problem("system menu " + item + ": there is no such item");
}

void DialogUser::CloseBox() {
    if (!CanAct("close box")) return;
    m_desktop.Send(m_dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

std::vector<DrawOp> DialogUser::Repaint() {
    m_desktop.Paint(m_dialog);
    return m_dialog->lastPaint;
}

std::vector<DrawOp> DialogUser::Minimize() {
    m_dialog->iconic = true;
    return Repaint();
}

std::vector<DrawOp> DialogUser::Restore() {
    m_dialog->iconic = false;
    return Repaint();
}

void DialogUser::SetText(int id, const std::string& text) {
    backend::set_window_text(Control(id), text.c_str());
}

}  // namespace memory
