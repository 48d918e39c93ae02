#include "platform/autostart.h"
#include "platform/win32/systemmessage.h"

#include <QCoreApplication>
#include <QDir>

#include <windows.h>

#include <string>

namespace vantor {

namespace {
constexpr wchar_t RunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t ValueName[] = L"Vantor Screen Tools";
} // namespace

bool startsAtLogin() {
    return RegGetValueW(HKEY_CURRENT_USER, RunKey, ValueName, RRF_RT_REG_SZ, nullptr, nullptr,
                        nullptr) == ERROR_SUCCESS;
}

bool setStartAtLogin(bool start, QString& problem) {
    LONG status = ERROR_SUCCESS;
    if (start) {
        // A Run value is a command line: the path is quoted, as it may hold blanks.
        const std::wstring command =
            (QLatin1Char('"') + QDir::toNativeSeparators(QCoreApplication::applicationFilePath()) +
             QLatin1Char('"'))
                .toStdWString();
        status = RegSetKeyValueW(HKEY_CURRENT_USER, RunKey, ValueName, REG_SZ, command.c_str(),
                                 static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    } else {
        status = RegDeleteKeyValueW(HKEY_CURRENT_USER, RunKey, ValueName);
        if (status == ERROR_FILE_NOT_FOUND)
            status = ERROR_SUCCESS;
    }
    if (status != ERROR_SUCCESS)
        problem = systemMessage(status);
    return status == ERROR_SUCCESS;
}

} // namespace vantor
