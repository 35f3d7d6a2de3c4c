// Properties of the compiled resource script: the layouts hold together, every ID the code
// uses is there, the versions are the project's, and the manifest asks for what the program
// relies on.
#include <cstring>
#include <sstream>

#include "support/calculator_fixture.h"

namespace {

class ResourcesTest : public DesktopTest {
protected:
    memory::DialogTemplate Dialog(int id) {
        const memory::Resource* resource = session.Resources().Find(memory::RT_DIALOG, id);
        return resource != nullptr ? memory::ParseDialogTemplate(resource->data)
                                   : memory::DialogTemplate{};
    }
    std::string Bytes(std::uint16_t type, std::uint16_t name) {
        const memory::Resource* resource = session.Resources().Find(type, name);
        return resource != nullptr ? std::string(resource->data.begin(), resource->data.end()) : "";
    }
};

bool IsGroupBox(const memory::DialogControl& control) {
    return control.windowClass.Is(0x80) && (control.style & BS_TYPEMASK) == BS_GROUPBOX;
}

TEST_F(ResourcesTest, ControlsLieInsideTheirDialogAndOverlapOnlyGroupBoxes) {
    for (int id : {IDD_QUARVEL_DIALOG, IDD_UNITS, IDD_ABOUTBOX}) {
        const memory::DialogTemplate dialog = Dialog(id);
        ASSERT_FALSE(dialog.controls.empty()) << id;
        const auto bottom = [](const memory::DialogControl& c) {  // a closed drop-down list's
            return c.y + (c.windowClass.Is(0x85) ? 14 : c.cy);
        };
        for (size_t i = 0; i < dialog.controls.size(); ++i) {
            const auto& a = dialog.controls[i];
            EXPECT_TRUE(a.x >= 0 && a.y >= 0 && a.x + a.cx <= dialog.cx && bottom(a) <= dialog.cy)
                << dialog.caption << ", control #" << i;
            for (size_t j = i + 1; j < dialog.controls.size(); ++j) {
                const auto& b = dialog.controls[j];
                const bool overlap =
                    a.x < b.x + b.cx && b.x < a.x + a.cx && a.y < bottom(b) && b.y < bottom(a);
                EXPECT_FALSE(overlap && !IsGroupBox(a) && !IsGroupBox(b))
                    << dialog.caption << ": controls #" << i << " and #" << j;
            }
        }
    }
}

TEST_F(ResourcesTest, HoldsEveryIdTheCodeUses) {
    const std::pair<int, std::vector<int>> dialogs[] = {
        {IDD_QUARVEL_DIALOG,
         {IDC_CALCULATE, IDC_CLOSE, IDC_SOLVE_FOR, IDC_PRESSURE, IDC_VOLUME, IDC_MOLES,
          IDC_TEMPERATURE, IDC_RESULT, IDC_ONLINE_HELP, IDC_CHANGE_UNITS, IDC_EQUATION_LEFT,
          IDC_NUMERATOR, IDC_DENOMINATOR, IDC_RESULT_LABEL, IDC_PRESSURE_UNIT, IDC_VOLUME_UNIT,
          IDC_TEMPERATURE_UNIT, IDC_RESULT_UNIT}},
        {IDD_UNITS,
         {IDC_PRESSURE_UNITS, IDC_VOLUME_UNITS, IDC_TEMPERATURE_UNITS, IDC_UNITS_ACCEPT, IDCANCEL}},
        {IDD_ABOUTBOX, {IDOK}},
    };
    for (const auto& [dialog, ids] : dialogs) {
        std::vector<int> present;
        for (const auto& control : Dialog(dialog).controls) present.push_back(control.id);
        for (int id : ids) EXPECT_THAT(present, ::testing::Contains(id)) << dialog;
    }
    std::string menuIds;
    const auto bar =
        memory::ParseMenuTemplate(session.Resources().Find(memory::RT_MENU, IDR_MAIN_MENU)->data);
    for (const auto& popup : bar)
        for (const auto& item : popup.items) menuIds += std::to_string(item.id) + " ";
    EXPECT_EQ(menuIds, "32771 32772 32773 32774 ");
    std::string about;
    EXPECT_TRUE(session.Resources().LoadString(IDS_ABOUTBOX, about));
    EXPECT_NE(session.Resources().Find(memory::RT_GROUP_ICON, IDR_MAINFRAME), nullptr);
}

// The text after `key` in a version block, whose texts are UTF-16.
std::string VersionText(const std::string& block, const std::string& key) {
    std::string wide;
    for (char c : key + '\0') wide += std::string{c, '\0'};
    size_t at = block.find(wide);
    if (at == std::string::npos) return "(" + key + " missing)";
    at += wide.size();
    while (at < block.size() && block[at] == '\0') ++at;
    std::string text;
    for (; at + 1 < block.size() && block[at] != '\0'; at += 2) text += block[at];
    return text;
}

TEST_F(ResourcesTest, VersionsAreTheProjectsAndTheManifestAsksForWhatTheProgramNeeds) {
    unsigned major, minor, patch, tweak;
    std::sscanf(QUARVEL_VERSION, "%u.%u.%u.%u", &major, &minor, &patch, &tweak);
    const std::string block = Bytes(memory::RT_VERSION, 1);
    const size_t fixed = block.find("\xBD\x04\xEF\xFE");
    ASSERT_NE(fixed, std::string::npos);
    std::uint32_t numbers[4];  // file version, then product version: high and low words each
    std::memcpy(numbers, block.data() + fixed + 8, sizeof numbers);
    for (int i : {0, 2}) {
        EXPECT_EQ(numbers[i], major << 16 | minor);
        EXPECT_EQ(numbers[i + 1], patch << 16 | tweak);
    }
    std::ostringstream text;
    text << major << ", " << minor << ", " << patch << ", " << tweak;
    EXPECT_EQ(VersionText(block, "FileVersion"), text.str());
    EXPECT_EQ(VersionText(block, "ProductVersion"), text.str());
    std::vector<std::string> aboutTexts;
    for (const auto& control : Dialog(IDD_ABOUTBOX).controls)
        aboutTexts.push_back(control.text.text);
    EXPECT_THAT(aboutTexts, ::testing::Contains("Quarvel Version " + std::to_string(major) + "." +
                                                std::to_string(minor)));

    const std::string manifest = Bytes(memory::RT_MANIFEST, 1);
    EXPECT_THAT(manifest, ::testing::HasSubstr("version=\"" QUARVEL_VERSION "\""));
    EXPECT_THAT(manifest, ::testing::HasSubstr("Microsoft.Windows.Common-Controls\" version=\"6."));
    EXPECT_THAT(manifest, ::testing::HasSubstr("level=\"asInvoker\""));
    EXPECT_THAT(manifest, ::testing::Not(::testing::HasSubstr("dpiAware>")));
    for (const memory::Resource& resource : session.Resources().All())
        EXPECT_EQ(resource.language, 0x0409) << "resource type " << resource.type.number;
}

}  // namespace
