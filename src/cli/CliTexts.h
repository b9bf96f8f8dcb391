// The command-line checker's own texts. vrt writes UTF-8, so they stay in UTF-8; the few that
// are measured for column alignment are converted to code page 932 where they are used.
#pragma once

#include <cstdint>
#include <string>

struct TCliTexts {
    // Column captions of the statistics table.
    static const char* const FileColumn;    // "ファイル名"
    static const char* const TotalColumn;   // "総行数"
    static const char* const CodeColumn;    // "実行行数"
    static const char* const BlankColumn;   // "空行数"
    static const char* const CommentColumn; // "コメント行数"
    static const char* const TotalsRow;     // "合計"
};
