// Whether the running program is installed, and where its help page is.
#include <QtTest>

#include "logic/program_place.h"

class ProgramPlaceTest : public QObject {
    Q_OBJECT

private slots:
    void programPlace_data()
    {
        QTest::addColumn<QString>("exeDir");
        QTest::addColumn<QString>("dataFromBin");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("helpPage");
        const QString rel = QStringLiteral("../share/quillon");
        QTest::newRow("build folder") << "/home/u/quillon/build" << rel
                                      << QStringList{"/home/u/quillon/build/quillon-help.html"} << false
                                      << "/home/u/quillon/build/quillon-help.html";
        QTest::newRow("installed in /usr") << "/usr/bin" << rel << QStringList{"/usr/share/quillon/quillon-help.html"}
                                           << true << "/usr/share/quillon/quillon-help.html";
        QTest::newRow("installed in ~/.local, folder given with a slash")
            << "/home/u/.local/bin/" << rel << QStringList{"/home/u/.local/share/quillon/quillon-help.html"} << true
            << "/home/u/.local/share/quillon/quillon-help.html";
        QTest::newRow("page beside wins over an installed one")
            << "/usr/bin" << rel
            << QStringList{"/usr/bin/quillon-help.html", "/usr/share/quillon/quillon-help.html"} << false
            << "/usr/bin/quillon-help.html";
        QTest::newRow("data folder given absolute") << "/opt/q/bin" << "/opt/q/data/quillon"
                                                    << QStringList{"/opt/q/data/quillon/quillon-help.html"} << true
                                                    << "/opt/q/data/quillon/quillon-help.html";
        QTest::newRow("page in another prefix's data folder") << "/usr/local/bin" << rel
                                                              << QStringList{"/usr/share/quillon/quillon-help.html"}
                                                              << false << "/usr/local/bin/quillon-help.html";
        QTest::newRow("no page anywhere") << "/opt/quillon" << rel << QStringList{} << false
                                          << "/opt/quillon/quillon-help.html";
    }
    void programPlace()
    {
        QFETCH(QString, exeDir);
        QFETCH(QString, dataFromBin);
        QFETCH(QStringList, files);
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
