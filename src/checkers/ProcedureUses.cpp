#include "checkers/ProcedureUses.h"

void TProcedureUses::Use(std::string_view name, bool declaration) {
    Names_.ForEachEntry(name, [&](std::size_t entry) {
        if (!declaration || entry < Arguments_) Used_[entry] = 1;
    });
}

// The tokens of a body are those at(0) to at(count - 1), in line order, of the owning list
// `tokens`; the header stands on `line`.
template <typename At>
void TProcedureUses::ReadBody(const TVbTokenList& tokens, std::int32_t line, int count, At at) {
    if (count == 0) return;
    // The body's first token is a use of an argument ("buttonRight = ..." right after the
    // header) but is read for nothing else: nothing before it declares.
    if (at(0)->Kind == tkIdentifier) Use(at(0)->Text(), false);
    // A declaration list ("Dim a As Long, b(1 To 2), c") declares a name after each "," at its
    // own depth; the statement ends with its line (a ":" drops the rest of a line). Lines only
    // grow from token to token, so the list is left behind at the first token read on another
    // line.
    bool inList = false;
    const TVbToken* listEnd = nullptr; // the first token after the list's line
    // A line no later than the next declaration's, and the index of the first token after it:
    // both only move on, a line at a time.
    const TVbToken* const first = tokens.Consecutive();
    int lineEnd = tokens.FirstOnLine(line + 1);
    int depth = 0;
    for (int j = 1; j < count; ++j) {
        const TVbToken* token = at(j);
        if (token->Kind == tkSymbol) {
            if (inList && token >= listEnd) inList = false;
            if (inList) {
                if (token->Is("(")) ++depth;
                if (token->Is(")")) --depth;
            }
            continue;
        }
        if (token->Kind != tkIdentifier) continue;
        if (inList && token >= listEnd) inList = false;
        const TVbToken& previous = *at(j - 1);
        // "Static" declares locals as "Dim" does.
        const bool firstName = previous.Is("Dim") || previous.Is("Static");
        if (firstName || (inList && depth == 0 && previous.Kind == tkSymbol && previous.Is(","))) {
            // A declaration is a mention of an argument of the same name, not a use of a local.
            Use(token->Text(), true);
            Names_.Add(token->Text());
            Used_.push_back(0);
            // A name after "," stands on the line of its list.
            if (firstName)
                while (token - first >= lineEnd)
                    lineEnd = tokens.FirstOnLine(++line + 1);
            Locals_.push_back({token, line, false});
            if (firstName) {
                inList = true;
                listEnd = first + lineEnd;
                depth = 0;
            }
            continue;
        }
        // A name after "." is a member name, not a use.
        if (previous.Is(".")) continue;
        Use(token->Text(), false);
    }
}

void TProcedureUses::Read(const TVbSource& source, const TVbMethod& method) {
    Names_.Clear();
    Used_.clear();
    Locals_.clear();
    Dropped_.Begin(source, method);
    Arguments_ = static_cast<std::size_t>(method.Arguments.Count());
    for (std::size_t a = 0; a < Arguments_; ++a)
        Names_.Add(method.Arguments.Get(static_cast<int>(a))->Name());
    Used_.assign(Arguments_, 0);

    const TVbTokenList& body = method.Tokens;
    if (const TVbToken* run = body.Consecutive())
        ReadBody(source.Tokens, method.Line, body.Count(), [run](int j) { return run + j; });
    else
        ReadBody(source.Tokens, method.Line, body.Count(), [&body](int j) { return body.Get(j); });
    for (std::size_t k = 0; k < Locals_.size(); ++k)
        Locals_[k].Used = Used_[Arguments_ + k] != 0;
}
