// Suppression comments in a member source. A comment
//     ' vetrin:ignore RULE[, RULE...]
// after code suppresses those rules' findings on its line; on a line of its own, on the next
// line that holds code. A comment
//     ' vetrin:ignore-file RULE[, RULE...]
// anywhere in the file suppresses them in the whole file. RULE is a rule's class name (letter
// case ignored) or "*" for every rule; text after the list (a reason) is ignored. A name that is
// no rule's suppresses nothing. A "Rem" comment holds a directive as a "'" comment does.
#pragma once

#include "framework/Finding.h"
#include "vbsource/VbSource.h"

#include <cstdint>
#include <string>
#include <vector>

class TSuppression {
public:
    struct TDirective {
        std::int32_t Line;       // the line of the comment
        std::int32_t TargetLine; // the line it suppresses; -1 for the whole file or none
        bool WholeFile;
        std::vector<std::string> Rules; // as written
    };

    // Reads the directives from the comments (also "Rem" statements) of a parsed source.
    explicit TSuppression(const TVbSource& source);
    // Answers whether a finding of this source is suppressed.
    bool Suppresses(const TFindingRecord& finding) const;
    const std::vector<TDirective>& Directives() const { return Directives_; }

private:
    std::vector<TDirective> Directives_;
};

// Reads one comment's text (starting with "'"); answers false when it is no directive.
bool ParseSuppressionComment(std::string_view comment, bool& wholeFile,
                             std::vector<std::string>& rules);
