// Whether the running program is installed, and where its help page is.
#include <QtTest>

#include "support/table.h"
#include "logic/program_place.h"

class ProgramPlaceTest : public QObject {
    Q_OBJECT

private slots:
    // The files that exist, and the program's folder with its data folder relative to it unless absolute.
    void programPlace_data()
    {
        const auto row = columns<QString, QString, QStringList, bool, QString>(
            {"exeDir", "dataFromBin", "files", "installed", "helpPage"});
        const QString rel = QStringLiteral("../share/quillon"), page = QStringLiteral("/quillon-help.html");
        row("build folder", "/home/u/quillon/build", rel, {"/home/u/quillon/build" + page}, false,
            "/home/u/quillon/build" + page);
        row("installed in /usr", "/usr/bin", rel, {"/usr/share/quillon" + page}, true, "/usr/share/quillon" + page);
        row("installed in ~/.local, folder given with a slash", "/home/u/.local/bin/", rel,
            {"/home/u/.local/share/quillon" + page}, true, "/home/u/.local/share/quillon" + page);
        row("page beside wins over an installed one", "/usr/bin", rel, {"/usr/bin" + page, "/usr/share/quillon" + page},
            false, "/usr/bin" + page);
        row("data folder given absolute", "/opt/q/bin", "/opt/q/data/quillon", {"/opt/q/data/quillon" + page}, true,
            "/opt/q/data/quillon" + page);
        row("page in another prefix's data folder", "/usr/local/bin", rel, {"/usr/share/quillon" + page}, false,
            "/usr/local/bin" + page);
        row("no page anywhere", "/opt/quillon", rel, {}, false, "/opt/quillon" + page);
    }
    void programPlace()
    {
        auto [exeDir, dataFromBin, files] = fetch<QString, QString, QStringList>({"exeDir", "dataFromBin", "files"});
        const ProgramPlace place = ::programPlace(exeDir.toStdString(), dataFromBin.toStdString(),
                                                  [&](const std::string& path) {
                                                      return files.contains(QString::fromStdString(path));
                                                  });
        QTEST(place.installed, "installed");
        QTEST(QString::fromStdString(place.helpPage), "helpPage");
    }
};

QTEST_MAIN(ProgramPlaceTest)
#include "program_place_test.moc"
