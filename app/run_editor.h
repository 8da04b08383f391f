// Starts the editor on the command line that Run left in the main window, captures what
// it prints into the window's output text, and returns when it has ended.
#pragma once

class CLoaderDlg;

void RunEditor(CLoaderDlg& dlg);
