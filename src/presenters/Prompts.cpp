#include "presenters/Prompts.h"

#include "framework/Errors.h"
#include "platform/CodePage.h"

std::string ErrorText(const std::exception& error) {
    if (auto* vetrinError = dynamic_cast<const EVetrinError*>(&error))
        // An error names system texts and paths, and source names only in code page 932 (the parse
        // and the rules raise nothing that quotes a name).
        return platform::TextToUtf8(vetrinError->Message(), platform::SystemCodePage());
    return error.what();
}

std::string ErrorText(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return ErrorText(e);
    } catch (...) {
        return "unknown error";
    }
}
