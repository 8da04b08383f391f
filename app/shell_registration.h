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
// "DiabloIIMap". When a key there cannot be created (a standard user may not write the
// machine-wide part), the same entries go under HKEY_CURRENT_USER\Software\Classes, which
// the shell merges into the same view. Entries written before a failure stay.
Registration RegisterMapFileType(sys::Registry& registry, const std::string& programPath);
