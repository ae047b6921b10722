#pragma once

#include <optional>

#include <QString>
#include <QStringList>

#include "gui/app/CTremoluxApp.h"

namespace tremolux {

// The watcher's command line: options to start with, or a text to print and
// an exit status (--help, --version, wrong usage).
struct CommandLine {
    AppOptions options;
    bool exit = false;
    bool verbose = false;  // the debug lines of the log as well
    int exitStatus = 0;
    QString message;  // to standard output when exitStatus is 0, else standard error
};

// arguments[0] is the program name.
CommandLine ParseCommandLine(const QStringList& arguments);
// main's arguments, read before Qt is started.
CommandLine ParseCommandLine(int argc, char** argv);

// "YYYY-MM-DD HH:MM:SS" as a UTC date; nothing when the text is not one.
std::optional<OleDate> ParseNowText(const QString& text);

// Whether a window system is reachable: X11, Wayland, or a platform chosen by hand.
bool HasDisplay();

}  // namespace tremolux
