#include "cli/CliTexts.h"

const char* const TCliTexts::FileColumn = "ファイル名";
const char* const TCliTexts::TotalColumn = "総行数";
const char* const TCliTexts::CodeColumn = "実行行数";
const char* const TCliTexts::BlankColumn = "空行数";
const char* const TCliTexts::CommentColumn = "コメント行数";
const char* const TCliTexts::TotalsRow = "合計";
