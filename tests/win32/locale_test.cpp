#include "core/texts.h"
#include "platform/language.h"

#include <QCoreApplication>
#include <QProcess>

#include <gtest/gtest.h>

using namespace vantor;

// Not run on its own: the test below runs it in a new process of this program, as a user whose
// locale is the one given. Under Wine the user's language and regional settings come from the
// locale variables the process starts with.
TEST(UserLocale, DISABLED_Report) {
    printf("[%s %s]\n", qPrintable(LoadText(104)), qPrintable(dateLocale().name()));
}

TEST(UserLocale, DecidesTheLanguageOfTheTextsAndTheDateFormats) {
    struct Row {
        const char* locale;
        const char* report;
    };
    for (const Row& row : {Row{"it_IT.UTF-8", "[Aggiungi righello it_IT]"},
                           Row{"en_GB.UTF-8", "[Add rule en_GB]"}}) {
        QProcess user;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(row.locale));
        user.setProcessEnvironment(environment);
        user.start(QCoreApplication::applicationFilePath(),
                   {QStringLiteral("--gtest_filter=UserLocale.DISABLED_Report"),
                    QStringLiteral("--gtest_also_run_disabled_tests")});
        ASSERT_TRUE(user.waitForFinished(30000));
        const QByteArray output = user.readAllStandardOutput() + user.readAllStandardError();
        EXPECT_TRUE(output.contains(row.report)) << row.locale << ": " << output.constData();
    }
}
