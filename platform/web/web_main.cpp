// The page's entry: the program runs until it ends, as on Windows, and then again whenever the
// user asks for it. Its windows come from the compiled resource script, as the executable's do.
#include <cstddef>

#include "page_front.h"
#include "platform/afx_entry.h"

extern const unsigned char kProgramResources[];
extern const std::size_t kProgramResourcesSize;

int main() {
    web::PageFront front;
    memory::Desktop desktop(memory::ResourceFile::Parse(kProgramResources, kProgramResourcesSize),
                            "Quarvel", front);
    front.Attach(desktop);
    for (;;) {
        AfxWinMain();
        front.AwaitRestart();
    }
}
