#include "cli/CliTexts.h"

#include "platform/CodePage.h"

#include <cstddef>
#include <iterator>

namespace {

struct TEntry {
    TCliText Key;
    const char* Japanese;
    const char* English;
};

// In the order of TCliText (checked below, when the program is built).
constexpr TEntry Entries[] = {
    {TCliText::ProgramDescription,
     "vrt は Visual Basic 5/6 のプロジェクト (.vbp) を Vetrin "
     "のコーディングルールでチェックします。\n"
     "ソースファイルは --codepage で指定した Windows のコードページ (既定は 932、Shift-JIS) で\n"
     "読みます。出力は UTF-8 です。",
     "vrt checks Visual Basic 5/6 projects (.vbp) against the coding rules of Vetrin.\n"
     "Source files are read in the Windows code page given with --codepage (932, Shift-JIS, by\n"
     "default); output is UTF-8."},
    {TCliText::ProgramFooter,
     "各コマンドの詳細は 'vrt COMMAND --help' で表示します。\n"
     "終了コード: 0 指摘なし、1 指摘あり (check)、2 エラー (stderr に一行)。",
     "Run 'vrt COMMAND --help' for details on a command.\n"
     "Exit status: 0 no findings, 1 findings (check only), 2 error (one line on stderr)."},
    {TCliText::CommandsHeading, "コマンド:", "Commands:"},
    {TCliText::HelpAll, "すべてのコマンドを説明します", "Print help for every command and exit"},
    {TCliText::HelpFlag, "このヘルプを表示して終了します", "Print this help message and exit"},
    {TCliText::VersionFlag, "バージョンを表示して終了します", "Print the version and exit"},
    {TCliText::LangOption, "メッセージ、ログ、ヘルプの言語: ja または en (既定: ロケールの言語)",
     "Language of messages, log and help: ja or en (default: from the locale)"},
    {TCliText::CheckCommand, "プロジェクトをチェックして指摘を出力します",
     "Check projects and print the findings"},
    {TCliText::CheckDescription,
     "各プロジェクト (またはプロジェクトグループ .vbg の各プロジェクト) を、デスクトップの\n"
     "チェックと同じ手順で順にチェックします: プロジェクトファイルとすべてのメンバーファイルを\n"
     "読んで解析し、ルール (既定の 9 個を既定の設定で、構文モデルの 8 個はオフ。--rules の\n"
     "チェッカープロジェクトファイルがあればその指定どおり) をプロジェクトと各メンバーに\n"
     "適用します。\n"
     "フォルダーは、その中と下にあるすべてのプロジェクトファイル (.vbp) を名前順に表します\n"
     "(指定がなければカレントフォルダー)。名前が \".\" で始まるファイルとフォルダーは飛ばし、\n"
     "シンボリックリンクで二度目に着いたフォルダーはたどらないので、リンクの輪も終わります。\n"
     "--log は進行ログ (解析したファイルごと、ファイルごとの各ルールで一行) を stderr に\n"
     "書きます。テキスト形式のチェックの後には、要約を一行 stderr に書きます (--quiet なし)。\n"
     "--write-baseline FILE は実行の指摘を記録し (JSON)、--baseline FILE はそこにない指摘だけを\n"
     "報告します。照合はプロジェクト、ルール、ファイル、メッセージ (キーとフィールド、言語に\n"
     "よらない) と出現順で行い、行番号は使いません。コメント ' vetrin:ignore RULE[, RULE...]\n"
     "は、その行 (単独の行ならば次のコードの行) でそのルール (クラス名、または *) の指摘を\n"
     "抑止し、' vetrin:ignore-file RULE... はファイル全体で抑止します。--no-ignore は抑止された\n"
     "指摘も報告します。\n"
     "終了コード: 0 指摘なし (または --exit-zero)、1 指摘あり、2 エラーか、見つからない・\n"
     "読めないメンバーがあった (--allow-missing なし)。",
     "Checks each project (or each project of a group, .vbg) in turn as the desktop's check\n"
     "run does: reads the project file and every member file, parses them, and runs the rules\n"
     "(the nine enabled at their defaults, the eight on the syntax model off, then as the\n"
     "checker project file given with --rules says) on the project and each member.\n"
     "A folder stands for every project file (.vbp) in it or its subfolders, in name order\n"
     "(if none is given, the current folder). Files and folders whose names start with \".\"\n"
     "are skipped, and a folder reached a second time through a symbolic link is not entered\n"
     "again, so symbolic-link loops are safe.\n"
     "--log writes the progress log (one line per parsed file and per rule on each file) to\n"
     "stderr. After a check in text format, a one-line summary goes to stderr (unless --quiet).\n"
     "--write-baseline FILE records the findings of the run (JSON); --baseline FILE reports\n"
     "only findings that are not in it, matched by project, rule, file, message (its key and\n"
     "fields, in any language) and order of occurrence, not by line number. A comment\n"
     "' vetrin:ignore RULE[, RULE...] suppresses findings of those rules (class names, or * for\n"
     "all) on its own line, or on the next line of code when the comment stands alone on a line;\n"
     "' vetrin:ignore-file RULE... suppresses them in the whole file. --no-ignore reports them\n"
     "anyway.\n"
     "Exit status: 0 no findings (or --exit-zero), 1 findings, 2 an error or a\n"
     "member that is missing or cannot be read (unless --allow-missing)."},
    {TCliText::FormatsHeading, "出力形式:", "Output formats:"},
    {TCliText::FormatOption, "出力形式: {list} (既定は text)",
     "Output format: {list} (default: text)"},
    {TCliText::EncodingOption,
     "テキスト出力: utf-8 (既定)、cp932 (コードページ 932)、native (ソースのコードページ: "
     "名前はソースのバイトのまま)",
     "Text output: utf-8 (default), cp932 (code page 932), or native (the source's code page: "
     "names as the source's own bytes)"},
    {TCliText::OutputOption,
     "指摘を標準出力ではなくこのファイルに書きます (全部書くか、何も書かないか)",
     "Write the findings to this file instead of standard output (written completely or not at "
     "all)"},
    {TCliText::LogOption, "進行ログ (解析、各ファイルの各ルール) を stderr に書きます",
     "Write the progress log (parsing, each rule on each file) to stderr"},
    {TCliText::BaselineOption, "このベースラインファイルにない指摘だけを報告します",
     "Report only findings that are not in this baseline file"},
    {TCliText::WriteBaselineOption, "この実行の指摘をベースラインファイルに記録します",
     "Record the findings of this run in a baseline file"},
    {TCliText::NoIgnoreOption, "vetrin:ignore コメントで抑止された指摘も報告します",
     "Also report findings that a vetrin:ignore comment suppresses"},
    {TCliText::QuietOption, "テキスト形式のチェックの後に要約を stderr に書きません",
     "Do not print the summary line on stderr after a text check"},
    {TCliText::ExitZeroOption, "指摘があっても 0 で終了します (エラーは 2 のまま)",
     "Exit 0 even if there are findings (errors still exit 2)"},
    {TCliText::AllowMissingOption,
     "見つからない・読めないメンバーがあっても失敗にしません (報告はします)。"
     "指定しなければその実行は 2 で終了します",
     "Do not fail the run when members are missing or cannot be read (they are still "
     "reported); without this option such a run exits 2"},
    {TCliText::StatsCommand, "すべてのソースファイルの行数統計を出力します",
     "Print line statistics for every source file"},
    {TCliText::StatsDescription,
     "すべてのメンバーソースファイルの総行数、実行行数、空行数、コメント行数を数え (コメント\n"
     "統計ルールは選択にかかわらず動き、例外ファイルは 0 のまま)、棒グラフ付きの表を出力します:\n"
     "総行数と実行行数は最大のファイルに対して、空行数とコメント行数はファイルの中の割合で\n"
     "示します。--tsv はヘッダー file, total, code, blank, comment とメンバーごとの一行を\n"
     "プロジェクト順に出力し、--html FILE は棒と合計行の付いた表を一つの自己完結した HTML\n"
     "ページに書きます (列ごとに並べ替えできます)。\n"
     "プロジェクトグループ (.vbg) は、そのプロジェクトをグループの順に表します。\n"
     "フォルダーは、その中と下にあるすべてのプロジェクトファイル (.vbp) を名前順に表します\n"
     "(指定がなければカレントフォルダー)。名前が \".\" で始まるファイルとフォルダーは飛ばし、\n"
     "シンボリックリンクで二度目に着いたフォルダーはたどらないので、リンクの輪も終わります。",
     "Counts total, code, blank and comment lines of every member source file (the comment\n"
     "statistics rule runs regardless of the rule selection; excluded files count as zero) and\n"
     "prints a table with bars: total and code lines against the largest file, blank and\n"
     "comment lines as a proportion of the file. --tsv prints the header file, total, code, "
     "blank,\n"
     "comment and one line per member in project order instead; --html FILE writes the table\n"
     "with its bars and a totals row as one self-contained HTML page (sortable by column).\n"
     "A project group (.vbg) stands for its projects, in the group's order.\n"
     "A folder stands for every project file (.vbp) in it or its subfolders, in name order\n"
     "(if none is given, the current folder). Files and folders whose names start with \".\"\n"
     "are skipped, and a folder reached a second time through a symbolic link is not entered\n"
     "again, so symbolic-link loops are safe."},
    {TCliText::TsvOption,
     "タブ区切りで出力します: file, total, code, blank, comment (ヘッダー行付き)",
     "Print tab-separated values: file, total, code, blank, comment (with a header line)"},
    {TCliText::HtmlOption, "統計を一つの自己完結した HTML ページとしてこのファイルに書きます",
     "Write the statistics as one self-contained HTML page to this file"},
    {TCliText::RulesCommand, "ルールを一覧するか、チェッカープロジェクトファイルを書きます",
     "List the rules, or write a checker project file"},
    {TCliText::RulesDescription,
     "ルールを一覧します: クラス名、カテゴリ、表示名、設定があるかどうか。\n"
     "--write FILE を指定すると、代わりにすべてのルールを既定の設定でオンにしたチェッカー\n"
     "プロジェクトファイルを書きます (全部書くか、何も書かないか)。--rules の出発点です。",
     "Lists the rules: class name, category, display name, and whether the rule has settings.\n"
     "With --write FILE, writes a checker project file of all rules enabled at their defaults\n"
     "instead (written whole or not at all), a starting point for --rules."},
    {TCliText::WriteOption, "すべてのルールを既定の設定でオンにして、この .vrp ファイルに書きます",
     "Write every rule, enabled at its default settings, to this .vrp file"},
    {TCliText::DumpCommand, "ソースファイルのトークンとプロシージャを出力します",
     "Print the tokens and procedures of a source file"},
    {TCliText::DumpDescription,
     "メンバーソースファイル一つ (.bas 標準モジュール、.frm フォーム、.cls クラス、.ctl ユーザー\n"
     "コントロール、.pag プロパティページ) をトークンに分け、タブ区切りの行を UTF-8 で出力します:\n"
     "  T line kind scope text     すべてのトークン、順に\n"
     "  D line text                トークナイザーが捨てたすべてのテキスト\n"
     "  V line name bounds type    すべてのモジュールレベル変数\n"
     "  M line scope name count    すべてのプロシージャ (count: 本体のトークン数)、続いて\n"
     "  A line name bounds type    引数ごとに一行\n"
     "  R true|false               パーサーの答え\n"
     "--syntax を指定すると、代わりに構文モデルを出力します:\n"
     "  @ line name value          すべての Attribute 行\n"
     "  C line depth type name index   "
     "フォームまたはコントロールのオブジェクト、続いて各コントロール\n"
     "  # line text                すべての #If、#ElseIf、#Else、#End If、#Const の行\n"
     "  S line block arm label text    すべてのステートメント (block と arm: その #If の分岐)\n"
     "  I name                     Implements が名指すすべてのインターフェイス\n"
     "  F letter word              DefInt などのステートメントが型を決める文字\n"
     "  D line kind scope name type procedure array withevents twin   すべての宣言\n"
     "  P line end kind scope name type statements nesting complexity twin event\n"
     "                             すべてのプロシージャ、続いて\n"
     "  A line name type flags     パラメーターごとに一行\n"
     "  R line procedure name qualifier-kind qualifier   名前のすべての使用\n"
     "  E line procedure ResumeNext|GoTo   すべての On Error ステートメント\n"
     "  J line procedure word      すべての GoTo と GoSub\n"
     "テキストのフィールドでは、バックスラッシュは \\\\、CR は \\r、LF は \\n、TAB は \\t "
     "と書きます。",
     "Tokenizes one member source file (.bas module, .frm form, .cls class, .ctl user control,\n"
     ".pag property page) and prints tab-separated lines in UTF-8:\n"
     "  T line kind scope text     every token, in order\n"
     "  D line text                every piece of text the tokenizer dropped\n"
     "  V line name bounds type    every module-level variable\n"
     "  M line scope name count    every procedure (count: its body tokens), followed by\n"
     "  A line name bounds type    one line per argument\n"
     "  R true|false               what the parser answered\n"
     "With --syntax it prints the syntax model instead:\n"
     "  @ line name value          every Attribute line\n"
     "  C line depth type name index   the form's or control's object, then every control\n"
     "  # line text                every #If, #ElseIf, #Else, #End If and #Const line\n"
     "  S line block arm label text    every statement (block and arm: its #If branch)\n"
     "  I name                     every interface named by Implements\n"
     "  F letter word              the letters a DefInt-style statement types\n"
     "  D line kind scope name type procedure array withevents twin   every declaration\n"
     "  P line end kind scope name type statements nesting complexity twin event\n"
     "                             every procedure, followed by\n"
     "  A line name type flags     one line per parameter\n"
     "  R line procedure name qualifier-kind qualifier   every use of a name\n"
     "  E line procedure ResumeNext|GoTo   every On Error statement\n"
     "  J line procedure word      every GoTo and GoSub\n"
     "In text fields a backslash is written \\\\, CR \\r, LF \\n, TAB \\t."},
    {TCliText::SyntaxOption, "トークンの代わりに構文モデルを出力します",
     "Print the syntax model instead of the tokens"},
    {TCliText::SourceArgument, "VB のソースファイル (.bas, .frm, .cls, .ctl, .pag)",
     "VB source file (.bas, .frm, .cls, .ctl, .pag)"},
    {TCliText::CodePageOption, "VB ソースのコードページ: 932 (既定)、874、936、949、950、1250-1258",
     "Code page of the VB sources: 932 (default), 874, 936, 949, 950 or 1250-1258"},
    {TCliText::JobsOption,
     "同時に読み、解析し、チェックするメンバーの数 (既定: "
     "コアごとに一つ)。数によらず出力は同じです",
     "Number of members to read, parse and check in parallel (default: one per core); the "
     "output does not depend on it"},
    {TCliText::RulesFileOption, "適用するチェッカープロジェクトファイル (.vrp)",
     "Checker project file (.vrp) to apply"},
    {TCliText::ProjectsArgument,
     "VB のプロジェクトファイル (.vbp)、グループ (.vbg) またはフォルダー (既定: "
     "カレントフォルダー)",
     "VB project files (.vbp), groups (.vbg) or folders (default: the current folder)"},
    {TCliText::FormatText, "指摘ごとに一行: FILE(LINE) : MESSAGE、行のない指摘は FILE : MESSAGE",
     "One line per finding: FILE(LINE) : MESSAGE, or FILE : MESSAGE if there is no line"},
    {TCliText::FormatJson,
     "{file, line (なければ null), message, messageId, fields, rule (クラス名), ruleName} "
     "の配列一つ",
     "One array of {file, line (null when none), message, messageId, fields, rule (class name), "
     "ruleName}"},
    {TCliText::FormatSarif, "SARIF 2.1.0: ルール付きのツール \"Vetrin\"、指摘ごとに一つの結果",
     "SARIF 2.1.0: tool \"Vetrin\" with its rules, one result per finding"},
    {TCliText::FormatGithub,
     "GitHub Actions のコマンド: ::warning file=PATH,line=N,title=RULE::MESSAGE",
     "GitHub Actions commands: ::warning file=PATH,line=N,title=RULE::MESSAGE"},
    {TCliText::FormatMsvc, "PATH(N): warning RULE: MESSAGE", "PATH(N): warning RULE: MESSAGE"},
    {TCliText::FormatAzure,
     "Azure Pipelines のログコマンド: ##vso[task.logissue type=warning;sourcepath=PATH;"
     "linenumber=N;code=RULE]MESSAGE",
     "Azure Pipelines logging commands: ##vso[task.logissue type=warning;sourcepath=PATH;"
     "linenumber=N;code=RULE]MESSAGE"},
    {TCliText::FormatGitlab,
     "GitLab Code Quality の JSON。上に行を挿入しても指摘のフィンガープリントは変わりません",
     "GitLab Code Quality JSON; fingerprints do not change when lines are inserted above a "
     "finding"},
    {TCliText::FormatCheckstyle, "Checkstyle の XML (Jenkins など多くのツールが読みます)",
     "Checkstyle XML (Jenkins and many other tools read it)"},
    {TCliText::FormatJunit,
     "JUnit の XML: チェックしたファイルごとにテストケース一つ、指摘があれば失敗",
     "JUnit XML: one test case per checked file, failing if the file has findings"},
    {TCliText::FormatSonar, "SonarQube の汎用イシューインポート JSON、指摘はコードスメル",
     "SonarQube generic issue import JSON, with findings as code smells"},
    {TCliText::UsageLabel, "使い方", "Usage"},
    {TCliText::OptionsLabel, "オプション", "OPTIONS"},
    {TCliText::CommandLabel, "コマンド", "COMMAND"},
    {TCliText::PositionalsLabel, "引数", "ARGUMENTS"},
    {TCliText::OptionsGroup, "オプション", "OPTIONS"},
    {TCliText::CommandsGroup, "コマンド", "COMMANDS"},
    {TCliText::CodePageNotSupported, "コードページ {value} には対応していません ({supported})",
     "code page {value} is not supported (supported: {supported})"},
    {TCliText::DashName,
     "\"-\" で始まる名前はオプションとして読まれます: vrt {command} -- {name} のように前に -- "
     "を書いてください",
     "a name that starts with \"-\" is read as an option: write -- before it, as in vrt "
     "{command} -- {name}"},
    {TCliText::RunHelp, "使い方は 'vrt --help' で表示します。", "Run 'vrt --help' for usage."},
    {TCliText::CannotWriteOutput, "出力を書けません", "cannot write the output"},
    {TCliText::EncodingTextOnly,
     "--encoding {encoding} は text 形式だけに使えます (ほかの形式は UTF-8 です)",
     "--encoding {encoding} applies to the text format only (the others are UTF-8)"},
    {TCliText::BaselineNotWritten,
     "{file}: 実行がすべてのファイルをチェックしなかったため、書きませんでした",
     "{file}: not written, since the run did not check every file"},
    {TCliText::BaselineFixedOne, "ベースラインの {n} 件が解消されました",
     "{n} baseline entry has been resolved"},
    {TCliText::BaselineFixedMany, "ベースラインの {n} 件が解消されました",
     "{n} baseline entries have been resolved"},
    {TCliText::FindingsOne, "{n} 件の指摘", "{n} finding"},
    {TCliText::FindingsMany, "{n} 件の指摘", "{n} findings"},
    {TCliText::FilesOne, "{n} ファイル", "{n} file"},
    {TCliText::FilesMany, "{n} ファイル", "{n} files"},
    {TCliText::Summary, "{files}に {findings}があります ({checked}をチェック、{time})",
     "{findings} in {files} ({checked} checked, {time})"},
    {TCliText::SummaryBaseline, "、ベースラインにある {n} 件", "; {n} in the baseline"},
    {TCliText::SummaryUncheckedOne, "、{n} ファイルが見つからないか読めませんでした",
     "; {n} file was missing or could not be read"},
    {TCliText::SummaryUncheckedMany, "、{n} ファイルが見つからないか読めませんでした",
     "; {n} files were missing or could not be read"},
    {TCliText::NoProjectInFolder,
     "{folder}: このフォルダーとその下に VB のプロジェクト (.vbp) がありません",
     "{folder}: no VB project (.vbp) in this folder or below it"},
    {TCliText::NoProject, "チェックするプロジェクトがありません", "no project to check"},
    {TCliText::NotAGroup, "{file}: プロジェクトグループではありません (VBGROUP の行がありません)",
     "{file}: not a project group (no VBGROUP line)"},
    {TCliText::NotABaseline, "{file}: ベースラインファイルではありません ({why})",
     "{file}: not a baseline file ({why})"},
    {TCliText::BaselineInvalidJson, "JSON が正しくありません", "invalid JSON"},
    {TCliText::BaselineNoFindings, "findings の配列がありません", "no findings array"},
    {TCliText::BaselineUnknownVersion, "知らない版です", "unknown version"},
    {TCliText::BaselineEntryNoText, "{index} 番目の項目にテキスト \"{name}\" がありません",
     "entry {index} has no text field \"{name}\""},
    {TCliText::BaselineUnknownMessage,
     "{index} 番目の項目のメッセージ \"{id}\" またはそのフィールドが正しくありません",
     "entry {index}: unknown message \"{id}\" or wrong fields for it"},
    {TCliText::HasSettings, "設定あり", "has settings"},
    {TCliText::FileColumn, "ファイル名", "File"},
    {TCliText::TotalColumn, "総行数", "Total"},
    {TCliText::CodeColumn, "実行行数", "Code"},
    {TCliText::BlankColumn, "空行数", "Blank"},
    {TCliText::CommentColumn, "コメント行数", "Comment"},
    {TCliText::TotalsRow, "合計", "Total"},
};
static_assert(std::size(Entries) == static_cast<std::size_t>(TCliText::Count), "one entry per key");

constexpr bool EachAtItsKey() {
    for (std::size_t i = 0; i < std::size(Entries); ++i)
        if (Entries[i].Key != static_cast<TCliText>(i)) return false;
    return true;
}
static_assert(EachAtItsKey(), "the entries stand in the order of their keys");

} // namespace

const char* CliText(TCliText key, TLanguage language) {
    const TEntry& entry = Entries[static_cast<std::size_t>(key)];
    return language == TLanguage::Japanese ? entry.Japanese : entry.English;
}

const char* CliText(TCliText key) { return CliText(key, CurrentLanguage()); }

std::string CliText(TCliText key, std::initializer_list<TTextField> fields) {
    return FilledUtf8(CliText(key), fields);
}

std::string CliTextCp932(TCliText key, std::initializer_list<TTextField> fields) {
    return Filled(platform::Utf8ToCp932(CliText(key)), fields);
}
