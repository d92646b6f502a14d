#pragma once

namespace lintra {

// What the command line tells its caller through its exit status.
namespace ExitCode {
// Done; for check, no missing file and no circular include either.
constexpr int Done = 0;
// check found a missing file or a circular include.
constexpr int CriticalFindings = 1;
// The arguments were not understood.
constexpr int Usage = 2;
// The analysis failed or was stopped.
constexpr int AnalysisFailed = 3;
}  // namespace ExitCode

}  // namespace lintra
