// quorvane.exe's first step keeps DLLs out of its own folder: a DLL planted beside a copy
// of the program, which the running program is made to load by name, is never loaded.
// Under Wine every DLL of Windows' has a builtin that loads whatever the search, so the
// program is made to load one of another name: the accessibility annotation service, which
// it creates when a client first asks one of its check boxes for itself (WM_GETOBJECT), is
// registered for the test as that DLL, then registered again as it was.
#include "tests/win32/WineTestSupport.h"

#include <gtest/gtest.h>

#include <process.h>

#include <filesystem>

namespace fs = std::filesystem;
using namespace quorvane::testing;

TEST(DllSearch, ADllBesideTheProgramIsNotLoadedByName) {
    const fs::path folder = fs::temp_directory_path() / L"quorvane_dll_search", exe = folder / L"quorvane.exe",
                   dll = folder / L"quorvane_planted.dll";
    // The service's registration, in the program's registry view: the test is built for the same machine.
    const wchar_t* const key = L"Software\\Classes\\CLSID\\{b5f8350b-0548-48b1-a6ee-88bd00b4a5e7}\\InprocServer32";
    std::wstring was(MAX_PATH, L'\0');
    DWORD type = 0, size = MAX_PATH * sizeof(wchar_t);
    ASSERT_EQ(::RegGetValueW(HKEY_LOCAL_MACHINE, key, nullptr, RRF_RT_ANY | RRF_NOEXPAND, &type, was.data(), &size), 0);
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::copy_file(kProgramPath, exe);
    fs::copy_file(HostPathToWindows(QUORVANE_PLANTED_DLL), dll);
    // By its full path it loads whatever the search: the program does ask for it.
    for (const std::wstring& name : {dll.wstring(), std::wstring(L"quorvane_planted.dll")}) {
        const auto bytes = DWORD((name.size() + 1) * sizeof(wchar_t));
        EXPECT_EQ(::RegSetKeyValueW(HKEY_LOCAL_MACHINE, key, nullptr, REG_SZ, name.c_str(), bytes), 0);
        const auto program = reinterpret_cast<HANDLE>(::_wspawnl(_P_NOWAIT, exe.c_str(), exe.c_str(), nullptr));
        HWND form = nullptr;  // shown, or disabled by its box ("Game Not Found:"): its check boxes are watched
        EXPECT_TRUE(PollUntil(15000, [&] {
            form = ::FindWindowW(L"QuorvaneForm1", nullptr);
            return form && (::IsWindowVisible(form) || !::IsWindowEnabled(form));
        }));
        for (HWND box = nullptr; form && (box = ::FindWindowExW(form, box, L"Button", nullptr)) != nullptr;) {
            ::SendMessageTimeoutW(box, WM_GETOBJECT, 0, LPARAM{OBJID_CLIENT}, SMTO_ABORTIFHUNG, 5000, nullptr);
        }
        const HANDLE loaded = ::OpenEventW(SYNCHRONIZE, FALSE, L"quorvane_planted_loaded");  // its DllMain's
        EXPECT_EQ(loaded != nullptr, name == dll) << (loaded ? "loaded: " : "the program did not ask for ") << name;
        ::CloseHandle(loaded);
        ::TerminateProcess(program, 0);
        ::WaitForSingleObject(program, 15000);
        ::CloseHandle(program);
    }
    ::RegSetKeyValueW(HKEY_LOCAL_MACHINE, key, nullptr, type, was.data(), size);
    fs::remove_all(folder);
}
