// The velto command line: one record per command, dispatched by tools/main.cpp.
#pragma once

struct ToolCommand {
    const char* name;                   // as typed: "pack"
    const char* summary;                // one line for `velto --help`
    const char* usage;                  // full text for `velto NAME --help`
    int (*run)(int argc, char** argv);  // argv[0] is the command name; returns the exit status
};

extern const ToolCommand kPackCommand;
extern const ToolCommand kUnpackCommand;
extern const ToolCommand kJudgeCommand;
extern const ToolCommand kBuildCommand;
extern const ToolCommand kCheckCommand;
extern const ToolCommand kInspectCommand;
extern const ToolCommand kExtractCommand;
extern const ToolCommand kWebCommand;
