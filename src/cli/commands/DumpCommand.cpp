#include "cli/commands/DumpCommand.h"

#include "checkers/CheckSession.h"
#include "cli/Output.h"
#include "cli/SyntaxDump.h"
#include "cli/commands/CommonOptions.h"
#include "cli/formats/Escaping.h"
#include "framework/Errors.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "vbsource/VbParsers.h"
#include "vbsource/VbSource.h"

#include <memory>

namespace {

const char* const Description =
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
    "In text fields a backslash is written \\\\, CR \\r, LF \\n, TAB \\t.";

// Appends UTF-8 text of a source text (source code page), escaped for a field of the dump.
void AppendEscapedUtf8(std::string& out, const platform::TCodePage& page,
                       std::string_view sourceText) {
    if (platform::IsAscii(sourceText))
        AppendDumpEscaped(out, sourceText);
    else
        AppendDumpEscaped(out, page.ToUtf8(sourceText));
}

void AppendVariable(std::string& text, const platform::TCodePage& page, char tag,
                    const TVbVariable& v) {
    text += tag;
    text += '\t' + std::to_string(v.Line()) + '\t';
    AppendEscapedUtf8(text, page, v.Name());
    text += '\t';
    AppendEscapedUtf8(text, page, v.Bounds);
    text += '\t';
    AppendEscapedUtf8(text, page, v.TypeName);
    text += '\n';
}

} // namespace

CLI::App* TDumpCommand::Add(CLI::App& app) {
    CLI::App* command =
        app.add_subcommand("dump", "Print the tokens and procedures of a source file");
    command->footer(Description);
    AddCodePageOption(*command, CodePage_);
    command->add_flag("--syntax", Syntax_, "Print the syntax model instead of the tokens");
    command->add_option("source", SourceFile_, "VB source file (.bas, .frm, .cls, .ctl, .pag)")
        ->type_name("SOURCE")
        ->required();
    return command;
}

int TDumpCommand::Run() {
    std::string path = platform::EnginePath(SourceFile_);
    std::unique_ptr<TVbSource> source = NewMemberSource(MemberKindOfFile(path), nullptr);
    if (!source)
        throw EGeneralError(platform::MarkPath(path) +
                            ": not a VB source file (.bas, .frm, .cls, .ctl or .pag)");
    std::string bytes;
    if (!platform::FileExists(path) || !platform::ReadFileBytes(path, bytes))
        throw EFOpenError(path);
    TRunSettings settings;
    settings.CodePage = CodePage_;
    TCheckSession session(settings);
    source->SetCodePage(session.CodePage());
    source->Load(path);
    bool answer = TVbParser(*source, session.WordLists()).Execute();

    TOutput out(stdout);
    if (Syntax_) {
        TVbSyntax model;
        BuildSyntax(*source, model);
        out.Write(SyntaxDumpText(model, session.CodePage()) +
                  (answer ? "R\ttrue\n" : "R\tfalse\n"));
        if (!out.Close()) throw EGeneralError("cannot write the output");
        return 0;
    }
    std::string text;
    auto flush = [&] {
        if (text.size() >= (1 << 20)) {
            out.Write(text);
            text.clear();
        }
    };
    for (int i = 0; i < source->Tokens.Count(); ++i) {
        const TVbToken& t = *source->Tokens.Get(i);
        text += "T\t" + std::to_string(t.Line) + '\t' + std::to_string(t.Kind) + '\t' +
                std::to_string(t.Scope) + '\t';
        AppendEscapedUtf8(text, session.CodePage(), t.Text());
        text += '\n';
        flush();
    }
    for (const auto& d : source->DroppedText) {
        text += "D\t" + std::to_string(d.Line) + '\t';
        AppendEscapedUtf8(text, session.CodePage(), d.Text);
        text += '\n';
        flush();
    }
    for (int i = 0; i < source->Variables.Count(); ++i)
        AppendVariable(text, session.CodePage(), 'V', *source->Variables.Get(i));
    for (int i = 0; i < source->Methods.Count(); ++i) {
        const TVbMethod& m = *source->Methods.Get(i);
        text += "M\t" + std::to_string(m.NameToken->Line) + '\t' +
                std::to_string(m.NameToken->Scope) + '\t';
        AppendEscapedUtf8(text, session.CodePage(), m.NameToken->Text());
        text += '\t' + std::to_string(m.Tokens.Count()) + '\n';
        for (int k = 0; k < m.Arguments.Count(); ++k)
            AppendVariable(text, session.CodePage(), 'A', *m.Arguments.Get(k));
        flush();
    }
    text += answer ? "R\ttrue\n" : "R\tfalse\n";
    out.Write(text);
    if (!out.Close()) throw EGeneralError("cannot write the output");
    return 0;
}
