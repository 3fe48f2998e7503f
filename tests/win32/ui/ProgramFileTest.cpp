// quorvane.exe as a file: a 32-bit program for Windows 7 and later, with ASLR and DEP,
// that needs only Windows' own DLLs, with its version, its one icon, its manifest and
// its background picture.
#include "tests/win32/ui/UiTestSupport.h"

#include "ui/ResourceIds.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <string_view>

namespace quorvane::testing {
namespace {

template <typename T>
T ReadAt(std::string_view bytes, std::size_t offset) {
    T value{};
    if (offset + sizeof(T) <= bytes.size()) std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return value;
}

unsigned BigEndian16(std::string_view bytes, std::size_t offset) {
    return (static_cast<unsigned char>(bytes[offset]) << 8) | static_cast<unsigned char>(bytes[offset + 1]);
}

BOOL CALLBACK CountResource(HMODULE, LPCWSTR, LPWSTR, LONG_PTR count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

class ProgramFileTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        module_ = ::LoadLibraryExW(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    static void TearDownTestSuite() {
        if (module_) ::FreeLibrary(module_);
        module_ = nullptr;
    }
    void SetUp() override {
        ASSERT_NE(module_, nullptr) << "cannot open " << std::string(ProgramPath().begin(), ProgramPath().end())
                                    << " (error " << ::GetLastError() << ")";
    }

    static std::string_view Resource(LPCWSTR type, LPCWSTR name) {
        HRSRC found = ::FindResourceW(module_, name, type);
        if (!found) return {};
        HGLOBAL loaded = ::LoadResource(module_, found);
        const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
        return bytes ? std::string_view(static_cast<const char*>(bytes), ::SizeofResource(module_, found))
                     : std::string_view();
    }

    static inline HMODULE module_ = nullptr;
};

TEST_F(ProgramFileTest, IsA32BitWindows7ProgramNeedingOnlyWindowsOwnDlls) {
    std::ifstream in(ProgramPath().c_str(), std::ios::binary);
    const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(file.size(), 1024u);
    const std::string_view bytes(file);

    const auto dos = ReadAt<IMAGE_DOS_HEADER>(bytes, 0);
    ASSERT_EQ(dos.e_magic, IMAGE_DOS_SIGNATURE);
    const auto nt = ReadAt<IMAGE_NT_HEADERS32>(bytes, static_cast<std::size_t>(dos.e_lfanew));
    ASSERT_EQ(nt.Signature, IMAGE_NT_SIGNATURE);
    EXPECT_EQ(nt.FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
    ASSERT_EQ(nt.OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR32_MAGIC);
    EXPECT_EQ(nt.OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
    EXPECT_EQ(nt.OptionalHeader.MajorSubsystemVersion * 10 + nt.OptionalHeader.MinorSubsystemVersion, 61)
        << "Windows 7: nothing newer is imported";
    const WORD aslrAndDep = IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE | IMAGE_DLLCHARACTERISTICS_NX_COMPAT;
    EXPECT_EQ(nt.OptionalHeader.DllCharacteristics & aslrAndDep, aslrAndDep);
    EXPECT_FALSE(nt.FileHeader.Characteristics & IMAGE_FILE_RELOCS_STRIPPED) << "ASLR needs the relocations";

    const std::size_t sections = static_cast<std::size_t>(dos.e_lfanew) + offsetof(IMAGE_NT_HEADERS32, OptionalHeader) +
                                 nt.FileHeader.SizeOfOptionalHeader;
    auto fileOffset = [&](DWORD rva) -> std::size_t {
        for (WORD i = 0; i < nt.FileHeader.NumberOfSections; ++i) {
            const auto section = ReadAt<IMAGE_SECTION_HEADER>(bytes, sections + i * sizeof(IMAGE_SECTION_HEADER));
            const DWORD size = std::max(section.Misc.VirtualSize, section.SizeOfRawData);
            if (rva >= section.VirtualAddress && rva < section.VirtualAddress + size) {
                return rva - section.VirtualAddress + section.PointerToRawData;
            }
        }
        return bytes.size();
    };

    const IMAGE_DATA_DIRECTORY imports = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    ASSERT_NE(imports.VirtualAddress, 0u);
    std::set<std::string> dlls, functions;
    for (std::size_t at = fileOffset(imports.VirtualAddress);; at += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        ASSERT_LT(at, bytes.size());
        const auto entry = ReadAt<IMAGE_IMPORT_DESCRIPTOR>(bytes, at);
        if (entry.Name == 0) break;
        const std::size_t name = fileOffset(entry.Name);
        ASSERT_LT(name, bytes.size());
        std::string dll(bytes.data() + name);
        std::transform(dll.begin(), dll.end(), dll.begin(), [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
        dlls.insert(dll);
        for (std::size_t thunk = fileOffset(entry.OriginalFirstThunk); ReadAt<DWORD>(bytes, thunk); thunk += 4) {
            const DWORD byName = ReadAt<DWORD>(bytes, thunk);
            if (!(byName & IMAGE_ORDINAL_FLAG32) && fileOffset(byName) + 2 < bytes.size())
                functions.insert(bytes.data() + fileOffset(byName) + 2);  // after the hint
        }
    }

    const std::set<std::string> windows = {"advapi32.dll", "comctl32.dll",  "gdi32.dll", "kernel32.dll",
                                           "msvcrt.dll",   "ole32.dll",     "oleaut32.dll", "shell32.dll",
                                           "user32.dll",   "windowscodecs.dll"};
    EXPECT_TRUE(dlls.count("kernel32.dll") && dlls.count("user32.dll")) << "the import table was read";
    for (const std::string& dll : dlls) EXPECT_TRUE(windows.count(dll)) << dll << " is not part of Windows";
    // What Windows 7 lacks and the runtime or window code could pull in (Windows 8 and 10).
    const std::set<std::string> newer = {"GetSystemTimePreciseAsFileTime", "WaitOnAddress", "WakeByAddressAll",
        "WakeByAddressSingle", "GetCurrentThreadStackLimits", "SetThreadDescription", "GetDpiForWindow",
        "SetProcessDpiAwarenessContext", "AdjustWindowRectExForDpi", "GetSystemMetricsForDpi"};
    EXPECT_TRUE(functions.count("CreateWindowExW")) << "the imported names were read";
    for (const std::string& function : functions) EXPECT_FALSE(newer.count(function)) << function << " is newer than Windows 7";
}

TEST_F(ProgramFileTest, VersionIs0101WithTheVersionTexts) {
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(ProgramPath().c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::string data(size, '\xbd');
    ASSERT_TRUE(::GetFileVersionInfoW(ProgramPath().c_str(), 0, size, data.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    // 0.1.0.1: each half holds two parts, the first in its high word.
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00000001u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00000001u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* translations = nullptr;
    ASSERT_TRUE(::VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations),
                                 &length));
    ASSERT_GE(length, sizeof(Translation));
    wchar_t block[64];
    for (const wchar_t* name : {L"FileVersion", L"ProductVersion"}) {
        swprintf(block, 64, L"\\StringFileInfo\\%04x%04x\\%ls", translations->language, translations->codePage, name);
        wchar_t* text = nullptr;
        ASSERT_TRUE(::VerQueryValueW(data.data(), block, reinterpret_cast<void**>(&text), &length)) << name;
        EXPECT_EQ(std::wstring(text), L"0.01.0001") << name;
    }
}

TEST_F(ProgramFileTest, OneIconGroupWithOne128PixelTrueColourImage) {
    int groups = 0;
    ::EnumResourceNamesW(module_, RT_GROUP_ICON, CountResource, reinterpret_cast<LONG_PTR>(&groups));
    EXPECT_EQ(groups, 1);

    const std::string_view group = Resource(RT_GROUP_ICON, MAKEINTRESOURCEW(IDI_QUORVANE));
    ASSERT_EQ(group.size(), 6u + 14u) << "a directory with one entry";
    EXPECT_EQ(ReadAt<WORD>(group, 2), 1) << "icons";
    EXPECT_EQ(ReadAt<WORD>(group, 4), 1) << "entries";
    EXPECT_EQ(ReadAt<BYTE>(group, 6), 128) << "width";
    EXPECT_EQ(ReadAt<BYTE>(group, 7), 128) << "height";
    EXPECT_EQ(ReadAt<BYTE>(group, 8), 0) << "no palette";
    EXPECT_EQ(ReadAt<WORD>(group, 12), 24) << "bits a pixel";
    EXPECT_EQ(ReadAt<DWORD>(group, 14), 51240u) << "image bytes";

    const std::string_view image = Resource(RT_ICON, MAKEINTRESOURCEW(ReadAt<WORD>(group, 18)));
    ASSERT_EQ(image.size(), 51240u);
    const auto header = ReadAt<BITMAPINFOHEADER>(image, 0);
    EXPECT_EQ(header.biSize, sizeof(BITMAPINFOHEADER));
    EXPECT_EQ(header.biWidth, 128);
    EXPECT_EQ(header.biHeight, 256) << "colour and mask";
    EXPECT_EQ(header.biBitCount, 24);
    EXPECT_EQ(header.biClrUsed, 0u);
}

TEST_F(ProgramFileTest, ManifestAsksForCommonControls6AndDpiAwareness) {
    const std::string_view manifest = Resource(MAKEINTRESOURCEW(24) /* RT_MANIFEST */, MAKEINTRESOURCEW(1));
    ASSERT_FALSE(manifest.empty());
    const std::string text(manifest);
    EXPECT_NE(text.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(text.find(">true</dpiAware>"), std::string::npos);
}

TEST_F(ProgramFileTest, BackgroundIsA549By580Jpeg) {
    const std::string_view jpeg = Resource(RT_RCDATA, MAKEINTRESOURCEW(IDR_BACKGROUND));
    ASSERT_GT(jpeg.size(), 4u);
    ASSERT_EQ(BigEndian16(jpeg, 0), 0xFFD8u) << "JPEG start of image";
    // Walk the segments to the frame header, which gives the size.
    std::size_t at = 2;
    while (at + 9 < jpeg.size()) {
        ASSERT_EQ(static_cast<unsigned char>(jpeg[at]), 0xFF) << "at byte " << at;
        const unsigned marker = static_cast<unsigned char>(jpeg[at + 1]);
        if (marker >= 0xC0 && marker <= 0xC3) {
            EXPECT_EQ(BigEndian16(jpeg, at + 5), 580u) << "height";
            EXPECT_EQ(BigEndian16(jpeg, at + 7), 549u) << "width";
            return;
        }
        at += 2 + BigEndian16(jpeg, at + 2);
    }
    FAIL() << "no frame header";
}

}  // namespace
}  // namespace quorvane::testing
