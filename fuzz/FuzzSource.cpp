// Tokenizer and extraction of one member source, then every rule and the suppression comments on
// it. The first input byte chooses the member kind and the source code page (every kind in every
// supported code page); the rest is the file's bytes. Nothing may crash, every token, variable
// and method must lie inside the source, and every suppression must point into it.
#include "checkers/Checkers.h"
#include "checkers/Suppression.h"
#include "framework/TextLines.h"
#include "framework/Vetrin.h"
#include "platform/CodePage.h"
#include "vbsource/VbSource.h"

#include <cstdlib>
#include <string_view>

namespace {
constexpr TVbMemberKind kKinds[] = {TVbMemberKind::Module, TVbMemberKind::Form,
                                    TVbMemberKind::Class, TVbMemberKind::UserControl,
                                    TVbMemberKind::PropertyPage};
constexpr const char* kFileNames[] = {"Fuzz.bas", "Fuzz.frm", "Fuzz.cls", "Fuzz.ctl", "Fuzz.pag"};
constexpr int kCodePages[] = {932,  874,  936,  949,  950,  1250, 1251,
                              1252, 1253, 1254, 1255, 1256, 1257, 1258};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static TVetrins* checkers = [] {
        auto* c = new TVetrins;
        AddAllCheckers(*c);
        for (int i = 0; i < c->Count(); ++i)
            c->Items(i)->Enabled = true;
        return c;
    }();
    if (size == 0) return 0;
    const std::size_t kind = data[0] % 5;
    const platform::TCodePage* page = platform::FindCodePage(kCodePages[(data[0] / 5) % 14]);
    if (!page) std::abort();
    TStringLines results, log;
    checkers->SetResults(&results);
    checkers->SetLog(&log);

    // A project that is never parsed: its word lists are read once and shared by every run.
    static TVbProjectSource project;
    std::unique_ptr<TVbSource> source = NewMemberSource(kKinds[kind], &project);
    source->FileName = kFileNames[kind];
    source->SetCodePage(*page);
    source->RawLines.AssignText(
        std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
    source->Parse();
    const int lines = source->RawLines.Count();
    for (int i = 0; i < source->Tokens.Count(); ++i) {
        const std::int32_t line = source->Tokens.LineOf(i);
        if (line < 1 || line > lines) std::abort();
    }
    for (int m = 0; m < source->Methods.Count(); ++m)
        if (!source->Methods.Get(m)->NameToken) std::abort();
    if (source->Tokens.Count() > 0) checkers->CheckPart(*source);

    const TSuppression suppression(*source);
    for (const TSuppression::TDirective& d : suppression.Directives()) {
        if (d.Line < 1 || d.Line > lines) std::abort();
        if (d.TargetLine != -1 && (d.TargetLine < d.Line || d.TargetLine > lines)) std::abort();
        for (const std::string& rule : d.Rules) {
            TFindingRecord finding;
            finding.Rule = rule;
            finding.Line = d.TargetLine;
            if (rule != "*" && !d.WholeFile && d.TargetLine != -1 &&
                !suppression.Suppresses(finding))
                std::abort();
        }
    }
    return 0;
}
