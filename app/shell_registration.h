// The registry entries that make the shell open .ds1 files with this program.
#pragma once

#include <string>

#include "sys/registry.h"

inline constexpr const char* kRegisterFailedMessage = "Failed to Register .ds1 Extension";
inline constexpr const char* kRegisteredMessage = ".ds1 extension registered successfully!";
inline constexpr const char* kRegisteredCaption = "Success";
inline constexpr const char* kMapClassName = "DiabloIIMap";
inline constexpr const char* kMapClassDescription = "Diablo II Map";

enum class Registration { Failed, MachineWide, CurrentUser };

// Writes the .ds1 type for `programPath` into HKEY_CLASSES_ROOT. A class name that .ds1
// already gives is kept; without one (no key, no value or an empty one) .ds1 is given
// "DiabloIIMap". A .ds1 value that is no string, or not one the code page holds, belongs to
// another program: it is kept and nothing is registered. When a key or value there cannot
// be written (a standard user may not write the machine-wide part), the same entries go
// under HKEY_CURRENT_USER\Software\Classes, which the shell merges into the same view.
// Registered only once the class and its open command are both written; entries written
// before a failure stay.
Registration RegisterMapFileType(sys::Registry& registry, const std::string& programPath);
