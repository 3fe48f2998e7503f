#pragma once
// The registry reader's calls, made on the real registry through advapi32.

#include "registry/RegistryApi.h"

namespace quorvane {

class Win32Registry final : public RegistryApi {
public:
    std::int32_t OpenKey(RegHandle hive, const std::string& subKey, std::uint32_t options,
                         std::uint32_t access, RegHandle& key) override;
    std::int32_t QueryValue(RegHandle key, const std::string& valueName, std::uint32_t& type,
                            std::span<unsigned char> data, std::uint32_t& size) override;
    std::int32_t QueryText(RegHandle key, const std::wstring& valueName, std::size_t capacity,
                           std::wstring& text) override;
    std::int32_t CloseKey(RegHandle key) override;
};

}  // namespace quorvane
