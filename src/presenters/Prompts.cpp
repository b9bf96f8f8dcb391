#include "presenters/Prompts.h"

#include "framework/Errors.h"
#include "platform/CodePage.h"

std::string ErrorText(const std::exception& error) {
    if (auto* vetrinError = dynamic_cast<const EVetrinError*>(&error))
        return platform::TextToUtf8(vetrinError->Message());
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
