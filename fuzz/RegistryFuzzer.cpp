// ReadRegistryString over the scripted fake registry. The input decides the keys and
// values the registry holds, the status of each call, the bytes a query leaves behind
// the data, and a few reads in a row (key path and value name) through one reader, whose
// state carries over from one read to the next.
//
// Each read is checked against what the registry was asked and answered: which calls
// were made and with what, what the key path comes back as, and what the result is.
// Set QUORVANE_FUZZ_VERBOSE=1 to see each read of an input described on stderr.

#include "fuzz/FuzzCheck.h"
#include "registry/AnsiText.h"
#include "registry/General.h"
#include "tests/support/FakeRegistry.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using quorvane::General;
using quorvane::RegHandle;
using quorvane::RegistryValue;
using quorvane::testing::FakeRegistry;
using quorvane::testing::RecordingMessages;

constexpr std::size_t kBuffer = 255;

// Stands between the reader and the fake: it can refuse the next open with a given
// status, checks how each call is made, and keeps what the last calls were asked and
// answered.
class WatchedRegistry final : public quorvane::RegistryApi {
public:
    explicit WatchedRegistry(FakeRegistry& fake) : fake_(fake) {}

    std::optional<std::int32_t> refuseNextOpen;  // never 0

    int opens = 0;
    int queries = 0;
    int closes = 0;
    std::vector<RegHandle> openNow;

    FakeRegistry::OpenCall lastOpen{};
    std::int32_t lastOpenStatus = 0;
    RegHandle lastOpened = 0;
    std::string lastQueriedName;
    std::int32_t lastQueryStatus = 0;
    std::uint32_t lastQuerySize = 0;  // as the query wrote it back
    std::string lastQueryBuffer;      // the whole buffer after the query
    RegHandle lastClosed = 0;

    std::int32_t OpenKey(RegHandle hive, const std::string& subKey, std::uint32_t options, std::uint32_t access,
                         RegHandle& key) override {
        ++opens;
        lastOpen = {hive, subKey, options, access};
        if (refuseNextOpen) {
            lastOpenStatus = *refuseNextOpen;
            refuseNextOpen.reset();
            return lastOpenStatus;
        }
        lastOpenStatus = fake_.OpenKey(hive, subKey, options, access, key);
        if (lastOpenStatus == quorvane::kStatusSuccess) {
            FUZZ_CHECK(std::find(openNow.begin(), openNow.end(), key) == openNow.end());
            openNow.push_back(key);
            lastOpened = key;
        }
        return lastOpenStatus;
    }

    std::int32_t QueryValue(RegHandle key, const std::string& valueName, std::uint32_t& type,
                            std::span<unsigned char> data, std::uint32_t& size) override {
        ++queries;
        // Only a key that is open, with the whole 255-byte buffer, filled with spaces.
        FUZZ_CHECK(std::find(openNow.begin(), openNow.end(), key) != openNow.end());
        FUZZ_CHECK(data.size() == kBuffer);
        FUZZ_CHECK(size == kBuffer);
        FUZZ_CHECK(std::all_of(data.begin(), data.end(), [](unsigned char b) { return b == ' '; }));
        lastQueriedName = valueName;
        lastQueryStatus = fake_.QueryValue(key, valueName, type, data, size);
        lastQuerySize = size;
        lastQueryBuffer.assign(reinterpret_cast<const char*>(data.data()), data.size());
        return lastQueryStatus;
    }

    std::int32_t CloseKey(RegHandle key) override {
        ++closes;
        const auto open = std::find(openNow.begin(), openNow.end(), key);
        FUZZ_CHECK(open != openNow.end());  // nothing closed twice or never opened
        openNow.erase(open);
        lastClosed = key;
        return fake_.CloseKey(key);
    }

private:
    FakeRegistry& fake_;
};

// ---------------------------------------------------------------------------------------
// Decoding the scenario.

constexpr std::array<std::wstring_view, 7> kHiveNames{
    L"HKEY_CLASSES_ROOT",     L"HKEY_CURRENT_USER",   L"HKEY_LOCAL_MACHINE", L"HKEY_USERS",
    L"HKEY_PERFORMANCE_DATA", L"HKEY_CURRENT_CONFIG", L"HKEY_DYN_DATA",
};
constexpr RegHandle kFirstHive = 0x80000000;

RegHandle HiveNamed(std::wstring_view name) {
    for (std::size_t i = 0; i < kHiveNames.size(); ++i) {
        if (kHiveNames[i] == name) return kFirstHive + i;
    }
    return 0;
}

std::int32_t Status(FuzzedDataProvider& in) {
    static constexpr std::array<std::int32_t, 8> kUsual{0, 2, 5, 6, 234, 1, -1, 0x7fffffff};
    return in.ConsumeBool() ? in.PickValueInArray(kUsual) : in.ConsumeIntegral<std::int32_t>();
}

RegHandle Hive(FuzzedDataProvider& in) {
    const int pick = in.ConsumeIntegralInRange(0, 8);
    if (pick < 7) return kFirstHive + static_cast<RegHandle>(pick);
    return pick == 7 ? 0 : in.ConsumeIntegral<std::uint32_t>();
}

// Bytes of the ANSI code page as wide text and, now and then, a character it cannot hold.
std::wstring WideText(FuzzedDataProvider& in, std::size_t maxLength) {
    std::wstring text = quorvane::AnsiToWide(in.ConsumeRandomLengthString(maxLength));
    if (in.ConsumeBool()) {
        const std::size_t at = in.ConsumeIntegralInRange<std::size_t>(0, text.size());
        text.insert(at, 1, static_cast<wchar_t>(in.ConsumeIntegralInRange<std::uint32_t>(0x100, 0x10FFFF)));
    }
    return text;
}

using KeyId = std::pair<RegHandle, std::string>;

// Mostly a path to a key the registry holds, spoiled now and then; otherwise anything.
std::wstring KeyPath(FuzzedDataProvider& in, const std::vector<KeyId>& keys) {
    if (keys.empty() || in.ConsumeIntegralInRange(0, 3) == 0) return WideText(in, 80);
    const KeyId& key = keys[in.ConsumeIntegralInRange<std::size_t>(0, keys.size() - 1)];
    const RegHandle hive = key.first;
    std::wstring path = hive >= kFirstHive && hive < kFirstHive + kHiveNames.size()
                            ? std::wstring(kHiveNames[hive - kFirstHive])
                            : L"HKEY_" + WideText(in, 12);
    if (!key.second.empty() || in.ConsumeBool()) path += L"\\" + quorvane::AnsiToWide(key.second);
    switch (in.ConsumeIntegralInRange(0, 6)) {
        case 0: path.push_back(L'\\'); break;
        case 1: path[0] = L'h'; break;
        case 2: path.insert(path.find(L'\\') == std::wstring::npos ? path.size() : path.find(L'\\'), L"\\"); break;
        case 3: path += WideText(in, 8); break;
        default: break;
    }
    return path;
}

std::wstring ValueName(FuzzedDataProvider& in, const std::vector<std::string>& names) {
    if (names.empty() || in.ConsumeIntegralInRange(0, 3) == 0) return WideText(in, 24);
    return quorvane::AnsiToWide(names[in.ConsumeIntegralInRange<std::size_t>(0, names.size() - 1)]);
}

// ---------------------------------------------------------------------------------------

bool Verbose() {
    static const bool verbose = std::getenv("QUORVANE_FUZZ_VERBOSE") != nullptr;
    return verbose;
}

std::string Shown(std::wstring_view text) {
    std::string out;
    for (const wchar_t c : text) {
        if (c >= 0x20 && c < 0x7F && c != L'\\') {
            out.push_back(static_cast<char>(c));
        } else {
            char escaped[16];
            std::snprintf(escaped, sizeof escaped, "\\x{%X}", static_cast<unsigned>(c));
            out += escaped;
        }
    }
    return out;
}

std::wstring_view TrimSpaces(std::wstring_view text) {
    while (!text.empty() && text.front() == L' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == L' ') text.remove_suffix(1);
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);

    FakeRegistry fake;
    fake.closeStatus = Status(in);
    fake.trailing = in.ConsumeBool() ? in.ConsumeRandomLengthString(kBuffer + 10) : std::string();

    std::vector<KeyId> keys;
    std::vector<std::string> names;
    const int keyCount = in.ConsumeIntegralInRange(0, 3);
    for (int k = 0; k < keyCount; ++k) {
        const KeyId key{Hive(in), in.ConsumeRandomLengthString(80)};
        fake.AddKey(key.first, key.second);
        keys.push_back(key);
        const int valueCount = in.ConsumeIntegralInRange(0, 3);
        for (int v = 0; v < valueCount; ++v) {
            std::string name = in.ConsumeRandomLengthString(20);
            FakeRegistry::Value value{in.ConsumeRandomLengthString(kBuffer + 10), std::nullopt};
            if (in.ConsumeIntegralInRange(0, 3) == 0) value.status = Status(in);
            fake.SetRaw(key.first, key.second, name, std::move(value));
            names.push_back(std::move(name));
        }
    }

    WatchedRegistry registry(fake);
    RecordingMessages messages;
    General reader(registry, messages);
    RegHandle hive = 0;  // the hive found by the last path that passed the format test

    const int reads = in.ConsumeIntegralInRange(1, 4);
    for (int r = 0; r < reads; ++r) {
        const std::wstring original = KeyPath(in, keys);
        const std::wstring name = ValueName(in, names);
        if (in.ConsumeIntegralInRange(0, 4) == 0) {
            const std::int32_t refusal = Status(in);
            if (refusal != quorvane::kStatusSuccess) registry.refuseNextOpen = refusal;
        }

        const int opens = registry.opens;
        const int queries = registry.queries;
        const int closes = registry.closes;
        const std::size_t shown = messages.shown.size();

        std::wstring path = original;
        const RegistryValue result = reader.ReadRegistryString(path, name);
        registry.refuseNextOpen.reset();

        if (Verbose()) {
            static constexpr std::array<const char*, 3> kKinds{"Empty", "Error", "Text"};
            std::fprintf(stderr, "read %d: path \"%s\" value \"%s\" -> %s \"%s\", path now \"%s\"\n", r + 1,
                         Shown(original).c_str(), Shown(name).c_str(), kKinds[static_cast<int>(result.kind())],
                         Shown(result.text()).c_str(), Shown(path).c_str());
        }

        // Never a handle left open, whatever happened.
        FUZZ_CHECK(registry.openNow.empty());
        FUZZ_CHECK(fake.openKeys == 0);
        FUZZ_CHECK(result.text().size() <= kBuffer - 1);

        // The format test and its message; a path that fails it keeps the last hive.
        const bool wellFormed = original.starts_with(L"HKEY_") && !original.ends_with(L'\\');
        FUZZ_CHECK(messages.shown.size() == shown + (wellFormed ? 0 : 1));
        if (!wellFormed) FUZZ_CHECK(messages.shown.back() == L"Incorrect Format:\n\n" + original);
        std::wstring subKey = original;
        if (wellFormed) {
            const std::size_t slash = original.find(L'\\');
            hive = HiveNamed(std::wstring_view(original).substr(0, slash));
            subKey = slash == std::wstring::npos ? std::wstring() : original.substr(slash + 1);
        }
        FUZZ_CHECK(reader.HiveHandle == hive);

        if (hive == 0) {  // nothing named a hive: nothing is opened
            FUZZ_CHECK(result == RegistryValue::Empty());
            FUZZ_CHECK(registry.opens == opens && registry.queries == queries && registry.closes == closes);
            FUZZ_CHECK(path == subKey);
            continue;
        }

        // One open of the subkey, in the ANSI code page; the path comes back through it,
        // each character as it was or, where the code page has no such character, '?'.
        FUZZ_CHECK(registry.opens == opens + 1);
        FUZZ_CHECK(registry.lastOpen.hive == hive);
        FUZZ_CHECK(registry.lastOpen.subKey == quorvane::WideToAnsi(subKey));
        FUZZ_CHECK(registry.lastOpen.options == 0 && registry.lastOpen.access == quorvane::kKeyRead);
        FUZZ_CHECK(path.size() == subKey.size());
        for (std::size_t i = 0; i < path.size(); ++i) FUZZ_CHECK(path[i] == subKey[i] || path[i] == L'?');
        FUZZ_CHECK(quorvane::WideToAnsi(path) == registry.lastOpen.subKey);

        if (registry.lastOpenStatus != quorvane::kStatusSuccess) {
            FUZZ_CHECK(result == RegistryValue::Error());
            FUZZ_CHECK(reader.LastResult == registry.lastOpenStatus);
            FUZZ_CHECK(registry.queries == queries && registry.closes == closes);
            continue;
        }

        // One query of the value by its ANSI name, and the key closed once after it.
        FUZZ_CHECK(registry.queries == queries + 1);
        FUZZ_CHECK(registry.lastQueriedName == quorvane::WideToAnsi(name));
        FUZZ_CHECK(registry.closes == closes + 1);
        FUZZ_CHECK(registry.lastClosed == registry.lastOpened);
        FUZZ_CHECK(reader.ValueBufferLength == registry.lastQuerySize);

        if (registry.lastQueryStatus != quorvane::kStatusSuccess) {
            FUZZ_CHECK(result == RegistryValue::Error());
            FUZZ_CHECK(reader.LastResult == registry.lastQueryStatus);
            continue;
        }

        // The whole buffer as text, less the spaces around it and its last character.
        FUZZ_CHECK(reader.LastResult == fake.closeStatus);
        const std::wstring buffer = quorvane::AnsiToWide(registry.lastQueryBuffer);
        const std::wstring_view trimmed = TrimSpaces(buffer);
        FUZZ_CHECK(reader.ValueBuffer == trimmed);
        FUZZ_CHECK(result.kind() == RegistryValue::Kind::Text);
        FUZZ_CHECK(result.text() == (trimmed.empty() ? std::wstring() : std::wstring(trimmed.substr(0, trimmed.size() - 1))));
    }
    return 0;
}
