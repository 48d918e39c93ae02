#include "core/texts.h"
#include "platform/language.h"
#include "testenv.h"

#include <gtest/gtest.h>

using namespace vantor;

TEST(TextTable, EveryIdHasBothLanguagesAndTheProgramsOwnSpellings) {
    using enum Language;
    for (int id = FirstTextId; id <= LastTextId; ++id)
        EXPECT_FALSE(textFor(id, English).isEmpty() || textFor(id, Italian).isEmpty()) << id;
    EXPECT_TRUE(textFor(100, English).isEmpty());
    EXPECT_TRUE(textFor(LastTextId + 1, Italian).isEmpty());
    EXPECT_EQ(textFor(102, English), "Lenght");
    EXPECT_EQ(textFor(110, English), "Set lenght");
    EXPECT_EQ(textFor(111, Italian), "Inserisci la nuova lunghezza per il righelli");
}

// As in every POSIX program the first variable set decides: LC_MESSAGES for the texts, LC_TIME
// for the dates in capture names. Empty counts as unset; codeset and modifier are dropped.
TEST(Locale, TheFirstVariableSetDecidesTheLanguageAndTheDates) {
    // LC_ALL, LC_MESSAGES, LC_TIME and LANG (null leaves one unset), then whether the texts are
    // Italian and the locale of the dates.
    using Row = std::tuple<const char*, const char*, const char*, const char*, bool, const char*>;
    const Row rows[] = {
        {"", "", "", "it_IT.UTF-8", true, "it_IT"},
        {"", "", "", "it_CH", true, "it_CH"},
        {"", "", "", "it", true, "it_IT"},
        {"", "", "", "iu_CA", false, "iu_CA"},
        {"", "", "", "en_US.UTF-8", false, "en_US"},
        {"", "", "", "", false, "C"},
        {nullptr, nullptr, nullptr, nullptr, false, "C"},
        {"", "", "", "C", false, "C"},
        {"POSIX", "", "", "", false, "C"},
        {"C.UTF-8", "", "", "", false, "C"},
        {"xx_YY", "", "", "", false, "C"},
        {"en_GB.UTF-8", "it_IT", "it_IT", "it_IT.UTF-8", false, "en_GB"},
        {"it_IT.UTF-8", "", "", "en_US.UTF-8", true, "it_IT"},
        {"", "it_IT.UTF-8", "", "en_US.UTF-8", true, "en_US"},
        {"", "de_DE", "", "it_IT.UTF-8", false, "it_IT"},
        {"", "", "fr_FR", "it_IT", true, "fr_FR"},
        {"", "it_IT@euro", "it_IT@euro", "", true, "it_IT"},
        {"", "", "it_IT.ISO-8859-15@euro", "", false, "it_IT"},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(testing::Message() << "row " << i);
        const auto& [all, messages, time, lang, italian, dates] = rows[i];
        const test::ScopedEnv env{
            {"LC_ALL", all}, {"LC_MESSAGES", messages}, {"LC_TIME", time}, {"LANG", lang}};
        const Language language = italian ? Language::Italian : Language::English;
        EXPECT_EQ(userLanguage(), language);
        EXPECT_EQ(LoadText(104), textFor(104, language));
        EXPECT_EQ(dateLocale().name(), dates);
    }
}
