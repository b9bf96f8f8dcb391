// Every text of the engine that a user reads, keyed: its Japanese and its English form side by
// side, written once in UTF-8, with named fields in braces ("ローカル変数 {name} は未使用です。").
// The engine's texts are code page 932 bytes; each template is converted once, at first use.
#pragma once

#include "framework/Language.h"

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

enum class TText : std::uint16_t {
    // The findings' messages.
    NoOptionExplicit,
    AutoIncrementOff,
    AutoIncrementOn,
    UnusedLocalVariable,
    UnusedArgument,
    NamingViolation,
    ImplicitPublic,
    LineTooLong,
    EmptyProcedure,
    UnusedProcedure,
    UnusedModuleVariable,
    UnusedConstant,
    UnusedDeclare,
    UnusedType,
    UnusedEnum,
    ResumeNextNotReset,
    ImplicitVariantVariable,
    ImplicitVariantArgument,
    ImplicitVariantFunction,
    ImplicitByRef,
    GoToProhibited,
    GoSubProhibited,
    TooManyStatements,
    TooDeepNesting,
    TooComplex,
    // Log lines.
    LogChecking,
    LogSkipNotParsed,
    LogSkipNotTarget,
    LogDone,
    LogDoneUntimed,
    LogParsing,
    LogParsed,
    LogNotFound,
    LogImplicitPublicSearchFailed,
    // Errors.
    NotInteger,
    MissingLines,
    NoRuleSection,
    AssertFormat,
    AssertDefault,
    FileOpen,
    FileCreate,
    Abstract,
    InvalidMask,
    ListIndex,
    ShowDetail,
    UnfinishedMethod,
    UnclosedArguments,
    OutOfMemory,
    ParseOutOfMemory,
    MemberIsFolder,
    MemberNotAFile,
    NotAProject,
    // Not a text: their number.
    Count
};

// A field's name and its value (code page bytes, source text marked as such).
struct TTextField {
    std::string_view Name;
    std::string_view Value;
};

// The key's stable name ("UnusedLocalVariable"), as JSON, SARIF and baselines write it.
std::string_view TextId(TText key);
// The key of a stable name, or none.
std::optional<TText> FindTextId(std::string_view id);
// The template in UTF-8.
std::string_view TextUtf8(TText key, TLanguage language);
// The template in code page 932.
const std::string& TextCp932(TText key, TLanguage language);
// The names of the template's fields in the order of their first appearance in the Japanese
// form; the English form names the same fields, perhaps in another order.
std::span<const std::string> TextFieldNames(TText key);

// The template with each "{name}" replaced by the value of the field of that name; values are
// never scanned for fields themselves, and a name without a field stays as it is written. The
// template is code page 932, or UTF-8 when `utf8` says so.
void AppendFilled(std::string& out, std::string_view text, std::span<const TTextField> fields,
                  bool utf8);
std::string Filled(std::string_view text, std::initializer_list<TTextField> fields);
std::string FilledUtf8(std::string_view text, std::initializer_list<TTextField> fields);

// The text in the process's language, in code page 932, its fields filled.
std::string Say(TText key, std::initializer_list<TTextField> fields = {});
