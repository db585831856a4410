#pragma once

#include <QString>
#include <QtGlobal>

namespace kvarton::testSwitches {

// Every switch the tests and the benchmark give the program, as environment variables. None is
// meant for learners, and none changes what a learner sees; DEVELOPERS.md lists them too.

// The folder reports are written to instead of the learner's documents folder, so that tests and
// the benchmark leave nothing behind.
inline constexpr char kReportFolder[] = "KVARTON_REPORT_DIR";
// When set, the program ends as soon as its first window has been painted: the start-up benchmark
// times the whole process to that moment.
inline constexpr char kExitAfterFirstPaint[] = "KVARTON_EXIT_AFTER_FIRST_PAINT";

// The folder of kReportFolder; empty when it is not set.
inline QString reportFolder() { return qEnvironmentVariable(kReportFolder); }
inline bool exitAfterFirstPaint() { return qEnvironmentVariableIsSet(kExitAfterFirstPaint); }

} // namespace kvarton::testSwitches
