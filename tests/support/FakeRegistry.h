#pragma once
// A registry of one key, HKEY_LOCAL_MACHINE\SOFTWARE\Q, with one value, "V", that the
// test scripts: its bytes, type and status, and the text a Unicode query gives. It records
// the access each OpenKey asks for and counts the keys still open. Message boxes are recorded.

#include "common/AnsiText.h"
#include "common/MessageBoxApi.h"
#include "registry/RegistryApi.h"

#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace quorvane::testing {

class FakeRegistry final : public RegistryApi {
public:
    struct Value {
        std::string data;  // what an ANSI query writes from the buffer's start
        std::int32_t status = kStatusSuccess;
        std::uint32_t type = kRegSz;
        std::optional<std::wstring> stored = {};  // what a Unicode query gives; by default the data widened
    };
    explicit FakeRegistry(Value value) : value_(std::move(value)) {}

    std::vector<std::uint32_t> access;  // what each OpenKey asked for
    int openKeys = 0;                   // opened and not closed yet

    std::int32_t OpenKey(RegHandle hive, const std::string& subKey, std::uint32_t, std::uint32_t asked,
                         RegHandle& key) override {
        access.push_back(asked);
        if (hive != 0x80000002 || subKey != "SOFTWARE\\Q") return kStatusNotFound;
        key = kKey;
        ++openKeys;
        return kStatusSuccess;
    }

    std::int32_t QueryValue(RegHandle, const std::string& name, std::uint32_t& type, std::span<unsigned char> data,
                            std::uint32_t& size) override {
        if (name != "V" || value_.status != kStatusSuccess) return name != "V" ? kStatusNotFound : value_.status;
        type = value_.type;
        const bool fits = value_.data.size() <= size && value_.data.size() <= data.size();
        if (fits) std::memcpy(data.data(), value_.data.data(), value_.data.size());
        size = static_cast<std::uint32_t>(value_.data.size());
        return fits ? kStatusSuccess : kStatusMoreData;
    }

    std::int32_t QueryText(RegHandle, const std::wstring& name, std::size_t, std::wstring& text) override {
        text = value_.stored.value_or(AnsiToWide(value_.data));
        return name == L"V" ? kStatusSuccess : kStatusNotFound;
    }

    std::int32_t CloseKey(RegHandle) override { --openKeys; return kStatusSuccess; }

private:
    static constexpr RegHandle kKey = 1;
    Value value_;
};

// With `fail` set, showing a box throws, as a failing handler would.
class RecordingMessages final : public MessageBoxApi {
public:
    void Show(const std::wstring& text) override { fail ? throw std::runtime_error("no box") : shown.push_back(text); }
    std::vector<std::wstring> shown;
    bool fail = false;
};

}  // namespace quorvane::testing
