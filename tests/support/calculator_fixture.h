// Tests run the program on a fresh in-memory desktop that holds the program's own compiled
// resources. At the end of each test nothing may be left unanswered, and nothing a user could
// not have done may have been tried.
#pragma once

#include <functional>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/gas_law_dlg.h"
#include "platform/memory/session.h"
#include "res/resource.h"

extern const unsigned char kProgramResources[];
extern const std::size_t kProgramResourcesSize;

class DesktopTest : public ::testing::Test {
protected:
    memory::Session session{kProgramResources, kProgramResourcesSize, "Quarvel"};

    void TearDown() override {
        EXPECT_THAT(session.Problems(), ::testing::IsEmpty());
        EXPECT_EQ(session.UnusedExpectations(), 0u)
            << "a dialog or box that was expected never came";
    }

    using CalculatorUser = std::function<void(memory::DialogUser&, CGasLawDlg&)>;
    // Runs a calculator window that `user` works in; Esc closes it afterwards if still open.
    void WithCalculator(const CalculatorUser& user);

    // The boxes shown since the test began, as "caption: text".
    std::vector<std::string> BoxTexts() const;
};

// The exact bits of a double, for comparisons that must not forgive the last place.
std::uint64_t Bits(double value);
