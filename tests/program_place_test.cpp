// Whether the running program is installed, and where its help page is.
#include <QtTest>

#include "logic/program_place.h"

class ProgramPlaceTest : public QObject {
    Q_OBJECT

private slots:
    // The files that exist, and the program's folder with its data folder relative to it unless absolute.
    void programPlace_data()
    {
        QTest::addColumn<QString>("exeDir"); QTest::addColumn<QString>("dataFromBin"); QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("installed"); QTest::addColumn<QString>("helpPage");
        const QString rel = QStringLiteral("../share/quillon"), page = QStringLiteral("/quillon-help.html");
        QTest::newRow("build folder") << "/home/u/quillon/build" << rel << QStringList{"/home/u/quillon/build" + page}
                                      << false << "/home/u/quillon/build" + page;
        QTest::newRow("installed in /usr") << "/usr/bin" << rel << QStringList{"/usr/share/quillon" + page} << true
                                           << "/usr/share/quillon" + page;
        QTest::newRow("installed in ~/.local, folder given with a slash") << "/home/u/.local/bin/" << rel
            << QStringList{"/home/u/.local/share/quillon" + page} << true << "/home/u/.local/share/quillon" + page;
        QTest::newRow("page beside wins over an installed one") << "/usr/bin" << rel
            << QStringList{"/usr/bin" + page, "/usr/share/quillon" + page} << false << "/usr/bin" + page;
        QTest::newRow("data folder given absolute") << "/opt/q/bin" << "/opt/q/data/quillon"
            << QStringList{"/opt/q/data/quillon" + page} << true << "/opt/q/data/quillon" + page;
        QTest::newRow("page in another prefix's data folder") << "/usr/local/bin" << rel
            << QStringList{"/usr/share/quillon" + page} << false << "/usr/local/bin" + page;
        QTest::newRow("no page anywhere") << "/opt/quillon" << rel << QStringList{} << false << "/opt/quillon" + page;
    }
    void programPlace()
    {
        QFETCH(QString, exeDir); QFETCH(QString, dataFromBin); QFETCH(QStringList, files);
        const ProgramPlace place = ::programPlace(exeDir.toStdString(), dataFromBin.toStdString(),
                                                  [&](const std::string& path) { return files.contains(QString::fromStdString(path)); });
        QTEST(place.installed, "installed");
        QTEST(QString::fromStdString(place.helpPage), "helpPage");
    }
};

QTEST_MAIN(ProgramPlaceTest)
#include "program_place_test.moc"
