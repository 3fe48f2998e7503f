#pragma once
// A registry the test scripts: keys, their values' bytes, type and status, and the text a
// Unicode query gives. It records the access each OpenKey asks for and counts the keys
// still open. Message boxes are recorded.

#include "common/AnsiText.h"
#include "common/MessageBoxApi.h"
#include "registry/RegistryApi.h"

#include <cstring>
#include <map>
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
    using Values = std::map<std::string, Value>;

    // A string value as Windows stores it: the text and its terminating NUL.
    void SetString(RegHandle hive, const std::string& subKey, const std::string& name, const std::string& text) {
        SetRaw(hive, subKey, name, {text + '\0'});
    }
    void SetRaw(RegHandle hive, const std::string& subKey, const std::string& name, Value value) {
        keys_[{hive, subKey}][name] = std::move(value);
    }

    std::vector<std::uint32_t> access;  // what each OpenKey asked for
    int openKeys = 0;                                       // opened and not closed yet

    std::int32_t OpenKey(RegHandle hive, const std::string& subKey, std::uint32_t, std::uint32_t asked,
                         RegHandle& key) override {
        access.push_back(asked);
        const auto found = keys_.find({hive, subKey});
        if (found == keys_.end()) return kStatusNotFound;
        key = reinterpret_cast<RegHandle>(&found->second);
        ++openKeys;
        return kStatusSuccess;
    }

    std::int32_t QueryValue(RegHandle key, const std::string& name, std::uint32_t& type,
                            std::span<unsigned char> data, std::uint32_t& size) override {
        const Value* value = Find(key, name);
        if (!value || value->status != kStatusSuccess) return value ? value->status : kStatusNotFound;
        type = value->type;
        const std::string& bytes = value->data;
        const bool fits = bytes.size() <= size && bytes.size() <= data.size();
        if (fits) std::memcpy(data.data(), bytes.data(), bytes.size());
        size = static_cast<std::uint32_t>(bytes.size());
        return fits ? kStatusSuccess : kStatusMoreData;
    }

    std::int32_t QueryText(RegHandle key, const std::wstring& name, std::size_t, std::wstring& text) override {
        const Value* value = Find(key, WideToAnsi(name));
        if (value) text = value->stored.value_or(AnsiToWide(value->data));
        return value ? kStatusSuccess : kStatusNotFound;
    }

    std::int32_t CloseKey(RegHandle) override { --openKeys; return kStatusSuccess; }

private:
    static const Value* Find(RegHandle key, const std::string& name) {
        const Values& values = *reinterpret_cast<const Values*>(key);
        const auto found = values.find(name);
        return found == values.end() ? nullptr : &found->second;
    }

    std::map<std::pair<RegHandle, std::string>, Values> keys_;
};

// With `fail` set, showing a box throws, as a failing handler would.
class RecordingMessages final : public MessageBoxApi {
public:
    void Show(const std::wstring& text) override { fail ? throw std::runtime_error("no box") : shown.push_back(text); }
    std::vector<std::wstring> shown;
    bool fail = false;
};

}  // namespace quorvane::testing
