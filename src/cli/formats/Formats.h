// The output formats of vrt check, one table: a new format is its file in this folder (a writer
// and its Make function, declared below) and its row in Formats.cpp.
#pragma once

#include "cli/CliTexts.h"
#include "cli/formats/FindingWriter.h"

#include <memory>
#include <string_view>
#include <vector>

struct TFindingFormat {
    const char* Name;     // as --format takes it
    TCliText Description; // one line for --help
    std::unique_ptr<TFindingWriter> (*Make)(const TFormatContext& context);
};

// Every format, text first (the default).
const std::vector<TFindingFormat>& FindingFormats();
// The format of that name, or none.
const TFindingFormat* FindFindingFormat(std::string_view name);

std::unique_ptr<TFindingWriter> MakeTextWriter(const TFormatContext& context);
std::unique_ptr<TFindingWriter> MakeJsonWriter(const TFormatContext& context);
std::unique_ptr<TFindingWriter> MakeSarifWriter(const TFormatContext& context);
std::unique_ptr<TFindingWriter> MakeGithubWriter(const TFormatContext& context);
std::unique_ptr<TFindingWriter> MakeMsvcWriter(const TFormatContext& context);
std::unique_ptr<TFindingWriter> MakeAzureWriter(const TFormatContext& context);
std::unique_ptr<TFindingWriter> MakeGitlabWriter(const TFormatContext& context);
std::unique_ptr<TFindingWriter> MakeCheckstyleWriter(const TFormatContext& context);
std::unique_ptr<TFindingWriter> MakeJunitWriter(const TFormatContext& context);
std::unique_ptr<TFindingWriter> MakeSonarWriter(const TFormatContext& context);
