// The words of a member's code, in source order: the tokenizer's tokens, and the text it dropped
// (a ":" that ends a statement, a "#If" line, a type suffix, a tab-indented line, "&H10"...) read
// again word by word, so that the syntax model sees every statement the source holds.
#pragma once

#include "vbsource/VbSource.h"
#include "vbsyntax/VbNameKey.h"

#include <cstdint>
#include <string_view>
#include <vector>

enum class TVbWordKind : std::uint8_t {
    Word,      // a name or a keyword
    Number,    // digits, "&H1F", a date literal
    String,    // quotes included
    Comment,   // from "'" to the end of the line
    Operator,  // = < > <= >= <> + - * / \ ^ & :=
    Symbol,    // ( ) , . ; [ ] and "!" between two words
    Separator, // ":" between two statements
    Directive, // a whole "#If ... Then", "#Else", "#End If", "#Const" line
};

// The words the syntax model reads statements by, known once per word (letter case ignored).
enum TVbKey : std::uint8_t {
    kNone,
    kAs,
    kAttribute,
    kByRef,
    kByVal,
    kCallByName,
    kCase,
    kConst,
    kDeclare,
    kDim,
    kDo,
    kElse,
    kElseIf,
    kEnd,
    kEnum,
    kError,
    kEvent,
    kFor,
    kFriend,
    kFunction,
    kGlobal,
    kGoSub,
    kGoTo,
    kIf,
    kImplements,
    kLet,
    kLocal,
    kLoop,
    kMe,
    kNew,
    kNext,
    kOn,
    kOption,
    kOptional,
    kParamArray,
    kPrivate,
    kProperty,
    kPtrSafe,
    kPublic,
    kRem,
    kResume,
    kSelect,
    kSet,
    kStatic,
    kSub,
    kThen,
    kType,
    kWend,
    kWhile,
    kWithEvents,
    kGet,
    kDefType,
};

struct TVbWord {
    std::string_view Text; // a view into the source's storage
    std::int32_t Line;     // the line the statement begins on, as the tokens have it
    TVbWordKind Kind;
    char Suffix = 0;       // a type suffix written after a name: % & ! # @ $
    bool Reserved = false; // a word of the language's own statements, never a name in use
    TVbKey Key = kNone;    // kNone for every word that is no Word
};

class TStatementSplitter;

// The words of the parsed source, header lines left out, in place of what `out` held (its room is
// kept, so a list used for member after member grows only to the largest). The splitter is told
// of the words as they are read, and of the end.
void ReadWords(const TVbSource& source, std::vector<TVbWord>& out, TStatementSplitter& statements);

// Letter case ignored, ASCII letters only (VB names are compared so).
inline bool SameName(std::string_view a, std::string_view b) { return vbname::Same(a, b); }
// A word that only the language uses (If, Dim, As, Long...): never a name in use.
bool IsReservedWord(std::string_view word);
// Sets the word's Key and Reserved from its text.
void ClassifyWord(TVbWord& word);
