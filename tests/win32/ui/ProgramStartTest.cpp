// What the program does when something stops it: one box saying what, and exit code 3.
#include "app/Startup.h"
#include "tests/support/FakeRegistry.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <stdexcept>

namespace quorvane::testing {

TEST(ProgramStart, WhateverStopsTheProgramIsSaidInOneBoxAndEndsItWithCode3) {
    const struct {
        std::function<int()> run;
        const wchar_t* shown;  // none: no box
        int code;
    } rows[] = {
        {[] { return 0; }, nullptr, 0},
        {[]() -> int { throw std::bad_alloc(); }, L"Quorvane stopped:\n\nnot enough memory", 3},
        {[]() -> int { throw std::runtime_error("no caf\xE9"); }, L"Quorvane stopped:\n\nno caf\u00e9", 3},
        {[]() -> int { throw 1; }, L"Quorvane stopped:\n\nan unexpected error", 3},
    };
    ASSERT_EQ(::GetACP(), 1252u) << "the rows' text is in Windows-1252";
    for (const auto& row : rows) {
        RecordingMessages messages;
        EXPECT_EQ(RunGuarded(row.run, messages), row.code);
        EXPECT_EQ(messages.shown, row.shown ? std::vector<std::wstring>{row.shown} : std::vector<std::wstring>{});
    }
}

}  // namespace quorvane::testing
