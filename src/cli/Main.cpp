// vrt: the command-line checker. Exit status 0 no finding, 1 findings, 2 an error.
#include "cli/CliCommands.h"

#include "framework/Errors.h"
#include "platform/CodePage.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <exception>
#include <string>

namespace {

const char* const Description =
    "vrt checks Visual Basic 5/6 projects (.vbp) against the coding rules of Vetrin.\n"
    "Source files are read in the Windows code page given with --codepage (932, Shift-JIS, by\n"
    "default); output is UTF-8.";

const char* const Footer =
    "Commands:\n"
    "  vrt check [--codepage N] [--rules FILE.vrp] [--format text|json|sarif]\n"
    "            [--encoding utf-8|cp932|native] [--log] PROJECT.vbp...\n"
    "  vrt stats [--codepage N] [--rules FILE.vrp] [--tsv] PROJECT.vbp...\n"
    "  vrt rules [--write FILE.vrp]\n"
    "  vrt dump [--codepage N] SOURCE\n"
    "Run 'vrt COMMAND --help' for the details of a command.\n"
    "Exit status: 0 no finding, 1 at least one finding (check), 2 an error (one line on stderr).";

const char* const CheckDescription =
    "Checks each project in turn as the desktop's check run does: reads the project file and\n"
    "every member file, parses them, and runs the nine rules (all enabled at their defaults,\n"
    "then as the checker project file given with --rules says) on the project and each member.\n"
    "Output formats:\n"
    "  text   one line per finding: FILE(LINE) : MESSAGE, or FILE : MESSAGE without a line\n"
    "  json   one array of {file, line (null when none), message, rule (class name), ruleName}\n"
    "  sarif  SARIF 2.1.0: tool \"Vetrin\" with its nine rules, one result per finding\n"
    "--log writes the progress log (one line per parsed file and per rule on each file) to\n"
    "stderr. Exit status: 0 no finding, 1 at least one finding, 2 an error.";

const char* const StatsDescription =
    "Counts total, code, blank and comment lines of every member source file (the comment\n"
    "statistics rule runs whatever the selection says; excluded files keep zero counts) and\n"
    "prints a table with bars: total and code lines against the largest file, blank and\n"
    "comment lines as shares of the file. --tsv prints the header file, total, code, blank,\n"
    "comment and one line per member in project order instead.";

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
    std::fputs(line.c_str(), stderr);
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app(Description, "vrt");
    app.require_subcommand(1);
    app.footer(Footer);
    app.set_help_all_flag("--help-all", "Describe every command");

    TCheckOptions check;
    std::string format = "text", encoding = "utf-8";
    CLI::App* checkCmd = app.add_subcommand("check", "Check projects and print the findings");
    checkCmd->footer(CheckDescription);
    checkCmd->add_option("--rules", check.RulesFile, "Checker project file (.vrp) to apply")
        ->type_name("FILE.vrp");
    checkCmd->add_option("--format", format, "Output format: text (default), json or sarif")
        ->check(CLI::IsMember({"text", "json", "sarif"}));
    checkCmd
        ->add_option("--encoding", encoding,
                     "Text output: utf-8 (default), cp932 (code page 932), or native (the source's "
                     "code page: names as the source's own bytes)")
        ->check(CLI::IsMember({"utf-8", "cp932", "native"}));
    int codePage = 932;
    AddCodePageOption(checkCmd, codePage);
    checkCmd->add_flag("--log", check.Log,
                       "Write the progress log (parsing, each rule on each file) to stderr");
    checkCmd->add_option("projects", check.Projects, "VB project files (.vbp)")
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
    AddCodePageOption(statsCmd, codePage);
    statsCmd->add_option("projects", stats.Projects, "VB project files (.vbp)")
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
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        PrintError(e.what());
        std::fputs("Run 'vrt --help' for usage.\n", stderr);
        return 2;
    }

    platform::SetSourceCodePage(codePage); // checked above: one of the known code pages
    try {
        if (*checkCmd) {
            check.Format = format == "json"    ? TFormat::Json
                           : format == "sarif" ? TFormat::Sarif
                                               : TFormat::Text;
            check.TextTarget = encoding == "cp932"    ? &platform::SystemCodePage()
                               : encoding == "native" ? &platform::SourceCodePage()
                                                      : nullptr;
            if (check.TextTarget && check.Format != TFormat::Text) {
                PrintError("--encoding " + encoding +
                           " applies to the text format only (JSON and SARIF are UTF-8)");
                return 2;
            }
            return RunCheck(check);
        }
        if (*statsCmd) return RunStats(stats);
        if (*rulesCmd) return RunRules(writeFile);
        if (*dumpCmd) return RunDump(dumpFile);
    } catch (const EVetrinError& e) {
        std::fflush(stdout);
        PrintError(platform::TextToUtf8(e.Message()));
        return 2;
    } catch (const std::exception& e) {
        std::fflush(stdout);
        PrintError(e.what());
        return 2;
    }
    return 2;
}
