// Properties of the compiled resource script: the layouts hold together.
#include "support/calculator_fixture.h"

namespace {

class ResourcesTest : public DesktopTest {
protected:
    std::string Bytes(std::uint16_t type, std::uint16_t name) {
        const memory::Resource* resource = session.Resources().Find(type, name);
        return resource != nullptr ? std::string(resource->data.begin(), resource->data.end()) : "";
    }
    memory::DialogTemplate Dialog(int id) {
        const std::string bytes = Bytes(memory::RT_DIALOG, id);
        return memory::ParseDialogTemplate({bytes.begin(), bytes.end()});
    }
};

TEST_F(ResourcesTest, ControlsLieInsideTheirDialogAndAnyGroupBoxTheyMeet) {
    for (int id : {IDD_QUARVEL_DIALOG, IDD_UNITS, IDD_ABOUTBOX}) {
        const memory::DialogTemplate dialog = Dialog(id);
        const auto bottom = [](const memory::DialogControl& c) {  // a closed drop-down list's
            return c.y + (c.windowClass.Is(0x85) ? 14 : c.cy);
        };
        const auto groupBox = [](const memory::DialogControl& c) {
            return c.windowClass.Is(0x80) && (c.style & BS_TYPEMASK) == BS_GROUPBOX;
        };
        for (const auto& a : dialog.controls) {
            EXPECT_TRUE(a.x >= 0 && a.y >= 0 && a.x + a.cx <= dialog.cx && bottom(a) <= dialog.cy)
                << dialog.caption << ", control " << a.id;
            for (const auto& b : dialog.controls) {
                const bool overlap = &a != &b && a.x < b.x + b.cx && b.x < a.x + a.cx &&
                                     a.y < bottom(b) && b.y < bottom(a);
                const bool holds = groupBox(a) && b.x >= a.x && b.x + b.cx <= a.x + a.cx &&
                                   b.y >= a.y && bottom(b) <= bottom(a);
                EXPECT_FALSE(overlap && !holds && !groupBox(b)) << dialog.caption << ", " << b.id;
            }
        }
    }
}

}  // namespace
