#include "cli/commands/DumpCommand.h"

#include "checkers/CheckSession.h"
#include "cli/CliTexts.h"
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
    CLI::App* command = app.add_subcommand("dump", CliText(TCliText::DumpCommand));
    command->footer(CliText(TCliText::DumpDescription));
    AddCodePageOption(*command, CodePage_);
    command->add_flag("--syntax", Syntax_, CliText(TCliText::SyntaxOption));
    command->add_option("source", SourceFile_, CliText(TCliText::SourceArgument))
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
        if (!out.Close()) throw EGeneralError(CliTextCp932(TCliText::CannotWriteOutput));
        return 0;
    }
    std::string text;
    auto flush = [&] {
        if (text.size() >= (1 << 20)) {
            out.Write(text);
            text.clear();
        }
    };
    TVbLineCursor lines(source->Tokens);
    for (int i = 0; i < source->Tokens.Count(); ++i) {
        const TVbToken& t = *source->Tokens.Get(i);
        text += "T\t" + std::to_string(lines.LineOf(i)) + '\t' + std::to_string(t.Kind) + '\t' +
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
        text += "M\t" + std::to_string(source->Tokens.LineOf(m.NameToken)) + '\t' +
                std::to_string(m.NameToken->Scope) + '\t';
        AppendEscapedUtf8(text, session.CodePage(), m.NameToken->Text());
        text += '\t' + std::to_string(m.Tokens.Count()) + '\n';
        for (int k = 0; k < m.Arguments.Count(); ++k)
            AppendVariable(text, session.CodePage(), 'A', *m.Arguments.Get(k));
        flush();
    }
    text += answer ? "R\ttrue\n" : "R\tfalse\n";
    out.Write(text);
    if (!out.Close()) throw EGeneralError(CliTextCp932(TCliText::CannotWriteOutput));
    return 0;
}
