#include "vbsource/VbParsers.h"

#include "platform/CodePage.h"
#include "platform/Files.h"

// ---- TVbProjectParser ----

bool TVbProjectParser::Execute() {
    try {
        TVbProjectSource& p = Project;
        p.LogicalLines.Assign(p.RawLines);
        // First pass: every line to the list of its key.
        for (int i = 0; i < p.LogicalLines.Count(); ++i) {
            std::string_view key = p.LogicalLines.NameAt(i);
            std::string_view text = p.LogicalLines.Text(i);
            std::int32_t number = p.LogicalLines.LineNumber(i);
            TSourceList* list = key == "Class"          ? &p.Classes
                                : key == "Form"         ? &p.Forms
                                : key == "Module"       ? &p.Modules
                                : key == "Object"       ? &p.Objects
                                : key == "PropertyPage" ? &p.PropertyPages
                                : key == "Reference"    ? &p.References
                                : key == "UserControl"  ? &p.UserControls
                                                        : &p.OtherLines;
            list->AddLine(text, number);
        }
        // Second pass: one loaded member source per member file, in file order.
        for (int i = 0; i < p.LogicalLines.Count(); ++i) {
            std::string_view key = p.LogicalLines.NameAt(i);
            std::unique_ptr<TVbSource> member;
            if (key == "Class")
                member = std::make_unique<TVbClassSource>(&p);
            else if (key == "Form")
                member = std::make_unique<TVbFormSource>(&p);
            else if (key == "Module")
                member = std::make_unique<TVbModuleSource>(&p);
            else if (key == "PropertyPage")
                member = std::make_unique<TVbPropertyPageSource>(&p);
            else if (key == "UserControl")
                member = std::make_unique<TVbUserControlSource>(&p);
            else
                continue;
            std::string_view value = p.LogicalLines.ValueAt(i);
            std::string_view path = value;
            std::size_t semicolon = value.find(';');
            if (semicolon != std::string_view::npos) {
                path = value.substr(semicolon + 1);
                std::size_t first = path.find_first_not_of(' ');
                path = first == std::string_view::npos ? std::string_view() : path.substr(first);
            }
            std::string absolute = platform::ResolveProjectPath(p.FileName, path);
            p.MemberFiles.push_back(absolute);
            member->Load(absolute);
            p.AddMember(std::move(member));
        }
        return true;
    } catch (...) {
        return false;
    }
}

// ---- TVbParser (the tokenizer is being written) ----

struct TVbParser::Impl {};

TVbParser::TVbParser(TVbSource& source) : Source(source) {}
TVbParser::~TVbParser() = default;
bool TVbParser::Execute() { return false; }
void TVbParser::JoinContinuationLines() {}
void TVbParser::Tokenize() {}
void TVbParser::ExtractVariables() {}
void TVbParser::ExtractMethods() {}
