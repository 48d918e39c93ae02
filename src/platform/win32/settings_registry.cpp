#include "platform/settings.h"
#include "platform/win32/systemmessage.h"

#include <windows.h>

#include <vector>

namespace vantor {

namespace {
std::wstring keyPath(const QString& applicationKey) {
    return (QStringLiteral("Software\\Korvane\\Application\\") + applicationKey).toStdWString();
}
} // namespace

QString settingsLocation(const QString& applicationKey) {
    return QStringLiteral("HKEY_CURRENT_USER\\Software\\Korvane\\Application\\") + applicationKey;
}

QString ReadSetting(const QString& applicationKey, const QString& valueName, QString* problem) {
    if (problem != nullptr)
        problem->clear();
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath(applicationKey).c_str(), 0, KEY_QUERY_VALUE,
                      &key) != ERROR_SUCCESS)
        return {};
    const std::wstring name = valueName.toStdWString();
    QString result;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        type == REG_SZ) {
        std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
        DWORD bufferSize = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        if (RegQueryValueExW(key, name.c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(buffer.data()),
                             &bufferSize) == ERROR_SUCCESS &&
            type == REG_SZ) {
            // Values stored by other programs may or may not end in a NUL; stop at the first one.
            const size_t characters = bufferSize / sizeof(wchar_t);
            size_t length = 0;
            while (length < characters && buffer[length] != L'\0')
                ++length;
            result = QString::fromWCharArray(buffer.data(), static_cast<qsizetype>(length));
        }
    }
    RegCloseKey(key);
    return result;
}

bool WriteSetting(const QString& applicationKey, const QString& valueName, const QString& value,
                  QString* problem) {
    if (problem != nullptr)
        problem->clear();
    HKEY key = nullptr;
    const LONG opened = RegCreateKeyExW(HKEY_CURRENT_USER, keyPath(applicationKey).c_str(), 0,
                                        nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
    if (opened != ERROR_SUCCESS) {
        if (problem != nullptr)
            *problem = systemMessage(opened);
        return false;
    }
    const std::wstring name = valueName.toStdWString();
    const std::wstring data = value.toStdWString();
    // A REG_SZ counts its terminating NUL; without it, readers that trust the size get none.
    const LONG status =
        RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    if (status != ERROR_SUCCESS && problem != nullptr)
        *problem = systemMessage(status);
    return status == ERROR_SUCCESS;
}

} // namespace vantor
