// CString's own text handling: each string owns its bytes, copies and joins make new ones, and
// comparisons look at the length and every byte.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

#include "platform/afx_string.h"

namespace {

TEST(CString, CopiesOwnTheirTextAndMovesLeaveAnEmptyString) {
    CString source = "atm";
    CString copy = source;
    source += " abs";
    EXPECT_EQ(copy, "atm");
    EXPECT_EQ(source, "atm abs");
    EXPECT_NE(copy.GetString(), source.GetString());

    CString moved = std::move(source);
    EXPECT_EQ(moved, "atm abs");
    EXPECT_TRUE(source.IsEmpty());  // NOLINT: a moved-from string is empty
    EXPECT_STREQ(source.GetString(), "");

    const CString& same = copy;
    copy = same;  // assigning a string to itself keeps it
    EXPECT_EQ(copy, "atm");
    copy = std::move(moved);
    EXPECT_EQ(copy, "atm abs");
}

TEST(CString, EmptyStringsAreEmptyTextsNeverNull) {
    const CString none;
    const CString fromNull = static_cast<const char*>(nullptr);
    for (const CString* text : {&none, &fromNull}) {
        EXPECT_TRUE(text->IsEmpty());
        EXPECT_EQ(text->GetLength(), 0);
        ASSERT_NE(text->GetString(), nullptr);
        EXPECT_STREQ(*text, "");
    }
    EXPECT_EQ(none, fromNull);
    EXPECT_EQ(none, "");
    EXPECT_EQ(none + none, "");
}

TEST(CString, JoinsAndComparesByLengthAndBytes) {
    const CString unit = "L";
    EXPECT_EQ(" " + unit, " L");
    EXPECT_EQ(unit + "s", "Ls");
    EXPECT_EQ(unit + unit, CString("LL"));
    EXPECT_EQ((" " + unit).GetLength(), 2);
    EXPECT_TRUE(unit == "L");
    EXPECT_TRUE("L" == unit);
    EXPECT_FALSE(unit == "L ");
    EXPECT_FALSE(unit != CString("L"));
    EXPECT_TRUE(unit != "l");
    // A text may hold a zero byte; it still counts.
    const CString withZero("a\0b", 3);
    EXPECT_EQ(withZero.GetLength(), 3);
    EXPECT_FALSE(withZero == "a");
    EXPECT_TRUE(withZero == CString("a\0b", 3));
    EXPECT_FALSE(withZero == CString("a\0c", 3));
}

TEST(CString, TrimLeftRemovesBlanksTabsAndLineBreaksOnly) {
    CString text = " \t\r\n\v\f atm ";
    text.TrimLeft();
    EXPECT_EQ(text, "atm ");
    CString blanks = "   ";
    blanks.TrimLeft();
    EXPECT_TRUE(blanks.IsEmpty());
    CString zeroFirst("\0 x", 3);
    zeroFirst.TrimLeft();
    EXPECT_EQ(zeroFirst.GetLength(), 3);
    CString padded = std::string(1000, ' ').append("x").c_str();
    padded.TrimLeft();
    EXPECT_EQ(padded, "x");
}

TEST(CString, ABufferIsWrittenInPlaceAndEndsAtItsFirstZero) {
    CString text = "kept";
    char* buffer = text.GetBufferSetLength(10);
    EXPECT_EQ(std::memcmp(buffer, "kept\0\0\0\0\0\0", 11), 0);
    std::strcpy(buffer + 4, " too");
    text.ReleaseBuffer();
    EXPECT_EQ(text, "kept too");
    EXPECT_EQ(text.GetLength(), 8);

    std::strcpy(text.GetBufferSetLength(2), "ab");
    text.ReleaseBuffer();
    EXPECT_EQ(text, "ab");

    text.GetBufferSetLength(0);
    text.ReleaseBuffer();
    EXPECT_TRUE(text.IsEmpty());

    const std::string longText(100000, 'x');
    std::memcpy(text.GetBufferSetLength(100000), longText.data(), longText.size());
    text.ReleaseBuffer();
    EXPECT_EQ(text.GetLength(), 100000);
    EXPECT_EQ(text, longText.c_str());
}

}  // namespace
