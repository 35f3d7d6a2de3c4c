// Quarvel.exe end to end under Wine: started, driven and read from another process.
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "driver.h"
#include "res/resource.h"
#include "screen.h"

using ::testing::ElementsAre;

namespace {

std::string Artifact(const std::string& name) { return Options().artifacts + "\\" + name; }

RECT ClientRectOf(HWND parent, int id) {
    RECT area;
    GetWindowRect(GetDlgItem(parent, id), &area);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    return area;
}

class QuarvelE2e : public ::testing::Test {
protected:
    Program program;
    HWND Main() const { return program.Main(); }

    void ChangeUnits(const char* pressure, const char* volume, const char* temperature) {
        program.Click(Main(), IDC_CHANGE_UNITS);
        HWND units = program.WaitForWindow("Select Units");
        program.Pick(units, IDC_PRESSURE_UNITS, pressure);
        program.Pick(units, IDC_VOLUME_UNITS, volume);
        program.Pick(units, IDC_TEMPERATURE_UNITS, temperature);
        program.Click(units, IDC_UNITS_ACCEPT);
        ASSERT_FALSE(program.HasWindow("Select Units"));
    }

    // Presses Calculate and answers the box that comes up; no box expected when `caption` is
    // empty. Answers what the box showed.
    Box Calculate(const std::string& caption = "") {
        program.Click(Main(), IDC_CALCULATE);
        if (caption.empty()) {
            EXPECT_FALSE(program.HasWindow("Warning"));
            EXPECT_FALSE(program.HasWindow("Quarvel", Main()));
            return {};
        }
        const Box box = ReadBox(program.WaitForWindow(caption, Main()));
        Answer(program, box, IDOK);
        return box;
    }
};

TEST_F(QuarvelE2e, StartsWithItsDefaults) {
    Screenshot::Of(Main(), true).SavePng(Artifact("calculator.png"));
    EXPECT_EQ(Text(Main()), "Quarvel");
    EXPECT_THAT(Entries(Main(), IDC_SOLVE_FOR),
                ElementsAre("Moles", "Pressure", "Temperature", "Volume"));
    EXPECT_EQ(Selected(Main(), IDC_SOLVE_FOR), "Pressure");
    for (int field : {IDC_PRESSURE, IDC_VOLUME, IDC_MOLES, IDC_TEMPERATURE}) {
        EXPECT_EQ(Text(Main(), field), "1") << field;
        EXPECT_EQ(Enabled(Main(), field), field != IDC_PRESSURE) << field;
    }
    EXPECT_EQ(Text(Main(), IDC_RESULT), "0");
    EXPECT_EQ(Text(Main(), IDC_PRESSURE_UNIT), " atm");
    EXPECT_EQ(Text(Main(), IDC_VOLUME_UNIT), " L");
    EXPECT_EQ(Text(Main(), IDC_TEMPERATURE_UNIT), " K");
    EXPECT_EQ(Text(Main(), IDC_RESULT_UNIT), " atm");
    EXPECT_EQ(Text(Main(), IDC_NUMERATOR), "Moles x R x Temperature");
    EXPECT_EQ(Text(Main(), IDC_DENOMINATOR), "Volume");
    EXPECT_EQ(program.FocusedId(), IDC_CALCULATE);
}

TEST_F(QuarvelE2e, CalculatesEachQuantityInSeveralUnits) {
    Calculate();
    EXPECT_EQ(Text(Main(), IDC_RESULT), "0.082057");
    EXPECT_EQ(Text(Main(), IDC_PRESSURE), "0.082057");

    ChangeUnits("psi", "L", "K");
    EXPECT_EQ(Text(Main(), IDC_RESULT_UNIT), " psi");
    Calculate();
    EXPECT_EQ(Text(Main(), IDC_RESULT), "1.2059054686712");

    ChangeUnits("torr", "L", "K");
    program.Type(Main(), IDC_VOLUME, "22.4");
    program.Type(Main(), IDC_MOLES, "2");
    program.Type(Main(), IDC_TEMPERATURE, "300");
    Calculate();
    EXPECT_EQ(Text(Main(), IDC_RESULT), "1670.44607142857");

    ChangeUnits("atm", "ml", "K");
    program.Pick(Main(), IDC_SOLVE_FOR, "Volume");
    program.Type(Main(), IDC_PRESSURE, "1");
    program.Type(Main(), IDC_MOLES, "1");
    program.Type(Main(), IDC_TEMPERATURE, "1");
    Calculate();
    EXPECT_EQ(Text(Main(), IDC_VOLUME), "82.057");

    ChangeUnits("atm", "L", "C");
    program.Pick(Main(), IDC_SOLVE_FOR, "Moles");
    program.Type(Main(), IDC_VOLUME, "1");
    program.Type(Main(), IDC_TEMPERATURE, "0");  // 273.15 K: no warning
    Calculate();
    EXPECT_EQ(Text(Main(), IDC_MOLES), "0.0446152324465545");
    EXPECT_EQ(Text(Main(), IDC_RESULT_UNIT), " mol");

    ChangeUnits("atm", "L", "F");
    program.Pick(Main(), IDC_SOLVE_FOR, "Temperature");
    program.Type(Main(), IDC_PRESSURE, "2");
    program.Type(Main(), IDC_VOLUME, "3");
    program.Type(Main(), IDC_MOLES, "0.5");
    Calculate();
    EXPECT_EQ(Text(Main(), IDC_TEMPERATURE), "-196.438343956031");
    EXPECT_EQ(Text(Main(), IDC_RESULT_UNIT), " F");
}

TEST_F(QuarvelE2e, UnitsDialogFromTheButtonAndTheMenu) {
    program.Click(Main(), IDC_CHANGE_UNITS);
    HWND units = program.WaitForWindow("Select Units");
    Screenshot::Of(units, true).SavePng(Artifact("units.png"));
    EXPECT_THAT(Entries(units, IDC_PRESSURE_UNITS),
                ElementsAre("atm", "bar", "inH2O", "inHg", "mmHg", "Pa", "psi", "torr"));
    EXPECT_THAT(Entries(units, IDC_VOLUME_UNITS),
                ElementsAre("cm^3", "ft^3", "in^3", "L", "m^3", "ml", "pt", "qt", "yd^3"));
    EXPECT_THAT(Entries(units, IDC_TEMPERATURE_UNITS), ElementsAre("C", "F", "K"));
    EXPECT_EQ(Selected(units, IDC_PRESSURE_UNITS), "atm");
    EXPECT_EQ(Selected(units, IDC_VOLUME_UNITS), "L");
    EXPECT_EQ(Selected(units, IDC_TEMPERATURE_UNITS), "K");
    EXPECT_EQ(program.FocusedId(), IDC_UNITS_ACCEPT);
    EXPECT_FALSE(IsWindowEnabled(Main())) << "the calculator waits under the dialog";
    program.Pick(units, IDC_PRESSURE_UNITS, "bar");
    program.Click(units, IDCANCEL);
    EXPECT_EQ(Text(Main(), IDC_PRESSURE_UNIT), " atm");

    program.Command(Main(), ID_CHANGE_UNITS);
    units = program.WaitForWindow("Select Units");
    program.Pick(units, IDC_PRESSURE_UNITS, "bar");
    program.Pick(units, IDC_VOLUME_UNITS, "ml");
    program.Pick(units, IDC_TEMPERATURE_UNITS, "C");
    program.Key(VK_RETURN);  // Change Units is the default button
    EXPECT_FALSE(program.HasWindow("Select Units"));
    EXPECT_EQ(Text(Main(), IDC_PRESSURE_UNIT), " bar");
    EXPECT_EQ(Text(Main(), IDC_VOLUME_UNIT), " ml");
    EXPECT_EQ(Text(Main(), IDC_TEMPERATURE_UNIT), " C");
    EXPECT_EQ(Text(Main(), IDC_RESULT_UNIT), " bar");
    EXPECT_EQ(Text(Main(), IDC_VOLUME), "1") << "the numbers stay";

    program.Command(Main(), ID_CHANGE_UNITS);
    units = program.WaitForWindow("Select Units");
    EXPECT_EQ(Selected(units, IDC_PRESSURE_UNITS), "bar") << "preselects the current units";
    EXPECT_EQ(Selected(units, IDC_VOLUME_UNITS), "ml");
    program.Key(VK_ESCAPE);
    EXPECT_EQ(Text(Main(), IDC_VOLUME_UNIT), " ml");
}

TEST_F(QuarvelE2e, WarnsForEachDivisionByZero) {
    const struct {
        const char* solveFor;
        const char* temperatureUnit;
        int field;
        const char* text;
        const char* warning;
    } cases[] = {
        {"Pressure", "K", IDC_VOLUME, "0", "Volume=0, Pressure=infinity"},
        {"Volume", "K", IDC_PRESSURE, "0", "Pressure=0, Volume=infinity"},
        {"Moles", "K", IDC_TEMPERATURE, "0", "Temperature=0, Moles=infinity"},
        {"Moles", "C", IDC_TEMPERATURE, "-273.15", "Temperature=0, Moles=infinity"},
        {"Temperature", "K", IDC_MOLES, "0", "Moles=0, Temperature=infinity"},
    };
    for (const auto& c : cases) {
        ChangeUnits("atm", "L", c.temperatureUnit);
        program.Pick(Main(), IDC_SOLVE_FOR, c.solveFor);
        program.Type(Main(), c.field, c.text);
        const Box box = Calculate("Warning");
        EXPECT_EQ(box.text, std::string("Calculation Stopped! Division by 0, ") + c.warning);
        EXPECT_TRUE(box.icon);
        EXPECT_FALSE(box.cancel);
        EXPECT_EQ(Text(Main(), IDC_RESULT), "1e+299");
        program.Type(Main(), c.field, "1");
    }
}

TEST_F(QuarvelE2e, PromptsForTextThatIsNotANumber) {
    program.Type(Main(), IDC_VOLUME, "2");
    Calculate();
    program.Type(Main(), IDC_VOLUME, "two");
    const Box prompt = Calculate("Quarvel");
    EXPECT_EQ(prompt.text, "Please enter a number.");
    EXPECT_EQ(Text(Main(), IDC_VOLUME), "2") << "the previous value is back";
    EXPECT_EQ(Text(Main(), IDC_RESULT), "0.0410285");
    EXPECT_EQ(program.FocusedId(), IDC_VOLUME);
}

TEST_F(QuarvelE2e, EnterCalculatesAndEscClosesTheProgram) {
    program.Type(Main(), IDC_MOLES, "3");
    program.Key(VK_RETURN);
    EXPECT_EQ(Text(Main(), IDC_RESULT), "0.246171");
    program.Key(VK_ESCAPE);
    ASSERT_TRUE(program.WaitForExit(10000));
    EXPECT_EQ(program.ExitCode(), 0u);
}

TEST_F(QuarvelE2e, CloseRefusesWhileAFieldIsNotANumberAndExitCloses) {
    program.Type(Main(), IDC_TEMPERATURE, "warm");
    program.Click(Main(), IDC_CLOSE);
    Answer(program, ReadBox(program.WaitForWindow("Quarvel", Main())), IDOK);
    EXPECT_FALSE(program.WaitForExit(500)) << "Close refused";
    program.Type(Main(), IDC_TEMPERATURE, "20");
    program.Command(Main(), ID_FILE_EXIT);
    ASSERT_TRUE(program.WaitForExit(10000));
    EXPECT_EQ(program.ExitCode(), 0u);
}

TEST_F(QuarvelE2e, TheCloseBoxEndsTheProgram) {
    program.Type(Main(), IDC_TEMPERATURE, "not a number");
    program.SystemCommand(Main(), SC_CLOSE);
    ASSERT_TRUE(program.WaitForExit(10000));
}

TEST_F(QuarvelE2e, AboutBoxFromTheMenuAndTheSystemMenu) {
    const Menus menus = ReadMenus(program);
    ASSERT_GE(menus.system.size(), 2u);
    EXPECT_TRUE(menus.system[menus.system.size() - 2].separator);
    EXPECT_EQ(menus.system.back().text, "&About Quarvel...");
    EXPECT_EQ(menus.system.back().id, static_cast<UINT>(IDM_ABOUTBOX));
    std::vector<std::string> bar;
    for (const MenuItem& item : menus.bar) {
        bar.push_back(item.popup + " / " + item.text + " = " + std::to_string(item.id));
    }
    EXPECT_THAT(
        bar, ElementsAre("&File / E&xit = 32771", "&Change Units / &Change Units = 32772",
                         "&Online Help / &Online Help = 32773", "&Online Help / &About = 32774"));

    program.Command(Main(), ID_HELP_ABOUT);
    HWND about = program.WaitForWindow("About Quarvel");
    Screenshot::Of(about, true).SavePng(Artifact("about.png"));
    EXPECT_EQ(program.FocusedId(), IDOK);
    program.Click(about, IDOK);
    EXPECT_FALSE(program.HasWindow("About Quarvel"));

    program.SystemCommand(Main(), IDM_ABOUTBOX);
    program.WaitForWindow("About Quarvel");
    program.Key(VK_RETURN);
    EXPECT_FALSE(program.HasWindow("About Quarvel"));
    EXPECT_TRUE(IsWindowEnabled(Main()));
}

TEST_F(QuarvelE2e, OnlineHelpRunsTheBrowserOnlyOnOK) {
    const std::string log = Artifact("browser.log");
    DeleteFileA(log.c_str());
    program.Click(Main(), IDC_ONLINE_HELP);
    const Box question = ReadBox(program.WaitForWindow("Online Help"));
    EXPECT_EQ(question.text,
              "Click OK to go to Online help.  If you cannot access online help from this box "
              "goto:\n https://" QUARVEL_HELP_HOST);
    EXPECT_TRUE(question.icon);
    EXPECT_TRUE(question.cancel);
    Answer(program, question, IDCANCEL);
    Pause(2000);
    EXPECT_EQ(GetFileAttributesA(log.c_str()), INVALID_FILE_ATTRIBUTES) << "Cancel runs nothing";

    program.Command(Main(), ID_ONLINE_HELP);
    Answer(program, ReadBox(program.WaitForWindow("Online Help")), IDOK);
    std::string started;
    for (int tries = 0; tries < 100 && started.empty(); ++tries) {
        Pause(100);
        std::ifstream in(log);
        std::getline(in, started);
    }
    // The browser gets the host as its whole argument: "start iexplore.exe  <host>".
    ASSERT_FALSE(started.empty()) << "the stand-in browser was not started";
    const auto endOfProgram = started[0] == '"' ? started.find('"', 1) + 1 : started.find(' ');
    std::string arguments = started.substr(endOfProgram);
    arguments.erase(0, arguments.find_first_not_of(' '));
    EXPECT_EQ(arguments, QUARVEL_HELP_HOST) << started;
    EXPECT_NE(started.find("iexplore.exe"), std::string::npos) << started;
}

// Counts the dark pixels of the bar's row from x 502 to 628.
int DarkBarPixels(const Screenshot& shot) {
    int dark = 0;
    for (int x = 502; x <= 628; ++x) {
        if (shot.IsDark(x, 86) || shot.IsDark(x, 87) || shot.IsDark(x, 88)) ++dark;
    }
    return dark;
}

TEST_F(QuarvelE2e, FractionBarIsDrawnBetweenNumeratorAndDenominatorAndRedrawn) {
    const RECT numerator = ClientRectOf(Main(), IDC_NUMERATOR);
    const RECT denominator = ClientRectOf(Main(), IDC_DENOMINATOR);
    const RECT left = ClientRectOf(Main(), IDC_EQUATION_LEFT);
    const RECT bar{500, 86, 631, 89};
    EXPECT_LE(numerator.bottom, bar.top) << "the bar is below the numerator";
    EXPECT_GE(denominator.top, bar.bottom) << "and above the denominator";
    RECT overlap;
    for (const RECT& text : {numerator, denominator, left}) {
        EXPECT_FALSE(IntersectRect(&overlap, &bar, &text)) << "the bar overwrites a text";
    }
    EXPECT_EQ(DarkBarPixels(Screenshot::Of(Main())), 127);

    // Cover the window and uncover it: it paints the bar again.
    RECT area;
    GetWindowRect(Main(), &area);
    HWND cover = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE, area.left,
                                 area.top, area.right - area.left, area.bottom - area.top, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    for (int i = 0; i < 20; ++i) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        Pause(25);
    }
    EXPECT_LT(DarkBarPixels(Screenshot::Of(Main())), 10) << "the cover hides the bar";
    DestroyWindow(cover);
    Pause(500);
    program.Sync();
    const Screenshot uncovered = Screenshot::Of(Main());
    uncovered.SavePng(Artifact("calculator-uncovered.png"));
    EXPECT_EQ(DarkBarPixels(uncovered), 127);
}

}  // namespace
