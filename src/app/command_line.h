#pragma once
// The command line: "--help", "--version" and at most one album file to open.
// It is read before the window or any file of the program folder is touched.
#include <QString>
#include <QStringList>
#include <optional>

class Form1;

struct CommandLine {
    // Set when the program ends at once with this code (help, version, a bad command line).
    std::optional<int> exitCode;
    // What to print before ending: on standard output for help and version, else on standard error.
    QString output;
    QString error;
    // The album file to open, absolute; empty when none was given.
    QString albumPath;
};

// Needs a QCoreApplication (or QApplication) for the program's name.
CommandLine parseCommandLine(const QStringList& arguments);

// Why the file at path cannot be opened as an album; empty when it can.
QString albumFileProblem(const QString& path);

// Opens the album given on the command line as Load New Album does, unless it is
// the one loaded already (whose playlist then stays).
void openCommandLineAlbum(Form1& form, const QString& albumPath);

// What the running program does when a later start hands it its command line: opens
// the album (once no dialog of its own is open) and brings its window to the front.
void takeHandedOver(Form1& form, const QString& albumPath);

// Prints what the command line asks to print and gives the code to end with.
int endWithCommandLine(const CommandLine& command);
