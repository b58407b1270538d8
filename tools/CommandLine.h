#pragma once
// The command line of `vantrel`: parses the arguments and runs one subcommand.

#include <ostream>

namespace VantrelTool {

// Parses `argv` and runs the subcommand named there. Help and version go to
// `out`; a usage error is reported on `err` and gives kExitUsage. Otherwise the
// subcommand's own status. Faults of the subcommands are not caught here.
int RunCommandLine(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace VantrelTool
