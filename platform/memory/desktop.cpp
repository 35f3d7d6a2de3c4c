#include "desktop.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace memory {

namespace {

Desktop* g_current = nullptr;

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The order of a sorted list: character by character, as if both texts were in lower case.
bool SortsBefore(const std::string& left, const std::string& right) {
    return std::lexicographical_compare(
        left.begin(), left.end(), right.begin(), right.end(), [](char a, char b) {
            return static_cast<unsigned char>(Lower(a)) < static_cast<unsigned char>(Lower(b));
        });
}

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    if (prefix.size() > text.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (Lower(text[i]) != Lower(prefix[i])) return false;
    }
    return true;
}

Window::Kind KindOf(const DialogControl& control) {
    std::uint16_t atom = control.windowClass.isNumber ? control.windowClass.number : 0;
    if (!control.windowClass.isNumber) {
        std::string name;
        for (char c : control.windowClass.text) name.push_back(Lower(c));
        if (name == "button") atom = 0x80;
        if (name == "edit") atom = 0x81;
        if (name == "static") atom = 0x82;
        if (name == "combobox") atom = 0x85;
    }
    switch (atom) {
        case 0x80:
            if ((control.style & BS_TYPEMASK) <= BS_DEFPUSHBUTTON) return Window::Kind::PushButton;
            if ((control.style & BS_TYPEMASK) == BS_GROUPBOX) return Window::Kind::GroupBox;
            return Window::Kind::Other;
        case 0x81:
            return Window::Kind::Edit;
        case 0x82:
            return Window::Kind::Static;
        case 0x85:
            return Window::Kind::ComboBox;
        default:
            return Window::Kind::Other;
    }
}

}  // namespace

std::size_t CopyText(const std::string& text, char* buffer, std::size_t capacity) {
    if (buffer == nullptr || capacity == 0) return 0;
    const std::size_t count = std::min(text.size(), capacity - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return count;
}

Desktop::Desktop(ResourceFile resources, std::string moduleName, Front& front)
    : m_resources(std::move(resources)), m_moduleName(std::move(moduleName)), m_front(front) {
    g_current = this;
}

Desktop::~Desktop() {
    if (g_current == this) g_current = nullptr;
}

Desktop& Desktop::Current() {
    if (g_current == nullptr) throw std::logic_error("no in-memory desktop: create a Session");
    return *g_current;
}

// Rounded as the system rounds: half a pixel up.
int Desktop::HorizontalPixels(int units) const { return (units * baseUnitX * 2 + 4) / 8; }
int Desktop::VerticalPixels(int units) const { return (units * baseUnitY * 2 + 8) / 16; }

std::unique_ptr<Window> Desktop::CreateDialogWindow(int templateId, const DialogTemplate& dialog) {
    auto window = std::make_unique<Window>();
    window->kind = Window::Kind::Dialog;
    window->templateId = templateId;
    window->style = dialog.style;
    window->exStyle = dialog.exStyle;
    window->text = dialog.caption;
    window->cx = HorizontalPixels(dialog.cx);
    window->cy = VerticalPixels(dialog.cy);
    if (dialog.menu.isNumber && dialog.menu.number != 0) {
        if (const Resource* menu = m_resources.Find(RT_MENU, dialog.menu.number)) {
            window->menuBar = ParseMenuTemplate(menu->data);
        }
    }
    for (const DialogControl& item : dialog.controls) {
        auto control = std::make_unique<Window>();
        control->kind = KindOf(item);
        control->id = item.id;
        control->style = item.style;
        control->exStyle = item.exStyle;
        control->enabled = (item.style & WS_DISABLED) == 0;
        control->visible = (item.style & WS_VISIBLE) != 0;
        control->parent = window.get();
        control->x = HorizontalPixels(item.x);
        control->y = VerticalPixels(item.y);
        control->cx = HorizontalPixels(item.cx);
        control->cy = VerticalPixels(item.cy);
        if (item.text.isNumber) {
            control->iconId = item.text.number;
        } else {
            control->text = item.text.text;
        }
        if (control->kind == Window::Kind::PushButton && window->defaultId == 0 &&
            (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            window->defaultId = item.id;
        }
        window->controls.push_back(std::move(control));
    }
    return window;
}

backend::Result Desktop::RunModal(int templateId, Window* owner, backend::MessageHandler& handler) {
    const Resource* resource = m_resources.Find(RT_DIALOG, static_cast<std::uint16_t>(templateId));
    if (resource == nullptr) {
        Problem("the program asked for dialog " + std::to_string(templateId) +
                ", which the module does not have");
        return -1;
    }
    m_windows.push_back(CreateDialogWindow(templateId, ParseDialogTemplate(resource->data)));
    Window* dialog = m_windows.back().get();
    dialog->handler = &handler;
    dialog->owner = owner;
    const bool ownerWasEnabled = owner != nullptr && owner->enabled;
    if (owner != nullptr) owner->enabled = false;
    Window* focusBefore = focus;

    Window* first = NextTabStop(dialog, nullptr, false);
    if (Send(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), 0) != 0 && !dialog->ended) {
        if (Window* now = NextTabStop(dialog, nullptr, false)) focus = now;
    }

    if (!dialog->ended) m_front.RunDialog(dialog);
    if (!dialog->ended) {
        Send(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        if (!dialog->ended) {
            dialog->ended = true;
            dialog->result = IDCANCEL;
        }
    }

    if (owner != nullptr) owner->enabled = ownerWasEnabled;
    const backend::Result result = dialog->result;
    // Nothing the program keeps names the dialog once DoModal has returned.
    m_windows.erase(std::find_if(m_windows.begin(), m_windows.end(),
                                 [dialog](const auto& window) { return window.get() == dialog; }));
    if (!Holds(focus)) focus = focusBefore;
    return result;
}

bool Desktop::Holds(const Window* window) const {
    for (const auto& dialog : m_windows) {
        if (dialog.get() == window) return true;
        for (const auto& control : dialog->controls) {
            if (control.get() == window) return true;
        }
    }
    return false;
}

backend::Result Desktop::Send(Window* window, unsigned message, WPARAM wParam, LPARAM lParam) {
    if (!Holds(window)) return 0;
    if (window->kind != Window::Kind::Dialog)
        return ControlMessage(window, message, wParam, lParam);
    backend::Result result = 0;
    if (window->handler != nullptr &&
        window->handler->HandleMessage(window, message, wParam, lParam, result)) {
        return result;
    }
    return DefaultProcessing(window, message, wParam, lParam);
}

backend::Result Desktop::DefaultProcessing(Window* window, unsigned message, WPARAM wParam,
                                           LPARAM lParam) {
    if (!Holds(window)) return 0;
    switch (message) {
        case WM_SYSCOMMAND:
            switch (wParam & 0xFFF0) {
                case SC_CLOSE:
                    Send(window, WM_CLOSE, 0, 0);
                    break;
                case SC_MINIMIZE:
                    window->iconic = true;
                    Paint(window);
                    break;
                case SC_RESTORE:
                    window->iconic = false;
                    Paint(window);
                    break;
                default:
                    break;
            }
            return 0;
        case WM_CLOSE: {
            // A dialog closes as if its Cancel button were pressed.
            Window* cancel = nullptr;
            for (auto& control : window->controls) {
                if (control->id == IDCANCEL) cancel = control.get();
            }
            return Send(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                        reinterpret_cast<LPARAM>(cancel));
        }
        case WM_SETICON: {
            backend::Icon& slot = wParam == ICON_BIG ? window->bigIcon : window->smallIcon;
            backend::Icon previous = slot;
            slot = reinterpret_cast<backend::Icon>(lParam);
            return reinterpret_cast<backend::Result>(previous);
        }
        case WM_ICONERASEBKGND: {
            DrawOp op;
            op.kind = DrawOp::Kind::IconBackground;
            window->lastPaint.push_back(op);
            return 1;
        }
        case WM_SETTEXT:
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH:
            return ControlMessage(window, message, wParam, lParam);
        default:
            return 0;
    }
}

backend::Result Desktop::ControlMessage(Window* control, unsigned message, WPARAM wParam,
                                        LPARAM lParam) {
    const bool isCombo = control->kind == Window::Kind::ComboBox;
    const auto shownText = [&]() -> std::string {
        if (!isCombo) return control->text;
        return control->selection >= 0 ? control->items[static_cast<size_t>(control->selection)]
                                       : std::string();
    };
    switch (message) {
        case WM_SETTEXT:
            if (!isCombo) control->text = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
            control->selectedFrom = control->selectedTo = 0;
            return TRUE;
        case WM_GETTEXT:
            return static_cast<backend::Result>(
                CopyText(shownText(), reinterpret_cast<char*>(lParam), wParam));
        case WM_GETTEXTLENGTH:
            return static_cast<backend::Result>(shownText().size());
        case EM_SETSEL: {
            ++control->selectionsSet;
            // A negative end selects to the end of the text, as in the system's edit fields.
            const std::size_t size = control->text.size();
            const auto at = [size](WPARAM position) {
                const auto signedPosition = static_cast<backend::Result>(position);
                return signedPosition < 0 ? size : std::min(size, static_cast<size_t>(position));
            };
            control->selectedFrom = std::min(at(wParam), at(static_cast<WPARAM>(lParam)));
            control->selectedTo = std::max(at(wParam), at(static_cast<WPARAM>(lParam)));
            return 0;
        }
        default:
            return isCombo ? ComboMessage(control, message, wParam, lParam) : 0;
    }
}

backend::Result Desktop::ComboMessage(Window* combo, unsigned message, WPARAM wParam,
                                      LPARAM lParam) {
    auto& items = combo->items;
    const auto count = static_cast<int>(items.size());
    const auto index = static_cast<int>(static_cast<backend::Result>(wParam));
    const bool valid = index >= 0 && index < count;
    switch (message) {
        case CB_ADDSTRING: {
            const std::string text = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
            auto at = items.end();
            if ((combo->style & CBS_SORT) != 0) {
                at = std::upper_bound(items.begin(), items.end(), text, SortsBefore);
            }
            const auto position = static_cast<int>(at - items.begin());
            items.insert(at, text);
            if (combo->selection >= position) ++combo->selection;
            return position;
        }
        case CB_GETCOUNT:
            return count;
        case CB_GETCURSEL:
            return combo->selection >= 0 ? combo->selection : CB_ERR;
        case CB_SETCURSEL:
            combo->selection = valid ? index : -1;
            return valid ? index : CB_ERR;
        case CB_GETLBTEXTLEN:
            return valid ? static_cast<backend::Result>(items[index].size()) : CB_ERR;
        case CB_GETLBTEXT:
            if (!valid || lParam == 0) return CB_ERR;
            std::memcpy(reinterpret_cast<char*>(lParam), items[index].c_str(),
                        items[index].size() + 1);
            return static_cast<backend::Result>(items[index].size());
        case CB_SELECTSTRING: {
            const std::string prefix = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
            const int start = (index >= 0 && index < count) ? index + 1 : 0;
            for (int step = 0; step < count; ++step) {
                const int at = (start + step) % count;
                if (StartsWithIgnoringCase(items[at], prefix)) {
                    combo->selection = at;
                    return at;
                }
            }
            return CB_ERR;
        }
        case CB_RESETCONTENT:
            items.clear();
            combo->selection = -1;
            return 0;
        default:
            return 0;
    }
}

backend::MenuObject* Desktop::SystemMenu(Window* window, bool revert) {
    if (window == nullptr || (window->style & WS_SYSMENU) == 0) return nullptr;
    if (revert || !window->systemMenu) {
        window->systemMenu = std::make_unique<backend::MenuObject>();
        window->systemMenu->items = {MenuItem{MF_STRING, static_cast<int>(SC_CLOSE), "&Close", {}}};
    }
    return revert ? nullptr : window->systemMenu.get();
}

backend::IconObject* Desktop::LoadIcon(int id) {
    for (auto& icon : m_icons) {
        if (icon->id == id) return icon.get();
    }
    if (m_resources.Find(RT_GROUP_ICON, static_cast<std::uint16_t>(id)) == nullptr) return nullptr;
    m_icons.push_back(std::make_unique<backend::IconObject>(backend::IconObject{id}));
    return m_icons.back().get();
}

backend::GdiObject* Desktop::CreatePen(int style, int width, COLORREF color) {
    m_gdiObjects.push_back(std::make_unique<backend::GdiObject>(
        backend::GdiObject{false, false, style, width, color}));
    return m_gdiObjects.back().get();
}

bool Desktop::DeletePen(backend::GdiObject* pen) {
    const auto at = std::find_if(m_gdiObjects.begin(), m_gdiObjects.end(),
                                 [pen](const auto& object) { return object.get() == pen; });
    if (at == m_gdiObjects.end() || pen->deleted) return false;
    pen->deleted = true;
    for (backend::DeviceContextObject* open : openPaints) {
        // A paint still draws with it: it is kept, and the fault is told.
        if (open->pen == pen) {
            Problem("a pen was deleted while still selected");
            return true;
        }
    }
    m_gdiObjects.erase(at);
    return true;
}

bool Desktop::Holds(const backend::GdiObject* object) const {
    return object == &m_stockPen ||
           std::any_of(m_gdiObjects.begin(), m_gdiObjects.end(),
                       [object](const auto& kept) { return kept.get() == object; });
}

int Desktop::LiveGdiObjects() const {
    return static_cast<int>(std::count_if(m_gdiObjects.begin(), m_gdiObjects.end(),
                                          [](const auto& object) { return !object->deleted; }));
}

void Desktop::Paint(Window* window) {
    window->lastPaint.clear();
    ++window->paintCount;
    Send(window, WM_PAINT, 0, 0);
    m_front.Painted(window);
}

Window* NextTabStop(Window* dialog, Window* from, bool backwards) {
    auto& controls = dialog->controls;
    const auto count = static_cast<int>(controls.size());
    int at = backwards ? count : -1;
    for (int i = 0; i < count; ++i) {
        if (controls[i].get() == from) at = i;
    }
    for (int step = 1; step <= count; ++step) {
        const int i = ((at + (backwards ? -step : step)) % count + count) % count;
        Window* control = controls[i].get();
        if (control->visible && control->enabled && (control->style & WS_TABSTOP) != 0) {
            return control;
        }
    }
    return nullptr;
}

}  // namespace memory
