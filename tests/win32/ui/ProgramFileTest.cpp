// quorvane.exe as a file: a 32-bit Windows GUI program for Windows 7 and later, with
// ASLR and DEP, that needs only Windows' own DLLs, with its version, icon and manifest.
#include "tests/win32/ui/UiTestSupport.h"

#include "Version.h"
#include "ui/ResourceIds.h"

#include <set>

namespace quorvane::testing {

static BOOL CALLBACK CountOne(HMODULE, LPCWSTR, LPWSTR, LONG_PTR count) { return ++*reinterpret_cast<int*>(count); }

// Mapped as an image, not run: addresses in the file's tables are offsets from its base.
class ProgramFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(module, nullptr) << Narrow(ProgramPath()) << ": error " << ::GetLastError(); }
    void TearDown() override { ::FreeLibrary(module); }
    template <typename T> const T* At(DWORD offset) const {
        return reinterpret_cast<const T*>((reinterpret_cast<ULONG_PTR>(module) & ~ULONG_PTR{3}) + offset);
    }
    std::string Resource(LPCWSTR type, LPCWSTR name) const {
        HRSRC found = ::FindResourceW(module, name, type);
        return found ? std::string(static_cast<const char*>(::LockResource(::LoadResource(module, found))),
                                   ::SizeofResource(module, found)) : std::string();
    }
    HMODULE module = ::LoadLibraryExW(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
};

TEST_F(ProgramFileTest, IsA32BitWindows7GuiProgramWithAslrAndDepNeedingOnlyWindowsOwnDlls) {
    const IMAGE_NT_HEADERS32& nt = *At<IMAGE_NT_HEADERS32>(At<IMAGE_DOS_HEADER>(0)->e_lfanew);
    EXPECT_TRUE(nt.FileHeader.Machine == IMAGE_FILE_MACHINE_I386 && nt.OptionalHeader.Subsystem == IMAGE_SUBSYSTEM_WINDOWS_GUI);
    EXPECT_EQ(nt.OptionalHeader.MajorSubsystemVersion * 10 + nt.OptionalHeader.MinorSubsystemVersion, 61)
        << "Windows 7: nothing newer is imported";
    const WORD aslrAndDep = IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE | IMAGE_DLLCHARACTERISTICS_NX_COMPAT;
    EXPECT_EQ(nt.OptionalHeader.DllCharacteristics & aslrAndDep, aslrAndDep);
    EXPECT_FALSE(nt.FileHeader.Characteristics & IMAGE_FILE_RELOCS_STRIPPED) << "ASLR needs the relocations";

    const std::set<std::string> windows = {"advapi32.dll", "comctl32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll",
                                           "ole32.dll", "oleaut32.dll", "shell32.dll", "user32.dll", "windowscodecs.dll"};
    // What Windows 7 lacks and the runtime or window code could pull in (Windows 8 and 10).
    const std::set<std::string> newer = {"GetSystemTimePreciseAsFileTime", "WaitOnAddress", "WakeByAddressAll",
        "WakeByAddressSingle", "GetCurrentThreadStackLimits", "SetThreadDescription", "GetDpiForWindow",
        "SetProcessDpiAwarenessContext", "AdjustWindowRectExForDpi", "GetSystemMetricsForDpi"};
    std::set<std::string> functions;
    const DWORD imports = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (auto* dll = At<IMAGE_IMPORT_DESCRIPTOR>(imports); imports && dll->Name; ++dll) {
        std::string name = At<char>(dll->Name);
        std::transform(name.begin(), name.end(), name.begin(), [](char c) { return static_cast<char>(std::tolower(c)); });
        EXPECT_TRUE(windows.count(name)) << name << " is not part of Windows";
        for (auto* by = At<DWORD>(dll->OriginalFirstThunk); *by; ++by) {
            if (!(*by & IMAGE_ORDINAL_FLAG32)) functions.insert(At<IMAGE_IMPORT_BY_NAME>(*by)->Name);
        }
    }
    EXPECT_TRUE(functions.count("CreateWindowExW")) << "the imported names were read";
    for (const std::string& function : functions) EXPECT_FALSE(newer.count(function)) << function << " is newer than Windows 7";
}

TEST_F(ProgramFileTest, HasTheVersionOfVersionHOne128PixelIconAndItsManifest) {
    DWORD ignored = 0;
    std::string data(::GetFileVersionInfoSizeW(ProgramPath().c_str(), &ignored), '\0');
    ASSERT_TRUE(::GetFileVersionInfoW(ProgramPath().c_str(), 0, static_cast<DWORD>(data.size()), data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    char* text = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    const DWORD high = MAKELONG(QUORVANE_VERSION_MINOR, QUORVANE_VERSION_MAJOR), low = QUORVANE_VERSION_REVISION;  // 0.1.0.1
    EXPECT_TRUE(fixed->dwFileVersionMS == high && fixed->dwFileVersionLS == low && fixed->dwProductVersionMS == high &&
                fixed->dwProductVersionLS == low) << std::hex << fixed->dwFileVersionMS << " " << fixed->dwFileVersionLS;
    for (const char* name : {"FileVersion", "ProductVersion"}) {
        ASSERT_TRUE(::VerQueryValueA(data.data(), (std::string("\\StringFileInfo\\040904B0\\") + name).c_str(),
                                     reinterpret_cast<void**>(&text), &length)) << name;
        EXPECT_STREQ(text, QUORVANE_VERSION_STRING) << name;
    }
    int groups = 0;
    ::EnumResourceNamesW(module, RT_GROUP_ICON, CountOne, reinterpret_cast<LONG_PTR>(&groups));
    const std::string icons = Resource(RT_GROUP_ICON, MAKEINTRESOURCEW(IDI_QUORVANE));  // a 6-byte head, 14 an image
    EXPECT_TRUE(groups == 1 && icons.size() == 20 && BYTE(icons[6]) == 128 && BYTE(icons[7]) == 128) << groups << " " << icons.size();
    const std::string manifest = Resource(RT_MANIFEST, MAKEINTRESOURCEW(1));
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos);
}

}  // namespace quorvane::testing
