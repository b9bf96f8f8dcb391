// The one walk over a member for the rules that read its lines and tokens or its procedures: each
// rule says what it needs, the walk goes over the member once and hands each rule its part, and
// each rule hands out what it found in its own turn, so the log lines and findings come out in
// rule order as if every rule had walked the member by itself.
#pragma once

#include "checkers/DescribedRule.h"
#include "checkers/ProcedureUses.h"
#include "vbsource/VbSource.h"

#include <cstdint>
#include <exception>
#include <optional>
#include <span>
#include <string>
#include <vector>

// One line of the member as the walk hands it: its index in the member's lines (logical and raw
// lines run line for line), and the tokens whose Line is its number.
struct TWalkLine {
    int Index;
    std::int32_t Number; // Index + 1
    int FirstToken;      // the index in the source's Tokens of the first token on the line
    int TokenCount;      // the last line also holds any token numbered beyond it
};

// One procedure as the walk hands it to each rule in turn.
class TWalkedProcedure {
public:
    TWalkedProcedure(const TVbSource& source, const TVbMethod& method, TProcedureUses& uses)
        : Method(method), Source_(source), Uses_(uses) {}
    const TVbMethod& Method;
    // What its body declares and mentions: read when the first rule asks, and shared by the
    // rules after it.
    TProcedureUses& Uses() {
        if (!Read_) {
            Uses_.Read(Source_, Method);
            Read_ = true;
        }
        return Uses_;
    }

private:
    const TVbSource& Source_;
    TProcedureUses& Uses_;
    bool Read_ = false;
};

// What a walked rule reads.
enum TWalkNeeds : unsigned {
    wnLines = 1,      // every line, with its tokens
    wnProcedures = 2, // every procedure, in source order
};

class TWalkedRule : public TDescribedRule {
public:
    // Reports what the walk of the part found. A part the collection has not walked for this
    // rule (a rule checked alone) is walked for this rule first.
    void Check(TVtParts& part) final;
    virtual unsigned Needs() const = 0;

    // The walk: BeginWalk, then (as Needs says) the lines from the first on, a run of them at a
    // time, then each procedure. The steps must not report: they Defer what they find.
    virtual void BeginWalk(const TVbSource& source) = 0;
    virtual void WalkLines(const TVbSource&, std::span<const TWalkLine>) {}
    virtual void WalkProcedure(const TVbSource&, TWalkedProcedure&) {}

protected:
    // In the rule's turn, after the deferred findings and log lines are handed out: whatever the
    // walk leaves to report at the end.
    virtual void EndWalk(TVbSource&) {}
    // A finding at a line (-1: none) or a log line found during the walk, handed out in the
    // rule's turn in the order deferred.
    void Defer(std::string message, std::int32_t line);
    void Defer(TText message, std::initializer_list<TTextField> fields, std::int32_t line);
    void DeferLog(std::string text);

private:
    friend void WalkMember(const TVbSource& source, std::span<TWalkedRule* const> rules);
    friend class TWalkingRules;
    struct TDeferred {
        bool Log; // a log line, else a finding
        std::int32_t Line;
        std::string Text;
        // A finding's message of the catalogue and its fields' values in the catalogue's order.
        std::optional<TText> Key;
        std::vector<std::string> Fields;
    };
    const TVbSource* Walked_ = nullptr; // the member whose walk this rule has taken part in
    std::vector<TDeferred> Deferred_;
    // How the rule's part of the walk failed: raised in its turn, after what it deferred before.
    std::exception_ptr WalkError_;
};

// A walked rule on every line of each member source, with the line's tokens.
class TMemberLineRule : public TWalkedRule {
public:
    bool IsTarget(const TVtParts& part) const override;
    unsigned Needs() const override { return wnLines; }
};

// Walks the member once for the rules, in their order at each step. A rule whose step fails takes
// no further part; the failure is raised in its turn.
void WalkMember(const TVbSource& source, std::span<TWalkedRule* const> rules);

// A rule collection that walks each member once for its walked rules that check it, before they
// report in their turns. The check session checks with these.
class TWalkingRules : public TVetrins {
protected:
    void WalkPart(TVtParts& part) override;

private:
    std::vector<TWalkedRule*> Walkers_;
};
