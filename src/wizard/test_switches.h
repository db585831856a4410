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

// The folder saved works are kept in instead of the application's data folder: on Linux the tests
// move that with XDG_DATA_HOME, but Windows takes it from the user's profile alone, where every
// test would see the works of the others.
inline constexpr char kWorksFolder[] = "KVARTON_WORKS_DIR";

// The moment saved works are written at instead of the clock's, in the form the file holds
// ("2026-03-14T10:22:05.000+03:00"): the scenarios print the start screen's line naming the last
// work, which would otherwise change with the day they run.
inline constexpr char kSaveTime[] = "KVARTON_SAVE_TIME";

// The folder of kReportFolder; empty when it is not set.
inline QString reportFolder() { return qEnvironmentVariable(kReportFolder); }
// The folder of kWorksFolder; empty when it is not set.
inline QString worksFolder() { return qEnvironmentVariable(kWorksFolder); }
inline bool exitAfterFirstPaint() { return qEnvironmentVariableIsSet(kExitAfterFirstPaint); }
// The text of kSaveTime; empty when it is not set.
inline QString saveTime() { return qEnvironmentVariable(kSaveTime); }

} // namespace kvarton::testSwitches
