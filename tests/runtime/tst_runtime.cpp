// The runtime's value rules: arithmetic, rounding, conversions, loops, texts and keys.
#include "KeyedCollection.h"
#include "LocaleText.h"
#include "RaisedError.h"
#include "Values.h"

#include <QLocale>
#include <QTest>

#include <cfloat>
#include <functional>

using Call = std::function<double()>;

namespace {

// The whole text read in a locale. The numeric test must agree: error -1 when it does not.
double readIn(const char *locale, const char *text)
{
    QLocale::setDefault(QLocale(QString::fromLatin1(locale)));
    const QString number = QString::fromUtf8(text);
    const int error = errorOf([&] { runtime::localeToNumber(number); });
    if (runtime::isNumeric(number) != (error == 0))
        throw RuntimeError(-1, {}, {});
    return runtime::localeToNumber(number);
}

// The passes of a stepped loop, given up at 100.
double passes(double start, double end, double step)
{
    const runtime::SteppedLoop loop{start, end, step};
    int count = 0;
    for (double value = loop.start; loop.runs(value) && count < 100; value = loop.next(value))
        ++count;
    return count;
}

// A number as written in a locale with a decimal point and in one with a decimal comma.
struct Written { double value; QString point, comma; };

} // namespace

class TestRuntime : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void values_data()
    {
        QTest::addColumn<Call>("call");
        QTest::addColumn<double>("expected");
        QTest::addColumn<int>("error");
        const auto row = [](const char *rule, Call call, double expected, int error = 0) {
            QTest::newRow(rule) << call << expected << error;
        };
        using namespace runtime;
        const auto call = [](auto f, auto... a) { return Call([=] { return double(f(a...)); }); };
        row("sum beyond the doubles overflows", call(add, 1e308, 1e308), 0, 6);
        row("difference beyond the doubles overflows", call(sub, -1e308, 1e308), 0, 6);
        row("product underflows to zero", call(mul, 1e-200, 1e-200), 0);
        row("quotient beyond the doubles overflows", call(runtime::div, 1e300, 1e-300), 0, 6);
        row("negative base, whole exponent", call(power, -2, 3), -8);
        row("square root by power", call(power, 2.25, 0.5), 1.5);
        row("zero to a negative power overflows", call(power, 0, -1), 0, 6);

        row("-2.5 goes up to even", call(toInt32, -2.5), -2); row("0.5 goes down to 0", call(roundHalfEven, 0.5), 0);
        row("just above a tie", call(roundHalfEven, 2.5000001), 3);
        row("32-bit top", call(toInt32, 2147483647.4), 2147483647);
        row("32-bit top rounds out", call(toInt32, 2147483647.5), 0, 6);
        row("32-bit bottom tie stays in", call(toInt32, -2147483648.5), -2147483648.0);

        row("just above the largest single rounds down", call(toSingle, 3.4028235e38), FLT_MAX);
        row("below the smallest single is 0", call(toSingle, 1e-50), 0);

        row("quotient truncates toward zero", call(intDiv, -7, 3), -2);
        row("positive dividend, negative divisor", call(intMod, 7, -3), 1);
        row("divisor beyond 32 bits", call(intDiv, 1, -3e9), 0, 6);
        row("the smallest by -1 has no quotient", call(intDiv, -2147483648.0, -1), 0, 6);
        row("the smallest by -1 has a remainder", call(intMod, -2147483648.0, -1), 0);

        row("upward loop includes its end", call(passes, 0, 1, 0.25), 5);
        row("downward loop includes its end", call(passes, 1, 0, -0.5), 3);
        row("loop whose accumulated sum passes the end", call(passes, 0, 0.3, 0.1), 3);
        row("loop starting beyond its end", call(passes, 2, 1, 1), 0);
        row("loop with a zero step counts as upward", call(passes, 1, 0, 0), 0);
        row("loop of a single pass", call(passes, 5, 5, -1), 1);

        // Texts read as numbers, every sign form included; locale "": the leading number, "." in any locale.
        static const struct { const char *locale, *text; double expected; int error = 0; } texts[] = {
            {"C", " 12 ", 12}, {"pt_PT", "2,5", 2.5}, {"pt_PT", "2.5", 0, 13}, {"C", "", 0, 13}, {"C", "10x", 0, 13},
            {"C", "inf", 0, 13}, {"C", "nan", 0, 13}, {"C", "1e999", 0, 6}, {"C", "+5", 5}, {"C", "  -5", -5},
            {"C", "- 5", 0, 13}, {"C", "5-", 0, 13}, {"C", "--5", 0, 13}, {"C", "+-5", 0, 13}, {"C", "-.5", -0.5},
            {"C", "+.5", 0.5}, {"C", "1E+5", 1e5}, {"C", "1e-5", 1e-5}, {"C", "1e+-5", 0, 13}, {"C", "1d-2", 0, 13},
            {"pt_PT", "-,5", -0.5}, {"pt_PT", "+,5", 0.5}, {"pt_PT", "-1,5e+2", -150}, {"sv_SE", "\u22125", -5},
            {"sv_SE", "-5", -5}, {"", "  1 2.5x", 12.5}, {"", "abc", 0}, {"", "-", 0}, {"", "1\t2", 1}, {"", ".5", 0.5},
            {"", "1.2.3", 1.2}, {"", "2,5", 2}, {"", "7e", 7}, {"", "1e999", 0, 6}, {"", "+5", 5}, {"", "  -5", -5},
            {"", "- 4", -4}, {"", "-.5", -0.5}, {"", "+.5", 0.5}, {"", "1e+5", 1e5}, {"", "1E-5", 1e-5}, {"", "5-", 5},
            {"", "1e + 5", 1e5}, {"", "--5", 0}, {"", "+-5", 0}, {"", "1e--5", 1}, {"", "1d-2", 1}, {"", "\u22125", 0}};
        for (const auto &t : texts)
            row((QByteArray(*t.locale ? t.locale : "leading") + " \"" + t.text + '"').constData(),
                [&t] { return *t.locale ? readIn(t.locale, t.text) : leadingNumber(t.text); }, t.expected, t.error);
    }

    void values()
    {
        QFETCH(Call, call);
        QFETCH(double, expected);
        QFETCH(int, error);
        QLocale::setDefault(QLocale(QStringLiteral("pt_PT"))); // a comma locale
        double result = 0;
        QCOMPARE(errorOf([&] { result = call(); }), error);
        QVERIFY2(error || result == expected, qPrintable(QString::number(result, 'g', 17)));
    }

    void numberToText_data()
    {
        QTest::addColumn<Written>("w");
        QTest::newRow("0.1 three times") << Written{0.1 + 0.1 + 0.1, "0.3", "0,3"};
        QTest::newRow("a third") << Written{1.0 / 3, "0.333333333333333", "0,333333333333333"};
        QTest::newRow("negative") << Written{-2.5, "-2.5", "-2,5"};
        QTest::newRow("whole, no group separator") << Written{1234567.0, "1234567", "1234567"};
        QTest::newRow("15 digits") << Written{123456789012345.0, "123456789012345", "123456789012345"};
        QTest::newRow("large") << Written{1e15, "1E+15", "1E+15"};
        QTest::newRow("small") << Written{-1.5e-5, "-1.5E-05", "-1,5E-05"};
        QTest::newRow("negative zero") << Written{-0.0, "0", "0"};
    }

    void numberToText()
    {
        QFETCH(Written, w);
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
        QCOMPARE(runtime::numberToText(w.value), w.point);
        QLocale::setDefault(QLocale(QStringLiteral("pt_PT")));
        QCOMPARE(runtime::numberToText(w.value), w.comma);
    }

    // The interpreter's variables: keys compared without case, beyond A to Z as well.
    void keyedCollection()
    {
        runtime::KeyedCollection<int> c;
        c.add(1, "Um");
        c.add(3, "TRÊS");
        QCOMPARE(c.item("UM"), 1);
        QCOMPARE(c.item("três"), 3);
        QCOMPARE(errorOf([&] { c.add(2, "tRÊs"); }), 5);
        c.remove("um");
        QVERIFY(!c.find("Um"));
        QCOMPARE(errorOf([&] { c.item("um"); }), 5);
        QCOMPARE(errorOf([&] { c.remove("um"); }), 5);
    }
};

QTEST_MAIN(TestRuntime)
#include "tst_runtime.moc"
