// The kind labels of the file naming table. They are data as much as text: the checker project
// file stores them, so they stay Japanese in every language of the user interface.
#pragma once

#include <string>

struct TCheckerTexts {
    // The kind labels of the file naming table, rows 0 to 7.
    std::string NamingLabels[8];
};

// The labels in code page 932.
const TCheckerTexts& CheckerTexts();
