// vrt dump --syntax: the syntax model of one member source as tab-separated lines.
#pragma once

#include "vbsyntax/VbSyntax.h"

#include <string>

// The lines (UTF-8, text fields escaped as vrt dump escapes them).
std::string SyntaxDumpText(const TVbSyntax& syntax);
