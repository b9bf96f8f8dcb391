// The syntax model of one member source: its statements, declarations, procedure headers,
// control tree, attributes and the names it uses. Built from the tokens (and the text the
// tokenizer dropped) when a rule needs it; every text is a view into the source, so the model
// lives no longer than the source's parse.
#pragma once

#include "vbsource/VbSource.h"
#include "vbsyntax/VbWords.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

// One logical statement: a run of words, split at ":" and joined over continued lines. Block and
// Arm name the innermost "#If" block it stands in (0: none) and which of its branches (0 the
// "#If", 1 the first "#ElseIf" or "#Else", ...).
struct TVbStatement {
    std::uint32_t First;
    std::uint32_t Count;
    std::int32_t Line;
    std::int32_t Block;
    std::int32_t Arm;
    bool Label; // "Name:" at the start of a line
};

enum class TVbScope : std::uint8_t {
    None,    // no scope word: Public for procedures, Private for Dim at module level
    Public,  // Public, Global
    Private, // Private, Dim (module level)
    Friend,
    Local, // inside a procedure: Dim, Static, Const
};

enum class TVbDeclarationKind : std::uint8_t {
    Variable,
    Constant,
    Declare, // a Declare Sub or Function
    Type,
    Enum,
    TypeMember,
    EnumMember,
    Event,
};

// How a name's type was given.
struct TVbTypeSpec {
    std::string_view TypeName; // after As (the last part of a dotted name); empty without As
    char Suffix = 0;           // % & ! # @ $, or 0
    bool HasAs = false;
    bool IsNew = false; // As New T
};

struct TVbDeclaration {
    std::string_view Name;
    std::int32_t Line;
    TVbDeclarationKind Kind;
    TVbScope Scope;
    TVbTypeSpec Type;
    std::int32_t Procedure = -1; // the procedure it is local to; -1 module level
    std::int32_t Parent = -1;    // a member's Type or Enum declaration
    bool IsArray = false;
    bool WithEvents = false;
    bool Twin = false; // the same name declared in another branch of the same #If
    // A Declare's or an Event's parameters: [FirstParameter, FirstParameter + ParameterCount).
    std::int32_t FirstParameter = 0;
    std::int32_t ParameterCount = 0;
};

struct TVbParameter {
    std::string_view Name;
    std::int32_t Line;
    TVbTypeSpec Type;
    bool Optional = false;
    bool ByVal = false;
    bool ByRef = false;
    bool ParamArray = false;
    bool IsArray = false;
    bool HasDefault = false;
};

enum class TVbProcedureKind : std::uint8_t { Sub, Function, PropertyGet, PropertyLet, PropertySet };

struct TVbProcedure {
    std::string_view Name;
    std::int32_t Line;    // the header's
    std::int32_t EndLine; // the End line's; the last line read when it has none
    TVbProcedureKind Kind;
    TVbScope Scope;
    bool Static = false;
    TVbTypeSpec Type; // the result of a Function or Property Get
    std::int32_t FirstParameter = 0;
    std::int32_t ParameterCount = 0;
    // The body's statements (header and End line left out): [FirstStatement, EndStatement).
    std::int32_t FirstStatement = 0;
    std::int32_t EndStatement = 0;
    // Measures of the body.
    std::int32_t Statements = 0; // statements, labels left out
    std::int32_t MaxNesting = 0; // deepest If / For / Do / While / Select inside another
    std::int32_t Complexity = 1; // 1 + If, ElseIf, Case, For, Do, While
    bool Twin = false;           // a second header of the same procedure under #If
};

// "Begin VB.CommandButton cmdOK" ... "End" in the designer block: the member's own object first
// (Depth 0), then every control inside it.
struct TVbControl {
    std::string_view TypeName; // VB.CommandButton
    std::string_view Name;
    std::int32_t Line;
    std::int32_t Depth;
    std::int32_t Index = -1; // Index = n of a control array's element; -1 none
};

// "Attribute VB_Name = "Form1"": the name and the value as written (quotes kept).
struct TVbAttribute {
    std::string_view Name;
    std::string_view Value;
    std::int32_t Line;
};

enum class TVbQualifier : std::uint8_t {
    None,  // x
    Me,    // Me.x
    With,  // .x inside a With block
    Other, // a.x, a(1).x, Module1.x: Qualifier holds the name before the dot, or is empty
};

// A use of a name: not its declaration.
// (The small fields stand together: a member holds about one reference per name it uses.)
struct TVbReference {
    std::string_view Name;
    std::int32_t Line;
    std::int32_t Procedure; // -1 module level
    TVbQualifier QualifierKind;
    bool FromString = false;    // a name in a string literal given to CallByName
    std::string_view Qualifier; // the name directly before the dot
    std::string_view Root;      // the first name of the chain (a in a.b.c)
};

// "On Error Resume Next" (ResumeNext) or "On Error GoTo ..." in a procedure.
struct TVbErrorHandling {
    std::int32_t Procedure;
    std::int32_t Line;
    bool ResumeNext;
};

// A GoTo or GoSub (not On Error GoTo).
struct TVbJump {
    std::int32_t Procedure;
    std::int32_t Line;
    std::string_view Word; // as written
};

struct TVbDirective {
    std::int32_t Line;
    std::string_view Text;
};

class TVbSyntax {
public:
    std::vector<TVbWord> Words;
    std::vector<TVbStatement> Statements;
    std::vector<TVbDirective> Directives;
    std::vector<TVbDeclaration> Declarations;
    std::vector<TVbParameter> Parameters;
    std::vector<TVbProcedure> Procedures;
    std::vector<TVbControl> Controls;
    std::vector<TVbAttribute> Attributes;
    std::vector<TVbReference> References;
    std::vector<TVbErrorHandling> ErrorHandling;
    std::vector<TVbJump> Jumps;
    std::vector<std::string_view> Implements; // the interfaces named by Implements
    // Letters that a DefInt-style statement gives a type ('A' .. 'Z'): the type letter's word.
    std::array<std::string_view, 26> DefTypes{};
    TVbMemberKind Kind = TVbMemberKind::None;

    // Forgets the member, keeping the lists' room for the next one.
    void Clear();
    // The words of a statement.
    const TVbWord* WordsOf(const TVbStatement& s) const { return Words.data() + s.First; }
    // The value of an attribute (quotes removed), or empty.
    std::string_view Attribute(std::string_view name) const;
    // The module's name: VB_Name, or empty.
    std::string_view ModuleName() const { return Attribute("VB_Name"); }
    // The prefix of the member's own events: Form, MDIForm, UserControl, PropertyPage, Class
    // (empty for a standard module).
    std::string_view ObjectEventPrefix() const;
    // True when the procedure handles an event (of the member's object, a control, a WithEvents
    // variable) or implements an interface's member: its name and signature are fixed.
    bool IsEventOrInterfaceProcedure(const TVbProcedure& procedure) const;
    // The procedure's parameters.
    const TVbParameter* ParametersOf(const TVbProcedure& p) const {
        return Parameters.data() + p.FirstParameter;
    }
};

// Builds the model of a parsed member source.
void BuildSyntax(const TVbSource& source, TVbSyntax& syntax);

// The model of the member under check, built on the first request and kept until Clear, so the
// rules that need it share one build per member.
class TVbSyntaxCache {
public:
    const TVbSyntax& For(const TVbSource& source);
    void Clear();
    bool Holds(const TVbSource& source) const { return Source_ == &source; }

private:
    const TVbSource* Source_ = nullptr;
    TVbSyntax Syntax_;
};
