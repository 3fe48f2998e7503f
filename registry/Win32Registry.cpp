#include "registry/Win32Registry.h"

#include <windows.h>

namespace quorvane {
namespace {

// The predefined hives are 32-bit values (0x80000000 to 0x80000006), which a 64-bit
// Windows takes sign-extended; a key the reader opened is any handle.
HKEY ToHkey(RegHandle handle) {
    const bool predefined = handle >= 0x80000000u && handle <= 0x80000006u;
    return predefined ? reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(handle)))
                      : reinterpret_cast<HKEY>(handle);
}

}  // namespace

std::int32_t Win32Registry::OpenKey(RegHandle hive, const std::string& subKey, std::uint32_t options,
                                    std::uint32_t access, RegHandle& key) {
    HKEY opened = nullptr;
    const LONG status = RegOpenKeyExA(ToHkey(hive), subKey.c_str(), options, access, &opened);
    if (status == ERROR_SUCCESS) key = reinterpret_cast<RegHandle>(opened);
    return status;
}

std::int32_t Win32Registry::QueryValue(RegHandle key, const std::string& valueName, std::uint32_t& type,
                                       std::span<unsigned char> data, std::uint32_t& size) {
    DWORD valueType = type;
    DWORD dataSize = size <= data.size() ? size : static_cast<DWORD>(data.size());
    const LONG status = RegQueryValueExA(ToHkey(key), valueName.c_str(), nullptr, &valueType, data.data(), &dataSize);
    type = valueType;
    size = dataSize;
    return status;
}

std::int32_t Win32Registry::QueryText(RegHandle key, const std::wstring& valueName, std::size_t capacity,
                                      std::wstring& text) {
    // Each byte of the ANSI form is at least one character: `capacity` characters hold it all.
    text.assign(capacity, L'\0');
    DWORD size = static_cast<DWORD>(capacity * sizeof(wchar_t));
    const LONG status = RegQueryValueExW(ToHkey(key), valueName.c_str(), nullptr, nullptr,
                                         reinterpret_cast<BYTE*>(text.data()), &size);
    text.resize(status == ERROR_SUCCESS ? size / sizeof(wchar_t) : 0);
    return status;
}

std::int32_t Win32Registry::CloseKey(RegHandle key) { return RegCloseKey(ToHkey(key)); }

}  // namespace quorvane
