// The prompts port: the questions a presenter puts to the user and the errors it shows. Each face
// answers with its own dialogs (Qt's, the system's common dialogs on Windows); tests answer from
// a queue. Texts are UTF-8, and so are paths: in the native form (platform::NativePath) as the
// user reads and types them.
#pragma once

#include <exception>
#include <string>

// What a file dialog is asked for.
struct TFileRequest {
    enum TKind { Open, Save };
    TKind Kind = Open;
    std::string Caption;       // UTF-8
    std::string Folder;        // empty: the dialog's own choice
    std::string FileName;      // the name proposed (no folder), UTF-8
    std::string FilterName;    // UTF-8, "VBﾌﾟﾛｼﾞｪｸﾄ"
    std::string FilterPattern; // "*.vbp"; empty: every file
    std::string DefaultSuffix; // "vbp", added to a name typed without one
};

class TPrompts {
public:
    virtual ~TPrompts() = default;
    // The chosen file's path, or empty when the user cancelled. A save dialog asks
    // before overwriting a file that is there.
    virtual std::string AskFileName(const TFileRequest& request) = 0;
    // The application's error message box, with a UTF-8 message.
    virtual void ShowError(const std::string& message) = 0;
};

// The text of an error for the user, in UTF-8: the message of an EVetrinError converted from
// code page 932, or what() of any other exception.
std::string ErrorText(const std::exception& error);
std::string ErrorText(const std::exception_ptr& error);
