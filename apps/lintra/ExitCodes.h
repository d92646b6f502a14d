#pragma once

namespace lintra {

// What the command line tells its caller through its exit status.
namespace ExitCode {
// Done; for check, no finding of error severity either.
constexpr int Done = 0;
// check reported a finding of error severity, or more warnings than --max-warnings allows.
constexpr int Findings = 1;
// The arguments or the project's configuration file were not understood.
constexpr int Usage = 2;
// The analysis failed or was stopped, or a file could not be read: the result is incomplete.
constexpr int AnalysisFailed = 3;
}  // namespace ExitCode

}  // namespace lintra
