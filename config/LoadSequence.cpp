#include "config/LoadSequence.h"

#include "config/Recognisers.h"

namespace quorvane {

LoadedForm RunLoadSequence(General& registry, MessageBoxApi& messages) {
    LoadedForm form;
    form.paths = FindInstallPaths(registry, messages, form.view);
    if (!form.paths.GameFound) return form;

    if (std::optional<ConfigLines> lines = ReadConfigLines(form.paths.ConfigPath)) {
        form.lines = std::move(*lines);
    } else {
        messages.Show(L"Cannot open:\n\n" + form.paths.ConfigPath);
        return form;
    }
    ScanConfigLines(form.lines, form.view);
    return form;
}

}  // namespace quorvane
