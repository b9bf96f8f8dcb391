#include "checkers/RuleSupport.h"

#include "platform/CodePage.h"

#include <algorithm>

bool IsMemberSource(const TVtParts& part) { return MemberKindOf(part) != TVbMemberKind::None; }

void TNameIndex::Clear() {
    if (Heads_.size() > MinSlots) {
        // A procedure with very many names made the table grow: start small again.
        Heads_.assign(MinSlots, -1);
    } else {
        // Only the slots in use are reset: a procedure has few names.
        for (const TEntry& e : Entries_)
            Heads_[e.Hash & (Heads_.size() - 1)] = -1;
    }
    Entries_.clear();
    Lengths_ = 0;
}

void TNameIndex::Link(std::size_t entry) {
    std::int32_t& head = Heads_[Entries_[entry].Hash & (Heads_.size() - 1)];
    Entries_[entry].Next = head;
    head = static_cast<std::int32_t>(entry);
}

void TNameIndex::Add(std::string_view name) {
    Entries_.push_back({name, Hash(name), -1});
    Lengths_ |= LengthBit(name);
    if (Entries_.size() > Heads_.size()) {
        // More names than slots: twice the slots, every entry linked again.
        Heads_.assign(Heads_.size() * 2, -1);
        for (std::size_t e = 0; e < Entries_.size(); ++e)
            Link(e);
        return;
    }
    Link(Entries_.size() - 1);
}

void TDroppedWords::Begin(const TVbSource& source, const TVbMethod& method) {
    Source_ = &source;
    FirstLine_ = method.Line;
    LastLine_ = method.Tokens.Count() > 0
                    ? source.Tokens.LineOf(method.Tokens.Get(method.Tokens.Count() - 1))
                    : FirstLine_;
    Collected_ = false;
    Words_.Clear();
}

bool TDroppedWords::Contains(std::string_view name) {
    // Most procedures have no dropped text: the words are gathered at the first question only.
    if (!Collected_) Collect();
    return Words_.Contains(name);
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
    const auto& dropped = Source_->DroppedText;
    // The dropped pieces are in line order: find the first one on the procedure's lines.
    auto it =
        std::lower_bound(dropped.begin(), dropped.end(), FirstLine_,
                         [](const TVbDroppedText& d, std::int32_t line) { return d.Line < line; });
    const platform::TCodePage& page = Source_->CodePage();
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
            if (i > start && (start == 0 || text[start - 1] != '.')) {
                const std::string_view word = text.substr(start, i - start);
                if (!Words_.Contains(word)) Words_.Add(word);
            } else
                ++i;
        }
    }
}
