#include "checkers/WildcardMatcher.h"

#include "framework/Errors.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <bitset>
#include <cstdint>
#include <vector>

namespace {
// Patterns come from the checker project file and names are shown in its code page: both are
// code page 932 text, whatever the sources' code page.
std::size_t CharLength(std::string_view s, std::size_t i) {
    return platform::SystemCodePage().CharLength(s, i);
}

// At most this many elements may be preceded by a star.
constexpr int MaxStarElements = 30;

enum class TElementKind : std::uint8_t { Char, AnyChar, Set, DoubleByte, End };

struct TElement {
    explicit TElement(TElementKind kind) : Kind(kind) {}
    TElementKind Kind;
    bool Star = false;        // any run of bytes may come before this element
    unsigned char First = 0;  // Char: the upper-cased byte; DoubleByte: the lead byte
    unsigned char Second = 0; // DoubleByte: the trail byte
    bool Negate = false;      // Set: matches the bytes not in the set
    std::bitset<256> Members; // Set: upper-cased bytes
};

unsigned char Upper(char c) { return platform::AsciiUpper(static_cast<unsigned char>(c)); }

class TCompiledPattern {
public:
    explicit TCompiledPattern(std::string_view pattern) : Pattern_(pattern) { Compile(); }

    bool Matches(std::string_view name) {
        Name_ = name;
        // Per star element, the first name position from which its search is known to fail:
        // a search from there on tries a subset of the same positions, so it need not run again.
        // Each star element thus looks at each name position at most once.
        FailedFrom_.assign(static_cast<std::size_t>(StarCount_), name.size() + 1);
        return MatchFrom(0, 0);
    }

private:
    [[noreturn]] void Invalid(std::size_t index) const {
        throw EMaskError(Pattern_, static_cast<int>(index) + 1);
    }

    void Add(TElement element, std::size_t at) {
        element.Star = StarPending_;
        StarPending_ = false;
        if (element.Star) {
            if (++StarCount_ > MaxStarElements) Invalid(at);
            StarSlot_.push_back(StarCount_ - 1);
        } else {
            StarSlot_.push_back(-1);
        }
        Elements_.push_back(element);
    }

    void Compile() {
        const std::string_view p = Pattern_;
        std::size_t i = 0;
        while (i < p.size()) {
            const char c = p[i];
            if (c == '*') {
                StarPending_ = true;
                ++i;
            } else if (c == '?') {
                // After a star the question mark adds nothing: "*?" is "*".
                if (!StarPending_) Add(TElement(TElementKind::AnyChar), i);
                ++i;
            } else if (c == '[') {
                std::size_t start = i;
                TElement set(TElementKind::Set);
                i = CompileSet(i + 1, set);
                Add(set, start);
            } else if (CharLength(p, i) == 2) {
                TElement db(TElementKind::DoubleByte);
                db.First = static_cast<unsigned char>(p[i]);
                db.Second = static_cast<unsigned char>(p[i + 1]);
                Add(db, i);
                i += 2;
            } else {
                TElement ch(TElementKind::Char);
                ch.First = Upper(c);
                Add(ch, i);
                ++i;
            }
        }
        Add(TElement(TElementKind::End), p.size());
    }

    // Reads the set that starts at i (just after "["); answers the position after its "]".
    std::size_t CompileSet(std::size_t i, TElement& set) const {
        const std::string_view p = Pattern_;
        if (i < p.size() && p[i] == '!') {
            set.Negate = true;
            ++i;
        }
        bool haveLast = false;
        unsigned char last = 0;
        while (i < p.size() && p[i] != ']') {
            if (CharLength(p, i) == 2) {
                // Double-byte characters cannot stand in a set of single bytes.
                i += 2;
                continue;
            }
            if (p[i] == '-') {
                if (!haveLast) Invalid(i);
                // A "-" right before the closing "]" stands for itself.
                if (i + 1 < p.size() && p[i + 1] == ']') {
                    set.Members.set('-');
                    ++i;
                    continue;
                }
                if (i + 1 >= p.size()) Invalid(i + 1); // the set is never closed
                if (CharLength(p, i + 1) == 2) {
                    i += 3; // a range up to a double-byte character adds nothing
                    continue;
                }
                unsigned char to = Upper(p[i + 1]);
                for (unsigned v = last; v <= to; ++v)
                    set.Members.set(v);
                last = to;
                i += 2;
                continue;
            }
            last = Upper(p[i]);
            haveLast = true;
            set.Members.set(last);
            ++i;
        }
        if (i >= p.size()) Invalid(i);
        if (set.Members.none()) Invalid(i);
        return i + 1;
    }

    // Length of the element's match at pos, or -1 when it does not match there.
    int MatchAt(const TElement& e, std::size_t pos) const {
        const std::string_view n = Name_;
        switch (e.Kind) {
        case TElementKind::End:
            return pos == n.size() ? 0 : -1;
        case TElementKind::AnyChar:
            return pos < n.size() ? 1 : -1;
        case TElementKind::Char:
            return pos < n.size() && Upper(n[pos]) == e.First ? 1 : -1;
        case TElementKind::Set:
            return pos < n.size() && e.Members.test(Upper(n[pos])) != e.Negate ? 1 : -1;
        case TElementKind::DoubleByte:
            return pos + 1 < n.size() && static_cast<unsigned char>(n[pos]) == e.First &&
                           static_cast<unsigned char>(n[pos + 1]) == e.Second
                       ? 2
                       : -1;
        }
        return -1;
    }

    bool MatchFrom(std::size_t k, std::size_t pos) {
        for (; k < Elements_.size(); ++k) {
            const TElement& e = Elements_[k];
            if (e.Star) {
                std::size_t& failedFrom = FailedFrom_[static_cast<std::size_t>(StarSlot_[k])];
                // The star takes the shortest run first; on failure of the rest, one byte more.
                for (std::size_t p = pos; p < failedFrom; ++p) {
                    int len = MatchAt(e, p);
                    if (len >= 0 && MatchFrom(k + 1, p + static_cast<std::size_t>(len)))
                        return true;
                }
                failedFrom = std::min(failedFrom, pos);
                return false;
            }
            int len = MatchAt(e, pos);
            if (len < 0) return false;
            pos += static_cast<std::size_t>(len);
        }
        return true;
    }

    std::string_view Pattern_;
    std::vector<TElement> Elements_;
    std::vector<int> StarSlot_; // per element: its index among the star elements, or -1
    int StarCount_ = 0;
    bool StarPending_ = false;

    std::string_view Name_;
    std::vector<std::size_t> FailedFrom_;
};

} // namespace

bool MatchesPattern(std::string_view name, std::string_view pattern) {
    TCompiledPattern compiled(pattern);
    return compiled.Matches(name);
}
