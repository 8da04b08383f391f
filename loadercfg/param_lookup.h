// Resolving one map to one row of the parameter table in kelvorn_loader.ini.
#pragma once

#include <string>

#include "loadercfg/loader_settings.h"
#include "loadercfg/param_entry.h"

namespace ui {
class Dialog;
}

enum LookupResult {
    LOOKUP_FOUND = 0,      // the result was filled
    LOOKUP_FAILED = 1,     // a message box told the user why
    LOOKUP_CANCELLED = 2,  // the user cancelled the choice
    LOOKUP_SKIPPED = 3,    // the user skipped the map
};

// Flags for the choice dialog shown when several rows fit.
inline constexpr unsigned LOOKUP_NO_CANCEL = 1;
inline constexpr unsigned LOOKUP_NO_SKIP = 2;

// Finds the rows of the table at `iniPath`, as the file is now, that begin with the
// lower-case file name of `mapPath`; one row is taken as it is, several are offered in the
// choice dialog. Malformed fitting rows are reported in one message and left out. Messages and the
// dialog are owned by `owner`. `result` changes only when the lookup returns LOOKUP_FOUND.
LookupResult LookupParams(const std::string& mapPath, ui::Dialog* owner, ParamEntry& result,
                          unsigned flags, const std::string& iniPath = kLoaderIniName);
