// Files: playlist files saved and loaded, other albums loaded, albums merged, and the
// dialogs they go through.
#include <QTest>

#include "logic/album_merge.h"
#include "logic/playlist_files.h"

namespace {

// n records of 131 bytes, each filled with its own letter from `first` on.
std::string records(int n, char first)
{
    std::string out;
    for (int i = 0; i < n; ++i) out += std::string(131, char(first + i));
    return out;
}

}  // namespace

class FilesTest : public QObject {
    Q_OBJECT
private slots:
    void mergeRules_data()
    {
        QTest::addColumn<QByteArray>("first");
        QTest::addColumn<QByteArray>("second");
        QTest::addColumn<QByteArray>("old");
        QTest::addColumn<QByteArray>("merged");
        auto r = [](int n, char c) { return QByteArray::fromStdString(records(n, c)); };
        QTest::newRow("3 then 2 into a new file") << r(3, 'a') << r(2, 'x') << QByteArray() << r(3, 'a') + r(2, 'x');
        QTest::newRow("empty second is the first alone") << r(3, 'a') << QByteArray() << QByteArray() << r(3, 'a');
        QTest::newRow("into the first: second appended") << r(2, 'a') << r(1, 'x') << r(2, 'a') << r(2, 'a') + r(1, 'x');
        QTest::newRow("into the second: it survives") << r(1, 'a') << r(2, 'x') << r(2, 'x') << r(1, 'a') + r(2, 'x');
        QTest::newRow("longer output keeps its tail") << r(1, 'a') << r(1, 'x') << r(4, 'k') << r(1, 'a') + r(1, 'x') + r(2, 'm');
        QTest::newRow("part-records of inputs dropped") << r(1, 'a') + "abc" << r(1, 'x') + "z" << QByteArray() << r(1, 'a') + r(1, 'x');
    }
    void mergeRules()
    {
        QFETCH(QByteArray, first);
        QFETCH(QByteArray, second);
        QFETCH(QByteArray, old);
        QFETCH(QByteArray, merged);
        QCOMPARE(QByteArray::fromStdString(mergedAlbum(first.toStdString(), second.toStdString(), old.toStdString())), merged);
    }

    void albumCheck_data()
    {
        QTest::addColumn<QByteArray>("playlist");
        QTest::addColumn<QByteArray>("loaded");
        QTest::addColumn<int>("check");
        QTest::addColumn<QByteArray>("name");
        const int same = int(AlbumCheck::Same), different = int(AlbumCheck::Different);
        QTest::newRow("other folder, same name") << QByteArray("C:\\Sounds\\Album1.qdb\r\n 1 \r\n") << QByteArray("D:\\Copy\\Album1.qdb") << same << QByteArray("Album1.qdb");
        QTest::newRow("other name") << QByteArray("C:\\Sounds\\Album1.qdb\r\n 1 \r\n") << QByteArray("C:\\Sounds\\Album2.qdb") << different << QByteArray("Album1.qdb");
        QTest::newRow("letter case counts") << QByteArray("C:\\S\\album1.qdb\r\n 1 \r\n") << QByteArray("C:\\S\\Album1.qdb") << different << QByteArray("album1.qdb");
        QTest::newRow("slash paths") << QByteArray("/home/u/A.qdb\r\n 1 \r\n") << QByteArray("C:\\x\\A.qdb") << same << QByteArray("A.qdb");
        QTest::newRow("first entry decides") << QByteArray("/a/B.qdb\r\n 1 \r\n/a/A.qdb\r\n 2 \r\n") << QByteArray("/a/A.qdb") << different << QByteArray("B.qdb");
        QTest::newRow("no entry") << QByteArray() << QByteArray("/a/A.qdb") << int(AlbumCheck::NoEntry) << QByteArray();
    }
    void albumCheck()
    {
        QFETCH(QByteArray, playlist);
        QFETCH(QByteArray, loaded);
        QFETCH(int, check);
        QFETCH(QByteArray, name);
        QCOMPARE(int(checkPlaylistAlbum(playlist.toStdString(), loaded.toStdString())), check);
        QCOMPARE(QByteArray::fromStdString(playlistAlbumName(playlist.toStdString())), name);
    }
};

QTEST_MAIN(FilesTest)
#include "files_test.moc"
