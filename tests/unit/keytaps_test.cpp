// Combinations tapped between two looks at the keyboard.
#include "platform/keytaps.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

using namespace vantor;

namespace {

constexpr int Control = 37, One = 10, A = 38, S = 39;

KeyTaps::Keys keys(std::initializer_list<int> codes) {
    KeyTaps::Keys all;
    for (int code : codes)
        all.set(std::size_t(code));
    return all;
}

} // namespace

TEST(KeyTaps, OnlyADigitPressedUnderAControlKeyCountsBetweenTwoLooks) {
    struct Row {
        const char* what;
        KeyTaps::Keys heldBefore;
        std::vector<int> events; // presses positive, releases negative
        KeyTaps::Keys heldNow;
        KeyTaps::Keys seen;
    };
    const KeyTaps::Keys combination = keys({Control, One});
    const Row rows[] = {
        {"Ctrl+1 tapped", {}, {Control, One, -One, -Control}, {}, combination},
        {"1 tapped under a Control held since the last look",
         keys({Control}),
         {One, -One, -Control},
         {},
         combination},
        {"Ctrl+A then 1", {}, {Control, A, -A, -Control, One, -One}, {}, {}},
        {"1 then Ctrl+S", {}, {One, -One, Control, S, -S, -Control}, {}, {}},
        {"Control let go before 1", {}, {Control, -Control, One, -One}, {}, {}},
        {"codes beyond the keyboard's", {}, {300, -300, Control, One}, combination, combination},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        KeyTaps taps(keys({One}), keys({Control}));
        taps.look(row.heldBefore);
        for (int event : row.events)
            event > 0 ? taps.press(event) : taps.release(-event);
        EXPECT_EQ(taps.look(row.heldNow), row.seen);
        EXPECT_EQ(taps.look({}), KeyTaps::Keys()) << "counted once";
    }
}

// The keyboard's state read at a look may lag behind the presses and releases reported.
TEST(KeyTaps, WhatWasReportedSinceTheLastLookOutweighsALaggingKeyboardState) {
    KeyTaps taps(keys({One, 11}), keys({Control}));
    taps.look({});
    taps.press(Control);
    // Control reported down, the state read not showing it yet: a digit tapped next still counts.
    EXPECT_EQ(taps.look({}), keys({Control}));
    taps.press(One);
    taps.release(One);
    // 1 reported let go, the state read still showing it down.
    EXPECT_EQ(taps.look(keys({Control, One})), keys({Control, One}));
    taps.press(11);
    taps.release(11);
    EXPECT_EQ(taps.look(keys({Control})), keys({Control, 11})) << "1 counted again";
}
