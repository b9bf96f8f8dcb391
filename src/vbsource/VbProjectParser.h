// The VB project file reader: the keys of a .vbp sorted into lists, one member source per member
// file.
#pragma once

#include "vbsource/Parser.h"
#include "vbsource/VbSource.h"

#include <string>

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
