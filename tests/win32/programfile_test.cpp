#include <QCoreApplication>
#include <QString>

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

namespace {

QString versionText(const std::vector<char>& info, const wchar_t* name) {
    wchar_t* text = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(info.data(), path.c_str(), reinterpret_cast<void**>(&text), &length))
        return {};
    return QString::fromWCharArray(text);
}

} // namespace

// The program file beside the tests, as Explorer and "Installed apps" read it: its icon at the
// smallest and the largest size, and the version --version prints.
TEST(ProgramFile, CarriesItsIconAtEverySizeAndTheVersionItPrints) {
    const std::wstring path =
        (QCoreApplication::applicationDirPath() + "/vantor-screen-tools.exe").toStdWString();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));
    EXPECT_EQ(versionText(info, L"ProductVersion"), VANTOR_VERSION);
    EXPECT_EQ(versionText(info, L"FileVersion"), VANTOR_VERSION);
    EXPECT_EQ(versionText(info, L"CompanyName"), "Korvane");
    EXPECT_EQ(versionText(info, L"ProductName"), "Vantor Screen Tools");

    HMODULE program = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    for (int side : {16, 256}) {
        auto* icon =
            static_cast<HICON>(LoadImageW(program, L"IDI_ICON1", IMAGE_ICON, side, side, 0));
        ASSERT_NE(icon, nullptr) << side;
        ICONINFO parts = {};
        BITMAP colour = {};
        ASSERT_TRUE(GetIconInfo(icon, &parts));
        GetObjectW(parts.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, side);
        DeleteObject(parts.hbmColor);
        DeleteObject(parts.hbmMask);
        DestroyIcon(icon);
    }
    FreeLibrary(program);
}
