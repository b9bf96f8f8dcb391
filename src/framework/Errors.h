// The failures the system knows. Every message is text in the working code page (932).
#pragma once

#include <exception>
#include <string>
#include <string_view>

class EVetrinError : public std::exception {
public:
    explicit EVetrinError(std::string message) : Message_(std::move(message)) {}
    const char* what() const noexcept override { return Message_.c_str(); }
    const std::string& Message() const { return Message_; }

private:
    std::string Message_;
};

// A general error with a message of the caller's ("TVetrins.Add").
class EGeneralError : public EVetrinError {
public:
    using EVetrinError::EVetrinError;
};

// "'%s' は整数ではありません", or a count that promises more lines than there are
class EConvertError : public EVetrinError {
public:
    static EConvertError NotInteger(std::string_view text);
    // "件数 %d に対して行が足りません (残り %s 行)": a count larger than the lines left.
    static EConvertError MissingLines(long long count, long long left);
    using EVetrinError::EVetrinError;
};

// A checker project file that cannot be loaded: "%s(%d) : " (file, line) before what is wrong
// there, or the file's name before "ルールの設定が一つもありません" for a file that holds no
// rule's section at all.
class ECheckerProjectError : public EVetrinError {
public:
    ECheckerProjectError(std::string_view fileName, int line, std::string_view what);
    static ECheckerProjectError NoRuleSection(std::string_view fileName);

private:
    using EVetrinError::EVetrinError;
};

// An internal consistency check, shown as "%s (%s, %d 行)" (message, unit, line).
class EAssertionFailed : public EVetrinError {
public:
    EAssertionFailed(std::string_view message, std::string_view unit, int line);
    // The runtime's default message "アサート失敗".
    static EAssertionFailed Default(std::string_view unit, int line);
};

// "ファイル %s は開けません"
class EFOpenError : public EVetrinError {
public:
    explicit EFOpenError(std::string_view fileName);
};

// "ファイル %s を作成できません"
class EFCreateError : public EVetrinError {
public:
    explicit EFCreateError(std::string_view fileName);
};

// "Abstract エラー": an operation a class must supply and did not.
class EAbstractError : public EVetrinError {
public:
    EAbstractError();
};

// "%1:d 番目の文字（'%0:s'）は正しくないマスク文字です"
class EMaskError : public EVetrinError {
public:
    EMaskError(std::string_view pattern, int position);
};

// A list index outside the list.
class EListError : public EVetrinError {
public:
    explicit EListError(long long index);
};
