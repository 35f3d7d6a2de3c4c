// Start-up: the application object runs the calculator as its only, modal window.
#include "platform/afx_entry.h"
#include "support/calculator_fixture.h"

using ::testing::ElementsAre;

namespace {

class ApplicationTest : public DesktopTest {};

TEST_F(ApplicationTest, RunsTheCalculatorModallyAndEndsWhenItCloses) {
    session.ExpectDialog(IDD_QUARVEL_DIALOG, [&](memory::DialogUser& window) {
        EXPECT_EQ(window.Caption(), "Quarvel");
        ASSERT_NE(AfxGetMainWnd(), nullptr);
        EXPECT_NE(AfxGetMainWnd()->m_hWnd, nullptr);
        // The units dialog runs over the main window, which waits under it.
        session.ExpectDialog(IDD_UNITS, [&](memory::DialogUser& units) {
            EXPECT_FALSE(window.WindowEnabled());
            units.Key(VK_ESCAPE);
        });
        window.Press(IDC_CHANGE_UNITS);
        EXPECT_TRUE(window.WindowEnabled());
        window.Press(IDC_CLOSE);
    });
    EXPECT_EQ(AfxWinMain(), 0);
    EXPECT_EQ(AfxGetMainWnd(), nullptr) << "the main window is gone with the dialog";

    // InitInstance answers FALSE, however the window ended, so no message loop follows.
    session.ExpectDialog(IDD_QUARVEL_DIALOG,
                         [](memory::DialogUser& window) { window.Key(VK_ESCAPE); });
    EXPECT_EQ(AfxGetApp()->InitInstance(), FALSE);
}

TEST_F(ApplicationTest, EachStartBeginsFromTheSameDefaults) {
    session.ExpectDialog(IDD_QUARVEL_DIALOG, [&](memory::DialogUser& window) {
        ChangeUnits(window, "Pa", "cm^3", "C");
        window.Pick(IDC_SOLVE_FOR, "Moles");
        window.Type(IDC_VOLUME, "5");
        window.CloseBox();
    });
    AfxWinMain();
    session.ExpectDialog(IDD_QUARVEL_DIALOG, [&](memory::DialogUser& window) {
        EXPECT_EQ(window.SelectedText(IDC_SOLVE_FOR), "Pressure");
        EXPECT_EQ(window.Text(IDC_VOLUME), "1");
        EXPECT_EQ(window.Text(IDC_PRESSURE_UNIT), " atm");
        EXPECT_EQ(window.Text(IDC_TEMPERATURE_UNIT), " K");
        window.ChooseMenu("&File", "E&xit");
    });
    AfxWinMain();
    EXPECT_THAT(session.DialogsShown(),
                ElementsAre(IDD_QUARVEL_DIALOG, IDD_UNITS, IDD_QUARVEL_DIALOG));
}

}  // namespace
