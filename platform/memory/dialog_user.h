// A user in front of one dialog of the in-memory desktop: reads what the window shows and acts
// on it as a person would. User actions notify the program as the system would; an action a
// person could not take (typing into a disabled field, say) is refused and recorded as a problem.
#pragma once

#include <string>
#include <vector>

#include "desktop.h"

namespace memory {

class DialogUser {
public:
    DialogUser(Desktop& desktop, Window* dialog) : m_desktop(desktop), m_dialog(dialog) {}

    // What the window shows
    int TemplateId() const { return m_dialog->templateId; }
    std::string Caption() const { return m_dialog->text; }
    bool Ended() const { return m_dialog->ended; }
    // False while a modal dialog or box runs over this one.
    bool WindowEnabled() const { return m_dialog->enabled; }
    std::string Text(int id) const;
    bool Enabled(int id) const;
    std::vector<std::string> Entries(int id) const;
    std::string SelectedEntry(int id) const;
    int Selection(int id) const;
    int FocusedId() const;  // 0 when the focus is elsewhere
    // The selected part of an edit field's text.
    std::string SelectedText(int id) const;
    // The icon resource the window shows in its caption (`big`: in the task switcher).
    int IconId(bool big) const;
    const std::vector<MenuItem>& MenuBar() const { return m_dialog->menuBar; }
    std::vector<MenuItem> SystemMenu() const;

    // What the user does
    void Type(int id, const std::string& text);
    void Pick(int id, const std::string& entry);
    void Press(int id);
    // Clicks into an edit field: it takes the focus, with the caret at the end.
    void Click(int id);
    // VK_TAB (backwards with `shift`), VK_RETURN or VK_ESCAPE.
    void Key(unsigned virtualKey, bool shift = false);
    void ChooseMenu(const std::string& popup, const std::string& item);
    void ChooseSystemMenu(const std::string& item);
    void CloseBox();
    // The window is uncovered, minimised or restored: it paints again; answers what it drew.
    std::vector<DrawOp> Repaint();
    std::vector<DrawOp> Minimize();
    std::vector<DrawOp> Restore();

    // What the program could do to a control itself, with no notification
    void SetText(int id, const std::string& text);

private:
    Window* Control(int id) const;
    bool CanAct(const std::string& action);
    Window* Usable(int id, Window::Kind kind, const std::string& action);
    void Command(int id, WORD code, Window* from);

    Desktop& m_desktop;
    Window* m_dialog;
};

}  // namespace memory
