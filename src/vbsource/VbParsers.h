// The parsers: the VB project file reader, the tokenizer and the extraction of procedures and
// module-level variables.
#pragma once

#include "vbsource/VbSource.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TParser {
public:
    virtual ~TParser() = default;
    virtual bool Execute() = 0;
};

// Reads a .vbp already loaded into the project's raw lines: sorts the lines by key, resolves the
// member paths and creates one loaded member source per member file.
class TVbProjectParser : public TParser {
public:
    explicit TVbProjectParser(TVbProjectSource& project) : Project(project) {}
    bool Execute() override;

    TVbProjectSource& Project;
    // Called with each member file before it is read (tests set it to make a read fail).
    static void (*MemberLoadHook)(const std::string& fileName);
};

// Loads one member file. Answers why it could not be read (a Vetrin error, out of memory, any
// other failure), naming the file; empty when it was read.
std::string LoadMemberFile(TVtParts& member, const std::string& fileName);

// A word list file: one entry per line, taken whole. Membership ignores the letter case of
// single-byte ASCII letters and is a hashed look-up, so a word costs the same whatever the size
// of the list.
class TVbWordList {
public:
    // Loads the file; a missing or unreadable file raises EFOpenError with the path.
    void LoadFromFile(const std::string& path);
    void Add(std::string_view word);
    bool Contains(std::string_view word) const;
    int Count() const { return static_cast<int>(Words_.size()); }
    // Length of the longest entry: a longer text is in no list.
    std::size_t MaxLength() const { return MaxLength_; }

private:
    void Rehash(std::size_t slots);
    void Insert(std::size_t word);
    std::vector<std::string> Words_;
    std::vector<std::string> Upper_;  // per entry: upper case when ASCII only, else empty
    std::vector<std::int32_t> Slots_; // open addressing: index into Words_, or -1
    std::size_t MaxLength_ = 0;
    // Per first byte (letters folded), one bit per entry length (bit 31: 31 or more), so that
    // most words that are in no list are turned away before they are hashed.
    std::array<std::uint32_t, 256> Lengths_{};
};

// The tokenizer's three word lists (internal.txt, keyword.txt, operator.txt) of one folder,
// read at the first question and then shared read-only by every parser that is given them.
class TVbWordLists {
public:
    // The folder "vb" beside the executable.
    TVbWordLists() : TVbWordLists(DefaultFolder()) {}
    static std::string DefaultFolder();
    explicit TVbWordLists(std::string folder) : Folder_(std::move(folder)) {}
    TVbWordLists(const TVbWordLists&) = delete;
    TVbWordLists& operator=(const TVbWordLists&) = delete;

    const std::string& Folder() const { return Folder_; }
    bool IsLoaded() const { return Loaded_; }
    // Reads the three files in this order unless they were read already; a missing or
    // unreadable file raises EFOpenError with its full path and leaves the lists unread, so
    // that the next question reads them again.
    const TVbWordLists& Load();

    TVbWordList InternalWords;
    TVbWordList Keywords;
    TVbWordList Operators;

private:
    std::string Folder_;
    bool Loaded_ = false;
};

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
    std::uint8_t UpdateScope(TVbToken& token);
    void AddToken(std::uint8_t kind, std::string_view text, std::uint8_t scope);
    void ClearModel();

    // Extraction steps; each takes and advances a position in the source's tokens.
    bool NextIdentifier(int& i) const;
    std::string ReadBounds(int& i) const;
    std::string ReadAsType(int& i) const;
    void SkipUntilIdentifier(int& i) const;
    void ReadArguments(int& i, TVbMethod& method) const;
    bool IsKeyword(int i, std::string_view text) const;
    bool IsSymbol(int i, std::string_view text) const;

    // Reading position in the text being tokenised.
    const char* Text_ = nullptr;
    std::size_t Pos_ = 0;
    std::size_t End_ = 0;
    // The kind of the last token added (-1: none yet) and the text of the last keyword added
    // (empty: none yet), so that the scope machine and ReadHeader need not search backwards.
    int LastKind_ = -1;
    std::string_view LastKeyword_;
    // Where the last word read starts and ends: ReadKeyword and ReadIdentifier read the same word
    // at the same place, and the second reading takes it from here.
    std::size_t WordAt_ = static_cast<std::size_t>(-1);
    std::size_t WordEnd_ = 0;
    bool HeaderSeen_ = false; // a header token (kind 0, 1 or 2) has been read
    bool NoHeader_ = false;   // the file turned out to have no header: ReadHeader is off
    std::string HeaderText_;  // reused buffer for a header line followed by "[cr]"
    // The tokenizer's character class of each byte value in the run's source code page.
    const std::array<std::uint8_t, 256>* Classes_ = nullptr;
    std::uint8_t ClassOf(char c) const { return (*Classes_)[static_cast<unsigned char>(c)]; }
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
