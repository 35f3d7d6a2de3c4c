#include "session.h"

namespace memory {

Session::Session(const unsigned char* resources, std::size_t size, std::string moduleName)
    : m_desktop(
          std::make_unique<Desktop>(ResourceFile::Parse(resources, size), std::move(moduleName))) {}

Session::~Session() = default;

void Session::ExpectDialog(int templateId, DialogScript user) {
    m_desktop->scripts.emplace_back(templateId, std::move(user));
}

void Session::AnswerNextBox(int answer) { m_desktop->boxAnswers.push_back(answer); }

}  // namespace memory
