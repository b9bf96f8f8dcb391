// The Qt face's answer to the prompts port: Qt's file dialogs and message boxes.
#pragma once

#include "presenters/Prompts.h"

class QWidget;

// The dialogs, over the active window.
class TUserPrompts : public TPrompts {
public:
    std::string AskFileName(const TFileRequest& request) override;
    void ShowError(const std::string& message) override;
};

// The prompts the windows use. Tests put in their own answers so that nothing waits for a person.
TPrompts& Prompts();
// Replaces the prompts (nullptr restores the dialogs); the caller keeps ownership.
void SetPrompts(TPrompts* prompts);
