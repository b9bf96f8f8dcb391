// One command of vrt: its options, added to the command line, and its run.
#pragma once

#include <CLI/CLI.hpp>

class TCommand {
public:
    virtual ~TCommand() = default;
    // Adds the command, its options and its description to the application; answers it.
    virtual CLI::App* Add(CLI::App& app) = 0;
    // Runs the command once the command line is parsed and answers the exit status: 0, 1 for
    // findings (check), 2 for a run that could not do all it was asked. Failures are raised
    // (EVetrinError: texts in code page 932) and reported by main.
    virtual int Run() = 0;
    // The code page of the sources the command reads (932 unless its options say otherwise): the
    // names in its messages are text of it.
    virtual int CodePage() const { return 932; }
};
