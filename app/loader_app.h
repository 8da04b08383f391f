// The application: takes the command line, finds the program directory and shows the main
// window again and again, starting the editor each time it ends with OK.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

class CLoaderDlg;

class CLoaderApp {
  public:
    // The new object becomes the running application (TheApp) until it is destroyed.
    CLoaderApp();
    ~CLoaderApp();
    CLoaderApp(const CLoaderApp&) = delete;
    CLoaderApp& operator=(const CLoaderApp&) = delete;

    // The whole life of the program; `cmdLine` is the command line without the program
    // name. Returns false: nothing is left to do when it returns.
    bool InitInstance(const std::string& cmdLine);

    // The program directory with its trailing separator; the working directory while the
    // main window is shown.
    std::string m_strExeDir;

    // The main window while InitInstance runs, else null.
    CLoaderDlg* MainDialog() const { return m_mainDlg.get(); }

    // Called after each OK of the main window: RunEditor, unless a test puts its own here.
    std::function<void(CLoaderDlg&)> m_runEditor;
    // Where the program file lies: asked of the system, unless a test puts its own here.
    std::function<std::optional<std::string>()> m_programFilePath;

  private:
    void TakeCommandLine(const std::string& cmdLine);
    void RunDialogLoop();

    std::unique_ptr<CLoaderDlg> m_mainDlg;
};

// The running application, null when there is none.
CLoaderApp* TheApp();
