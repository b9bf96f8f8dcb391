// Helpers for the rule tests: VB sources written as code page 932 files with CR LF and parsed
// for real, and a checker collection whose findings are read back as UTF-8.
#pragma once

#include "TestSupport.h"
#include "checkers/Checkers.h"
#include "framework/TextLines.h"
#include "framework/Vetrin.h"
#include "vbsource/VbSource.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// UTF-8 text with "\n" line ends as the bytes VB writes: code page 932, CR LF.
inline std::string VbBytes(std::string_view utf8) {
    std::string crlf;
    for (char c : utf8) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    return Sj(crlf);
}

// Writes the file into the folder, loads it into a new member source of kind T and parses it.
template <typename T>
std::unique_ptr<T> ParsedMember(const TempDir& dir, const std::string& name,
                                std::string_view utf8) {
    auto source = std::make_unique<T>(nullptr);
    source->Load(dir.Write(name, VbBytes(utf8)));
    source->Parse();
    return source;
}

// The nine rules with a result and a log sink; only the rules a test enables run.
class TRuleHarness {
public:
    TRuleHarness() {
        AddAllCheckers(Checkers);
        Checkers.SetResults(&Results);
        Checkers.SetLog(&Log);
    }

    // Enables the rule of class T and answers it for its settings.
    template <typename T> T& Enable() {
        TVetrin* rule = Checkers.FindByClassName(T().ClassName());
        rule->Enabled = true;
        return dynamic_cast<T&>(*rule);
    }

    // Runs the enabled rules on the part and answers its result lines in UTF-8, each without the
    // part's file name: "(12) : message" or " : message".
    std::vector<std::string> Check(TVtParts& part) {
        Results.Clear();
        Checkers.CheckPart(part);
        std::vector<std::string> out;
        for (const std::string& line : Results.Lines) {
            std::string rest = line.compare(0, part.FileName.size(), part.FileName) == 0
                                   ? line.substr(part.FileName.size())
                                   : "?" + line;
            out.push_back(platform::Cp932ToUtf8(rest));
        }
        return out;
    }

    TVetrins Checkers;
    TStringLines Results;
    TStringLines Log;
};

using Lines = std::vector<std::string>;
