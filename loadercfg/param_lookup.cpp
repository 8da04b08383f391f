#include "loadercfg/param_lookup.h"

#include <vector>

#include "loadercfg/param_scan.h"
#include "loadercfg/select_params_dlg.h"
#include "sys/fs.h"
#include "ui/modal.h"
#include "ui/types.h"

namespace {

// Longest part of a bad line quoted in its message; the rest is left out.
constexpr std::size_t kQuotedLineChars = 254;

LookupResult Fail(ui::Dialog* owner, const std::string& text) {
    ui::ShowErrorMessage(owner, text);
    return LOOKUP_FAILED;
}

std::string QuoteLine(std::string_view line) {
    if (line.size() <= kQuotedLineChars) return std::string(line);
    return std::string(line.substr(0, kQuotedLineChars)) + "...";
}

}  // namespace

LookupResult LookupParams(const std::string& mapPath, ui::Dialog* owner, ParamEntry& result,
                          unsigned flags, const std::string& iniPath) {
    std::string name = LowerFileName(mapPath);
    // An empty name would fit every line of the table.
    if (name.empty()) return Fail(owner, "No File Name in \"" + mapPath + "\"");

    std::vector<ParamEntry> candidates;
    {
        std::string bytes;
        if (!sys::ReadWholeFile(iniPath, bytes)) return Fail(owner, kNoLoaderIniMessage);
        FittingLines fitting = FindFittingLines(bytes, name);
        if (!fitting.hasParamsSection)
            return Fail(owner, "Unable to Find [PARAMS] Section in kelvorn_loader.ini");
        if (fitting.lines.empty())
            return Fail(owner, "Unable to Find " + name + " in kelvorn_loader.ini");
        for (std::string_view line : fitting.lines) {
            // A row that cannot be taken whole is reported rather than cut or guessed at.
            if (!ParseParamLine(line, candidates.emplace_back()))
                return Fail(owner, "Bad Line in kelvorn_loader.ini: " + QuoteLine(line));
        }
    }

    if (candidates.size() == 1) {
        result = candidates.front();
        return LOOKUP_FOUND;
    }

    CSelectParamsDlg dialog(owner);
    dialog.m_strTitle = "Select the Right \"" + name + "\"";
    for (const ParamEntry& c : candidates)
        dialog.AddCandidate(c.levelName, c.gamePath, c.lvlTypeId, c.lvlPrestDef);
    dialog.m_bNoSkip = (flags & LOOKUP_NO_SKIP) != 0;
    dialog.m_bNoCancel = (flags & LOOKUP_NO_CANCEL) != 0;
    // A dialog that could not be shown chose nothing: that counts as a cancel.
    if (dialog.DoModal() != ui::IdOk) return LOOKUP_CANCELLED;
    if (dialog.m_bSkipped) return LOOKUP_SKIPPED;
    result = dialog.m_chosen;
    return LOOKUP_FOUND;
}
