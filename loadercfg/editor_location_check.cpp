#include "loadercfg/editor_location_check.h"

#include <algorithm>

namespace {

bool BreaksCommandLine(std::string_view value) {
    return std::any_of(value.begin(), value.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte == '"' || byte < 0x20 || byte == 0x7f;
    });
}

}  // namespace

std::string UnusableEditorLocationMessage(std::string_view folder, std::string_view name) {
    const char* key = BreaksCommandLine(folder) ? "kelvornpath"
                      : BreaksCommandLine(name) ? "kelvornname"
                                                : nullptr;
    if (!key) return {};
    return std::string(key) +
           " in kelvorn_loader.ini holds a double quote or a control character, which would "
           "break the editor's command line. Please choose the editor again with Browse under "
           "Edit > Loader's ini.";
}
