// Starts the editor on the command line that Run left in the main window, captures what
// it prints into the window's output text, and returns when it has ended.
#pragma once

class CLoaderDlg;
namespace sys {
class ProcessApi;
}

void RunEditor(CLoaderDlg& dlg);
// RunEditor through `api`. Nothing is thrown: a failure, an exception included, is told in
// one message box, and the main window comes back with what was gathered.
void RunEditorWith(CLoaderDlg& dlg, sys::ProcessApi& api);
