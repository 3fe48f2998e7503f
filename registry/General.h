#pragma once
// Reads one string value from a registry key named by its full path
// ("HKEY_LOCAL_MACHINE\SOFTWARE\..."). The reader keeps its state between calls,
// as one object for the whole run; it is not re-entrant.

#include "common/MessageBoxApi.h"
#include "registry/RegistryApi.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvane {

inline constexpr std::wstring_view RegistryError = L"Error";

// What a read gives: the value's text, an error, or nothing at all.
class RegistryValue {
public:
    enum class Kind { Empty, Error, Text };

    static RegistryValue Empty() { return RegistryValue(Kind::Empty, {}); }
    static RegistryValue Error() { return RegistryValue(Kind::Error, std::wstring(RegistryError)); }
    static RegistryValue Text(std::wstring text) { return RegistryValue(Kind::Text, std::move(text)); }

    Kind kind() const { return kind_; }
    // The result as text: the value, "Error", or the empty text.
    const std::wstring& text() const { return text_; }

    bool operator==(const RegistryValue&) const = default;

private:
    RegistryValue(Kind kind, std::wstring text) : kind_(kind), text_(std::move(text)) {}
    Kind kind_;
    std::wstring text_;
};

class General {
public:
    static constexpr std::uint32_t kBufferSize = 255;

    General(RegistryApi& registry, MessageBoxApi& messages) : registry_(registry), messages_(messages) {}

    // The predefined handle for a hive name (exact, case-sensitive), or 0.
    static RegHandle HiveFromName(std::wstring_view name);

    // Tests the key path's form. On success the path keeps only its subkey part and hive
    // holds the hive's handle; on failure "Incorrect Format:" is shown and neither changes.
    void SplitRegistryPath(std::wstring& keyPath, RegHandle& hive);

    // Once the split succeeds, keyPath comes back holding only its subkey part: pass a
    // fresh copy on every call. valueName is not changed.
    RegistryValue ReadRegistryString(std::wstring& keyPath, const std::wstring& valueName);

    // The reader's state, kept from one call to the next.
    RegHandle HiveHandle = 0;
    RegHandle KeyHandle = 0;
    std::int32_t LastResult = 0;
    std::wstring ValueBuffer;
    std::uint32_t ValueBufferLength = 0;

private:
    // Whether the value's first string reads the same in the ANSI code page (`ansi`, as
    // the query gave it) as it is stored.
    bool KeptByCodePage(const std::wstring& valueName, std::string_view ansi);

    RegistryApi& registry_;
    MessageBoxApi& messages_;
};

}  // namespace quorvane
