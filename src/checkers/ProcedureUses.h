// What the body of one procedure declares and mentions, read in one pass over its tokens for
// every rule that asks (the unused arguments and the unused locals): which of its arguments the
// body mentions, which local variables it declares with Dim or Static, and which of those it
// mentions after declaring them. Names are compared byte for byte.
#pragma once

#include "checkers/RuleSupport.h"
#include "vbsource/VbSource.h"

#include <vector>

class TProcedureUses {
public:
    struct TLocal {
        const TVbToken* NameToken;
        std::int32_t Line; // the name's
        bool Used;         // a use follows the declaration
    };

    // Reads the method's body; what an earlier read found is forgotten.
    void Read(const TVbSource& source, const TVbMethod& method);
    // Whether the body mentions the name of the method's argument at `index` (not as the member
    // name after "."). A declaration of a local of that name is a mention.
    bool ArgumentUsed(int index) const { return Used_[static_cast<std::size_t>(index)] != 0; }
    // The locals in the order declared. A name declared twice (in both branches of "#If ...
    // #Else", whose lines the tokenizer drops) is two locals, and a use after both counts for
    // both.
    const std::vector<TLocal>& Locals() const { return Locals_; }
    // The words of the procedure's text that the tokenizer dropped.
    TDroppedWords& Dropped() { return Dropped_; }

private:
    template <typename At>
    void ReadBody(const TVbTokenList& tokens, std::int32_t line, int count, At at);
    // One use of `name`: marks the arguments of that name, and the locals declared so far
    // unless the use is itself a declaration.
    void Use(std::string_view name, bool declaration);

    // The arguments' names (entries 0 to Arguments_ - 1), then the locals' as declared.
    TNameIndex Names_;
    std::vector<char> Used_; // entry for entry
    std::size_t Arguments_ = 0;
    std::vector<TLocal> Locals_;
    TDroppedWords Dropped_;
};
