#include "vbsource/VbParserTexts.h"

#include "platform/CodePage.h"

const TVbParserTexts& ParserTexts() {
    static const TVbParserTexts texts = [] {
        auto c = [](const char* utf8) { return platform::Utf8ToCp932(utf8); };
        TVbParserTexts t;
        t.UnfinishedMethod = c("エラー:TVbParser.ExtractMethods:End がありません");
        t.UnclosedArguments = c("エラー:TVbParser.ExtractMethods:引数の並びが閉じていません");
        t.OutOfMemory = c("メモリが足りないため読めません");
        t.ParseOutOfMemory = c("メモリが足りないため解析できません");
        t.MemberIsFolder = c("フォルダーです。ファイルではないため読めません");
        t.MemberNotAFile = c("通常のファイルではないため読めません(デバイス、FIFO など)");
        t.NotAProject = c("%s は VB のプロジェクトファイルではありません");
        return t;
    }();
    return texts;
}
