#include "platform/language.h"
#include "scopedenv.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

TEST(DateLocale, TheFirstVariableSetDecidesWithoutCodesetOrModifierAndUnknownIsC) {
    struct Case {
        const char* all;
        const char* time;
        const char* lang;
        const char* expected;
    };
    // A null value leaves the variable unset.
    const Case cases[] = {
        {nullptr, "it_IT.UTF-8", "en_US.UTF-8", "it_IT"},
        {"de_DE.UTF-8", "it_IT.UTF-8", "en_US.UTF-8", "de_DE"},
        {nullptr, nullptr, "en_GB.UTF-8", "en_GB"},
        {"", "fr_FR", "en_US", "fr_FR"},
        {nullptr, "it_IT@euro", nullptr, "it_IT"},
        {nullptr, "it_IT.ISO-8859-15@euro", nullptr, "it_IT"},
        {nullptr, nullptr, nullptr, "C"},
        {"POSIX", nullptr, nullptr, "C"},
        {"C.UTF-8", nullptr, nullptr, "C"},
        {"xx_YY", nullptr, nullptr, "C"},
    };
    for (const Case& c : cases) {
        const test::ScopedEnv env{{"LC_ALL", c.all}, {"LC_TIME", c.time}, {"LANG", c.lang}};
        EXPECT_EQ(dateLocale().name(), c.expected) << "row " << &c - cases;
    }
}

} // namespace
} // namespace vantor
