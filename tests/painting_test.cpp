// Painting: the fraction bar between numerator and denominator, and the minimised icon.
#include "support/calculator_fixture.h"

using ::testing::IsEmpty;
using ::testing::SizeIs;

namespace {

class PaintingTest : public DesktopTest {};

bool Overlaps(const memory::PixelRect& a, const memory::PixelRect& b) {
    return a.x < b.x + b.cx && b.x < a.x + a.cx && a.y < b.y + b.cy && b.y < a.y + a.cy;
}

TEST_F(PaintingTest, DrawsATwoPixelBlackBarAndCleansUpItsPen) {
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg&) {
        for (int uncovered = 0; uncovered < 2; ++uncovered) {
            const auto ops = window.Repaint();
            ASSERT_THAT(ops, SizeIs(1));
            const memory::DrawOp& bar = ops.front();
            EXPECT_EQ(bar.kind, memory::DrawOp::Kind::Line);
            EXPECT_EQ(bar.penStyle, PS_SOLID);
            EXPECT_EQ(bar.penWidth, 2);
            EXPECT_EQ(bar.penColor, RGB(0, 0, 0));
            EXPECT_EQ(bar.x1, 500);
            EXPECT_EQ(bar.x2, 630);
            EXPECT_EQ(bar.y1, 87);
            EXPECT_EQ(bar.y2, 87);
            EXPECT_EQ(session.LiveGdiObjects(), 0) << "the pen is deleted after each paint";
        }
    });
}

TEST_F(PaintingTest, TheBarLiesBetweenNumeratorAndDenominatorAndCrossesNoText) {
    // In the pixels of the classic dialog font, for which the bar's fixed place is made.
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg&) {
        const memory::PixelRect bar{500, 86, 131, 2};
        const auto numerator = window.ControlRect(IDC_NUMERATOR);
        const auto denominator = window.ControlRect(IDC_DENOMINATOR);
        EXPECT_LE(numerator.y + numerator.cy, bar.y);
        EXPECT_GE(denominator.y, bar.y + bar.cy);
        EXPECT_GE(bar.x, numerator.x);
        EXPECT_LE(bar.x + bar.cx, numerator.x + numerator.cx + 1);
        for (int id : {IDC_EQUATION_LEFT, IDC_NUMERATOR, IDC_DENOMINATOR, IDC_RESULT_LABEL,
                       IDC_RESULT, IDC_RESULT_UNIT}) {
            EXPECT_FALSE(Overlaps(bar, window.ControlRect(id))) << "control " << id;
        }
    });
}

TEST_F(PaintingTest, MinimisedItDrawsItsIconInTheMiddle) {
    WithCalculator([&](memory::DialogUser& window, CGasLawDlg&) {
        const auto ops = window.Minimize();
        ASSERT_THAT(ops, SizeIs(2));
        EXPECT_EQ(ops[0].kind, memory::DrawOp::Kind::IconBackground);
        EXPECT_EQ(ops[1].kind, memory::DrawOp::Kind::Icon);
        EXPECT_EQ(ops[1].iconId, IDR_MAINFRAME);
        const auto client = window.ClientRect();
        EXPECT_EQ(ops[1].x1, (client.cx - 32 + 1) / 2);
        EXPECT_EQ(ops[1].y1, (client.cy - 32 + 1) / 2);

        EXPECT_EQ(window.Restore().front().kind, memory::DrawOp::Kind::Line);
    });
}


}  // namespace
