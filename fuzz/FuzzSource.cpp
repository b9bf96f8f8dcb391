// Tokenizer and extraction of one member source, then every rule on it: the input is the file's
// bytes. Nothing may crash, and every token, variable and method must lie inside the source.
#include "checkers/Checkers.h"
#include "framework/TextLines.h"
#include "framework/Vetrin.h"
#include "vbsource/VbParsers.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static TVetrins* checkers = [] {
        auto* c = new TVetrins;
        AddAllCheckers(*c);
        for (int i = 0; i < c->Count(); ++i)
            c->Items(i)->Enabled = true;
        return c;
    }();
    TStringLines results, log;
    checkers->SetResults(&results);
    checkers->SetLog(&log);

    TVbModuleSource source(nullptr);
    source.FileName = "Fuzz.bas";
    source.RawLines.AssignText(std::string_view(reinterpret_cast<const char*>(data), size));
    TVbModuleParser parser(source);
    parser.Execute();
    for (int i = 0; i < source.Tokens.Count(); ++i)
        if (source.Tokens.Get(i)->Line < 1 || source.Tokens.Get(i)->Line > source.RawLines.Count())
            std::abort();
    for (int m = 0; m < source.Methods.Count(); ++m)
        if (!source.Methods.Get(m)->NameToken) std::abort();
    if (source.Tokens.Count() > 0) checkers->CheckPart(source);
    return 0;
}
