// The file and message dialogs that the windows ask the user through.
#pragma once

#include <QString>

class QWidget;

// What a file dialog is asked for.
struct TFileRequest {
    enum TKind { Open, Save };
    TKind Kind = Open;
    QString Caption;
    QString Folder;
    QString FileName;
    QString Filter;
    QString DefaultSuffix;
};

// The questions the windows put to the user. The desktop answers with real dialogs; tests put
// in their own answers so that nothing waits for a person.
class TUserPrompts {
public:
    virtual ~TUserPrompts() = default;
    // The chosen file's path, or empty when the user cancelled.
    virtual QString AskFileName(QWidget* parent, const TFileRequest& request);
    // The application's standard error message box.
    virtual void ShowError(QWidget* parent, const QString& message);
};

TUserPrompts& Prompts();
// Replaces the prompts (nullptr restores the dialogs); the caller keeps ownership.
void SetPrompts(TUserPrompts* prompts);
