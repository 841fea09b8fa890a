// Number and time text, and the crossing from stored bytes to display text.
#include <QtTest>

#include "form/text_codec.h"
#include "logic/text.h"

static QByteArray bytes(const std::string& s) { return QByteArray::fromStdString(s); }

class UtilTest : public QObject {
    Q_OBJECT

private slots:
    void val_data()
    {
        QTest::addColumn<QByteArray>("text"); QTest::addColumn<double>("value");
        QTest::newRow("blanks, sign, point, junk") << QByteArray("  -12.5x") << -12.5;
        QTest::newRow("second point stops") << QByteArray("1.2.3") << 1.2;
        QTest::newRow("no digits") << QByteArray("abc") << 0.0;
        QTest::newRow("plus sign") << QByteArray("+7") << 7.0;
        QTest::newRow("point first") << QByteArray(".5") << 0.5;
        QTest::newRow("blank after sign") << QByteArray("- 5") << 0.0;
        QTest::newRow("comma is no point") << QByteArray("1,5") << 1.0;
    }
    void val()
    {
        QFETCH(QByteArray, text);
        QTEST(qtext::val(text.toStdString()), "value");
    }

    void numberText_data()
    {
        QTest::addColumn<double>("value"); QTest::addColumn<QByteArray>("plain"); QTest::addColumn<QByteArray>("padded");
        QTest::newRow("negative zero") << -0.0 << QByteArray("0") << QByteArray(" 0 ");
        QTest::newRow("every digit that counts") << 1.0 / 3 << QByteArray("0.3333333333333333") << QByteArray(" 0.3333333333333333 ");
        QTest::newRow("tiny, no exponent") << 1e-05 << QByteArray("0.00001") << QByteArray(" 0.00001 ");
        QTest::newRow("tiny negative") << -2.5e-7 << QByteArray("-0.00000025") << QByteArray("-0.00000025 ");
        QTest::newRow("huge, no exponent") << 1e20 << QByteArray("100000000000000000000") << QByteArray(" 100000000000000000000 ");
        QTest::newRow("not a number") << qQNaN() << QByteArray("0") << QByteArray(" 0 ");
    }
    void numberText()
    {
        QFETCH(double, value);
        QTEST(bytes(qtext::plainNumber(value)), "plain");
        QTEST(bytes(qtext::paddedNumber(value)), "padded");
        QVERIFY(qIsNaN(value) || qtext::val(qtext::paddedNumber(value)) == value);  // exactly, not nearly
    }

    void toDisplay_data()
    {
        QTest::addColumn<QByteArray>("stored"); QTest::addColumn<QString>("shown");
        QTest::newRow("utf-8 e-acute") << QByteArray("caf\xC3\xA9") << QStringLiteral("caf\u00E9");
        QTest::newRow("cp1252 quotes, euro") << QByteArray("\x93" "A\x94 \x80" "5") << QStringLiteral("\u201CA\u201D \u20AC5");
        QTest::newRow("cut-short sequence") << QByteArray("a\xC3") << QStringLiteral("a\u00C3");
    }
    void toDisplay()
    {
        QFETCH(QByteArray, stored);
        QTEST(::toDisplay(stored.toStdString()), "shown");
    }
};

QTEST_GUILESS_MAIN(UtilTest)
#include "util_test.moc"
