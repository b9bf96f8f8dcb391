// The command-line checker's own texts, keyed: Japanese and English side by side, fields named in
// braces. vrt writes UTF-8, so they stay in UTF-8; the few measured for column alignment are
// converted to code page 932 where they are used.
#pragma once

#include "framework/TextCatalog.h"

#include <cstdint>
#include <initializer_list>
#include <string>

enum class TCliText : std::uint16_t {
    // Help: the program, its commands and their options.
    ProgramDescription,
    ProgramFooter,
    CommandsHeading,
    HelpAll,
    HelpFlag,
    VersionFlag,
    LangOption,
    CheckCommand,
    CheckDescription,
    FormatsHeading,
    FormatOption,
    EncodingOption,
    OutputOption,
    LogOption,
    BaselineOption,
    WriteBaselineOption,
    NoIgnoreOption,
    QuietOption,
    ExitZeroOption,
    AllowMissingOption,
    StatsCommand,
    StatsDescription,
    TsvOption,
    HtmlOption,
    RulesCommand,
    RulesDescription,
    WriteOption,
    DumpCommand,
    DumpDescription,
    SyntaxOption,
    SourceArgument,
    CodePageOption,
    JobsOption,
    RulesFileOption,
    ProjectsArgument,
    FormatText,
    FormatJson,
    FormatSarif,
    FormatGithub,
    FormatMsvc,
    FormatAzure,
    FormatGitlab,
    FormatCheckstyle,
    FormatJunit,
    FormatSonar,
    // CLI11's own headings.
    UsageLabel,
    OptionsLabel,
    CommandLabel,
    PositionalsLabel,
    OptionsGroup,
    CommandsGroup,
    // Errors, warnings and the summary.
    CodePageNotSupported,
    DashName,
    RunHelp,
    CannotWriteOutput,
    EncodingTextOnly,
    BaselineNotWritten,
    BaselineFixedOne,
    BaselineFixedMany,
    FindingsOne,
    FindingsMany,
    FilesOne,
    FilesMany,
    Summary,
    SummaryBaseline,
    SummaryUncheckedOne,
    SummaryUncheckedMany,
    NoProjectInFolder,
    NoProject,
    NotAGroup,
    NotABaseline,
    BaselineInvalidJson,
    BaselineNoFindings,
    BaselineUnknownVersion,
    BaselineEntryNoText,
    BaselineUnknownMessage,
    // The rule list and the statistics table.
    HasSettings,
    FileColumn,
    TotalColumn,
    CodeColumn,
    BlankColumn,
    CommentColumn,
    TotalsRow,
    // Not a text: their number.
    Count
};

// The text in the process's language (UTF-8).
const char* CliText(TCliText key);
// The same with its fields filled.
std::string CliText(TCliText key, std::initializer_list<TTextField> fields);
// The same in code page 932 for an engine error (EVetrinError), its fields code page 932 text or
// marked paths.
std::string CliTextCp932(TCliText key, std::initializer_list<TTextField> fields = {});
// The text in a language.
const char* CliText(TCliText key, TLanguage language);
