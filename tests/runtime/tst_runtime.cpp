// The runtime's value rules: arithmetic, rounding, conversions, loops, texts, keys and random values.
#include "KeyedCollection.h"
#include "LocaleText.h"
#include "Random.h"
#include "RaisedError.h"
#include "Values.h"

#include <QLocale>
#include <QTest>

#include <cfloat>
#include <functional>

using Call = std::function<double()>;
Q_DECLARE_METATYPE(Call)

namespace {

// The whole text read in a locale. The numeric test must agree: error -1 when it does not.
double readIn(const char *locale, const char *text)
{
    QLocale::setDefault(QLocale(QString::fromLatin1(locale)));
    const bool numeric = runtime::isNumeric(QString::fromLatin1(text));
    const int error = errorOf([&] { runtime::localeToNumber(QString::fromLatin1(text)); });
    if (numeric != (error == 0))
        throw RuntimeError(-1, {}, {});
    return runtime::localeToNumber(QString::fromLatin1(text));
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
        row("sum beyond the doubles overflows", [] { return add(1e308, 1e308); }, 0, 6);
        row("difference beyond the doubles overflows", [] { return sub(-1e308, 1e308); }, 0, 6);
        row("product underflows to zero", [] { return mul(1e-200, 1e-200); }, 0);
        row("quotient beyond the doubles overflows", [] { return runtime::div(1e300, 1e-300); }, 0, 6);
        row("negative base, whole exponent", [] { return power(-2, 3); }, -8);
        row("square root by power", [] { return power(2.25, 0.5); }, 1.5);
        row("zero to a negative power overflows", [] { return power(0, -1); }, 0, 6);

        row("2.5 goes down to even", [] { return double(toInt32(2.5)); }, 2);
        row("3.5 goes up to even", [] { return double(toInt32(3.5)); }, 4);
        row("-2.5 goes up to even", [] { return double(toInt32(-2.5)); }, -2);
        row("0.5 goes down to 0", [] { return roundHalfEven(0.5); }, 0);
        row("just above a tie", [] { return roundHalfEven(2.5000001); }, 3);
        row("32-bit top", [] { return double(toInt32(2147483647.4)); }, 2147483647);
        row("32-bit top rounds out", [] { return double(toInt32(2147483647.5)); }, 0, 6);
        row("32-bit bottom tie stays in", [] { return double(toInt32(-2147483648.5)); }, -2147483648.0);
        row("3e9 is no 32-bit integer", [] { return double(toInt32(3e9)); }, 0, 6);

        row("just above the largest single rounds down", [] { return double(toSingle(3.4028235e38)); }, FLT_MAX);
        row("negative beyond the singles", [] { return double(toSingle(-3.5e38)); }, 0, 6);
        row("below the smallest single is 0", [] { return double(toSingle(1e-50)); }, 0);

        row("quotient truncates toward zero", [] { return double(intDiv(-7, 3)); }, -2);
        row("remainder takes the dividend's sign", [] { return double(intMod(-7, 3)); }, -1);
        row("positive dividend, negative divisor", [] { return double(intMod(7, -3)); }, 1);
        row("remainder by a divisor rounding to 0", [] { return double(intMod(5, 0.4)); }, 0, 11);
        row("divisor beyond 32 bits", [] { return double(intDiv(1, -3e9)); }, 0, 6);
        row("the smallest by -1 has no quotient", [] { return double(intDiv(-2147483648.0, -1)); }, 0, 6);
        row("the smallest by -1 has a remainder", [] { return double(intMod(-2147483648.0, -1)); }, 0);

        row("blanks around", [] { return readIn("C", " 12 "); }, 12);
        row("comma decimal", [] { return readIn("pt_PT", "2,5"); }, 2.5);
        row("point in a comma locale", [] { return readIn("pt_PT", "2.5"); }, 0, 13);
        row("empty", [] { return readIn("C", ""); }, 0, 13);
        row("trailing letters", [] { return readIn("C", "10x"); }, 0, 13);
        row("infinity is a word", [] { return readIn("C", "inf"); }, 0, 13);
        row("nan is a word", [] { return readIn("C", "nan"); }, 0, 13);
        row("beyond the doubles", [] { return readIn("C", "1e999"); }, 0, 6);

        row("upward loop includes its end", [] { return passes(0, 1, 0.25); }, 5);
        row("downward loop includes its end", [] { return passes(1, 0, -0.5); }, 3);
        row("loop whose accumulated sum passes the end", [] { return passes(0, 0.3, 0.1); }, 3);
        row("loop starting beyond its end", [] { return passes(2, 1, 1); }, 0);
        row("loop with a zero step counts as upward", [] { return passes(1, 0, 0); }, 0);
        row("loop of a single pass", [] { return passes(5, 5, -1); }, 1);

        // The leading number ignores the locale: the user's locale here is a comma one.
        row("blanks anywhere", [] { return leadingNumber(QStringLiteral("  1 2.5x")); }, 12.5);
        row("no number", [] { return leadingNumber(QStringLiteral("abc")); }, 0);
        row("lone sign", [] { return leadingNumber(QStringLiteral("-")); }, 0);
        row("sign and blank", [] { return leadingNumber(QStringLiteral("- 4")); }, -4);
        row("tab ends it", [] { return leadingNumber(QStringLiteral("1\t2")); }, 1);
        row("leading point", [] { return leadingNumber(QStringLiteral(".5")); }, 0.5);
        row("second point ends it", [] { return leadingNumber(QStringLiteral("1.2.3")); }, 1.2);
        row("comma ends it", [] { return leadingNumber(QStringLiteral("2,5")); }, 2);
        row("exponent", [] { return leadingNumber(QStringLiteral("-3.5e2")); }, -350);
        row("exponent without digits", [] { return leadingNumber(QStringLiteral("7e")); }, 7);
        row("exponent sign without digits", [] { return leadingNumber(QStringLiteral("7e-x")); }, 7);
        row("leading number beyond the doubles", [] { return leadingNumber(QStringLiteral("1e999")); }, 0, 6);
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
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("pointLocale");
        QTest::addColumn<QString>("commaLocale");
        QTest::newRow("0.1 three times") << 0.1 + 0.1 + 0.1 << "0.3" << "0,3";
        QTest::newRow("a third") << 1.0 / 3 << "0.333333333333333" << "0,333333333333333";
        QTest::newRow("negative") << -2.5 << "-2.5" << "-2,5";
        QTest::newRow("whole, no group separator") << 1234567.0 << "1234567" << "1234567";
        QTest::newRow("15 digits") << 123456789012345.0 << "123456789012345" << "123456789012345";
        QTest::newRow("large") << 1e15 << "1E+15" << "1E+15";
        QTest::newRow("small") << -1.5e-5 << "-1.5E-05" << "-1,5E-05";
        QTest::newRow("negative zero") << -0.0 << "0" << "0";
    }

    void numberToText()
    {
        QFETCH(double, value);
        QFETCH(QString, pointLocale);
        QFETCH(QString, commaLocale);
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
        QCOMPARE(runtime::numberToText(value), pointLocale);
        QLocale::setDefault(QLocale(QStringLiteral("pt_PT")));
        QCOMPARE(runtime::numberToText(value), commaLocale);
    }

    void trimDropsSpacesOnly()
    {
        QCOMPARE(runtime::trim(QStringLiteral("  a b  ")), QStringLiteral("a b"));
        QCOMPARE(runtime::trim(QStringLiteral("\ta ")), QStringLiteral("\ta"));
    }

    void keyedCollection()
    {
        runtime::KeyedCollection<int> c;
        c.add(1, "Um");
        c.add(3, "TRÊS");
        c.add(2, "dois", 2);                     // before position 2
        c.add(0, std::nullopt, std::nullopt, 3); // after position 3, no key
        QCOMPARE(c.count(), 4);
        for (int position = 1; position <= 4; ++position)
            QCOMPARE(c.item(position), position % 4);
        QCOMPARE(c.item("UM"), 1);
        QCOMPARE(c.item("três"), 3); // case ignored beyond A to Z as well
        QVERIFY(!c.find("quatro"));
        c.remove("DOIS");
        QCOMPARE(c.item(2), 3);
        c.remove(1);
        QCOMPARE(c.count(), 2);
        QCOMPARE(c.item("três"), 3);

        QCOMPARE(errorOf([&] { c.item("y"); }), 5);
        QCOMPARE(errorOf([&] { c.remove("y"); }), 5);
        QCOMPARE(errorOf([&] { c.add(2, "tRÊs"); }), 5);
        QCOMPARE(errorOf([&] { c.item(0); }), 9);
        QCOMPARE(errorOf([&] { c.item(3); }), 9);
        QCOMPARE(errorOf([&] { c.remove(3); }), 9);
        QCOMPARE(errorOf([&] { c.add(2, std::nullopt, 3); }), 9);
        QCOMPARE(errorOf([&] { c.add(2, std::nullopt, 1, 1); }), 5);
        QCOMPARE(c.count(), 2);
    }

    void randomValues()
    {
        runtime::Random r;
        float last = 0;
        for (int i = 0; i < 10000; ++i) {
            last = r.next();
            QVERIFY(last >= 0.0f && last < 1.0f);
        }
        QCOMPARE(r.value(0), last); // 0 repeats the last value
        QVERIFY(r.value(1) != last);
        // A negative argument picks its value whatever came before, clock reseeds included.
        const float forMinusOne = r.value(-1);
        r.reseedFromClock();
        QCOMPARE(r.value(-1), forMinusOne);
        QVERIFY(r.value(-2) != forMinusOne);
    }
};

QTEST_MAIN(TestRuntime)
#include "tst_runtime.moc"
