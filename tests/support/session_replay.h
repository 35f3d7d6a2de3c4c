// Sessions from the model (model/gas_law_model.py): one user action a step, with what the window
// must show afterwards, replayed on the in-memory back-end and on Quarvel.exe under Wine alike.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <istream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "res/resource.h"

namespace session {

// The fields the model names; their controls' IDs follow one another from the pressure's.
inline const std::string kFields[] = {"pressure", "volume", "moles", "temperature", "result"};

inline int FieldId(const std::string& name) {
    return IDC_PRESSURE + static_cast<int>(std::find(kFields, kFields + 5, name) - kFields);
}

// What a window shows, in the model's words: the fields, the quantity chosen, the units, the
// panel, and which of the four input fields are disabled.
inline std::string ScreenWords(const std::function<std::string(int)>& text,
                               const std::function<bool(int)>& enabled,
                               const std::string& quantity) {
    std::string shown, disabled;
    for (const std::string& name : kFields) {
        shown += text(FieldId(name)) + "|";
        if (!enabled(FieldId(name))) disabled += name;
    }
    shown += quantity;
    for (int id : {IDC_PRESSURE_UNIT, IDC_VOLUME_UNIT, IDC_TEMPERATURE_UNIT, IDC_EQUATION_LEFT,
                   IDC_NUMERATOR, IDC_DENOMINATOR, IDC_RESULT_LABEL, IDC_RESULT_UNIT})
        shown += "|" + text(id);
    return shown + "|" + disabled;
}

struct Step {
    std::string action, argument, screen, box, bits;
};

inline std::vector<Step> Read(std::istream& in) {
    std::vector<Step> steps;
    for (std::string line; std::getline(in, line);) {
        std::stringstream fields(line);
        Step step;
        for (std::string* field :
             {&step.action, &step.argument, &step.screen, &step.box, &step.bits})
            std::getline(fields, *field, '\t');
        steps.push_back(step);
    }
    return steps;
}

// Replays the window that opens at `steps[start]` until it closes or the next one opens, and
// answers where the next window starts. The Window is a user in front of it: Type, Solve,
// Calculate, ChangeUnits, Help, About, Tab, Paint and Close act and answer what they bring up as
// the step says; Box names the box the last action showed, in the model's words ("prompt:FIELD"
// only with the focus in the field and its whole text selected); Screen and Closed read the window,
// and may wait for what is expected; ResultBits reads the result's bits, if the window can.
template <typename Window>
size_t ReplayWindow(Window& window, const std::vector<Step>& steps, size_t start,
                    const std::string& origin) {
    EXPECT_EQ(steps[start].action, "start") << origin << ", step " << start;
    EXPECT_EQ(window.Screen(steps[start].screen), steps[start].screen) << origin << ", start";
    size_t at = start + 1;
    for (; at < steps.size() && steps[at].action != "start"; ++at) {
        const Step& step = steps[at];
        SCOPED_TRACE(origin + ", step " + std::to_string(at) + ": " + step.action + " " +
                     step.argument);
        const bool byMenu = at % 2 == 1;
        std::vector<std::string> picks(1);
        for (char c : step.argument) c == ',' ? picks.push_back("") : picks.back().push_back(c);
        const auto equals = step.argument.find('=');
        if (step.action == "type")
            window.Type(step.argument.substr(0, equals), step.argument.substr(equals + 1));
        if (step.action == "solve") window.Solve(step.argument);
        if (step.action == "calculate" || step.action == "enter")
            window.Calculate(step.action == "enter");
        if (step.action == "units") window.ChangeUnits(picks, step.box.empty(), byMenu);
        if (step.action == "help") window.Help(step.argument == "ok", byMenu);
        if (step.action == "about") window.About(byMenu);
        if (step.action == "tab") window.Tab();
        if (step.action == "paint") window.Paint();
        if (step.action == "close") window.Close(step.argument);
        EXPECT_EQ(window.Box(step), step.box);
        const bool closes = step.action == "close" && step.box.empty();
        const bool closed = window.Closed(closes);
        EXPECT_EQ(closed, closes) << "whether the window closed";
        if (closes || closed) return ::testing::Test::HasFailure() ? steps.size() : at + 1;
        EXPECT_EQ(window.Screen(step.screen), step.screen);
        const std::optional<std::string> bits = window.ResultBits();  // none: not compared
        if (bits && !step.bits.empty()) {
            EXPECT_EQ(*bits, step.bits) << "the result's bits";
        }
        if (::testing::Test::HasFailure()) return steps.size();
    }
    return at;
}

}  // namespace session
