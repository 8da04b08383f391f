// Names of the temporary files a save writes beside its target.
#pragma once

#include <cstdint>
#include <string>

namespace sys {

// A short name of its own for each save of this process: two programs, or two threads,
// saving into one folder never write the same temporary file. Short, so that a target the
// program accepted still fits the system's limits when the name is longer than the
// target's own. The creator still opens it exclusively and asks again when it is taken.
std::string NextTemporaryName(uint32_t processId);

// How often a save asks for another name when the one given is taken.
inline constexpr int kTemporaryNameAttempts = 100;

}  // namespace sys
