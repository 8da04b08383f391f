// Help > Register Extension: the shell opens .ds1 files with this program from now on.
#include "app/loader_dlg.h"
#include "app/shell_registration.h"
#include "sys/fs.h"
#include "sys/registry.h"
#include "ui/modal.h"

void CLoaderDlg::OnRegisterExtension() {
    const std::optional<std::string> program = sys::ProgramFilePath(500);
    if (!program || RegisterMapFileType(sys::SystemRegistry(), *program) == Registration::Failed) {
        ui::ShowErrorMessage(this, kRegisterFailedMessage);
        return;
    }
    // Explorer shows the new type and icon at once, not after the next logon.
    sys::NotifyFileTypesChanged();
    ui::ShowMessageBox(this, kRegisteredMessage, kRegisteredCaption,
                       ui::MbOk | ui::MbIconExclamation);
}
