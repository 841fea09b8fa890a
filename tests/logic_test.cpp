// Number text, where the program finds its help page, and the crossing from stored bytes to display text.
#include <QtTest>

#include "support/album_builder.h"
#include "support/table.h"
#include "form/text_codec.h"
#include "logic/program_place.h"
#include "logic/text.h"

class LogicTest : public QObject {
    Q_OBJECT

private slots:
    void val_data()
    {
        const auto row = columns<QByteArray, double>({"text", "value"});
        row("blanks, sign, point, junk", "  -12.5x", -12.5);
        row("second point stops", "1.2.3", 1.2);
        row("no digits", "abc", 0.0);
        row("plus sign", "+7", 7.0);
        row("point first", ".5", 0.5);
        row("blank after sign", "- 5", 0.0);
        row("comma is no point", "1,5", 1.0);
    }
    void val()
    {
        QFETCH(QByteArray, text);
        QTEST(qtext::val(text.toStdString()), "value");
    }

    void numberText_data()
    {
        const auto row = columns<double, QByteArray, QByteArray>({"value", "plain", "padded"});
        row("negative zero", -0.0, "0", " 0 ");
        row("every digit that counts", 1.0 / 3, "0.3333333333333333", " 0.3333333333333333 ");
        row("not a number", qQNaN(), "0", " 0 ");
    }
    void numberText()
    {
        QFETCH(double, value);
        QTEST(bytes(qtext::plainNumber(value)), "plain");
        QTEST(bytes(qtext::paddedNumber(value)), "padded");
    }

    void toDisplay_data()
    {
        const auto row = columns<QByteArray, QString>({"stored", "shown"});
        row("utf-8 e-acute", "caf\xC3\xA9", "caf\u00E9");
        row("cp1252 quotes, euro",
            "\x93"
            "A\x94 \x80"
            "5",
            "\u201CA\u201D \u20AC5");
        row("cut-short sequence", "a\xC3", "a\u00C3");
    }
    void toDisplay()
    {
        QFETCH(QByteArray, stored);
        QTEST(::toDisplay(stored.toStdString()), "shown");
    }

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

QTEST_GUILESS_MAIN(LogicTest)
#include "logic_test.moc"
