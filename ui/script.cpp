#include "ui/script.h"

#include "ui/dialog.h"

namespace ui {

namespace {
Script* g_active = nullptr;
}

Script* ActiveScript() {
    return g_active;
}

Script::Script() : m_previous(g_active) {
    g_active = this;
}

Script::~Script() {
    g_active = m_previous;
}

void Script::OnDialog(int templateId, Step step) {
    m_steps.push_back({templateId, std::move(step)});
}

void Script::AnswerMessageBox(int answer) {
    m_boxAnswers.push_back(answer);
}

void Script::AnswerOpenFile(const std::vector<std::string>& paths) {
    FileDialogResult r;
    r.confirmed = true;
    r.paths = paths;
    m_fileAnswers.push_back(r);
}

void Script::AnswerOpenFiles(const std::string& folder, const std::vector<std::string>& names) {
    FileDialogResult r;
    r.confirmed = true;
    r.folder = folder;
    r.names = names;
    for (const std::string& name : names) r.paths.push_back(folder + "\\" + name);
    m_fileAnswers.push_back(r);
}

void Script::CancelFileDialog() {
    m_fileAnswers.push_back(FileDialogResult{});
}

void Script::ShowRealFileDialog() {
    m_fileAnswers.push_back(std::nullopt);
}

void Script::AnswerFolder(std::optional<std::string> folder) {
    m_folderAnswers.push_back(std::move(folder));
}

void Script::FailToOpen(int templateId) {
    m_openFailures.push_back(templateId);
}

bool Script::TakeOpenFailure(int templateId) {
    if (m_openFailures.empty() || m_openFailures.front() != templateId) return false;
    m_openFailures.pop_front();
    return true;
}

bool Script::Finished() const {
    return m_steps.empty() && m_boxAnswers.empty() && m_fileAnswers.empty() &&
           m_folderAnswers.empty() && m_openFailures.empty() && m_errors.empty();
}

void Script::RunStep(Dialog& dialog) {
    m_opened.push_back(dialog.TemplateId());
    if (m_steps.empty() || m_steps.front().templateId != dialog.TemplateId()) {
        m_errors.push_back("dialog " + std::to_string(dialog.TemplateId()) +
                           " opened with no step for it");
        dialog.EndDialog(IdCancel);
        return;
    }
    Step step = std::move(m_steps.front().step);
    m_steps.pop_front();
    step(dialog);
    if (!dialog.IsEnding()) {
        m_errors.push_back("step left dialog " + std::to_string(dialog.TemplateId()) + " open");
        dialog.EndDialog(IdCancel);
    }
}

int Script::TakeMessageBoxAnswer(const MessageBoxCall& call) {
    m_boxes.push_back(call);
    if (m_boxAnswers.empty()) return IdOk;
    int answer = m_boxAnswers.front();
    m_boxAnswers.pop_front();
    return answer;
}

std::optional<FileDialogResult> Script::TakeFileAnswer() {
    if (m_fileAnswers.empty()) {
        m_errors.push_back("file dialog opened with no answer for it");
        return FileDialogResult{};
    }
    std::optional<FileDialogResult> r = std::move(m_fileAnswers.front());
    m_fileAnswers.pop_front();
    return r;
}

std::optional<std::string> Script::TakeFolderAnswer() {
    if (m_folderAnswers.empty()) {
        m_errors.push_back("folder browser opened with no answer for it");
        return std::nullopt;
    }
    std::optional<std::string> r = std::move(m_folderAnswers.front());
    m_folderAnswers.pop_front();
    return r;
}

}  // namespace ui
