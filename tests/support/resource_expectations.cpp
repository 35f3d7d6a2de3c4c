#include "support/resource_expectations.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/afx_types.h"
#include "platform/memory/byte_reader.h"
#include "res/resource.h"
#include "support/version_block.h"

namespace {

constexpr DWORD kChild = 0x40000000 | WS_VISIBLE;  // WS_CHILD | WS_VISIBLE
constexpr std::uint16_t kButton = 0x80, kEdit = 0x81, kStatic = 0x82, kCombo = 0x85;

// Styles as the layout table names them.
constexpr DWORD kDefaultButton = kChild | BS_DEFPUSHBUTTON | WS_TABSTOP;
constexpr DWORD kPushButton = kChild | BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kDropDownList = kChild | CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP;
constexpr DWORD kEditField = kChild | WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kRightText = kChild | SS_RIGHT | WS_GROUP;
constexpr DWORD kLeftText = kChild | SS_LEFT | WS_GROUP;
constexpr DWORD kCentredText = kChild | SS_CENTER | WS_GROUP;
constexpr DWORD kGroupBox = kChild | BS_GROUPBOX;

struct ExpectedControl {
    int id;
    std::uint16_t windowClass;
    const char* text;  // nullptr: no text
    int x, y, cx, cy;
    DWORD style;
};

const memory::Resource& Find(const memory::ResourceFile& resources, std::uint16_t type,
                             std::uint16_t name) {
    const memory::Resource* resource = resources.Find(type, name);
    if (resource == nullptr)
        throw std::runtime_error("resource " + std::to_string(name) + " is missing");
    return *resource;
}

void ExpectControls(const memory::DialogTemplate& dialog,
                    const std::vector<ExpectedControl>& expected) {
    ASSERT_EQ(dialog.controls.size(), expected.size()) << dialog.caption;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const memory::DialogControl& actual = dialog.controls[i];
        const ExpectedControl& want = expected[i];
        const std::string where = dialog.caption + ", control #" + std::to_string(i);
        EXPECT_EQ(actual.id, want.id) << where;
        EXPECT_TRUE(actual.windowClass.Is(want.windowClass)) << where;
        if (want.text != nullptr) {
            EXPECT_FALSE(actual.text.isNumber) << where;
            EXPECT_EQ(actual.text.text, want.text) << where;
        } else {
            EXPECT_TRUE(actual.text.IsNone()) << where;
        }
        EXPECT_EQ(actual.x, want.x) << where;
        EXPECT_EQ(actual.y, want.y) << where;
        EXPECT_EQ(actual.cx, want.cx) << where;
        EXPECT_EQ(actual.cy, want.cy) << where;
        EXPECT_EQ(actual.style, want.style) << where << ": style";
        EXPECT_EQ(actual.exStyle, 0u) << where;
    }
}

void ExpectFrame(const memory::DialogTemplate& dialog, bool extended, DWORD style, DWORD exStyle,
                 int cx, int cy, const char* caption) {
    EXPECT_EQ(dialog.extended, extended) << caption;
    EXPECT_EQ(dialog.style, style) << caption;
    EXPECT_EQ(dialog.exStyle, exStyle) << caption;
    EXPECT_EQ(dialog.x, 0);
    EXPECT_EQ(dialog.y, 0);
    EXPECT_EQ(dialog.cx, cx) << caption;
    EXPECT_EQ(dialog.cy, cy) << caption;
    EXPECT_EQ(dialog.caption, caption);
    EXPECT_EQ(dialog.pointSize, 8) << caption;
    EXPECT_EQ(dialog.typeface, "MS Sans Serif") << caption;
}

}  // namespace

void ExpectCalculatorDialog(const memory::ResourceFile& resources) {
    const auto dialog = memory::ParseDialogTemplate(Find(resources, memory::RT_DIALOG, 102).data);
    ExpectFrame(dialog, true, 0x90C800C0, 0x00040000, 462, 186, "Quarvel");
    EXPECT_TRUE(dialog.menu.Is(IDR_MAIN_MENU));
    ExpectControls(
        dialog, {
                    {1001, kButton, "Calculate", 200, 70, 50, 15, kDefaultButton},
                    {1002, kButton, "Close", 200, 155, 50, 15, kPushButton},
                    {1003, kCombo, nullptr, 30, 31, 140, 60, kDropDownList},
                    {1004, kEdit, nullptr, 70, 85, 90, 15, kEditField},
                    {1005, kEdit, nullptr, 70, 105, 90, 15, kEditField},
                    {1006, kEdit, nullptr, 70, 125, 90, 15, kEditField},
                    {1007, kEdit, nullptr, 70, 145, 90, 15, kEditField},
                    {-1, kStatic, "Pressure = ", 20, 85, 50, 15, kRightText},
                    {-1, kStatic, "Volume = ", 20, 105, 50, 15, kRightText},
                    {-1, kStatic, "Moles = ", 20, 125, 50, 15, kRightText},
                    {-1, kStatic, "Temperature = ", 20, 145, 50, 15, kRightText},
                    {-1, kButton, "Equation And Solution Parameter", 260, 10, 190, 165, kGroupBox},
                    {-1, kButton, "Select Parameter To Solve", 10, 10, 180, 45, kGroupBox},
                    {1008, kEdit, nullptr, 320, 120, 90, 15, kEditField},
                    {1016, kStatic, "Temperature = ", 270, 120, 50, 15, kRightText},
                    {1017, kStatic, " atm", 160, 85, 25, 15, kLeftText},
                    {1018, kStatic, " liters", 160, 105, 25, 15, kLeftText},
                    {-1, kStatic, " mol", 160, 125, 25, 15, kLeftText},
                    {1019, kStatic, " kelvin", 160, 145, 25, 15, kLeftText},
                    {-1, kButton, "Input Parameters", 10, 65, 180, 110, kGroupBox},
                    {1009, kButton, "Online Help", 200, 25, 50, 15, kPushButton},
                    {1020, kStatic, " kelvin", 410, 120, 30, 15, kLeftText},
                    {1011, kStatic, "Pressure = ", 280, 50, 50, 15, kRightText},
                    {1012, kStatic, "Moles x R x Temperature", 330, 40, 90, 10, kCentredText},
                    {1013, kStatic, "Volume", 330, 60, 90, 10, kCentredText},
                    {1010, kButton, "Change Units", 200, 90, 50, 15, kPushButton},
                });
}

void ExpectUnitsDialog(const memory::ResourceFile& resources) {
    const auto dialog = memory::ParseDialogTemplate(Find(resources, memory::RT_DIALOG, 129).data);
    ExpectFrame(dialog, false, 0x80C800C0, 0, 247, 95, "Select Units");
    EXPECT_TRUE(dialog.menu.IsNone());
    ExpectControls(dialog, {
                               {1022, kButton, "Change Units", 155, 25, 70, 14, kDefaultButton},
                               {2, kButton, "Cancel", 155, 50, 70, 14, kPushButton},
                               {-1, kStatic, "Pressure in ", 15, 15, 50, 15, kRightText},
                               {-1, kStatic, "Volume in ", 15, 40, 50, 15, kRightText},
                               {-1, kStatic, "Temperature in ", 15, 65, 50, 15, kRightText},
                               {1021, kCombo, nullptr, 70, 15, 70, 110, kDropDownList},
                               {1004, kCombo, nullptr, 70, 40, 70, 100, kDropDownList},
                               {1005, kCombo, nullptr, 70, 65, 70, 60, kDropDownList},
                           });
}

void ExpectAboutBox(const memory::ResourceFile& resources) {
    const auto dialog = memory::ParseDialogTemplate(Find(resources, memory::RT_DIALOG, 100).data);
    ExpectFrame(dialog, false, 0x80C800C0, 0, 235, 55, "About Quarvel");
    ASSERT_EQ(dialog.controls.size(), 4u);
    const auto& icon = dialog.controls[0];
    EXPECT_TRUE(icon.text.Is(IDR_MAINFRAME)) << "the icon static shows icon 128";
    auto withoutIcon = dialog;
    withoutIcon.controls.erase(withoutIcon.controls.begin());
    ExpectControls(
        withoutIcon,
        {
            {-1, kStatic, "Quarvel Version 1.0", 40, 10, 119, 8, kLeftText | SS_NOPREFIX},
            {-1, kStatic, "Copyright (C) 2026 Quarvel", 40, 25, 119, 8, kLeftText},
            {1, kButton, "OK", 178, 7, 50, 14, kDefaultButton | WS_GROUP},
        });
    EXPECT_EQ(icon.id, -1);
    EXPECT_TRUE(icon.windowClass.Is(kStatic));
    EXPECT_EQ(icon.style, kChild | SS_ICON);
    EXPECT_EQ(std::vector<int>({icon.x, icon.y, icon.cx, icon.cy}),
              std::vector<int>({11, 17, 20, 20}));
}

void ExpectMenuAndString(const memory::ResourceFile& resources) {
    const auto menu = memory::ParseMenuTemplate(Find(resources, memory::RT_MENU, 131).data);
    ASSERT_EQ(menu.size(), 3u);
    const struct {
        const char* popup;
        std::vector<std::pair<const char*, int>> items;
    } expected[] = {
        {"&File", {{"E&xit", 32771}}},
        {"&Change Units", {{"&Change Units", 32772}}},
        {"&Online Help", {{"&Online Help", 32773}, {"&About", 32774}}},
    };
    for (std::size_t i = 0; i < menu.size(); ++i) {
        EXPECT_EQ(menu[i].text, expected[i].popup);
        EXPECT_NE(menu[i].flags & MF_POPUP, 0u) << menu[i].text << " opens a drop-down menu";
        ASSERT_EQ(menu[i].items.size(), expected[i].items.size());
        for (std::size_t j = 0; j < menu[i].items.size(); ++j) {
            EXPECT_EQ(menu[i].items[j].text, expected[i].items[j].first);
            EXPECT_EQ(menu[i].items[j].id, expected[i].items[j].second);
            EXPECT_EQ(menu[i].items[j].flags & ~MF_END, 0u) << menu[i].items[j].text;
        }
    }
    std::string about;
    EXPECT_TRUE(resources.LoadString(101, about));
    EXPECT_EQ(about, "&About Quarvel...");
}

void ExpectIconGroup(const memory::ResourceFile& resources) {
    const auto& group = Find(resources, memory::RT_GROUP_ICON, 128).data;
    memory::ByteReader reader(group.data(), group.size());
    EXPECT_EQ(reader.U16(), 0);
    EXPECT_EQ(reader.U16(), 1);
    ASSERT_EQ(reader.U16(), 2) << "two images";
    for (int size : {32, 16}) {
        EXPECT_EQ(reader.U8(), size);
        EXPECT_EQ(reader.U8(), size);
        EXPECT_EQ(reader.U8(), 16) << "16 colours";
        reader.U8();
        EXPECT_EQ(reader.U16(), 1);
        EXPECT_EQ(reader.U16(), 4) << "4 bits a pixel";
        const std::uint32_t bytes = reader.U32();
        const std::uint16_t imageId = reader.U16();
        const memory::Resource* image = resources.Find(memory::RT_ICON, imageId);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->data.size(), bytes);
    }
}

void ExpectVersionBlock(const memory::ResourceFile& resources) {
    const VersionNode root = ParseVersionBlock(Find(resources, memory::RT_VERSION, 1).data);
    EXPECT_EQ(root.key, "VS_VERSION_INFO");
    ASSERT_EQ(root.value.size(), 52u);
    EXPECT_EQ(root.Dword(0), 0xFEEF04BDu);
    EXPECT_EQ(root.Dword(2), 0x00010000u) << "file version 1.0";
    EXPECT_EQ(root.Dword(3), 0x00000001u) << "file version .0.1";
    EXPECT_EQ(root.Dword(4), 0x00010000u) << "product version 1.0";
    EXPECT_EQ(root.Dword(5), 0x00000001u) << "product version .0.1";
    EXPECT_EQ(root.Dword(7), 0u) << "no flags";
    EXPECT_EQ(root.Dword(8), 4u) << "32-bit Windows";
    EXPECT_EQ(root.Dword(9), 1u) << "an application";

    const VersionNode* strings = root.Child("StringFileInfo");
    ASSERT_NE(strings, nullptr);
    ASSERT_EQ(strings->children.size(), 1u);
    const VersionNode& table = strings->children.front();
    EXPECT_EQ(table.key, "040904B0");
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"CompanyName", ""},
        {"FileDescription", "Quarvel MFC Application"},
        {"FileVersion", "1, 0, 0, 1"},
        {"InternalName", "Quarvel"},
        {"LegalCopyright", "Copyright (C) 2026 Quarvel"},
        {"LegalTrademarks", ""},
        {"OriginalFilename", "Quarvel.EXE"},
        {"ProductName", "Quarvel Application"},
        {"ProductVersion", "1, 0, 0, 1"},
    };
    ASSERT_EQ(table.children.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(table.children[i].key, expected[i].first);
        EXPECT_EQ(table.children[i].Text(), expected[i].second) << expected[i].first;
    }
    const VersionNode* variables = root.Child("VarFileInfo");
    ASSERT_NE(variables, nullptr);
    const VersionNode* translation = variables->Child("Translation");
    ASSERT_NE(translation, nullptr);
    EXPECT_EQ(translation->Dword(0), 0x04B00409u) << "US English, Unicode";
}

void ExpectManifest(const memory::ResourceFile& resources) {
    const auto& data = Find(resources, memory::RT_MANIFEST, 1).data;
    const std::string manifest(data.begin(), data.end());
    using ::testing::HasSubstr;
    EXPECT_THAT(manifest,
                HasSubstr("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""));
    EXPECT_THAT(manifest, HasSubstr("level=\"asInvoker\""));
    EXPECT_THAT(manifest, HasSubstr("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}")) << "Windows 10";
    EXPECT_THAT(manifest, ::testing::Not(HasSubstr("<dpiAware")));
}

void ExpectEveryResourceInUsEnglish(const memory::ResourceFile& resources) {
    for (const memory::Resource& resource : resources.All()) {
        EXPECT_EQ(resource.language, 0x0409) << "resource " << resource.name.number;
    }
}
