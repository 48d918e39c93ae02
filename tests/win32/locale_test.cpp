#include "core/texts.h"
#include "platform/language.h"

#include <gtest/gtest.h>

using namespace vantor;

// Each runs as a user of that locale (CMakeLists.txt beside this file): under Wine the user's
// language and regional settings come from the locale variables the program starts with.
TEST(UserLocale, ItalianGetsItalianTextsAndDates) {
    EXPECT_EQ(LoadText(104), "Aggiungi righello");
    EXPECT_EQ(dateLocale().name(), "it_IT");
}

TEST(UserLocale, BritishGetsEnglishTextsAndBritishDates) {
    EXPECT_EQ(LoadText(104), "Add rule");
    EXPECT_EQ(dateLocale().name(), "en_GB");
}
