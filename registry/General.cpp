#include "registry/General.h"

#include "common/AnsiText.h"

#include <array>
#include <cwchar>
#include <utility>

namespace quorvane {
namespace {

struct Hive {
    std::wstring_view name;
    RegHandle handle;
};

constexpr std::array<Hive, 7> kHives{{
    {L"HKEY_CLASSES_ROOT", 0x80000000},
    {L"HKEY_CURRENT_USER", 0x80000001},
    {L"HKEY_LOCAL_MACHINE", 0x80000002},
    {L"HKEY_USERS", 0x80000003},
    {L"HKEY_PERFORMANCE_DATA", 0x80000004},
    {L"HKEY_CURRENT_CONFIG", 0x80000005},
    {L"HKEY_DYN_DATA", 0x80000006},
}};

constexpr std::wstring_view kHivePrefix = L"HKEY_";

std::wstring_view TrimSpaces(std::wstring_view text) {
    const auto first = text.find_first_not_of(L' ');
    if (first == std::wstring_view::npos) return {};
    const auto last = text.find_last_not_of(L' ');
    return text.substr(first, last - first + 1);
}

}  // namespace

bool General::KeptByCodePage(const std::wstring& valueName, std::string_view ansi) {
    std::wstring stored;
    LastResult = registry_.QueryText(KeyHandle, valueName, kBufferSize, stored);
    // Compared as C strings: up to the first NUL, which is what the program uses of a value.
    return LastResult == kStatusSuccess && std::wcscmp(AnsiToWide(ansi).c_str(), stored.c_str()) == 0;
}

RegHandle General::HiveFromName(std::wstring_view name) {
    for (const Hive& hive : kHives) {
        if (hive.name == name) return hive.handle;
    }
    return 0;
}

void General::SplitRegistryPath(std::wstring& keyPath, RegHandle& hive) {
    const auto slash = keyPath.find(L'\\');
    LastResult = slash == std::wstring::npos ? 0 : static_cast<std::int32_t>(slash + 1);

    const bool badStart = !keyPath.starts_with(kHivePrefix);
    const bool badEnd = keyPath.ends_with(L'\\');
    if (badStart || badEnd) {
        messages_.Show(L"Incorrect Format:\n\n" + keyPath);
        return;
    }

    if (slash == std::wstring::npos) {
        hive = HiveFromName(keyPath);
        keyPath.clear();
    } else {
        hive = HiveFromName(std::wstring_view(keyPath).substr(0, slash));
        keyPath.erase(0, slash + 1);
    }
}

RegistryValue General::ReadRegistryString(std::wstring& keyPath, const std::wstring& valueName) {
    SplitRegistryPath(keyPath, HiveHandle);
    if (HiveHandle == 0) return RegistryValue::Empty();

    // The subkey goes to the call in the ANSI code page and comes back through it.
    const std::string subKey = WideToAnsi(keyPath);
    LastResult = registry_.OpenKey(HiveHandle, subKey, 0, kKeyRead, KeyHandle);
    keyPath = AnsiToWide(subKey);
    if (LastResult != kStatusSuccess) return RegistryValue::Error();

    ValueBuffer.assign(kBufferSize, L' ');
    ValueBufferLength = static_cast<std::uint32_t>(ValueBuffer.size());

    std::string buffer = WideToAnsi(ValueBuffer);
    std::uint32_t type = kRegSz;
    LastResult = registry_.QueryValue(KeyHandle, WideToAnsi(valueName), type,
                                      {reinterpret_cast<unsigned char*>(buffer.data()), buffer.size()},
                                      ValueBufferLength);
    ValueBuffer = AnsiToWide(buffer);
    // Only text names a file, and only as it is stored: on its way to the code page Windows
    // turns a letter into a look-alike (an "a" with a bar into "a", a full-width "O" into
    // "O") or into "?" where the code page lacks it, and that would name another file.
    const bool text = type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
    if (LastResult != kStatusSuccess || !text ||
        !KeptByCodePage(valueName, std::string_view(buffer).substr(0, ValueBufferLength))) {
        registry_.CloseKey(KeyHandle);
        return RegistryValue::Error();
    }

    LastResult = registry_.CloseKey(KeyHandle);

    // The value, its terminator and whatever the call left behind them, less the
    // surrounding spaces and the terminator. A value stored without one is what the call
    // wrote, less its leading spaces: the spaces after it are its own.
    std::wstring written = AnsiToWide(std::string_view(buffer).substr(0, ValueBufferLength));
    ValueBuffer = std::wstring(TrimSpaces(ValueBuffer));
    if (written.find(L'\0') == std::wstring::npos) {
        return RegistryValue::Text(written.erase(0, written.find_first_not_of(L' ')));
    }
    if (ValueBuffer.ends_with(L'\0')) ValueBuffer.pop_back();
    return RegistryValue::Text(ValueBuffer);
}

}  // namespace quorvane
