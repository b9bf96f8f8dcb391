// The parts tree: one part per file, the project at the root, its member files as children.
#pragma once

#include "framework/TextLines.h"
#include "framework/VetrinList.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TVetrins;

// Ordered text lines, each with the 1-based physical line number it came from.
// The texts are kept back to back in one buffer, each followed by CR LF, so that the whole text
// (AllText) is available without copying; views answered by Text stay valid until the list is
// changed.
class TSourceList {
public:
    void AssignLines(const std::vector<std::string>& lines);
    // Replaces all entries by the lines of text (CR, LF or CR LF end a line), numbered 1..n.
    void AssignText(std::string_view text);
    void AddLine(std::string_view text, std::int32_t number);
    void Assign(const TSourceList& other);
    void Clear();

    int Count() const { return static_cast<int>(Starts_.size()); }
    std::string_view Text(int index) const;
    std::int32_t LineNumber(int index) const;
    void SetText(int index, std::string_view text);

    std::string_view NameAt(int index) const;
    std::string_view ValueAt(int index) const;
    int IndexOfName(std::string_view name) const;
    // All texts, each followed by CR LF.
    const std::string& AllText() const;

private:
    void CheckIndex(int index) const;
    mutable std::string Data_;
    mutable std::vector<std::uint32_t> Starts_;
    std::vector<std::uint32_t> Lengths_;
    std::vector<std::int32_t> Numbers_;
    mutable bool Packed_ = true; // Data_ holds exactly the entries in order, each + CR LF
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

    virtual int TokenCount() const;
    virtual int VariableCount() const;
    virtual int MethodCount() const;
    virtual bool HasContent() const { return TokenCount() > 0; }
    virtual void CheckSelf(TVetrins& checkers);
    virtual void CheckChildren(TVetrins& checkers);
    virtual void CheckTree(TVetrins& checkers);
    virtual void Parse() {}
    virtual void ParseChildren();
    virtual void Analyze();
    virtual void SetLog(TTextLines* log) { Log = log; }

    void Load(const std::string& fileName);
    bool IsModified() const;
    bool IsCheckTarget() const;
    int LineCount() const { return LogicalLines.Count(); }
    bool HasChildren() const { return !Children.empty(); }
    void WriteLog(const std::string& text);
    void AppendLog(const std::string& text);
};
