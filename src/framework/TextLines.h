// A text-line sink: the result window's and the log window's lines. The framework appends,
// counts, reads and replaces the last line; windows adapt it, tests use TStringLines.
#pragma once

#include <string>
#include <vector>

class TTextLines {
public:
    virtual ~TTextLines() = default;
    virtual void Add(const std::string& line) = 0;
    virtual int Count() const = 0;
    virtual std::string Get(int index) const = 0;
    virtual void ReplaceLast(const std::string& line) = 0;
    virtual void Clear() = 0;

    // Appends text to the last line (adds a line when there is none).
    void AppendToLast(const std::string& text) {
        if (Count() == 0)
            Add(text);
        else
            ReplaceLast(Get(Count() - 1) + text);
    }
};

// Lines kept in memory.
class TStringLines : public TTextLines {
public:
    std::vector<std::string> Lines;

    void Add(const std::string& line) override { Lines.push_back(line); }
    int Count() const override { return static_cast<int>(Lines.size()); }
    std::string Get(int index) const override { return Lines.at(static_cast<std::size_t>(index)); }
    void ReplaceLast(const std::string& line) override { Lines.back() = line; }
    void Clear() override { Lines.clear(); }
};
