// Faults the fuzzers found, kept as plain tests. The inputs that found them are in
// fuzz/regressions/ and are replayed by scripts/fuzz.sh as well.

#include "registry/AnsiText.h"
#include "registry/General.h"
#include "tests/support/FakeRegistry.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvane {
namespace {

using testing::FakeRegistry;
using testing::RecordingMessages;

constexpr RegHandle kUsers = 0x80000003;

// fuzz/regressions/registry/supplementary-char-in-key-path. wchar_t is 32 bits here, and
// the conversion to the ANSI code page looked characters up in its 0x80-0x9F table by
// their low 16 bits only: U+D201E went out as 0x84, the byte of U+201E.
TEST(FuzzRegression, CharactersBeyondSixteenBitsHaveNoAnsiByte) {
    EXPECT_EQ(WideToAnsi(std::wstring(1, static_cast<wchar_t>(0xD201E))), "?");
    EXPECT_EQ(WideToAnsi(std::wstring(1, static_cast<wchar_t>(0x120AC))), "?");
    EXPECT_EQ(WideToAnsi(std::wstring(1, static_cast<wchar_t>(0x10178))), "?");
    // The characters they were taken for still have their bytes.
    EXPECT_EQ(WideToAnsi(L"\u201E\u20AC\u0178"), "\x84\x80\x9F");
}

TEST(FuzzRegression, KeyPathWithSuchACharacterDoesNotOpenAnotherKey) {
    FakeRegistry registry;
    RecordingMessages messages;
    General reader{registry, messages};
    registry.SetString(kUsers, "b\xFF\x84", "V", "another key's value");

    std::wstring path = L"HKEY_USERS\\b\u00FF" + std::wstring(1, static_cast<wchar_t>(0xD201E));
    EXPECT_EQ(reader.ReadRegistryString(path, L"V"), RegistryValue::Error());
    ASSERT_EQ(registry.opens.size(), 1u);
    EXPECT_EQ(registry.opens[0].subKey, "b\xFF?");
    EXPECT_EQ(path, L"b\u00FF?") << "the path comes back through the code page";
    EXPECT_EQ(registry.openKeys, 0);
}

}  // namespace
}  // namespace quorvane
