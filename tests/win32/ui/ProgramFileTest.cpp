// quorvane.exe as a file: a 32-bit Windows GUI program for Windows 7 and later, with
// ASLR and DEP, that needs only Windows' own DLLs, with its version, icon and manifest
// (per-monitor density, the Windows versions it knows).
#include "app/Startup.h"
#include "tests/support/FakeRegistry.h"
#include "tests/win32/WineTestSupport.h"
#include "ui/ResourceIds.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cwchar>
#include <set>
#include <stdexcept>

namespace quorvane::testing {

TEST(ProgramFile, IsA32BitGuiProgramForWindows7WithItsVersionIconAndManifest) {
    HMODULE module = ::LoadLibraryExW(kProgramPath.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr) << "error " << ::GetLastError();
    // Mapped as an image, not run: the addresses in its tables are offsets from its base.
    char* base = reinterpret_cast<char*>(reinterpret_cast<ULONG_PTR>(module) & ~ULONG_PTR{3});
    // The program is built for the test program's own machine: 32-bit, or 64-bit where
    // this machine cannot run 32-bit programs.
    const auto& nt = *reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    EXPECT_EQ(nt.FileHeader.Machine, sizeof(void*) == 4 ? IMAGE_FILE_MACHINE_I386 : IMAGE_FILE_MACHINE_AMD64);
    EXPECT_EQ(nt.OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
    EXPECT_EQ(nt.OptionalHeader.MajorSubsystemVersion * 10 + nt.OptionalHeader.MinorSubsystemVersion, 61)
        << "Windows 7: nothing newer is imported";
    const WORD aslrAndDep = IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE | IMAGE_DLLCHARACTERISTICS_NX_COMPAT;
    EXPECT_EQ(nt.OptionalHeader.DllCharacteristics & aslrAndDep, aslrAndDep);
    EXPECT_FALSE(nt.FileHeader.Characteristics & IMAGE_FILE_RELOCS_STRIPPED) << "ASLR needs the relocations";

    const std::set<std::string> windows = {"advapi32.dll", "comctl32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll",
        "ole32.dll", "oleaut32.dll", "shell32.dll", "user32.dll", "windowscodecs.dll"};
    // What Windows 7 lacks and the runtime or window code could pull in (Windows 8, 8.1 and 10): the
    // density functions are looked up when the program runs.
    const std::set<std::string> newer = {"GetSystemTimePreciseAsFileTime", "WaitOnAddress", "WakeByAddressAll",
        "WakeByAddressSingle", "GetCurrentThreadStackLimits", "SetThreadDescription", "GetDpiForWindow",
        "GetDpiForSystem", "GetDpiForMonitor", "SetProcessDpiAwarenessContext", "SetThreadDpiAwarenessContext",
        "GetThreadDpiAwarenessContext", "AdjustWindowRectExForDpi", "GetSystemMetricsForDpi",
        "SystemParametersInfoForDpi", "EnableNonClientDpiScaling", "SetProcessDpiAwareness"};
    std::set<std::string> functions;
    const DWORD imports = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (auto* dll = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports); imports && dll->Name; ++dll) {
        std::string name = base + dll->Name;
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_TRUE(windows.count(name)) << name << " is not part of Windows";
        for (auto* by = reinterpret_cast<const ULONG_PTR*>(base + dll->OriginalFirstThunk); *by; ++by) {
            if (!(*by & IMAGE_ORDINAL_FLAG)) functions.insert(base + *by + 2);  // after the hint
        }
    }
    EXPECT_TRUE(functions.count("CreateWindowExW")) << "the imported names were read";
    for (const std::string& function : functions) EXPECT_FALSE(newer.count(function)) << function << " is too new";

    auto resource = [&](LPCWSTR type, int id) {
        HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), type);
        return found ? std::string(static_cast<const char*>(::LockResource(::LoadResource(module, found))),
                                   ::SizeofResource(module, found)) : std::string();
    };
    // Version 0.1.1 (the project's, in CMakeLists.txt): file and product version 0.1.0.1,
    // as text with the minor in two digits and the revision in four.
    std::string info = resource(RT_VERSION, VS_VERSION_INFO);
    void* found = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\", &found, &length));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(found);
    EXPECT_TRUE(fixed->dwFileVersionMS == 0x00000001 && fixed->dwFileVersionLS == 1 &&
                fixed->dwProductVersionMS == 0x00000001 && fixed->dwProductVersionLS == 1) << "file and product version";
    for (const std::wstring name : {L"FileVersion", L"ProductVersion"}) {
        ASSERT_TRUE(::VerQueryValueW(info.data(), (L"\\StringFileInfo\\040904B0\\" + name).c_str(), &found, &length));
        EXPECT_STREQ(static_cast<const wchar_t*>(found), L"0.01.0001") << name.size();
    }
    const std::string icon = resource(RT_GROUP_ICON, IDI_QUORVANE);  // a 6-byte head, then 14 bytes an image
    EXPECT_TRUE(icon.size() == 20 && BYTE(icon[6]) == 128 && BYTE(icon[7]) == 128) << "not one 128 x 128 image";
    const std::string manifest = resource(RT_MANIFEST, 1);
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
    for (const char* declared : {">true/pm</dpiAware>", ">PerMonitorV2, PerMonitor</dpiAwareness>",
                                 "35138b9a-5d96-4fbd-8e2d-a2440225f93a", "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",
                                 "1f676c76-80e1-4239-95bb-83d0f6d0da78", "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"}) {
        EXPECT_NE(manifest.find(declared), std::string::npos) << declared;  // the density; Windows 7, 8, 8.1, 10
    }
    ::FreeLibrary(module);
}

TEST(ProgramStart, WhateverStopsTheProgramIsSaidInOneBoxAndEndsItWithCode3) {
    const struct {
        std::function<int()> run;
        const wchar_t* shown;  // none: no box
        int code;
    } rows[] = {
        {[] { return 0; }, nullptr, 0},
        {[]() -> int { throw std::bad_alloc(); }, L"Quorvane stopped:\n\nnot enough memory", 3},
        {[]() -> int { throw std::runtime_error("no caf\xE9"); }, L"Quorvane stopped:\n\nno caf\u00e9", 3},
        {[]() -> int { throw 1; }, L"Quorvane stopped:\n\nan unexpected error", 3},
    };
    ASSERT_EQ(::GetACP(), 1252u) << "the rows' text is in Windows-1252";
    for (const auto& row : rows) {
        RecordingMessages messages;
        EXPECT_EQ(RunGuarded(row.run, messages), row.code);
        EXPECT_EQ(messages.shown, row.shown ? std::vector<std::wstring>{row.shown} : std::vector<std::wstring>{});
    }
}

}  // namespace quorvane::testing
