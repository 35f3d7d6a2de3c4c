#include "session.h"

#include <algorithm>

namespace memory {

Session::Session(const unsigned char* resources, std::size_t size, std::string moduleName)
    : m_desktop(std::make_unique<Desktop>(ResourceFile::Parse(resources, size),
                                          std::move(moduleName), *this)) {}

Session::~Session() = default;

void Session::ExpectDialog(int templateId, DialogScript user) {
    m_scripts.emplace_back(templateId, std::move(user));
}

void Session::RunDialog(Window* dialog) {
    const int templateId = dialog->templateId;
    auto script = std::find_if(m_scripts.begin(), m_scripts.end(),
                               [&](const auto& entry) { return entry.first == templateId; });
    if (script == m_scripts.end()) {
        m_desktop->Problem("nobody was there to answer dialog " + std::to_string(templateId));
        return;
    }
    DialogScript user = std::move(script->second);
    m_scripts.erase(script);
    DialogUser driver(*m_desktop, dialog);
    user(driver);
    if (!dialog->ended) {
        m_desktop->Problem("dialog " + std::to_string(templateId) + " was left open by its user");
    }
}

int Session::ShowMessageBox(Window*, const char* text, const char* caption, unsigned style) {
    MessageBoxRecord box;
    box.text = text != nullptr ? text : "";
    box.caption = caption != nullptr ? caption : "Error";
    box.style = style;
    if (!m_boxAnswers.empty()) {
        box.answer = m_boxAnswers.front();
        m_boxAnswers.pop_front();
    } else if ((style & MB_TYPEMASK) == MB_OK) {
        box.answer = IDOK;
    } else {
        m_desktop->Problem("nobody answered the box \"" + box.text + "\"");
        box.answer = IDCANCEL;
    }
    m_boxes.push_back(box);
    return box.answer;
}

}  // namespace memory
