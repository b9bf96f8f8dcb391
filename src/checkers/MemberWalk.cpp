#include "checkers/MemberWalk.h"

#include "checkers/RuleSupport.h"

#include <algorithm>
#include <cstring>
#include <utility>

bool TMemberLineRule::IsTarget(const TVtParts& part) const { return IsMemberSource(part); }

void TWalkedRule::Keep(std::string_view text) {
    const auto length = static_cast<std::uint32_t>(text.size());
    Texts_.append(reinterpret_cast<const char*>(&length), sizeof length);
    Texts_.append(text);
}

std::string_view TWalkedRule::Kept(std::size_t& at) const {
    std::uint32_t length;
    std::memcpy(&length, Texts_.data() + at, sizeof length);
    at += sizeof length;
    const std::string_view text(Texts_.data() + at, length);
    at += length;
    return text;
}

void TWalkedRule::Defer(std::string message, std::int32_t line) {
    Deferred_.push_back({false, line, std::nullopt, 0, Texts_.size()});
    Keep(message);
}

void TWalkedRule::Defer(TText message, std::initializer_list<TTextField> fields,
                        std::int32_t line) {
    TDeferred& d = Deferred_.emplace_back(TDeferred{false, line, message, 0, Texts_.size()});
    for (const std::string& name : TextFieldNames(message))
        for (const TTextField& f : fields)
            if (f.Name == name) {
                Keep(f.Value);
                ++d.Values;
            }
}

void TWalkedRule::DeferLog(std::string text) {
    Deferred_.push_back({true, 0, std::nullopt, 0, Texts_.size()});
    Keep(text);
}

void TWalkedRule::Check(TVtParts& part) {
    auto& source = dynamic_cast<TVbSource&>(part);
    if (Walked_ != &source) {
        TWalkedRule* self = this;
        WalkMember(source, std::span<TWalkedRule* const>(&self, 1));
    }
    Walked_ = nullptr;
    // Forgotten however the handing out ends: a sink that raises leaves nothing behind for the
    // next member. The room is kept for it.
    struct TForget {
        TWalkedRule& Rule;
        ~TForget() {
            Rule.Deferred_.clear();
            // A member with very many findings does not keep its texts' room for the next one.
            if (Rule.Texts_.capacity() > (std::size_t{1} << 20)) std::string().swap(Rule.Texts_);
            Rule.Texts_.clear();
        }
    } forget{*this};
    const std::exception_ptr error = std::exchange(WalkError_, nullptr);
    for (const TDeferred& d : Deferred_) {
        std::size_t at = d.Begin;
        if (d.Log) {
            WriteLog(std::string(Kept(at)));
        } else if (d.Key) {
            std::span<const std::string> names = TextFieldNames(*d.Key);
            Fields_.clear();
            for (std::size_t i = 0; i < names.size() && i < d.Values; ++i)
                Fields_.push_back({names[i], Kept(at)});
            ReportAt(*d.Key, Fields_, d.Line);
        } else {
            ReportAt(Kept(at), d.Line);
        }
    }
    if (error) std::rethrow_exception(error);
    EndWalk(source);
}

namespace {
// Calls one step of a rule's walk; a step that fails ends the rule's part in the walk.
template <typename F> void Step(std::exception_ptr& error, F&& step) {
    if (error) return;
    try {
        step();
    } catch (...) {
        error = std::current_exception();
    }
}
} // namespace

namespace {
// The lines go to the rules in runs of this many: a rule takes a run in one call, and the walk
// keeps no more than one run, however long the member.
constexpr std::size_t LinesPerRun = 1024;
} // namespace

void WalkMember(const TVbSource& source, std::span<TWalkedRule* const> rules) {
    // The rules of each step, in their order: the steps ask no rule what it needs.
    std::vector<TWalkedRule*> lines, procedures;
    for (TWalkedRule* rule : rules) {
        rule->Walked_ = &source;
        rule->Deferred_.clear();
        rule->Texts_.clear();
        rule->WalkError_ = nullptr;
        Step(rule->WalkError_, [&] { rule->BeginWalk(source); });
        if (rule->Needs() & wnLines) lines.push_back(rule);
        if (rule->Needs() & wnProcedures) procedures.push_back(rule);
    }
    if (!lines.empty()) {
        // Logical and raw lines run line for line; a member read but not joined has raw lines
        // only.
        const int count = std::max(source.LogicalLines.Count(), source.RawLines.Count());
        const TVbTokenList& tokens = source.Tokens;
        const int tokenCount = tokens.Count();
        const TVbToken* first = tokens.Consecutive();
        std::vector<TWalkLine> run;
        run.reserve(std::min(static_cast<std::size_t>(count), LinesPerRun));
        // Tokens come in line order: the line at hand takes them up to the first one on a later
        // line, and the last line all that are left.
        int k = 0;
        TStartReader nextLines = tokens.FirstOnLines(2);
        for (int j = 0; j < count; ++j) {
            const std::int32_t number = j + 1;
            const int from = k;
            const int end = j + 1 == count ? tokenCount : static_cast<int>(nextLines.Next());
            int comments = 0;
            for (; k < end; ++k)
                comments += first[k].Kind == tkComment;
            run.push_back({j, number, from, k - from, comments});
            if (run.size() < LinesPerRun && j + 1 < count) continue;
            for (TWalkedRule* rule : lines)
                Step(rule->WalkError_, [&] { rule->WalkLines(source, run); });
            run.clear();
        }
    }
    if (!procedures.empty()) {
        TProcedureUses uses;
        for (int m = 0; m < source.Methods.Count(); ++m) {
            TWalkedProcedure procedure(source, *source.Methods.Get(m), uses);
            for (TWalkedRule* rule : procedures)
                Step(rule->WalkError_, [&] { rule->WalkProcedure(source, procedure); });
        }
    }
}

void TWalkingRules::WalkPart(TVtParts& part) {
    Walkers_.clear();
    const auto* source = dynamic_cast<const TVbSource*>(&part);
    for (int i = 0; i < Count(); ++i) {
        auto* rule = dynamic_cast<TWalkedRule*>(Items(i));
        if (!rule) continue;
        rule->Walked_ = nullptr; // a walk that an error cut short is not taken for this one
        // The rules whose turn will check the part (TVetrin::Run), and only those.
        if (source && rule->Enabled && !rule->IgnoresExclusion() && rule->IsTarget(part) &&
            part.HasContent() && part.IsCheckTarget())
            Walkers_.push_back(rule);
    }
    if (!Walkers_.empty()) WalkMember(*source, Walkers_);
}
