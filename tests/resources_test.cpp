// Properties of the compiled resource script: the layouts hold together, the versions are the
// project's.
#include <cstring>

#include "support/calculator_fixture.h"

using ::testing::HasSubstr;

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

TEST_F(ResourcesTest, VersionsAreTheProjects) {
    unsigned v[4];  // major, minor, patch, tweak
    std::sscanf(QUARVEL_VERSION, "%u.%u.%u.%u", &v[0], &v[1], &v[2], &v[3]);
    const std::string block = Bytes(memory::RT_VERSION, 1);
    std::uint32_t fixed[4];  // file version, then product version: high and low words each
    std::memcpy(fixed, block.data() + block.find("\xBD\x04\xEF\xFE") + 8, sizeof fixed);
    EXPECT_THAT(fixed, ::testing::ElementsAre(v[0] << 16 | v[1], v[2] << 16 | v[3],
                                              v[0] << 16 | v[1], v[2] << 16 | v[3]));
    // The texts, UTF-16 after their keys.
    std::string narrow;
    for (size_t i = 0; i < block.size(); i += 2) narrow += block[i] != 0 ? block[i] : '|';
    const std::string text = std::to_string(v[0]) + ", " + std::to_string(v[1]) + ", " +
                             std::to_string(v[2]) + ", " + std::to_string(v[3]);
    EXPECT_THAT(narrow, ::testing::ContainsRegex("FileVersion\\|+" + text + "\\|"));
    EXPECT_THAT(narrow, ::testing::ContainsRegex("ProductVersion\\|+" + text + "\\|"));
    std::vector<std::string> about;
    for (const auto& control : Dialog(IDD_ABOUTBOX).controls) about.push_back(control.text.text);
    EXPECT_THAT(about, ::testing::Contains("Quarvel Version " + std::to_string(v[0]) + "." +
                                           std::to_string(v[1])));

    const std::string manifest = Bytes(memory::RT_MANIFEST, 1);
    EXPECT_THAT(manifest, HasSubstr("version=\"" QUARVEL_VERSION "\""));
    for (const memory::Resource& resource : session.Resources().All())
        EXPECT_EQ(resource.language, 0x0409) << "resource type " << resource.type.number;
}

}  // namespace
