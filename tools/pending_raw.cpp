// Placeholder until the real commands land; removed by their implementation.
#include <cstdio>
#include "tools/commands.h"
namespace { int notYet(int, char** argv) { std::fprintf(stderr, "velto %s: not available yet\n", argv[0]); return 2; } }
const ToolCommand kPackCommand = {"pack", "(not available yet)", "(not available yet)\n", notYet};
const ToolCommand kUnpackCommand = {"unpack", "(not available yet)", "(not available yet)\n", notYet};
const ToolCommand kJudgeCommand = {"judge", "(not available yet)", "(not available yet)\n", notYet};
