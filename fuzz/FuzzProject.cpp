// The project file reader: the input is a .vbp beside the example project, whose member files
// it may name. Nothing may crash, and every member line lands in exactly one list.
#include "vbsource/VbProjectParser.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TVbProjectSource project;
    project.FileName = VETRIN_EXAMPLES "/Fuzz.vbp";
    project.RawLines.AssignText(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!TVbProjectParser(project).Execute()) std::abort();
    const int listed = project.Classes.Count() + project.Forms.Count() + project.Modules.Count() +
                       project.Objects.Count() + project.PropertyPages.Count() +
                       project.References.Count() + project.UserControls.Count() +
                       project.OtherLines.Count();
    if (listed != project.LogicalLines.Count()) std::abort();
    if (project.MemberFiles.size() != project.Children.size()) std::abort();
    return 0;
}
