// A test script answers modal dialogs, message boxes and file dialogs in the order they
// open, on either backend. Constructing one makes it active; destroying it deactivates it.
//
//   ui::Script script;
//   script.OnDialog(132, [](ui::Dialog& d) { d.ClickButton(1017); });  // press Skip
//   script.AnswerMessageBox(ui::IdOk);
//
// Anything the script did not expect is recorded in Errors(): a dialog with no step left
// (it ends with IdCancel), a step that left its dialog open (ended with IdCancel), a file
// or folder dialog with no answer left (cancelled). A message box with no answer queued
// is answered IdOk; every box shown is recorded in MessageBoxes().
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/types.h"

namespace ui {

class Dialog;

class Script {
  public:
    using Step = std::function<void(Dialog&)>;

    Script();
    ~Script();
    Script(const Script&) = delete;
    Script& operator=(const Script&) = delete;

    void OnDialog(int templateId, Step step);
    void AnswerMessageBox(int answer);
    void AnswerOpenFile(const std::vector<std::string>& paths);  // one file: its full path
    void AnswerOpenFiles(const std::string& folder, const std::vector<std::string>& names);
    void CancelFileDialog();
    // The next file dialog is the backend's own: a real one that the test drives itself on
    // win32, a cancelled one on the memory backend.
    void ShowRealFileDialog();
    void AnswerFolder(std::optional<std::string> folder);
    // The next showing of dialog `templateId` fails as one whose template cannot be loaded.
    void FailToOpen(int templateId);

    const std::vector<MessageBoxCall>& MessageBoxes() const { return m_boxes; }
    const std::vector<int>& DialogsOpened() const { return m_opened; }
    const std::vector<std::string>& Errors() const { return m_errors; }
    // True when every queued step and answer has been used and nothing went wrong.
    bool Finished() const;

    // ---- used by the framework ----
    // Runs the next step for `dialog`; ends the dialog with IdCancel if the step does not.
    void RunStep(Dialog& dialog);
    int TakeMessageBoxAnswer(const MessageBoxCall& call);
    // nullopt: the backend shows the dialog.
    std::optional<FileDialogResult> TakeFileAnswer();
    std::optional<std::string> TakeFolderAnswer();
    bool TakeOpenFailure(int templateId);
    void RecordError(const std::string& error) { m_errors.push_back(error); }

  private:
    struct DialogStep {
        int templateId;
        Step step;
    };
    std::deque<DialogStep> m_steps;
    std::deque<int> m_boxAnswers;
    std::deque<std::optional<FileDialogResult>> m_fileAnswers;
    std::deque<std::optional<std::string>> m_folderAnswers;
    std::deque<int> m_openFailures;
    std::vector<MessageBoxCall> m_boxes;
    std::vector<int> m_opened;
    std::vector<std::string> m_errors;
    Script* m_previous;
};

Script* ActiveScript();

}  // namespace ui
