// A test's in-memory desktop with the program's resources loaded, and the front it sits behind:
// the test queues users for the dialogs and answers for the message boxes it expects, then reads
// what was shown and run.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "desktop.h"
#include "dialog_user.h"

namespace memory {

using DialogScript = std::function<void(DialogUser&)>;

struct MessageBoxRecord {
    std::string text;
    std::string caption;
    unsigned style = 0;
    int answer = 0;
};

class Session final : public Front {
public:
    // `resources` is a compiled resource file, the module's; `moduleName` names the executable.
    Session(const unsigned char* resources, std::size_t size, std::string moduleName);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // The next showing of dialog `templateId` is run by `user`.
    void ExpectDialog(int templateId, DialogScript user);
    // The next message box is answered with `answer` (IDOK, IDCANCEL).
    void AnswerNextBox(int answer) { m_boxAnswers.push_back(answer); }
    // The scheme's text colour, as another system has it.
    void SetWindowTextColor(COLORREF color) { m_desktop->windowTextColor = color; }

    const std::vector<MessageBoxRecord>& Boxes() const { return m_boxes; }
    const std::vector<std::string>& ShellCommands() const { return m_shellCommands; }
    // Whatever a user could not have done, or was left unanswered.
    const std::vector<std::string>& Problems() const { return m_desktop->problems; }
    // The boxes so far, which are then forgotten: for tests that repeat a case.
    std::vector<MessageBoxRecord> TakeBoxes() { return std::exchange(m_boxes, {}); }
    // Dialog users and box answers queued but never called on.
    std::size_t UnusedExpectations() const { return m_scripts.size() + m_boxAnswers.size(); }
    int LiveGdiObjects() const { return m_desktop->LiveGdiObjects(); }
    const ResourceFile& Resources() const { return m_desktop->Resources(); }

private:
    void RunDialog(Window* dialog) override;
    int ShowMessageBox(Window* owner, const char* text, const char* caption,
                       unsigned style) override;
    void ShellCommand(const char* command) override { m_shellCommands.emplace_back(command); }

    std::deque<std::pair<int, DialogScript>> m_scripts;
    std::deque<int> m_boxAnswers;
    std::vector<MessageBoxRecord> m_boxes;
    std::vector<std::string> m_shellCommands;
    std::unique_ptr<Desktop> m_desktop;
};

}  // namespace memory
