#include "app/UserPrompts.h"

#include "app/AppTexts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

std::string TUserPrompts::AskFileName(const TFileRequest& request) {
    QString filter = Ui(request.FilterName) + QStringLiteral(" (") +
                     Ui(request.FilterPattern.empty() ? "*" : request.FilterPattern) +
                     QLatin1Char(')');
    QFileDialog dialog(QApplication::activeWindow(), Ui(request.Caption), Ui(request.Folder),
                       filter);
    dialog.setAcceptMode(request.Kind == TFileRequest::Save ? QFileDialog::AcceptSave
                                                            : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.Kind == TFileRequest::Save ? QFileDialog::AnyFile
                                                          : QFileDialog::ExistingFile);
    if (!request.DefaultSuffix.empty()) dialog.setDefaultSuffix(Ui(request.DefaultSuffix));
    if (!request.FileName.empty()) dialog.selectFile(Ui(request.FileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst().toStdString();
}

void TUserPrompts::ShowError(const std::string& message) {
    QMessageBox::critical(QApplication::activeWindow(), Ui(uitext::AppTitle), Ui(message));
}

namespace {
TUserPrompts DialogPrompts;
TPrompts* CurrentPrompts = &DialogPrompts;
} // namespace

TPrompts& Prompts() { return *CurrentPrompts; }
void SetPrompts(TPrompts* prompts) { CurrentPrompts = prompts ? prompts : &DialogPrompts; }
