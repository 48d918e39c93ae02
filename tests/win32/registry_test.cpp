#include "platform/autostart.h"
#include "platform/settings.h"

#include <QCoreApplication>
#include <QDir>

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

using namespace vantor;

namespace {

const QString app = QStringLiteral("vantorScreenTools");
const QString value = QStringLiteral("imageSavePath");
constexpr wchar_t Key[] = L"Software\\Korvane\\Application\\vantorScreenTools";

// The value's bytes as the registry keeps them, with nothing added on reading.
std::wstring storedBytes(const wchar_t* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, Key, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return {};
    std::wstring data(64, L'?');
    DWORD size = DWORD(data.size() * sizeof(wchar_t));
    RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()), &size);
    RegCloseKey(key);
    data.resize(size / sizeof(wchar_t));
    return data;
}

} // namespace

TEST(RegistrySettings, AreStringsUnderTheCompanyKeyEndingInTheirNul) {
    EXPECT_EQ(settingsLocation(app),
              "HKEY_CURRENT_USER\\Software\\Korvane\\Application\\vantorScreenTools");
    QString problem = QStringLiteral("stale");
    EXPECT_TRUE(ReadSetting(app, value, &problem).isEmpty());
    EXPECT_TRUE(problem.isEmpty());
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, Key, 0, KEY_READ, &key), ERROR_SUCCESS)
        << "reading created the key";

    ASSERT_TRUE(WriteSetting(app, value, QStringLiteral("C:\\Users\\Ana\\Prezzi €")));
    EXPECT_EQ(ReadSetting(app, value), "C:\\Users\\Ana\\Prezzi €");
    EXPECT_EQ(storedBytes(L"imageSavePath"), std::wstring(L"C:\\Users\\Ana\\Prezzi €") + L'\0');
}

TEST(RegistrySettings, ValuesOtherProgramsLeftAreReadAsMeant) {
    struct Row {
        DWORD type;
        std::wstring bytes;
        QString read;
    };
    const Row rows[] = {
        {REG_SZ, L"D:\\Shots", "D:\\Shots"}, // without its NUL
        {REG_SZ, std::wstring(L"D:\\A\0junk", 9), "D:\\A"},
        {REG_SZ, L"", ""},
        {REG_EXPAND_SZ, L"%USERPROFILE%", ""},
        {REG_BINARY, L"D:\\Shots", ""},
    };
    for (const Row& row : rows) {
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, Key, L"imageSavePath", row.type,
                                  row.bytes.data(), DWORD(row.bytes.size() * sizeof(wchar_t))),
                  ERROR_SUCCESS);
        QString problem;
        EXPECT_EQ(ReadSetting(app, value, &problem), row.read) << row.read.toStdString();
        EXPECT_TRUE(problem.isEmpty());
    }
}

TEST(StartAtLogin, IsTheQuotedProgramPathInTheRunKey) {
    QString problem;
    EXPECT_FALSE(startsAtLogin());
    ASSERT_TRUE(setStartAtLogin(true, problem)) << problem.toStdString();
    EXPECT_TRUE(startsAtLogin());
    wchar_t command[MAX_PATH + 3] = {};
    DWORD size = sizeof(command);
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                           L"Vantor Screen Tools", RRF_RT_REG_SZ, nullptr, command, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(QString::fromWCharArray(command),
              '"' + QDir::toNativeSeparators(QCoreApplication::applicationFilePath()) + '"');
    ASSERT_TRUE(setStartAtLogin(false, problem)) << problem.toStdString();
    ASSERT_TRUE(setStartAtLogin(false, problem)) << "a value already gone is no problem";
    EXPECT_FALSE(startsAtLogin());
}
