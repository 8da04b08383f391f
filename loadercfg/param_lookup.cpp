#include "loadercfg/param_lookup.h"

#include <string_view>
#include <vector>

#include "loadercfg/param_scan.h"
#include "loadercfg/select_params_dlg.h"
#include "loadercfg/table_file.h"
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

// One copy for the whole program: a list rebuild looks up every map in the same table.
TableFile& TheTable() {
    static TableFile table;
    return table;
}

}  // namespace

LookupResult LookupParams(const std::string& mapPath, ui::Dialog* owner, ParamEntry& result,
                          unsigned flags, const std::string& iniPath) {
    std::string name = LowerFileName(mapPath);
    // An empty name would fit every line of the table.
    if (name.empty()) return Fail(owner, "No File Name in \"" + mapPath + "\"");

    std::vector<ParamEntry> candidates;
    {
        const ParamIndex* table = TheTable().Read(iniPath);
        if (!table) return Fail(owner, kNoLoaderIniMessage);
        FittingLines fitting = table->Find(name);
        if (!fitting.hasParamsSection)
            return Fail(owner, "Unable to Find [PARAMS] Section in kelvorn_loader.ini");
        if (fitting.lines.empty())
            return Fail(owner, "Unable to Find " + name + " in kelvorn_loader.ini");
        // A row that cannot be taken whole is reported rather than cut or guessed at; the
        // well-formed rows still count.
        std::vector<std::string_view> bad;
        for (std::string_view line : fitting.lines) {
            ParamEntry entry;
            if (ParseParamLine(line, entry))
                candidates.push_back(std::move(entry));
            else
                bad.push_back(line);
        }
        if (!bad.empty()) {
            std::string text = "Bad Line in kelvorn_loader.ini: " + QuoteLine(bad.front());
            if (bad.size() > 1) text += " (and " + std::to_string(bad.size() - 1) + " more)";
            ui::ShowErrorMessage(owner, text);
            if (candidates.empty()) return LOOKUP_FAILED;
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
