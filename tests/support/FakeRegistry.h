#pragma once
// A registry that the test scripts: keys, values and the status of each call, and
// exactly what a query leaves in the caller's buffer. It records every call.

#include "registry/MessageBoxApi.h"
#include "registry/RegistryApi.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quorvane::testing {

class FakeRegistry final : public RegistryApi {
public:
    struct Value {
        std::string data;                     // the bytes the query writes from offset 0
        std::optional<std::int32_t> status;   // forced status; otherwise as Windows answers
    };

    struct OpenCall {
        RegHandle hive;
        std::string subKey;
        std::uint32_t options;
        std::uint32_t access;
    };

    // A string value as Windows stores it: the text and its terminating NUL.
    void SetString(RegHandle hive, const std::string& subKey, const std::string& name, const std::string& text) {
        keys_[{hive, subKey}][name] = Value{text + std::string(1, '\0'), std::nullopt};
    }
    void SetRaw(RegHandle hive, const std::string& subKey, const std::string& name, Value value) {
        keys_[{hive, subKey}][name] = std::move(value);
    }
    void AddKey(RegHandle hive, const std::string& subKey) { keys_[{hive, subKey}]; }

    // Bytes the query leaves behind the data it writes (Windows leaves none).
    std::string trailing;
    std::int32_t closeStatus = kStatusSuccess;

    std::vector<OpenCall> opens;
    std::vector<std::string> queriedNames;
    std::vector<std::uint32_t> querySizes;
    std::vector<RegHandle> closes;
    int openKeys = 0;

    std::int32_t OpenKey(RegHandle hive, const std::string& subKey, std::uint32_t options, std::uint32_t access,
                         RegHandle& key) override {
        opens.push_back({hive, subKey, options, access});
        const auto found = keys_.find({hive, subKey});
        if (found == keys_.end()) return kStatusNotFound;
        handles_[nextHandle_] = &found->second;
        key = nextHandle_++;
        ++openKeys;
        return kStatusSuccess;
    }

    std::int32_t QueryValue(RegHandle key, const std::string& valueName, std::uint32_t& type,
                            std::span<unsigned char> data, std::uint32_t& size) override {
        queriedNames.push_back(valueName);
        querySizes.push_back(size);
        type = kRegSz;
        const auto values = handles_.find(key);
        if (values == handles_.end()) return 6;  // ERROR_INVALID_HANDLE
        const auto value = values->second->find(valueName);
        if (value == values->second->end()) return kStatusNotFound;
        const std::string& bytes = value->second.data;
        if (value->second.status && *value->second.status != kStatusSuccess) return *value->second.status;
        if (bytes.size() > size) {
            size = static_cast<std::uint32_t>(bytes.size());
            return kStatusMoreData;
        }
        std::string written = bytes + trailing;
        written.resize(std::min<std::size_t>(written.size(), data.size()));
        std::memcpy(data.data(), written.data(), written.size());
        size = static_cast<std::uint32_t>(bytes.size());
        return value->second.status.value_or(kStatusSuccess);
    }

    std::int32_t CloseKey(RegHandle key) override {
        closes.push_back(key);
        if (handles_.erase(key) == 1) --openKeys;
        return closeStatus;
    }

private:
    std::map<std::pair<RegHandle, std::string>, std::map<std::string, Value>> keys_;
    std::map<RegHandle, std::map<std::string, Value>*> handles_;
    RegHandle nextHandle_ = 0x1000;
};

class RecordingMessages final : public MessageBoxApi {
public:
    void Show(const std::wstring& text) override { shown.push_back(text); }
    std::vector<std::wstring> shown;
};

}  // namespace quorvane::testing
