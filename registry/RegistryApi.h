#pragma once
// The registry as the reader sees it: the three calls of the ANSI registry API, and the
// Unicode query that tells whether a value's text came through the code page unchanged.
// The ANSI calls are deliberate: each text goes through the system's code page and back,
// and the caller gets its key path as that round trip leaves it.
// The Win32 build hands in advapi32; tests hand in a scripted fake.

#include <cstdint>
#include <span>
#include <string>

namespace quorvane {

// A predefined hive (0x80000000 to 0x80000006) or a key opened by OpenKey.
using RegHandle = std::uintptr_t;

inline constexpr std::int32_t kStatusSuccess = 0;     // ERROR_SUCCESS
inline constexpr std::int32_t kStatusNotFound = 2;    // ERROR_FILE_NOT_FOUND
inline constexpr std::int32_t kStatusAccessDenied = 5;  // ERROR_ACCESS_DENIED
inline constexpr std::int32_t kStatusMoreData = 234;  // ERROR_MORE_DATA

// The value types that hold text.
inline constexpr std::uint32_t kRegSz = 1;            // REG_SZ
inline constexpr std::uint32_t kRegExpandSz = 2;      // REG_EXPAND_SZ
inline constexpr std::uint32_t kRegMultiSz = 7;       // REG_MULTI_SZ
inline constexpr std::uint32_t kKeyRead = 0x20019;    // KEY_READ

class RegistryApi {
public:
    virtual ~RegistryApi() = default;

    // RegOpenKeyExA. subKey is in the ANSI code page; an empty subKey opens the hive's root.
    virtual std::int32_t OpenKey(RegHandle hive, const std::string& subKey, std::uint32_t options,
                                 std::uint32_t access, RegHandle& key) = 0;

    // RegQueryValueExA. type receives the value's type. data is the caller's whole buffer;
    // size holds its length on entry and what the call writes back on return. Bytes the
    // call does not write stay as they were.
    virtual std::int32_t QueryValue(RegHandle key, const std::string& valueName, std::uint32_t& type,
                                    std::span<unsigned char> data, std::uint32_t& size) = 0;

    // RegQueryValueExW of a value whose ANSI form has at most `capacity` bytes: text
    // receives its data as stored, NULs included.
    virtual std::int32_t QueryText(RegHandle key, const std::wstring& valueName, std::size_t capacity,
                                   std::wstring& text) = 0;

    // RegCloseKey.
    virtual std::int32_t CloseKey(RegHandle key) = 0;
};

}  // namespace quorvane
