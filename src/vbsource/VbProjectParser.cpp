#include "vbsource/VbProjectParser.h"

#include "framework/Errors.h"
#include "framework/TextCatalog.h"
#include "platform/CodePage.h"
#include "platform/Files.h"

#include <new>

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
            std::string absolute = platform::ResolveProjectPath(p.FileName, path, p.CodePage());
            p.MemberFiles.push_back(absolute);
            if (!p.ReadsMembers) {
                member->FileName = absolute;
                p.AddMember(std::move(member));
                continue;
            }
            // A member file that exists but cannot be read, for whatever reason: say so in the
            // log and keep the member (it has no lines, so every rule reports it as not parsed)
            // rather than losing it and every member after it.
            std::string failure = LoadMemberFile(*member, absolute);
            if (!failure.empty()) p.AddMemberFailure(absolute, failure);
            p.AddMember(std::move(member));
        }
        return true;
    } catch (...) {
        return false;
    }
}

void (*TVbProjectParser::MemberLoadHook)(const std::string& fileName) = nullptr;

std::string LoadMemberFile(TVtParts& member, const std::string& fileName) {
    std::string failure;
    try {
        if (TVbProjectParser::MemberLoadHook) TVbProjectParser::MemberLoadHook(fileName);
        // A folder, device or FIFO is told as what it is, and never opened: reading a device can
        // wait for ever.
        const platform::TFileKind kind = platform::FileKindOf(fileName);
        if (kind == platform::TFileKind::Folder || kind == platform::TFileKind::Other) {
            member.FileName = fileName;
            failure = Say(kind == platform::TFileKind::Folder ? TText::MemberIsFolder
                                                              : TText::MemberNotAFile);
        } else {
            member.Load(fileName);
        }
    } catch (const EVetrinError& e) {
        failure = e.Message();
    } catch (const std::bad_alloc&) {
        failure = Say(TText::OutOfMemory);
    } catch (const std::exception& e) {
        failure = e.what();
    }
    if (failure.empty()) return failure;
    // A reason that does not name the file gets the file in front of it.
    const std::string file = platform::MarkPath(fileName);
    if (failure.find(file) == std::string::npos) failure = file + " : " + failure;
    return failure;
}

void TVbProjectSource::CheckIsProject() const {
    if (!platform::FileExists(FileName)) return; // a missing file is reported as before
    for (int i = 0; i < RawLines.Count(); ++i) {
        std::string_view line = RawLines.Text(i);
        std::string_view key = line.substr(0, line.find('='));
        if (key.size() == line.size()) continue;
        for (std::string_view known : {"Type", "Class", "Form", "Module", "PropertyPage",
                                       "UserControl", "Reference", "Object"})
            if (key == known) return;
    }
    throw EGeneralError(Say(TText::NotAProject, {{"file", platform::MarkPath(FileName)}}));
}
