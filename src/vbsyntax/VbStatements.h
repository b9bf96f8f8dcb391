// Splits a model's words into logical statements and reads its "#If" directives, as the words
// are read: the word reader tells the splitter of each run of words it has appended.
#pragma once

#include "vbsyntax/VbSyntax.h"

#include <cstdint>
#include <vector>

// Fills syntax.Statements and syntax.Directives from syntax.Words, run by run, in order.
class TStatementSplitter {
public:
    explicit TStatementSplitter(TVbSyntax& syntax) : Syntax_(syntax) {}

    // Words [from, to), all on `line`, none of them a comment, a directive or a ":" between
    // statements: they continue the statement at hand when it stands on the same line, else
    // they begin one. Told once a line, so a line of code costs one test, not one per word.
    void Plain(std::uint32_t from, std::uint32_t to, std::int32_t line) {
        if (from == to || (Open_ && line == OpenLine_)) return;
        Close(from, false);
        Open(from, line);
    }
    // Words [from, to) of any kind, one at a time.
    void Words(std::uint32_t from, std::uint32_t to);
    // After the last word: closes the statement at hand.
    void Finish() { Close(static_cast<std::uint32_t>(Syntax_.Words.size()), false); }

private:
    struct TOpenBlock {
        std::int32_t Block;
        std::int32_t Arm;
    };
    void Open(std::uint32_t first, std::int32_t line) {
        Open_ = true;
        OpenFirst_ = first;
        OpenLine_ = line;
    }
    // Closes the statement at hand (if any) before the word at `end`; bySeparator: that word is
    // a ":" between statements.
    void Close(std::uint32_t end, bool bySeparator);
    void Directive(const TVbWord& w);

    TVbSyntax& Syntax_;
    std::vector<TOpenBlock> Blocks_;
    std::int32_t BlockCount_ = 0;
    // The innermost "#If" block and its branch: what every statement gets until the next directive.
    TOpenBlock At_{0, 0};
    std::int32_t LastClosedLine_ = -1;
    bool Open_ = false;
    std::uint32_t OpenFirst_ = 0;
    std::int32_t OpenLine_ = 0;
};
