#include "cli/CliTexts.h"

std::string TCliTexts::CategoryCaption(std::uint8_t category) {
    switch (category) {
    case 0:
        return "設定";
    case 1:
        return "未使用";
    case 2:
        return "禁止";
    case 3:
        return "命名規則";
    case 4:
        return "統計";
    case 5:
        return "その他";
    default:
        return "-";
    }
}

const char* const TCliTexts::FileColumn = "ファイル名";
const char* const TCliTexts::TotalColumn = "総行数";
const char* const TCliTexts::CodeColumn = "実行行数";
const char* const TCliTexts::BlankColumn = "空行数";
const char* const TCliTexts::CommentColumn = "コメント行数";
const char* const TCliTexts::TotalsRow = "合計";
