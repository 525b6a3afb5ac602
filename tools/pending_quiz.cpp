// Placeholder until the real commands land; removed by their implementation.
#include <cstdio>
#include "tools/commands.h"
namespace { int notYet(int, char** argv) { std::fprintf(stderr, "velto %s: not available yet\n", argv[0]); return 2; } }
const ToolCommand kBuildCommand = {"build", "(not available yet)", "(not available yet)\n", notYet};
const ToolCommand kCheckCommand = {"check", "(not available yet)", "(not available yet)\n", notYet};
const ToolCommand kInspectCommand = {"inspect", "(not available yet)", "(not available yet)\n", notYet};
const ToolCommand kExtractCommand = {"extract", "(not available yet)", "(not available yet)\n", notYet};
