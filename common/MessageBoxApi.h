#pragma once
// The program's message boxes: modal, OK alone, no icon, titled with the application title.

#include <string>
#include <string_view>

namespace quorvane {

inline constexpr std::wstring_view kAppTitle = L"Quorvane by Pellowan";

class MessageBoxApi {
public:
    virtual ~MessageBoxApi() = default;
    // Returns when the user has closed the box.
    virtual void Show(const std::wstring& text) = 0;
};

}  // namespace quorvane
