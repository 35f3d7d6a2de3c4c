// The in-memory window system: windows made from the module's dialog templates, their controls'
// texts, lists, selections, enabled state and focus. It plays the system's part only: what the
// program does with the messages is the program's, and who shows the windows and acts in them
// is its front's (the tests' scripted users, or a web page).
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "../afx_types.h"
#include "resources.h"

namespace memory {

// One drawing operation, in client pixels.
struct DrawOp {
    enum class Kind { Line, Icon, IconBackground } kind = Kind::Line;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int penStyle = 0;
    int penWidth = 0;
    COLORREF penColor = 0;
    int iconId = 0;
};

}  // namespace memory

struct backend::WindowObject {
    enum class Kind { Dialog, PushButton, GroupBox, Edit, Static, ComboBox, Other };
    Kind kind = Kind::Other;
    int id = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    std::string text;
    bool enabled = true;
    bool visible = true;
    WindowObject* parent = nullptr;
    int x = 0, y = 0, cx = 0, cy = 0;  // pixels in the parent's client area
    int iconId = 0;                    // of an icon static

    // Edit fields: the selected characters, from and to
    std::size_t selectedFrom = 0, selectedTo = 0;

    // Combo boxes
    std::vector<std::string> items;
    int selection = -1;

    // Dialogs
    int templateId = 0;
    std::vector<std::unique_ptr<WindowObject>> controls;
    backend::MessageHandler* handler = nullptr;
    WindowObject* owner = nullptr;
    bool ended = false;
    backend::Result result = 0;
    int defaultId = 0;
    bool iconic = false;
    backend::Icon bigIcon = nullptr;
    backend::Icon smallIcon = nullptr;
    std::vector<memory::MenuItem> menuBar;
    std::unique_ptr<backend::MenuObject> systemMenu;
    std::vector<memory::DrawOp> lastPaint;
    int paintCount = 0;
    // Counts the selections the program made in an edit field, so that a view shows each one.
    unsigned selectionsSet = 0;
};

struct backend::MenuObject {
    std::vector<memory::MenuItem> items;
};

struct backend::IconObject {
    int id = 0;
};

struct backend::GdiObject {
    bool stock = false;
    bool deleted = false;
    int style = 0;
    int width = 0;
    COLORREF color = 0;
};

struct backend::DeviceContextObject {
    backend::WindowObject* window = nullptr;
    backend::GdiObject* pen = nullptr;
    int x = 0, y = 0;
};

namespace memory {

using Window = backend::WindowObject;

// Copies `text` as Win32 copies a text: cut to the buffer, always ended with a zero. Answers the
// characters copied.
std::size_t CopyText(const std::string& text, char* buffer, std::size_t capacity);

// What sits in front of the desktop: shows its windows and plays the user's part in them.
class Front {
public:
    // The user's part in `dialog`, made and initialised, until the dialog has ended.
    virtual void RunDialog(Window* dialog) = 0;
    // Shows a modal message box over `owner` (none: over nothing) and answers the button chosen.
    virtual int ShowMessageBox(Window* owner, const char* text, const char* caption,
                               unsigned style) = 0;
    // Carries out a command line as the system's command processor would.
    virtual void ShellCommand(const char* command) = 0;
    // `window` has painted; what it drew is its lastPaint.
    virtual void Painted(Window*) {}

protected:
    ~Front() = default;
};

class Desktop {
public:
    Desktop(ResourceFile resources, std::string moduleName, Front& front);
    ~Desktop();

    static Desktop& Current();

    std::vector<std::string> problems;
    // The template font's base units in pixels: the average width of its letters and its height.
    // 6 × 13 is 8-point "MS Sans Serif" at 96 DPI.
    int baseUnitX = 6;
    int baseUnitY = 13;
    // The one colour of the scheme the program asks for.
    COLORREF windowTextColor = RGB(0, 0, 0);

    // The system's side of the back-end operations
    backend::Result RunModal(int templateId, Window* owner, backend::MessageHandler& handler);
    backend::Result Send(Window* window, unsigned message, WPARAM wParam, LPARAM lParam);
    backend::Result DefaultProcessing(Window* window, unsigned message, WPARAM wParam,
                                      LPARAM lParam);
    Front& TheFront() { return m_front; }
    // Dialog units to pixels, by the base units.
    int HorizontalPixels(int units) const;
    int VerticalPixels(int units) const;
    backend::MenuObject* SystemMenu(Window* window, bool revert);
    backend::IconObject* LoadIcon(int id);
    backend::GdiObject* CreatePen(int style, int width, COLORREF color);
    backend::GdiObject* StockPen() { return &m_stockPen; }
    // Frees a pen the program made; false for any other handle.
    bool DeletePen(backend::GdiObject* pen);
    // Whether a handle names a window or pen that is there now. A window is freed once its
    // dialog has ended and a pen once deleted, so that a page left open for days keeps no more
    // than it shows; a handle kept past that names nothing.
    bool Holds(const Window* window) const;
    bool Holds(const backend::GdiObject* object) const;
    void Paint(Window* window);
    int LiveGdiObjects() const;

    Window* focus = nullptr;
    std::vector<backend::DeviceContextObject*> openPaints;  // begun and not yet ended
    const ResourceFile& Resources() const { return m_resources; }
    const std::string& ModuleName() const { return m_moduleName; }
    void Problem(std::string text) { problems.push_back(std::move(text)); }

private:
    std::unique_ptr<Window> CreateDialogWindow(int templateId, const DialogTemplate& dialog);
    backend::Result ControlMessage(Window* control, unsigned message, WPARAM wParam, LPARAM lParam);
    backend::Result ComboMessage(Window* combo, unsigned message, WPARAM wParam, LPARAM lParam);

    ResourceFile m_resources;
    std::string m_moduleName;
    Front& m_front;
    std::vector<std::unique_ptr<Window>> m_windows;  // the dialogs running, the newest last
    std::vector<std::unique_ptr<backend::IconObject>> m_icons;
    std::vector<std::unique_ptr<backend::GdiObject>> m_gdiObjects;
    backend::GdiObject m_stockPen{true, false, PS_SOLID, 1, 0};
};

// The first visible, enabled control with the tab-stop style after `from` (or from the start),
// in template order, wrapping; backwards when `backwards`.
Window* NextTabStop(Window* dialog, Window* from, bool backwards);

}  // namespace memory
