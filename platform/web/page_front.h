// The web back-end: the in-memory desktop's windows shown in the page, which is the view of
// their state, and the user's input there turned into the window system's own messages and
// notifications, as a person's at the in-memory desktop would be. The windows and what their
// controls do are the desktop's; drawing and input are the page script's (page.js). The modal
// loops wait for input with Asyncify, so that the program's DoModal and MessageBox block.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "page.h"
#include "platform/memory/desktop.h"

namespace web {

class PageFront final : public memory::Front {
public:
    // Measures the page's dialog font and colours for `desktop`, which this front sits before.
    void Attach(memory::Desktop& desktop);
    // Shows that the program has ended, and waits until the user starts it again.
    void AwaitRestart();

private:
    // What the page shows of a control, to tell what changed since.
    struct ShownControl {
        memory::Window* window;
        std::string text;
        bool enabled;
        std::vector<std::string> items;
        int selection;
    };
    struct ShownDialog {
        memory::Window* dialog;
        std::string caption;
        int iconId;
        std::size_t systemMenuItems;
        std::vector<ShownControl> controls;
    };
    struct Event {
        Input kind;
        std::uintptr_t target;  // a window, or the number of a message box
        int a, b;
        std::string text;
    };

    void RunDialog(memory::Window* dialog) override;
    int ShowMessageBox(memory::Window* owner, const char* text, const char* caption,
                       unsigned style) override;
    void ShellCommand(const char* command) override;
    void Painted(memory::Window* window) override;

    void Open(memory::Window* dialog);
    // Brings the page up to date with the windows' state.
    void Render();
    void RenderFocus();
    Event Next();
    // The user's input to the active window; input to any other is dropped, as a disabled
    // window's is.
    void Dispatch(const Event& event);
    ShownDialog* Active();

    memory::Desktop* m_desktop = nullptr;
    std::vector<ShownDialog> m_dialogs;  // the open dialogs, the active one last
    memory::Window* m_shownFocus = nullptr;
    unsigned m_shownSelections = 0;
};

}  // namespace web
