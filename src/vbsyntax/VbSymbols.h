// The project's symbol table: what each member declares at module level (procedures, variables,
// constants, Declare, Type, Enum) and which names it uses, kept as a compact summary so that a
// check that frees each member after its turn can still tell, once every member is through,
// which declarations nothing in the project uses.
#pragma once

#include "vbsyntax/VbSyntax.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class TVbSymbolKind : std::uint8_t { Procedure, Variable, Constant, Declare, Type, Enum };

struct TVbSymbol {
    std::string Name; // as declared
    std::int32_t Line;
    TVbSymbolKind Kind;
    bool Public;       // Public, Global, Friend, or a procedure without a scope word
    bool Entry;        // never unused: Sub Main, an event handler, an exposed member...
    bool UsedInMember; // used in its own member (not only inside itself, not shadowed)
    bool Unused = false;
    // An enum's members (folded): a use of one of them is a use of the enum.
    std::vector<std::string> Aliases;
};

struct TVbMemberSymbols {
    std::vector<TVbSymbol> Symbols; // in line order
    // The names the member uses (letters folded to upper case), each once; uses that a
    // local of the same name shadows and a procedure's uses of its own name are left out.
    std::vector<std::string> UsedNames;
    // The member's module name (VB_Name) and the interfaces it implements, folded: the Public
    // members of a class that some member implements define that interface and are never unused.
    std::string ModuleName;
    std::vector<std::string> Implements;
};

// What a member's summary depends on beyond its own text.
struct TVbSymbolContext {
    // The project builds an ActiveX DLL, EXE or control: the Public members of its exposed
    // classes and user controls are used from outside.
    bool ActiveX = false;
};

// The summary of one member.
TVbMemberSymbols SummarizeMember(const TVbSyntax& syntax, const TVbSymbolContext& context);

// The name folded as VB compares names (ASCII letters to upper case).
std::string FoldedName(std::string_view name);

// Whether the project's Type= line makes it an ActiveX DLL, EXE or control.
bool IsActiveXProjectType(std::string_view type);

class TVbProjectSymbols {
public:
    // Forgets every member and makes room for `members` summaries.
    void Reset(int members);
    // Sets member i's summary (members are summarised on several threads: each slot is written
    // by one of them, and Resolve is called once they are all done).
    void SetMember(int index, TVbMemberSymbols symbols);
    // Marks the unused symbols: a Public one used by no member, any other one not used in its
    // own member; the Public members of a class that a member implements are used. Members without
    // a summary (not parsed) count as using nothing.
    void Resolve();
    int Count() const { return static_cast<int>(Members_.size()); }
    const TVbMemberSymbols& Member(int index) const {
        return Members_[static_cast<std::size_t>(index)];
    }

private:
    std::vector<TVbMemberSymbols> Members_;
};
