// vrt dump --syntax: the syntax model of one member source as tab-separated lines.
#pragma once

#include "platform/CodePage.h"
#include "vbsyntax/VbSyntax.h"

#include <string>

// The lines (UTF-8, text fields in the source's code page escaped as vrt dump escapes them).
std::string SyntaxDumpText(const TVbSyntax& syntax, const platform::TCodePage& page);
