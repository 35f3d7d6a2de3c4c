// CString's own text handling: each string owns its bytes, copies and joins make new ones, and
// comparisons look at the length and every byte.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

#include "platform/afx_string.h"

namespace {

TEST(CString, CopiesOwnTheirTextAndJoinAndCompareByLengthAndBytes) {
    CString source = "atm", none = static_cast<const char*>(nullptr);
    CString copy = source;
    source += " abs";
    EXPECT_EQ(copy + "|" + source, "atm|atm abs");
    const CString& same = copy;
    copy = same;  // assigning a string to itself keeps it
    CString moved = std::move(source);
    EXPECT_EQ(copy + "|" + moved + "|" + source, "atm|atm abs|");  // NOLINT: moved from: empty
    EXPECT_TRUE(none.IsEmpty() && none == "" && none.GetString() != nullptr);
    EXPECT_EQ(" " + copy, CString(" atm"));
    EXPECT_FALSE(copy == "atm " || copy != "atm" || !("atm" == copy));
    EXPECT_FALSE(CString("a\0b", 3) == "a" || CString("a\0b", 3) == CString("a\0c", 3));
}

TEST(CString, TrimsLeadingWhiteSpaceAndTakesWhatIsWrittenIntoItsBuffer) {
    CString text = " \t\r\n\v\f atm ";
    text.TrimLeft();
    EXPECT_EQ(text, "atm ");
    char* buffer = text.GetBufferSetLength(10);
    EXPECT_EQ(std::memcmp(buffer, "atm \0\0\0\0\0\0", 11), 0);
    std::strcpy(buffer + 4, "too");
    text.ReleaseBuffer();
    EXPECT_EQ(text, "atm too");
    EXPECT_EQ(text.GetLength(), 7);
    const std::string longText(100000, 'x');
    std::memcpy(text.GetBufferSetLength(100000), longText.data(), longText.size());
    text.ReleaseBuffer();
    EXPECT_EQ(text, longText.c_str());
}

}  // namespace
