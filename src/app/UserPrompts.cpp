#include "app/UserPrompts.h"

#include "app/AppTexts.h"

#include <QFileDialog>
#include <QMessageBox>

QString TUserPrompts::AskFileName(QWidget* parent, const TFileRequest& request) {
    QFileDialog dialog(parent, request.Caption, request.Folder, request.Filter);
    dialog.setAcceptMode(request.Kind == TFileRequest::Save ? QFileDialog::AcceptSave
                                                            : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.Kind == TFileRequest::Save ? QFileDialog::AnyFile
                                                          : QFileDialog::ExistingFile);
    if (!request.DefaultSuffix.isEmpty()) dialog.setDefaultSuffix(request.DefaultSuffix);
    if (!request.FileName.isEmpty()) dialog.selectFile(request.FileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

void TUserPrompts::ShowError(QWidget* parent, const QString& message) {
    QMessageBox::critical(parent, apptext::AppTitle, message);
}

namespace {
TUserPrompts DialogPrompts;
TUserPrompts* CurrentPrompts = &DialogPrompts;
} // namespace

TUserPrompts& Prompts() { return *CurrentPrompts; }
void SetPrompts(TUserPrompts* prompts) { CurrentPrompts = prompts ? prompts : &DialogPrompts; }
