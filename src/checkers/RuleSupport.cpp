#include "checkers/RuleSupport.h"

#include "platform/CodePage.h"

#include <algorithm>

bool IsMemberSource(const TVtParts& part) { return MemberKindOf(part) != TVbMemberKind::None; }

void TNameIndex::Clear() {
    // Only the slots in use are reset: a procedure has few names.
    for (const TEntry& e : Entries_)
        Heads_[Slot(e.Key)] = -1;
    Entries_.clear();
}

void TNameIndex::Add(std::string_view name) {
    const std::uint32_t key = Key(name);
    std::int32_t& head = Heads_[Slot(key)];
    Entries_.push_back({name, key, head});
    head = static_cast<std::int32_t>(Entries_.size() - 1);
}

TDroppedWords::TDroppedWords(const TVbSource& source, const TVbMethod& method) : Source_(source) {
    FirstLine_ = method.NameToken->Line;
    LastLine_ =
        method.Tokens.Count() > 0 ? method.Tokens.Get(method.Tokens.Count() - 1)->Line : FirstLine_;
}

bool TDroppedWords::Contains(std::string_view name) {
    // Most procedures have no dropped text: the words are gathered at the first question only.
    if (!Collected_) Collect();
    return Words_.count(name) > 0;
}

namespace {
// A byte that continues a word on its own: letters (also those beyond ASCII of a single-byte
// code page), digits and "_".
bool IsWordByte(const platform::TCodePage& page, unsigned char c) {
    return page.IsLetterByte(c) || (c >= '0' && c <= '9') || c == '_';
}
} // namespace

void TDroppedWords::Collect() {
    Collected_ = true;
    const auto& dropped = Source_.DroppedText;
    // The dropped pieces are in line order: find the first one on the procedure's lines.
    auto it =
        std::lower_bound(dropped.begin(), dropped.end(), FirstLine_,
                         [](const TVbDroppedText& d, std::int32_t line) { return d.Line < line; });
    const platform::TCodePage& page = Source_.CodePage();
    for (; it != dropped.end() && it->Line <= LastLine_; ++it) {
        std::string_view text = it->Text;
        std::size_t i = 0;
        while (i < text.size()) {
            std::size_t start = i;
            while (i < text.size()) {
                std::size_t n = page.CharLength(text, i);
                if (n == 1 && !IsWordByte(page, static_cast<unsigned char>(text[i]))) break;
                i += n;
            }
            // A word directly after "." is a member name ("m_Cells(i).sText"), not a use.
            if (i > start && (start == 0 || text[start - 1] != '.'))
                Words_.insert(text.substr(start, i - start));
            else
                ++i;
        }
    }
}
