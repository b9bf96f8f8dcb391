// The parser of a member source: the tokenizer (VbTokenizer.cpp) and the extraction of
// procedures and module-level variables (VbExtraction.cpp).
#pragma once

#include "vbsource/Parser.h"
#include "vbsource/VbSource.h"
#include "vbsource/VbWordLists.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct TCharTable; // the tokenizer's classes of the 256 byte values in one code page

// The tokenizer and extraction of one member source.
class TVbParser : public TParser {
public:
    // With word lists read for this parser alone from vb/ beside the executable; a missing file
    // raises EFOpenError with its full path.
    explicit TVbParser(TVbSource& source);
    // The same with the word lists read from another folder (which holds the three files).
    TVbParser(TVbSource& source, const std::string& wordListDir);
    // With shared word lists (read now if they are not yet).
    TVbParser(TVbSource& source, TVbWordLists& wordLists);
    // Called with the source at the start of each Execute (tests set it to make a parse fail).
    static void (*ParseHook)(const TVbSource& source);
    bool Execute() override;

    std::uint8_t State = 0;
    std::int32_t Line = 1;
    TVbSource& Source;

private:
    std::unique_ptr<TVbWordLists> OwnWordLists_; // lists read for this parser alone
    const TVbWordLists& WordLists_;

public:
    const TVbWordList& InternalWords;
    const TVbWordList& Keywords;
    const TVbWordList& Operators;

    void JoinContinuationLines();
    void Tokenize();
    void ExtractVariables();
    void ExtractMethods();

private:
    // Readers. Each starts at the current position; one that yields nothing leaves the position
    // where it was (ReadHeader may have passed leading blanks) and answers false.
    bool ReadHeader();
    bool ReadKeyword();
    bool ReadOperator();
    bool ReadIdentifier();
    bool ReadSymbol();
    bool ReadNumber();
    bool ReadStringLiteral();
    bool ReadComment();
    std::size_t SkipSpaces();
    std::string_view SkipRestOfLine();
    void ReadLineEnd();
    std::string_view ReadWord();
    std::uint8_t UpdateScope(std::uint8_t kind, std::string_view text, std::uint8_t& scope);
    void AddToken(std::uint8_t kind, std::string_view text, std::uint8_t scope);
    void ClearModel();
    void ReadTokens();
    void HandLines();

    // Extraction steps; each takes and advances a position in the source's tokens.
    bool NextIdentifier(int& i) const;
    std::string ReadBounds(int& i) const;
    // The text of the token after As: the token's own view, which lives as long as the token.
    std::string_view ReadAsType(int& i) const;
    int FindProcedureName(int i, std::int32_t& line) const;
    void ReadArguments(int& i, TVbMethod& method) const;
    void SkipDefaultValue(int& i, int headerEnd) const;
    bool IsKeyword(int i, std::string_view text) const;
    bool IsSymbol(int i, std::string_view text) const;

    // Reading position in the text being tokenised.
    const char* Text_ = nullptr;
    std::size_t Pos_ = 0;
    std::size_t End_ = 0;
    // The kind of the last token added (-1: none yet) and what the last keyword added was to the
    // scope machine, so that neither the machine nor ReadHeader needs to search backwards.
    int LastKind_ = -1;
    std::uint8_t LastKeyword_ = 0; // its role in the scope machine; 0: no keyword yet
    // The last word read, scanned once: where it starts, where its leading ASCII letters end
    // (an operator run that starts at the same place shares them), where it ends, and its hash
    // (0 when it is longer than any keyword). ReadKeyword, ReadOperator and ReadIdentifier all
    // look at the word at one place; the first scans it, the others take it from here.
    std::size_t WordAt_ = static_cast<std::size_t>(-1);
    std::size_t LettersEnd_ = 0;
    std::size_t WordEnd_ = 0;
    std::uint32_t WordHash_ = 0;
    bool HeaderSeen_ = false; // a header token (kind 0, 1 or 2) has been read
    bool NoHeader_ = false;   // the file turned out to have no header: ReadHeader is off
    std::string HeaderText_;  // reused buffer for a header line followed by "[cr]"
    // For each line from 1 on, the index of its first token (TVbTokenList::TakeLines), written
    // through LineWriter_ for at most LineLimit_ lines.
    TStartTable LineStarts_;
    TStartWriter LineWriter_{LineStarts_};
    std::size_t LineLimit_ = 0;
    // The character table of the run's source code page (VbTokenizer.cpp).
    const TCharTable* Chars_ = nullptr;
    void ScanWord();
    std::size_t ScanRun(std::size_t from) const;
};

class TVbModuleParser : public TVbParser {
public:
    using TVbParser::TVbParser;
};
class TVbFormParser : public TVbParser {
public:
    using TVbParser::TVbParser;
};
class TVbClassParser : public TVbParser {
public:
    using TVbParser::TVbParser;
};
class TVbPropertyPageParser : public TVbParser {
public:
    using TVbParser::TVbParser;
};
class TVbUserControlParser : public TVbParser {
public:
    using TVbParser::TVbParser;
};
