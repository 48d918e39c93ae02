#include "shell/texts.h"

#include <QByteArray>
#include <QList>

#include <gtest/gtest.h>

using namespace vantor;

namespace {

struct Locale {
    const char* all;
    const char* messages;
    const char* lang;
    Language expected;
};

class LocaleVariables {
public:
    LocaleVariables() {
        for (const char* name : names)
            saved.append(qgetenv(name));
    }
    ~LocaleVariables() {
        for (int i = 0; i < 3; ++i)
            qputenv(names[i], saved[i]);
    }
    void set(const Locale& locale) {
        qputenv("LC_ALL", locale.all);
        qputenv("LC_MESSAGES", locale.messages);
        qputenv("LANG", locale.lang);
    }

private:
    static constexpr const char* names[3] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    QList<QByteArray> saved;
};

} // namespace

TEST(UserLanguage, ItalianOnlyWhenTheDecidingLocaleVariableIsItalian) {
    const Locale cases[] = {
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
    LocaleVariables variables;
    for (const Locale& locale : cases) {
        variables.set(locale);
        EXPECT_EQ(userLanguage(), locale.expected)
            << locale.all << " / " << locale.messages << " / " << locale.lang;
    }
    variables.set({"", "", "it_IT.UTF-8", Language::Italian});
    EXPECT_EQ(LoadText(104), "Aggiungi righello");
    variables.set({"", "", "fr_FR.UTF-8", Language::English});
    EXPECT_EQ(LoadText(104), "Add rule");
}
