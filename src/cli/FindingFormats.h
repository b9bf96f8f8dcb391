// The annotation formats of CI systems and editors, made from finding records:
//   github  GitHub Actions workflow commands, one per finding:
//           ::warning file=PATH,line=N,title=RULE::MESSAGE (PATH relative to the current folder)
//   msvc    PATH(N): warning RULE: MESSAGE, the form Visual Studio and editor problem matchers
//           read (PATH absolute)
// A finding without a line leaves out line=N and (N). Output is UTF-8.
#pragma once

#include "cli/CliRun.h"

#include <memory>
#include <string>
#include <string_view>

class TOutput;
namespace platform {
class TCodePage;
}

std::unique_ptr<TFindingWriter> MakeGithubWriter(const platform::TCodePage& source, TOutput& out);
std::unique_ptr<TFindingWriter> MakeMsvcWriter(const platform::TCodePage& source, TOutput& out);

// One workflow command line (with its line end) for a finding; texts in UTF-8.
std::string GithubAnnotation(std::string_view file, std::int32_t line, std::string_view rule,
                             std::string_view message);
