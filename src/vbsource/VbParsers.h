// The parsers: the VB project file reader, the tokenizer and the extraction of procedures and
// module-level variables.
#pragma once

#include "vbsource/VbSource.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

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
};

class TVbWordList; // a word list file, with case-insensitive hashed look-up

// The tokenizer and extraction of one member source.
class TVbParser : public TParser {
public:
    // Loads vb/internal.txt, vb/keyword.txt and vb/operator.txt from beside the executable;
    // a missing file raises EFOpenError with its full path.
    explicit TVbParser(TVbSource& source);
    ~TVbParser() override;
    bool Execute() override;

    std::uint8_t State = 0;
    std::int32_t Line = 1;
    TVbSource& Source;

    void JoinContinuationLines();
    void Tokenize();
    void ExtractVariables();
    void ExtractMethods();

private:
    struct Impl;
    std::unique_ptr<Impl> Impl_; // the word lists and reading position
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
