// Static checks of a built Quarvel.exe: a GUI executable for its machine that needs only DLLs
// every Windows has, and carries the same resources the headless tests run on.
#include <algorithm>
#include <cctype>
#include <iostream>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "pe/pe_file.h"
#include "support/resource_expectations.h"

extern const unsigned char kProgramResources[];
extern const std::size_t kProgramResourcesSize;

namespace {

std::string g_path;
std::string g_machine;  // "i386" or "x86-64"

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

class ExecutableTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_pe = new PeFile(ReadPeFile(g_path)); }
    static void TearDownTestSuite() { delete s_pe; }
    const PeFile& Pe() const { return *s_pe; }
    static PeFile* s_pe;
};
PeFile* ExecutableTest::s_pe = nullptr;

TEST_F(ExecutableTest, IsAGuiProgramForItsMachine) {
    const bool wide = g_machine == "x86-64";
    EXPECT_EQ(Pe().machine, wide ? 0x8664 : 0x014C);
    EXPECT_EQ(Pe().pe32Plus, wide);
    EXPECT_EQ(Pe().subsystem, 2) << "Windows GUI";
}

TEST_F(ExecutableTest, ImportsOnlySystemDlls) {
    std::vector<std::string> dlls;
    for (const std::string& dll : Pe().importedDlls) dlls.push_back(Lower(dll));
    EXPECT_THAT(dlls, ::testing::UnorderedElementsAre("kernel32.dll", "user32.dll", "gdi32.dll",
                                                      "msvcrt.dll"));
}

TEST_F(ExecutableTest, CarriesTheWindowsMenuStringIconVersionAndManifest) {
    const auto& resources = Pe().resources;
    ExpectCalculatorDialog(resources);
    ExpectUnitsDialog(resources);
    ExpectAboutBox(resources);
    ExpectMenuAndString(resources);
    ExpectIconGroup(resources);
    ExpectVersionBlock(resources);
    ExpectManifest(resources);
    ExpectEveryResourceInUsEnglish(resources);
}

TEST_F(ExecutableTest, CarriesExactlyTheResourcesTheHeadlessTestsRunOn) {
    const auto compiled = memory::ResourceFile::Parse(kProgramResources, kProgramResourcesSize);
    ASSERT_EQ(Pe().resources.All().size(), compiled.All().size());
    for (const memory::Resource& resource : compiled.All()) {
        const memory::Resource* inside =
            Pe().resources.Find(resource.type.number, resource.name.number);
        ASSERT_NE(inside, nullptr)
            << "type " << resource.type.number << " name " << resource.name.number;
        EXPECT_TRUE(inside->data == resource.data)
            << "type " << resource.type.number << " name " << resource.name.number;
    }
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 3) {
        std::cerr << "usage: quarvel_pe_tests Quarvel.exe i386|x86-64\n";
        return 2;
    }
    g_path = argv[1];
    g_machine = argv[2];
    return RUN_ALL_TESTS();
}
