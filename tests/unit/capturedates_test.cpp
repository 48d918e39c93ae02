#include "platform/language.h"

#include <QByteArray>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <map>

namespace vantor {
namespace {

// Sets the locale variables for one test and puts the old values back afterwards.
class LocaleEnvironment : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : names)
            saved[name] = qgetenv(name);
    }
    void TearDown() override {
        for (const auto& [name, value] : saved)
            value.isEmpty() ? qunsetenv(name) : qputenv(name, value);
    }
    static void set(const char* allValue, const char* timeValue, const char* langValue) {
        const char* values[] = {allValue, timeValue, langValue};
        for (int i = 0; i < 3; ++i)
            values[i] == nullptr ? qunsetenv(names[i]) : qputenv(names[i], values[i]);
    }
    static constexpr const char* names[] = {"LC_ALL", "LC_TIME", "LANG"};
    std::map<const char*, QByteArray> saved;
};

TEST_F(LocaleEnvironment, TheFirstVariableSetDecides) {
    set(nullptr, "it_IT.UTF-8", "en_US.UTF-8");
    EXPECT_EQ(dateLocale().name(), "it_IT");
    set("de_DE.UTF-8", "it_IT.UTF-8", "en_US.UTF-8");
    EXPECT_EQ(dateLocale().name(), "de_DE");
    set(nullptr, nullptr, "en_GB.UTF-8");
    EXPECT_EQ(dateLocale().name(), "en_GB");
    set("", "fr_FR", "en_US");
    EXPECT_EQ(dateLocale().name(), "fr_FR");
}

TEST_F(LocaleEnvironment, CodesetAndModifierAreIgnored) {
    set(nullptr, "it_IT@euro", nullptr);
    EXPECT_EQ(dateLocale().name(), "it_IT");
    set(nullptr, "it_IT.ISO-8859-15@euro", nullptr);
    EXPECT_EQ(dateLocale().name(), "it_IT");
}

TEST_F(LocaleEnvironment, NothingSetOrUnknownIsTheCLocale) {
    set(nullptr, nullptr, nullptr);
    EXPECT_EQ(dateLocale(), QLocale::c());
    set("POSIX", nullptr, nullptr);
    EXPECT_EQ(dateLocale(), QLocale::c());
    set("C.UTF-8", nullptr, nullptr);
    EXPECT_EQ(dateLocale(), QLocale::c());
    set("xx_YY", nullptr, nullptr);
    EXPECT_EQ(dateLocale().language(), QLocale::C);
}

} // namespace
} // namespace vantor
