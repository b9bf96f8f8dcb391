// The Japanese texts of the parsers, in code page 932.
#pragma once

#include <string>

struct TVbParserTexts {
    std::string UnfinishedMethod;  // a procedure whose End line never comes
    std::string UnclosedArguments; // an argument list still open at the end of the tokens
    std::string OutOfMemory;       // a member too large for the memory left
    std::string ParseOutOfMemory;  // a member whose parse ran out of memory
    std::string MemberIsFolder;    // a member path that names a folder
    std::string MemberNotAFile;    // a member path that names a device, FIFO or socket
    std::string NotAProject;       // "%s" is the file
};

// Written once in UTF-8 and converted to code page 932 at the first question.
const TVbParserTexts& ParserTexts();
