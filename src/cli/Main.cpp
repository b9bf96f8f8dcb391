// vrt: the command-line checker. Exit status 0 no finding, 1 findings, 2 an error.
#include "cli/CliCommands.h"

#include "framework/Errors.h"
#include "platform/CodePage.h"
#include "platform/Console.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace {

const char* const Description =
    "vrt checks Visual Basic 5/6 projects (.vbp) against the coding rules of Vetrin.\n"
    "Source files are read in the Windows code page given with --codepage (932, Shift-JIS, by\n"
    "default); output is UTF-8.";

const char* const Footer =
    "Commands:\n"
    "  vrt check [--codepage N] [--rules FILE.vrp] [--format text|json|sarif|github|msvc]\n"
    "            [--encoding utf-8|cp932|native] [--log] [--baseline FILE]\n"
    "            [--write-baseline FILE] [--no-ignore] [--quiet] [--exit-zero]\n"
    "            PROJECT.vbp|GROUP.vbg...\n"
    "  vrt stats [--codepage N] [--rules FILE.vrp] [--tsv | --html FILE] PROJECT.vbp...\n"
    "  vrt rules [--write FILE.vrp]\n"
    "  vrt dump [--codepage N] SOURCE\n"
    "Run 'vrt COMMAND --help' for the details of a command.\n"
    "Exit status: 0 no finding, 1 at least one finding (check), 2 an error (one line on stderr).";

const char* const CheckDescription =
    "Checks each project (or each project of a group, .vbg) in turn as the desktop's check\n"
    "run does: reads the project file and every member file, parses them, and runs the nine\n"
    "rules (all enabled at their defaults, then as the checker project file given with\n"
    "--rules says) on the project and each member.\n"
    "Output formats:\n"
    "  text   one line per finding: FILE(LINE) : MESSAGE, or FILE : MESSAGE without a line\n"
    "  json   one array of {file, line (null when none), message, rule (class name), ruleName}\n"
    "  sarif  SARIF 2.1.0: tool \"Vetrin\" with its nine rules, one result per finding\n"
    "  github GitHub Actions commands: ::warning file=PATH,line=N,title=RULE::MESSAGE\n"
    "  msvc   PATH(N): warning RULE: MESSAGE\n"
    "--log writes the progress log (one line per parsed file and per rule on each file) to\n"
    "stderr. After a text check one summary line goes to stderr (not with --quiet).\n"
    "--write-baseline FILE records the findings of the run (JSON); --baseline FILE reports\n"
    "only findings that are not in it, matched by rule, file, message and occurrence, not by\n"
    "line. A comment ' vetrin:ignore RULE[, RULE...] suppresses those rules (class names, or\n"
    "*) on its line, or alone on a line on the next line of code; ' vetrin:ignore-file RULE...\n"
    "in the whole file; --no-ignore reports them anyway.\n"
    "Exit status: 0 no finding (or --exit-zero), 1 at least one finding, 2 an error.";

const char* const StatsDescription =
    "Counts total, code, blank and comment lines of every member source file (the comment\n"
    "statistics rule runs whatever the selection says; excluded files keep zero counts) and\n"
    "prints a table with bars: total and code lines against the largest file, blank and\n"
    "comment lines as shares of the file. --tsv prints the header file, total, code, blank,\n"
    "comment and one line per member in project order instead; --html FILE writes the table\n"
    "with its bars and a totals row as one self-contained HTML page (sortable by column).\n"
    "A project group (.vbg) stands for its projects, in the group's order.";

const char* const RulesDescription =
    "Lists the nine rules: class name, category, display name, and whether the rule has\n"
    "settings. With --write FILE, writes a checker project file of all rules enabled at their\n"
    "defaults instead (written whole or not at all), a starting point for --rules.";

const char* const DumpDescription =
    "Tokenizes one member source file (.bas module, .frm form, .cls class, .ctl user control,\n"
    ".pag property page) and prints tab-separated lines in UTF-8:\n"
    "  T line kind scope text     every token, in order\n"
    "  D line text                every piece of text the tokenizer dropped\n"
    "  V line name bounds type    every module-level variable\n"
    "  M line scope name count    every procedure (count: its body tokens), followed by\n"
    "  A line name bounds type    one line per argument\n"
    "  R true|false               what the parser answered\n"
    "In text fields a backslash is written \\\\, CR \\r, LF \\n, TAB \\t.";

// --codepage: the Windows ANSI code page the sources were saved in.
CLI::Option* AddCodePageOption(CLI::App* command, int& codePage) {
    return command
        ->add_option("--codepage", codePage,
                     "Code page of the VB sources: 932 (default), 874, 936, 949, 950 or 1250-1258")
        ->type_name("N")
        ->check([](const std::string& value) -> std::string {
            try {
                std::size_t used = 0;
                int n = std::stoi(value, &used);
                if (used == value.size() && platform::FindCodePage(n)) return std::string();
            } catch (const std::exception&) {
            }
            return "code page " + value + " is not supported (" + platform::SupportedCodePages() +
                   ")";
        });
}

void PrintError(const std::string& utf8) {
    std::string line = "vrt: " + utf8 + "\n";
    platform::WriteStandardStream(stderr, line);
}

} // namespace

int main(int argc, char** argv) {
    // Output bytes as written; arguments in UTF-8 whatever the system's code page, so that every
    // file name arrives whole.
    platform::UseBinaryStandardStreams();
    std::vector<std::string> arguments = platform::CommandLineArguments(argc, argv);
    std::vector<char*> argumentPointers;
    for (auto& a : arguments)
        argumentPointers.push_back(a.data());

    CLI::App app(Description, "vrt");
    app.require_subcommand(1);
    // Options are "--name" everywhere; a Windows-style "/name" would swallow a path such as
    // "/projects/App.vbp" (set before the subcommands, which inherit it).
    app.allow_windows_style_options(false);
    app.footer(Footer);
    app.set_help_all_flag("--help-all", "Describe every command");

    TCheckOptions check;
    std::string format = "text", encoding = "utf-8";
    CLI::App* checkCmd = app.add_subcommand("check", "Check projects and print the findings");
    checkCmd->footer(CheckDescription);
    checkCmd->add_option("--rules", check.RulesFile, "Checker project file (.vrp) to apply")
        ->type_name("FILE.vrp");
    checkCmd
        ->add_option("--format", format,
                     "Output format: text (default), json, sarif, github or msvc")
        ->check(CLI::IsMember({"text", "json", "sarif", "github", "msvc"}));
    checkCmd
        ->add_option("--encoding", encoding,
                     "Text output: utf-8 (default), cp932 (code page 932), or native (the source's "
                     "code page: names as the source's own bytes)")
        ->check(CLI::IsMember({"utf-8", "cp932", "native"}));
    int codePage = 932;
    AddCodePageOption(checkCmd, codePage);
    checkCmd->add_flag("--log", check.Log,
                       "Write the progress log (parsing, each rule on each file) to stderr");
    checkCmd
        ->add_option("--baseline", check.BaselineFile,
                     "Report only findings that are not in this baseline file")
        ->type_name("FILE");
    checkCmd
        ->add_option("--write-baseline", check.WriteBaselineFile,
                     "Record the findings of this run in a baseline file")
        ->type_name("FILE");
    checkCmd->add_flag("--no-ignore", check.NoIgnore,
                       "Also report findings that a vetrin:ignore comment suppresses");
    checkCmd->add_flag("--quiet", check.Quiet, "No summary line on stderr after a text check");
    checkCmd->add_flag("--exit-zero", check.ExitZero,
                       "Exit 0 when there are findings (errors still exit 2)");
    checkCmd
        ->add_option("--jobs,-j", check.Jobs,
                     "Members read, parsed and checked at once (default: one per core); the "
                     "output is the same whatever the number")
        ->check(CLI::Range(1, 256))
        ->type_name("N");
    checkCmd->add_option("projects", check.Projects, "VB project files (.vbp) or groups (.vbg)")
        ->type_name("PROJECT.vbp")
        ->required();

    TStatsOptions stats;
    CLI::App* statsCmd = app.add_subcommand("stats", "Print line statistics of every source file");
    statsCmd->footer(StatsDescription);
    statsCmd->add_option("--rules", stats.RulesFile, "Checker project file (.vrp) to apply")
        ->type_name("FILE.vrp");
    statsCmd->add_flag(
        "--tsv", stats.Tsv,
        "Print tab-separated values: file, total, code, blank, comment (with a header line)");
    statsCmd
        ->add_option("--html", stats.HtmlFile,
                     "Write the statistics as one self-contained HTML page to this file")
        ->type_name("FILE")
        ->excludes("--tsv");
    AddCodePageOption(statsCmd, codePage);
    statsCmd
        ->add_option("--jobs,-j", stats.Jobs,
                     "Members read, parsed and checked at once (default: one per core)")
        ->check(CLI::Range(1, 256))
        ->type_name("N");
    statsCmd->add_option("projects", stats.Projects, "VB project files (.vbp) or groups (.vbg)")
        ->type_name("PROJECT.vbp")
        ->required();

    std::string writeFile;
    CLI::App* rulesCmd =
        app.add_subcommand("rules", "List the rules, or write a checker project file");
    rulesCmd->footer(RulesDescription);
    rulesCmd->add_option("--write", writeFile, "Write the default selection to this .vrp file")
        ->type_name("FILE.vrp");

    std::string dumpFile;
    CLI::App* dumpCmd =
        app.add_subcommand("dump", "Print the tokens and procedures of a source file");
    dumpCmd->footer(DumpDescription);
    AddCodePageOption(dumpCmd, codePage);
    dumpCmd->add_option("source", dumpFile, "VB source file (.bas, .frm, .cls, .ctl, .pag)")
        ->type_name("SOURCE")
        ->required();

    try {
        app.parse(static_cast<int>(argumentPointers.size()), argumentPointers.data());
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        PrintError(e.what());
        platform::WriteStandardStream(stderr, "Run 'vrt --help' for usage.\n");
        return 2;
    }

    // Checked above: one of the known code pages.
    const platform::TCodePage& sourcePage = *platform::FindCodePage(codePage);
    try {
        if (*checkCmd) {
            check.Format = format == "json"     ? TFormat::Json
                           : format == "sarif"  ? TFormat::Sarif
                           : format == "github" ? TFormat::Github
                           : format == "msvc"   ? TFormat::Msvc
                                                : TFormat::Text;
            check.CodePage = codePage;
            check.TextTarget = encoding == "cp932"    ? &platform::SystemCodePage()
                               : encoding == "native" ? &sourcePage
                                                      : nullptr;
            if (check.TextTarget && check.Format != TFormat::Text) {
                PrintError("--encoding " + encoding +
                           " applies to the text format only (the others are UTF-8)");
                return 2;
            }
            return RunCheck(check);
        }
        if (*statsCmd) {
            stats.CodePage = codePage;
            return RunStats(stats);
        }
        if (*rulesCmd) return RunRules(writeFile);
        if (*dumpCmd) return RunDump(dumpFile, codePage);
    } catch (const EVetrinError& e) {
        std::fflush(stdout);
        PrintError(platform::TextToUtf8(e.Message(), sourcePage));
        return 2;
    } catch (const std::exception& e) {
        std::fflush(stdout);
        PrintError(e.what());
        return 2;
    }
    return 2;
}
