// The parts tree: one part per file, the project at the root, its member files as children.
#pragma once

#include "framework/StartTable.h"
#include "framework/TextLines.h"
#include "framework/VetrinList.h"
#include "platform/CodePage.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TVetrins;

// Ordered text lines, each with the 1-based physical line number it came from.
// The texts are kept back to back in one buffer, each followed by CR LF, so that the whole text
// (AllText) is there without copying; a line costs about two bytes beside its text (its start), and
// the line numbers are stored only once they stop being 1..n. A list assigned from another shares
// its buffer until either of them changes (a member's logical lines are most often its raw lines
// as they are). Views answered by Text stay valid until the list is changed.
class TSourceList {
public:
    void AssignLines(const std::vector<std::string>& lines);
    // Replaces all entries by the lines of text (CR, LF or CR LF end a line), numbered 1..n.
    void AssignText(std::string_view text) { TakeText(std::string(text)); }
    // The same, taking the text over: a text whose lines all end in CR LF becomes the buffer.
    void TakeText(std::string&& text);
    void AddLine(std::string_view text, std::int32_t number);
    // Appends `count` lines of another list from `first` on, with their numbers, in one copy.
    void AppendLines(const TSourceList& from, int first, int count);
    void Assign(const TSourceList& other);
    void Clear();
    // Makes room for lines of this many bytes in all, without line ends.
    void Reserve(std::size_t bytes, int lines) {
        TBuffer& b = Own();
        b.Data.reserve(bytes + 2 * static_cast<std::size_t>(lines));
        b.Starts.Reserve(static_cast<std::size_t>(lines));
    }

    int Count() const { return Buffer_ ? static_cast<int>(Buffer_->Starts.Count()) : 0; }
    std::string_view Text(int index) const {
        CheckIndex(index);
        const TBuffer& b = *Buffer_;
        auto i = static_cast<std::size_t>(index);
        std::size_t end = i + 1 < b.Starts.Count() ? b.Starts[i + 1] : b.Data.size();
        return std::string_view(b.Data).substr(b.Starts[i], end - b.Starts[i] - 2);
    }
    // The length of Text(index), without reading where the text is.
    std::size_t Length(int index) const {
        CheckIndex(index);
        const TBuffer& b = *Buffer_;
        auto i = static_cast<std::size_t>(index);
        return (i + 1 < b.Starts.Count() ? b.Starts.Distance(i) : b.Data.size() - b.Starts[i]) - 2;
    }
    // Where the lines from the index on start in AllText, one after the other, and then where
    // AllText ends: a walk over the lines in order reads them so for less.
    TStartReader StartsFrom(int index) const;
    std::int32_t LineNumber(int index) const {
        CheckIndex(index);
        return Numbers_.empty() ? index + 1 : Numbers_[static_cast<std::size_t>(index)];
    }
    void SetText(int index, std::string_view text);

    std::string_view NameAt(int index) const;
    std::string_view ValueAt(int index) const;
    int IndexOfName(std::string_view name) const;
    // All texts, each followed by CR LF.
    const std::string& AllText() const;

private:
    struct TBuffer {
        std::string Data;
        TStartTable Starts;
    };
    void CheckIndex(int index) const {
        if (index < 0 || index >= Count()) IndexError(index);
    }
    [[noreturn]] static void IndexError(int index);
    // The buffer to change: made when there is none, copied when another list shares it.
    TBuffer& Own();
    std::shared_ptr<TBuffer> Buffer_;
    std::vector<std::int32_t> Numbers_; // empty while the numbers are 1..n
};

class TVtParts;
// An ordered list of parts; it does not own them.
using TVtPartsList = std::vector<TVtParts*>;

class TVtParts {
public:
    TVtParts() = default;
    virtual ~TVtParts() = default;
    TVtParts(const TVtParts&) = delete;
    TVtParts& operator=(const TVtParts&) = delete;

    std::string FileName;
    TTextLines* Log = nullptr;
    std::optional<std::int64_t> FileAge;
    TStringList ExcludedFiles;
    TSourceList RawLines;
    TSourceList OtherLines;
    TSourceList LogicalLines;
    TVtPartsList Children;

    // The code page of the part's text (lines, tokens, names, member paths): the run's source
    // code page, given before the part is read.
    const platform::TCodePage& CodePage() const { return *CodePage_; }
    void SetCodePage(const platform::TCodePage& page) { CodePage_ = &page; }

    virtual int TokenCount() const;
    virtual int VariableCount() const;
    virtual int MethodCount() const;
    virtual bool HasContent() const { return TokenCount() > 0; }
    virtual void CheckSelf(TVetrins& checkers);
    virtual void CheckChildren(TVetrins& checkers);
    virtual void CheckTree(TVetrins& checkers);
    virtual void Parse() {}
    virtual void ParseChildren();
    // One step of ParseChildren: parses the child when its file exists, with the lines of the
    // parse (and a missing file) written to `log`, which the child keeps as its log.
    void ParseChild(TVtParts& child, TTextLines* log) const;
    virtual void Analyze();
    virtual void SetLog(TTextLines* log) { Log = log; }

    void Load(const std::string& fileName);
    bool IsModified() const;
    bool IsCheckTarget() const;
    int LineCount() const { return LogicalLines.Count(); }
    bool HasChildren() const { return !Children.empty(); }
    void WriteLog(const std::string& text);
    void AppendLog(const std::string& text);

private:
    const platform::TCodePage* CodePage_ = &platform::SystemCodePage();
};
