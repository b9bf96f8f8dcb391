#include "framework/TextCatalog.h"

#include "platform/CodePage.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <mutex>

namespace {

struct TEntry {
    TText Key;
    const char* Id;
    const char* Japanese;
    const char* English;
};

constexpr std::size_t TextCount = static_cast<std::size_t>(TText::Count);

// In the order of TText (checked below, when the program is built).
constexpr TEntry Entries[] = {
    {TText::NoOptionExplicit, "NoOptionExplicit", "Option Explicit がありません。",
     "Option Explicit is missing."},
    {TText::AutoIncrementOff, "AutoIncrementOff",
     "バージョン番号の自動インクリメントが無効になっています。",
     "Version number auto-increment is off."},
    {TText::AutoIncrementOn, "AutoIncrementOn",
     "バージョン番号の自動インクリメントが有効になっています。",
     "Version number auto-increment is on."},
    {TText::UnusedLocalVariable, "UnusedLocalVariable", "ローカル変数 {name} は未使用です。",
     "Local variable {name} is never used."},
    {TText::UnusedArgument, "UnusedArgument", "引数 {name} は未使用です。",
     "Argument {name} is never used."},
    {TText::NamingViolation, "NamingViolation", "ファイルの命名規則に違反しています。({pattern})",
     "File name does not follow the naming rule ({pattern})."},
    {TText::ImplicitPublic, "ImplicitPublic", "メソッド {name} は暗黙的にPublic宣言されています",
     "Procedure {name} is implicitly Public."},
    {TText::LineTooLong, "LineTooLong", "一行の長さが制限({limit}文字)を越えています。",
     "Line is longer than {limit} characters."},
    {TText::EmptyProcedure, "EmptyProcedure", "プロシージャ {name} は空です。",
     "Procedure {name} is empty."},
    {TText::UnusedProcedure, "UnusedProcedure", "プロシージャ {name} は未使用です。",
     "Procedure {name} is never used."},
    {TText::UnusedModuleVariable, "UnusedModuleVariable", "モジュール変数 {name} は未使用です。",
     "Module-level variable {name} is never used."},
    {TText::UnusedConstant, "UnusedConstant", "定数 {name} は未使用です。",
     "Constant {name} is never used."},
    {TText::UnusedDeclare, "UnusedDeclare", "Declare {name} は未使用です。",
     "External procedure {name} is never used."},
    {TText::UnusedType, "UnusedType", "ユーザー定義型 {name} は未使用です。",
     "User-defined type {name} is never used."},
    {TText::UnusedEnum, "UnusedEnum", "列挙型 {name} は未使用です。", "Enum {name} is never used."},
    {TText::ResumeNextNotReset, "ResumeNextNotReset",
     "プロシージャ {name} の On Error Resume Next が以降の On Error GoTo "
     "で解除されていません。",
     "On Error Resume Next in procedure {name} is never turned off by a later On Error GoTo."},
    {TText::ImplicitVariantVariable, "ImplicitVariantVariable",
     "変数 {name} の型が宣言されていません(暗黙のVariant)。",
     "Variable {name} has no declared type (implicit Variant)."},
    {TText::ImplicitVariantArgument, "ImplicitVariantArgument",
     "引数 {name} の型が宣言されていません(暗黙のVariant)。",
     "Argument {name} has no declared type (implicit Variant)."},
    {TText::ImplicitVariantFunction, "ImplicitVariantFunction",
     "関数 {name} の型が宣言されていません(暗黙のVariant)。",
     "Function {name} has no declared return type (implicit Variant)."},
    {TText::ImplicitByRef, "ImplicitByRef",
     "引数 {name} に ByVal/ByRef が指定されていません(暗黙のByRef)。",
     "Argument {name} is implicitly ByRef; specify ByVal or ByRef."},
    {TText::GoToProhibited, "GoToProhibited", "GoTo は使用禁止です。", "GoTo is not allowed."},
    {TText::GoSubProhibited, "GoSubProhibited", "GoSub は使用禁止です。", "GoSub is not allowed."},
    {TText::TooManyStatements, "TooManyStatements",
     "プロシージャ {name} のステートメント数({value})が制限({limit})を越えています。",
     "Procedure {name} has {value} statements; the limit is {limit}."},
    {TText::TooDeepNesting, "TooDeepNesting",
     "プロシージャ {name} のネストの深さ({value})が制限({limit})を越えています。",
     "Procedure {name} nests {value} levels deep; the limit is {limit}."},
    {TText::TooComplex, "TooComplex",
     "プロシージャ {name} の循環的複雑度({value})が制限({limit})を越えています。",
     "Procedure {name} has a cyclomatic complexity of {value}; the limit is {limit}."},

    {TText::LogChecking, "LogChecking", "「{rule}」をチェック中 : {file}...",
     "Checking {file} for \"{rule}\"..."},
    {TText::LogSkipNotParsed, "LogSkipNotParsed", "スキップ(解析されていない)",
     " skipped (not parsed)"},
    {TText::LogSkipNotTarget, "LogSkipNotTarget", "スキップ(チェック対象外)",
     " skipped (excluded)"},
    {TText::LogDone, "LogDone", "完了(Time:{time})", " done (time: {time})"},
    // Less than a millisecond.
    {TText::LogDoneUntimed, "LogDoneUntimed", "完了(Time: - )", " done"},
    {TText::LogParsing, "LogParsing", "{file} を解析中...", "Parsing {file}..."},
    {TText::LogParsed, "LogParsed",
     "完了( Line:{lines} Token:{tokens} Method:{methods} Time:{time} )",
     " done (lines: {lines}, tokens: {tokens}, procedures: {methods}, time: {time})"},
    {TText::LogNotFound, "LogNotFound", "▼ ファイルが見つかりません:{file}",
     "▼ File not found: {file}"},
    {TText::LogImplicitPublicSearchFailed, "LogImplicitPublicSearchFailed",
     "■検索失敗:TVbProhibitImplicitPublicDeclaration:{file}:{line}",
     "■ Search failed: TVbProhibitImplicitPublicDeclaration: {file}:{line}"},

    {TText::NotInteger, "NotInteger", "'{text}' は整数ではありません",
     "'{text}' is not an integer"},
    {TText::MissingLines, "MissingLines", "件数 {count} に対して行が足りません (残り {left} 行)",
     "Too few lines for a count of {count} ({left} lines left)"},
    {TText::NoRuleSection, "NoRuleSection", "ルールの設定が一つもありません",
     "No rule settings found"},
    {TText::AssertFormat, "AssertFormat", "{message} ({unit}, {line} 行)",
     "{message} ({unit}, line {line})"},
    {TText::AssertDefault, "AssertDefault", "アサート失敗", "Assertion failed"},
    {TText::FileOpen, "FileOpen", "ファイル {file} は開けません", "Cannot open file {file}"},
    {TText::FileCreate, "FileCreate", "ファイル {file} を作成できません",
     "Cannot create file {file}"},
    {TText::Abstract, "Abstract", "Abstract エラー", "Abstract error"},
    {TText::InvalidMask, "InvalidMask",
     "{position} 番目の文字（'{pattern}'）は正しくないマスク文字です",
     "Character {position} of '{pattern}' is not a valid mask character"},
    {TText::ListIndex, "ListIndex", "リストのインデックスが範囲を超えています ({index})",
     "List index out of bounds ({index})"},
    {TText::ShowDetail, "ShowDetail", "ShowDetailエラー:このメソッドはinheritedしてはいけない",
     "ShowDetail error: the inherited method must not be called"},
    {TText::UnfinishedMethod, "UnfinishedMethod",
     "エラー:TVbParser.ExtractMethods:End がありません",
     "Error: TVbParser.ExtractMethods: End is missing"},
    {TText::UnclosedArguments, "UnclosedArguments",
     "エラー:TVbParser.ExtractMethods:引数の並びが閉じていません",
     "Error: TVbParser.ExtractMethods: argument list is not closed"},
    {TText::OutOfMemory, "OutOfMemory", "メモリが足りないため読めません",
     "Not enough memory to read the file"},
    {TText::ParseOutOfMemory, "ParseOutOfMemory", "メモリが足りないため解析できません",
     "Not enough memory to parse the file"},
    {TText::MemberIsFolder, "MemberIsFolder", "フォルダーです。ファイルではないため読めません",
     "Cannot read: this is a folder, not a file"},
    {TText::MemberNotAFile, "MemberNotAFile",
     "通常のファイルではないため読めません(デバイス、FIFO など)",
     "Cannot read: not a regular file (e.g. a device or FIFO)"},
    {TText::NotAProject, "NotAProject", "{file} は VB のプロジェクトファイルではありません",
     "{file} is not a VB project file"},
};
static_assert(std::size(Entries) == TextCount, "one entry per key");

constexpr bool EachAtItsKey() {
    for (std::size_t i = 0; i < std::size(Entries); ++i)
        if (Entries[i].Key != static_cast<TText>(i)) return false;
    return true;
}
static_assert(EachAtItsKey(), "the entries stand in the order of their keys");

const TEntry& Entry(TText key) { return Entries[static_cast<std::size_t>(key)]; }

// The names between braces, in order of first appearance.
std::vector<std::string> FieldNamesOf(std::string_view text) {
    std::vector<std::string> names;
    for (std::size_t open = text.find('{'); open != std::string_view::npos;
         open = text.find('{', open + 1)) {
        const std::size_t close = text.find('}', open);
        if (close == std::string_view::npos) break;
        std::string name(text.substr(open + 1, close - open - 1));
        bool known = false;
        for (const std::string& n : names)
            known = known || n == name;
        if (!known) names.push_back(std::move(name));
    }
    return names;
}

struct TConverted {
    std::array<std::string, TextCount> Japanese, English;
    std::array<std::vector<std::string>, TextCount> FieldNames;
};

const TConverted& Converted() {
    static const TConverted converted = [] {
        TConverted c;
        for (std::size_t i = 0; i < TextCount; ++i) {
            c.Japanese[i] = platform::Utf8ToCp932(Entries[i].Japanese);
            c.English[i] = platform::Utf8ToCp932(Entries[i].English);
            c.FieldNames[i] = FieldNamesOf(Entries[i].Japanese);
        }
        return c;
    }();
    return converted;
}

} // namespace

std::string_view TextId(TText key) { return Entry(key).Id; }

std::optional<TText> FindTextId(std::string_view id) {
    for (const TEntry& e : Entries)
        if (id == e.Id) return e.Key;
    return std::nullopt;
}

std::string_view TextUtf8(TText key, TLanguage language) {
    return language == TLanguage::Japanese ? Entry(key).Japanese : Entry(key).English;
}

const std::string& TextCp932(TText key, TLanguage language) {
    const TConverted& c = Converted();
    const std::size_t i = static_cast<std::size_t>(key);
    return language == TLanguage::Japanese ? c.Japanese[i] : c.English[i];
}

std::span<const std::string> TextFieldNames(TText key) {
    return Converted().FieldNames[static_cast<std::size_t>(key)];
}

void AppendFilled(std::string& out, std::string_view text, std::span<const TTextField> fields,
                  bool utf8) {
    // Room for the template and every value at once: the text grows by one allocation at most.
    std::size_t room = out.size() + text.size();
    for (const TTextField& f : fields)
        room += f.Value.size();
    out.reserve(room);
    // In code page 932 a "{" or "}" may be the second byte of a character: a "{" counts only
    // where a character starts, found by stepping over pairs from the last such place.
    static const platform::TCodePage& cp932 = *platform::FindCodePage(932);
    const char* const data = text.data();
    const std::size_t size = text.size();
    std::size_t copied = 0; // the text before this is in out
    std::size_t at = 0;     // a character starts here
    while (at < size) {
        const void* brace = std::memchr(data + at, '{', size - at);
        if (!brace) break;
        const std::size_t open = static_cast<std::size_t>(static_cast<const char*>(brace) - data);
        if (!utf8) {
            // ASCII is no lead byte: eight bytes at a time while none has its high bit set.
            for (std::uint64_t bytes; at + 8 <= open; at += 8) {
                std::memcpy(&bytes, data + at, sizeof bytes);
                if (bytes & 0x8080808080808080ull) break;
            }
            while (at < open)
                at +=
                    cp932.IsLeadByte(static_cast<unsigned char>(data[at])) && at + 1 < size ? 2 : 1;
            // The "{" was the second byte of a pair: search on after the pair.
            if (at != open) continue;
        }
        at = open + 1;
        const std::size_t close = text.find('}', open);
        if (close == std::string_view::npos) continue;
        const std::string_view name = text.substr(open + 1, close - open - 1);
        const TTextField* field = nullptr;
        for (const TTextField& f : fields)
            if (f.Name == name) field = &f;
        if (!field) continue;
        out.append(data + copied, open - copied);
        out.append(field->Value);
        copied = at = close + 1;
    }
    out.append(data + copied, size - copied);
}

std::string Filled(std::string_view text, std::initializer_list<TTextField> fields) {
    std::string out;
    AppendFilled(out, text, std::span<const TTextField>(fields.begin(), fields.size()), false);
    return out;
}

std::string FilledUtf8(std::string_view text, std::initializer_list<TTextField> fields) {
    std::string out;
    AppendFilled(out, text, std::span<const TTextField>(fields.begin(), fields.size()), true);
    return out;
}

std::string Say(TText key, std::initializer_list<TTextField> fields) {
    return Filled(TextCp932(key, CurrentLanguage()), fields);
}
