// Tests run the program on a fresh in-memory desktop that holds the program's own compiled
// resources. At the end of each test nothing may be left unanswered, and nothing a user could
// not have done may have been tried.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "core/gas_law_dlg.h"
#include "platform/memory/session.h"
#include "support/bits.h"

extern const unsigned char kProgramResources[];
extern const std::size_t kProgramResourcesSize;

class DesktopTest : public ::testing::Test {
protected:
    memory::Session session{kProgramResources, kProgramResourcesSize, "Quarvel"};

    void TearDown() override {
        EXPECT_THAT(session.Problems(), ::testing::IsEmpty());
        EXPECT_EQ(session.UnusedExpectations(), 0u) << "an expected dialog or box never came";
    }

    // Runs a calculator window that `user` works in; Esc closes it afterwards if still open.
    void WithCalculator(const std::function<void(memory::DialogUser&, CGasLawDlg&)>& user) {
        CGasLawDlg dlg;
        session.ExpectDialog(IDD_QUARVEL_DIALOG, [&](memory::DialogUser& window) {
            user(window, dlg);
            if (!window.Ended()) window.Key(VK_ESCAPE);
        });
        dlg.DoModal();
    }
};

