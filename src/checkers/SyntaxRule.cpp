#include "checkers/SyntaxRule.h"

#include "checkers/RuleSupport.h"

void TSyntaxRule::Check(TVtParts& part) {
    const auto& source = dynamic_cast<const TVbSource&>(part);
    if (Shared_) {
        CheckSyntax(source, Shared_->For(source));
        return;
    }
    TVbSyntaxCache own;
    CheckSyntax(source, own.For(source));
}

bool TSyntaxRule::IsTarget(const TVtParts& part) const { return IsMemberSource(part); }

bool TProjectSymbolRule::IsTarget(const TVtParts& part) const { return IsMemberSource(part); }

void ShareSyntaxCache(TVetrins& rules, TVbSyntaxCache* cache) {
    for (int i = 0; i < rules.Count(); ++i)
        if (auto* rule = dynamic_cast<TSyntaxRule*>(rules.Items(i))) rule->ShareSyntax(cache);
}

bool NeedsProjectSymbols(const TVetrins& rules) {
    for (int i = 0; i < rules.Count(); ++i)
        if (rules.Items(i)->Enabled && dynamic_cast<const TProjectSymbolRule*>(rules.Items(i)))
            return true;
    return false;
}
