#include "core/texts.h"
#include "scopedenv.h"

#include <gtest/gtest.h>

using namespace vantor;

TEST(UserLanguage, ItalianOnlyWhenTheDecidingLocaleVariableIsItalian) {
    struct Case {
        const char* all;
        const char* messages;
        const char* lang;
        Language expected;
    };
    const Case cases[] = {
        {"", "", "it_IT.UTF-8", Language::Italian},
        {"", "", "it_CH", Language::Italian},
        {"", "", "it", Language::Italian},
        {"", "", "en_US.UTF-8", Language::English},
        {"", "", "", Language::English},
        {"", "", "C", Language::English},
        {"", "", "iu_CA", Language::English},
        {"en_GB.UTF-8", "", "it_IT.UTF-8", Language::English},
        {"it_IT.UTF-8", "", "en_US.UTF-8", Language::Italian},
        {"", "it_IT.UTF-8", "en_US.UTF-8", Language::Italian},
        {"", "de_DE", "it_IT.UTF-8", Language::English},
    };
    for (const Case& c : cases) {
        const test::ScopedEnv env{{"LC_ALL", c.all}, {"LC_MESSAGES", c.messages}, {"LANG", c.lang}};
        EXPECT_EQ(userLanguage(), c.expected) << c.all << " / " << c.messages << " / " << c.lang;
    }
    test::ScopedEnv env{{"LC_ALL", ""}, {"LC_MESSAGES", ""}, {"LANG", "it_IT.UTF-8"}};
    EXPECT_EQ(LoadText(104), "Aggiungi righello");
    env.set("LANG", "fr_FR.UTF-8");
    EXPECT_EQ(LoadText(104), "Add rule");
}
