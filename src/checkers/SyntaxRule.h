// Rule bases for the rules that read the syntax model (TSyntaxRule) and the project's symbol
// table (TProjectSymbolRule).
#pragma once

#include "checkers/DescribedRule.h"
#include "vbsyntax/VbSymbols.h"
#include "vbsyntax/VbSyntax.h"

// A rule checked on the syntax model of each member. The model is built once per member and
// shared by the rules of one collection (ShareSyntaxCache); a rule without a shared cache builds
// it for itself.
class TSyntaxRule : public TDescribedRule {
public:
    void Check(TVtParts& part) override;
    bool IsTarget(const TVtParts& part) const override;
    void ShareSyntax(TVbSyntaxCache* cache) { Shared_ = cache; }

protected:
    virtual void CheckSyntax(const TVbSource& source, const TVbSyntax& syntax) = 0;

private:
    TVbSyntaxCache* Shared_ = nullptr;
};

// A rule on the whole project's declarations and uses. Its check of a member does nothing: the
// check session summarises every member (whether this rule's check of it runs or not) and, once
// all members are through, calls ReportMember for each member that is a check target, with the
// collection's current part set to that member.
class TProjectSymbolRule : public TDescribedRule {
public:
    void Check(TVtParts&) override {}
    bool IsTarget(const TVtParts& part) const override;
    virtual void ReportMember(const TVbMemberSymbols& member) = 0;
};

// Points every syntax rule of the collection at one cache (none: each builds its own).
void ShareSyntaxCache(TVetrins& rules, TVbSyntaxCache* cache);
// True when an enabled rule of the collection reads the project's symbol table.
bool NeedsProjectSymbols(const TVetrins& rules);
