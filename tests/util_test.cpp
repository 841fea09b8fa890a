// Number and time text, and the crossing from stored bytes to display text.
#include <QtTest>

#include "support/table.h"
#include "form/text_codec.h"
#include "logic/text.h"

static QByteArray bytes(const std::string& s)
{
    return QByteArray::fromStdString(s);
}

class UtilTest : public QObject {
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
        row("tiny, no exponent", 1e-05, "0.00001", " 0.00001 ");
        row("tiny negative", -2.5e-7, "-0.00000025", "-0.00000025 ");
        row("huge, no exponent", 1e20, "100000000000000000000", " 100000000000000000000 ");
        row("not a number", qQNaN(), "0", " 0 ");
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
};

QTEST_GUILESS_MAIN(UtilTest)
#include "util_test.moc"
