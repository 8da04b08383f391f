#include "app/loader_app.h"

#include "app/command_line.h"
#include "app/loader_dlg.h"
#include "app/run_editor.h"
#include "sys/fs.h"
#include "ui/modal.h"
#include "ui/types.h"

namespace {
CLoaderApp* g_app = nullptr;
}

CLoaderApp* TheApp() {
    return g_app;
}

CLoaderApp::CLoaderApp()
    : m_runEditor(RunEditor), m_programFilePath([] { return sys::ProgramFilePath(255); }) {
    g_app = this;
}

CLoaderApp::~CLoaderApp() {
    if (g_app == this) g_app = nullptr;
}

bool CLoaderApp::InitInstance(const std::string& cmdLine) {
    m_mainDlg = std::make_unique<CLoaderDlg>();
    TakeCommandLine(cmdLine);
    std::optional<std::string> startDir = sys::CurrentDirectory(255);
    m_strExeDir = ProgramDirectory(m_programFilePath(), startDir);
    RunDialogLoop();
    m_mainDlg.reset();
    return false;
}

void CLoaderApp::TakeCommandLine(const std::string& cmdLine) {
    CommandLinePaths taken = ParseCommandLinePaths(cmdLine, kMaxFileRows);
    for (std::size_t i = 0; i < taken.paths.size(); ++i)
        m_mainDlg->m_savedRows[i].path = taken.paths[i];

    // The main window does not exist yet: these boxes have no owner.
    if (taken.tooLong > 0) ui::ShowErrorMessage(nullptr, kCommandLineTooLongMessage);
    if (taken.beyondLimit > 0) ui::ShowErrorMessage(nullptr, kCommandLineTooManyMessage);
}

void CLoaderApp::RunDialogLoop() {
    for (;;) {
        intptr_t code = m_mainDlg->DoModal();
        if (code == ui::IdOk && m_runEditor) m_runEditor(*m_mainDlg);
        // Nothing queued for the last showing may reach the next one.
        ui::DiscardQueuedMessages();
        if (code != ui::IdOk) break;
    }
}
