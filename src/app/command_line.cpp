#include "app/command_line.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <unistd.h>

#include "album/album_files_frame.h"
#include "prefs/options_page.h"
#include "form/form1.h"
#include "logic/text.h"
#include "platform/window_system.h"

namespace {

constexpr int kBadCommandLine = 2;

// The window system's own options, which QApplication takes from the same command line.
void acceptQtOptions(QCommandLineParser& parser)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const char* name :
         {"platform", "platformpluginpath", "platformtheme", "plugin", "qmljsdebugger", "qwindowgeometry",
          "qwindowicon", "qwindowtitle", "session", "display", "geometry", "style", "stylesheet"}) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : {"reverse", "widgetcount"}) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

CommandLine ending(int code, QString output, QString error = {})
{
    CommandLine result;
    result.exitCode = code;
    result.output = std::move(output);
    result.error = std::move(error);
    return result;
}

}  // namespace

QString albumFileProblem(const QString& path)
{
    std::error_code failure;
    const std::filesystem::path file(QFile::encodeName(path).toStdString());
    const std::filesystem::file_status status = std::filesystem::status(file, failure);
    if (!std::filesystem::exists(status)) return QStringLiteral("no such file");
    // A folder, a pipe or a device would never end or mean nothing as an album.
    if (!std::filesystem::is_regular_file(status)) return QStringLiteral("not a regular file");
    if (::access(file.c_str(), R_OK) != 0) return QStringLiteral("not readable");
    return {};
}

CommandLine parseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Quillon, a jukebox for railway sound recordings."));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays this help."));
    parser.addOption(help);
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Displays version information."));
    parser.addOption(version);
    parser.addPositionalArgument(QStringLiteral("album"), QStringLiteral("An album file (.qdb) to open."),
                                 QStringLiteral("[album]"));
    acceptQtOptions(parser);
    const QString usage = QStringLiteral("Try 'quillon --help'.\n");
    if (!parser.parse(arguments)) return ending(kBadCommandLine, {}, parser.errorText() + QLatin1Char('\n') + usage);
    if (parser.isSet(help)) return ending(0, parser.helpText());
    if (parser.isSet(version)) return ending(0, QStringLiteral("Quillon " QUILLON_VERSION "\n"));
    const QStringList albums = parser.positionalArguments();
    if (albums.size() > 1)
        return ending(kBadCommandLine, {}, QStringLiteral("quillon: give at most one album file.\n") + usage);
    CommandLine result;
    if (albums.isEmpty()) return result;
    const QString& given = albums.front();
    // The album's path is kept as a line of the settings and playlist files.
    const QString problem = qtext::holdsLineBreak(QFile::encodeName(given).toStdString())
                                ? QStringLiteral("its path holds a line break")
                                : albumFileProblem(given);
    if (!problem.isEmpty())
        return ending(kBadCommandLine, {},
                      QStringLiteral("quillon: cannot open the album \"%1\": %2.\n").arg(given, problem));
    result.albumPath = QFileInfo(given).absoluteFilePath();
    return result;
}

void openCommandLineAlbum(Form1& form, const QString& albumPath)
{
    if (albumPath.isEmpty() || form.fmOptions->Frame4->isLoadedAlbum(albumPath)) return;
    form.fmOptions->Frame4->openAlbum(albumPath);
}

namespace {

void openWhenNoDialogIsOpen(Form1& form, const QString& albumPath)
{
    // A dialog's own event loop would run its caller after the album was loaded under it.
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(250, &form, [&form, albumPath] { openWhenNoDialogIsOpen(form, albumPath); });
        return;
    }
    if (albumFileProblem(albumPath).isEmpty()) openCommandLineAlbum(form, albumPath);
}

}  // namespace

void takeHandedOver(Form1& form, const QString& albumPath)
{
    bringToFront(form);
    if (!albumPath.isEmpty()) openWhenNoDialogIsOpen(form, albumPath);
}

int endWithCommandLine(const CommandLine& command)
{
    if (!command.output.isEmpty()) std::fputs(command.output.toLocal8Bit().constData(), stdout);
    if (!command.error.isEmpty()) std::fputs(command.error.toLocal8Bit().constData(), stderr);
    return command.exitCode.value_or(0);
}
