// Where the process takes DLLs from.
#pragma once

namespace sys::win32 {

// From now on, DLLs loaded by name (by this program or by the system's DLLs for it, such
// as the file dialogs') come from the system folder only: never from the current folder,
// which the program makes the editor's or a batch file's. False when the system refused.
bool LoadDllsOnlyFromSystem();

}  // namespace sys::win32
