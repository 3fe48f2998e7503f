#include "config/LoadSequence.h"

#include "config/Recognisers.h"

namespace quorvane {

std::wstring CannotOpenText(const std::wstring& configPath) { return L"Cannot open:\n\n" + configPath; }

bool SettingChanged(const Setting& setting, const SettingsView& was, const SettingsView& now) {
    const int n = setting.control;
    return setting.rule == Rule::Flag ? was.Check[n] != now.Check[n] : was.Text[n] != now.Text[n];
}

LoadedForm RunLoadSequence(General& registry, MessageBoxApi& messages,
                           const std::function<void(const InstallPaths&)>& found) {
    LoadedForm form;
    form.paths = FindInstallPaths(registry, messages, form.view);
    if (!form.paths.GameFound) return form;
    found(form.paths);

    std::optional<ConfigLines> lines = ReadConfigLines(form.paths.ConfigPath);
    if (!lines) {
        messages.Show(CannotOpenText(form.paths.ConfigPath));
        return form;
    }
    form.lines = std::move(*lines);
    form.configRead = true;
    ScanConfigLines(form.lines, form.view);
    return form;
}

}  // namespace quorvane
