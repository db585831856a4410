#pragma once

#include <QString>
#include <QStringList>

namespace kvarton {

// What a course sets for the copies of the program it hands out, without building its own.
struct CourseSettings {
    QString email; // where the learner sends the report (the report screen)
    QString materials; // where the course's materials and support are (the help screen)
};

// The course's settings on this computer: each one from the first settings file in
// courseSettingsFiles() that gives it a usable value, else the one the program was built with.
CourseSettings courseSettings();

// The addresses the program was built with (KVARTON_COURSE_EMAIL, KVARTON_SUPPORT_PORTAL).
CourseSettings builtInCourseSettings();

// The settings files in the order they are read: on Windows first kvarton.ini beside the program
// (a copy carried on a stick brings its own course), then Kvarton/kvarton.ini in the user's
// settings folder ($XDG_CONFIG_HOME, else ~/.config; %LOCALAPPDATA% on Windows) and in the
// computer's ($XDG_CONFIG_DIRS, else /etc/xdg; %PROGRAMDATA% on Windows).
QStringList courseSettingsFiles();

// The settings read from `files` in order, each falling back to `fallback`. A file is written by
// hand and may be anything: one that is missing, no regular file, unreadable or larger than a
// settings file can be is passed over, and so is a value that is empty, too long to show or holds
// a character that is no printable text.
CourseSettings readCourseSettings(const QStringList& files, const CourseSettings& fallback);

} // namespace kvarton
