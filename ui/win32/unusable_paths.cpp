#include "ui/win32/unusable_paths.h"

#include <optional>

#include "ui/dialog.h"
#include "ui/script.h"
#include "ui/types.h"
#include "ui/win32/util.h"
#include "ui/win32/wide.h"

namespace ui::win32 {

std::vector<std::string> UsablePaths(const std::vector<std::wstring>& paths,
                                     std::vector<std::wstring>& refused) {
    std::vector<std::string> usable;
    for (const std::wstring& path : paths) {
        if (std::optional<std::string> text = NarrowExact(path))
            usable.push_back(std::move(*text));
        else
            refused.push_back(path);
    }
    return usable;
}

std::wstring UnusablePathsText(const std::vector<std::wstring>& paths) {
    std::wstring text = paths.size() == 1 ? kUnusablePathMessage : kUnusablePathsMessage;
    text += L"\n";
    for (const std::wstring& path : paths) text += L"\n" + path;
    return text;
}

void RefuseUnusablePaths(const Dialog* owner, const std::vector<std::wstring>& paths) {
    if (paths.empty()) return;
    const std::wstring text = UnusablePathsText(paths);
    // A script records the box in the code page, where the paths show as the system
    // would show them; the real box names them as they are.
    MessageBoxCall call{owner ? owner->TemplateId() : 0, Narrow(text), "ERROR",
                        MbOk | MbIconExclamation};
    std::optional<int> answer;
    if (Script* script = ActiveScript()) answer = script->TakeMessageBoxAnswer(call);
    ShowBox(WindowOf(owner), text, L"ERROR", call.flags, answer);
}

}  // namespace ui::win32
