// Linked into every test program built for Windows: each test runs with HKEY_CURRENT_USER
// pointing at a key of its own below the real one, removed after the test, so that whatever the
// code under test reads or writes there, the user's settings and Run key are never touched.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

class PrivateCurrentUser : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &m_key, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, m_key), ERROR_SUCCESS);
    }

    void OnTestEnd(const ::testing::TestInfo&) override {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegCloseKey(m_key);
        RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
    }

    const std::wstring m_path =
        L"Software\\Korvane\\Vantor tests\\" + std::to_wstring(GetCurrentProcessId());
    HKEY m_key = nullptr;
};

[[maybe_unused]] const bool installed = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new PrivateCurrentUser);
    return true;
}();

} // namespace
