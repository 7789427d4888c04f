// The runtime's value rules: arithmetic, rounding, conversions, loops, texts, keys and random values.
#include "KeyedCollection.h"
#include "LocaleText.h"
#include "Random.h"
#include "RuntimeError.h"
#include "Values.h"

#include <QLocale>
#include <QTest>

#include <cfloat>
#include <functional>

namespace {

// The error number that `f` raises, or 0.
int errorOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const RuntimeError &e) {
        return e.number();
    }
    return 0;
}

} // namespace

class TestRuntime : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void raisedErrorsCarryTheirDescription_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("description");
        QTest::newRow("5") << 5 << "Argumento ou chamada de procedimento inválido";
        QTest::newRow("6") << 6 << "Capacidade excedida";
        QTest::newRow("9") << 9 << "Índice fora do intervalo";
        QTest::newRow("11") << 11 << "Divisão por zero";
        QTest::newRow("13") << 13 << "Tipos incompatíveis";
        QTest::newRow("94") << 94 << "Utilização inválida de um valor nulo";
    }

    void raisedErrorsCarryTheirDescription()
    {
        QFETCH(int, number);
        QFETCH(QString, description);
        try {
            runtime::raise(number);
            QFAIL("nothing raised");
        } catch (const RuntimeError &e) {
            QCOMPARE(e.number(), number);
            QCOMPARE(QString::fromStdString(e.description()), description);
            QCOMPARE(QString::fromStdString(e.what()), description);
            QCOMPARE(e.source(), std::string("TrivelasMorvanicas"));
        }
    }

    void arithmetic_data()
    {
        QTest::addColumn<char>("op");
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::addColumn<double>("expected");
        QTest::addColumn<int>("error");
        QTest::newRow("sum") << '+' << 0.1 << 0.2 << 0.30000000000000004 << 0;
        QTest::newRow("sum beyond the doubles overflows") << '+' << 1e308 << 1e308 << 0.0 << 6;
        QTest::newRow("difference beyond the doubles overflows") << '-' << -1e308 << 1e308 << 0.0 << 6;
        QTest::newRow("product beyond the doubles overflows") << '*' << 1e200 << 1e200 << 0.0 << 6;
        QTest::newRow("product underflows to zero") << '*' << 1e-200 << 1e-200 << 0.0 << 0;
        QTest::newRow("quotient") << '/' << 1.0 << 4.0 << 0.25 << 0;
        QTest::newRow("non-zero over zero divides by zero") << '/' << 1.0 << 0.0 << 0.0 << 11;
        QTest::newRow("negative over zero divides by zero") << '/' << -3.0 << 0.0 << 0.0 << 11;
        QTest::newRow("zero over zero overflows") << '/' << 0.0 << 0.0 << 0.0 << 6;
        QTest::newRow("quotient beyond the doubles overflows") << '/' << 1e300 << 1e-300 << 0.0 << 6;
        QTest::newRow("power") << '^' << 2.0 << 10.0 << 1024.0 << 0;
        QTest::newRow("negative base, whole exponent") << '^' << -2.0 << 3.0 << -8.0 << 0;
        QTest::newRow("negative base, non-whole exponent is invalid") << '^' << -8.0 << 1.0 / 3 << 0.0 << 5;
        QTest::newRow("square root by power") << '^' << 2.25 << 0.5 << 1.5 << 0;
        QTest::newRow("power beyond the doubles overflows") << '^' << 10.0 << 400.0 << 0.0 << 6;
        QTest::newRow("zero to a negative power overflows") << '^' << 0.0 << -1.0 << 0.0 << 6;
    }

    void arithmetic()
    {
        QFETCH(char, op);
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(double, expected);
        QFETCH(int, error);
        double result = 0;
        const int raised = errorOf([&] {
            switch (op) {
            case '+': result = runtime::add(a, b); break;
            case '-': result = runtime::sub(a, b); break;
            case '*': result = runtime::mul(a, b); break;
            case '/': result = runtime::div(a, b); break;
            default: result = runtime::power(a, b); break;
            }
        });
        QCOMPARE(raised, error);
        if (!error)
            QCOMPARE(result, expected);
    }

    void rounding_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("halfEven");
        QTest::newRow("2.5 goes down to even") << 2.5 << 2.0;
        QTest::newRow("3.5 goes up to even") << 3.5 << 4.0;
        QTest::newRow("-2.5") << -2.5 << -2.0;
        QTest::newRow("0.5") << 0.5 << 0.0;
        QTest::newRow("just above a tie") << 2.5000001 << 3.0;
    }

    void rounding()
    {
        QFETCH(double, value);
        QFETCH(double, halfEven);
        QCOMPARE(runtime::roundHalfEven(value), halfEven);
    }

    void wholeNumberConversions_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("int32");   // 0 marks overflow in the error column
        QTest::addColumn<int>("error32");
        QTest::addColumn<int>("int16");
        QTest::addColumn<int>("error16");
        QTest::newRow("tie goes to even") << 32766.5 << 32766 << 0 << 32766 << 0;
        QTest::newRow("16-bit top rounds out") << 32767.5 << 32768 << 0 << 0 << 6;
        QTest::newRow("16-bit bottom") << -32768.4 << -32768 << 0 << -32768 << 0;
        QTest::newRow("32-bit top") << 2147483647.4 << 2147483647 << 0 << 0 << 6;
        QTest::newRow("32-bit top rounds out") << 2147483647.5 << 0 << 6 << 0 << 6;
        QTest::newRow("32-bit bottom tie stays in") << -2147483648.5 << int(INT32_MIN) << 0 << 0 << 6;
        QTest::newRow("3e9") << 3e9 << 0 << 6 << 0 << 6;
    }

    void wholeNumberConversions()
    {
        QFETCH(double, value);
        QFETCH(int, int32);
        QFETCH(int, error32);
        QFETCH(int, int16);
        QFETCH(int, error16);
        std::int32_t i32 = 0;
        std::int16_t i16 = 0;
        QCOMPARE(errorOf([&] { i32 = runtime::toInt32(value); }), error32);
        QCOMPARE(errorOf([&] { i16 = runtime::toInt16(value); }), error16);
        if (!error32)
            QCOMPARE(i32, int32);
        if (!error16)
            QCOMPARE(int(i16), int16);
    }

    void singlePrecision_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<float>("expected");
        QTest::addColumn<int>("error");
        QTest::newRow("nearest single") << 0.1 << 0.1f << 0;
        QTest::newRow("just above the largest single rounds down") << 3.4028235e38 << FLT_MAX << 0;
        QTest::newRow("negative beyond the singles") << -3.5e38 << 0.0f << 6;
        QTest::newRow("1e39") << 1e39 << 0.0f << 6;
        QTest::newRow("below the smallest single is 0") << 1e-50 << 0.0f << 0;
    }

    void singlePrecision()
    {
        QFETCH(double, value);
        QFETCH(float, expected);
        QFETCH(int, error);
        float result = -1;
        QCOMPARE(errorOf([&] { result = runtime::toSingle(value); }), error);
        if (!error)
            QCOMPARE(result, expected);
    }

    void integerDivisionAndModulo_data()
    {
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::addColumn<int>("quotient");
        QTest::addColumn<int>("quotientError");
        QTest::addColumn<int>("remainder");
        QTest::addColumn<int>("remainderError");
        QTest::newRow("7 by 2") << 7.0 << 2.0 << 3 << 0 << 1 << 0;
        QTest::newRow("7.5 rounds to 8") << 7.5 << 2.0 << 4 << 0 << 0 << 0;
        QTest::newRow("6.5 rounds to 6") << 6.5 << 2.0 << 3 << 0 << 0 << 0;
        QTest::newRow("remainder takes the dividend's sign") << -7.0 << 3.0 << -2 << 0 << -1 << 0;
        QTest::newRow("positive dividend, negative divisor") << 7.0 << -3.0 << -2 << 0 << 1 << 0;
        QTest::newRow("2.5 by 2") << 2.5 << 2.0 << 1 << 0 << 0 << 0;
        QTest::newRow("divisor rounding to 0") << 5.0 << 0.4 << 0 << 11 << 0 << 11;
        QTest::newRow("dividend beyond 32 bits") << 3e9 << 0.0 << 0 << 6 << 0 << 6;
        QTest::newRow("divisor beyond 32 bits") << 1.0 << -3e9 << 0 << 6 << 0 << 6;
        // The remainder exists even though the quotient does not fit.
        QTest::newRow("smallest by -1") << -2147483648.0 << -1.0 << 0 << 6 << 0 << 0;
    }

    void integerDivisionAndModulo()
    {
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(int, quotient);
        QFETCH(int, quotientError);
        QFETCH(int, remainder);
        QFETCH(int, remainderError);
        std::int32_t q = 0, r = 0;
        QCOMPARE(errorOf([&] { q = runtime::intDiv(a, b); }), quotientError);
        QCOMPARE(errorOf([&] { r = runtime::intMod(a, b); }), remainderError);
        if (!quotientError)
            QCOMPARE(q, quotient);
        if (!remainderError)
            QCOMPARE(r, remainder);
    }

    void steppedLoop_data()
    {
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("end");
        QTest::addColumn<double>("step");
        QTest::addColumn<QList<double>>("values");
        QTest::newRow("upward, end included") << 0.0 << 1.0 << 0.25 << QList<double>{0, 0.25, 0.5, 0.75, 1};
        QTest::newRow("downward") << 1.0 << 0.0 << -0.5 << QList<double>{1, 0.5, 0};
        QTest::newRow("accumulated sum passes the end")
            << 0.0 << 0.3 << 0.1 << QList<double>{0, 0.1, 0.2};
        QTest::newRow("start beyond the end") << 2.0 << 1.0 << 1.0 << QList<double>{};
        QTest::newRow("zero step counts as upward") << 1.0 << 0.0 << 0.0 << QList<double>{};
        QTest::newRow("single pass") << 5.0 << 5.0 << -1.0 << QList<double>{5};
    }

    void steppedLoop()
    {
        QFETCH(double, start);
        QFETCH(double, end);
        QFETCH(double, step);
        QFETCH(QList<double>, values);
        QList<double> seen;
        runtime::steppedLoop(start, end, step, [&](double v) { seen.append(v); });
        QCOMPARE(seen, values);
    }

    void localeToNumber_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::addColumn<int>("error");
        QTest::newRow("blanks around") << "C" << " 12 " << 12.0 << 0;
        QTest::newRow("point decimal") << "C" << "2.5" << 2.5 << 0;
        QTest::newRow("comma decimal") << "pt_PT" << "2,5" << 2.5 << 0;
        QTest::newRow("point in a comma locale") << "pt_PT" << "2.5" << 0.0 << 13;
        QTest::newRow("negative") << "pt_PT" << "-10" << -10.0 << 0;
        QTest::newRow("exponent") << "C" << "1e5" << 100000.0 << 0;
        QTest::newRow("empty") << "C" << "" << 0.0 << 13;
        QTest::newRow("word") << "C" << "abc" << 0.0 << 13;
        QTest::newRow("trailing letters") << "C" << "10x" << 0.0 << 13;
        QTest::newRow("infinity is a word") << "C" << "inf" << 0.0 << 13;
        QTest::newRow("nan is a word") << "C" << "nan" << 0.0 << 13;
        QTest::newRow("beyond the doubles") << "C" << "1e999" << 0.0 << 6;
    }

    void localeToNumber()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(double, expected);
        QFETCH(int, error);
        QLocale::setDefault(QLocale(locale));
        double value = 0;
        QCOMPARE(errorOf([&] { value = runtime::localeToNumber(text); }), error);
        QCOMPARE(runtime::isNumeric(text), error == 0);
        if (!error)
            QCOMPARE(value, expected);
    }

    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::addColumn<int>("error");
        QTest::newRow("blanks anywhere") << "  1 2.5x" << 12.5 << 0;
        QTest::newRow("no number") << "abc" << 0.0 << 0;
        QTest::newRow("empty") << "" << 0.0 << 0;
        QTest::newRow("lone sign") << "-" << 0.0 << 0;
        QTest::newRow("sign and blank") << "- 4" << -4.0 << 0;
        QTest::newRow("tab ends it") << "1\t2" << 1.0 << 0;
        QTest::newRow("leading point") << ".5" << 0.5 << 0;
        QTest::newRow("second point ends it") << "1.2.3" << 1.2 << 0;
        QTest::newRow("comma ends it") << "2,5" << 2.0 << 0;
        QTest::newRow("exponent") << "-3.5e2" << -350.0 << 0;
        QTest::newRow("exponent without digits") << "7e" << 7.0 << 0;
        QTest::newRow("exponent sign without digits") << "7e-x" << 7.0 << 0;
        QTest::newRow("beyond the doubles") << "1e999" << 0.0 << 6;
    }

    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QFETCH(int, error);
        QLocale::setDefault(QLocale(QStringLiteral("pt_PT"))); // the read ignores the locale
        double value = -1;
        QCOMPARE(errorOf([&] { value = runtime::leadingNumber(text); }), error);
        if (!error)
            QCOMPARE(value, expected);
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
        QCOMPARE(runtime::trim(QStringLiteral("   ")), QString());
    }

    void keyedCollection()
    {
        runtime::KeyedCollection<int> c;
        c.add(1, "Um");
        c.add(3, "TRÊS");
        c.add(2, "dois", 2);           // before position 2
        c.add(0, std::nullopt, std::nullopt, 3); // after position 3, no key
        QCOMPARE(c.count(), 4);
        QCOMPARE(c.item(1), 1);
        QCOMPARE(c.item(2), 2);
        QCOMPARE(c.item(3), 3);
        QCOMPARE(c.item(4), 0);
        QCOMPARE(c.item("UM"), 1);
        QCOMPARE(c.item("três"), 3); // case ignored beyond A to Z as well
        QVERIFY(!c.find("quatro"));
        c.remove("DOIS");
        QCOMPARE(c.item(2), 3);
        c.remove(1);
        QCOMPARE(c.count(), 2);
        QCOMPARE(c.item("três"), 3);
    }

    void keyedCollectionErrors()
    {
        runtime::KeyedCollection<int> c;
        c.add(1, "x");
        QCOMPARE(errorOf([&] { c.item("y"); }), 5);
        QCOMPARE(errorOf([&] { c.remove("y"); }), 5);
        QCOMPARE(errorOf([&] { c.add(2, "X"); }), 5);
        QCOMPARE(errorOf([&] { c.item(0); }), 9);
        QCOMPARE(errorOf([&] { c.item(2); }), 9);
        QCOMPARE(errorOf([&] { c.remove(2); }), 9);
        QCOMPARE(errorOf([&] { c.add(2, std::nullopt, 3); }), 9);
        QCOMPARE(errorOf([&] { c.add(2, std::nullopt, 1, 1); }), 5);
        QCOMPARE(c.count(), 1);
    }

    void randomValues()
    {
        runtime::Random r;
        for (int i = 0; i < 10000; ++i) {
            const float v = r.next();
            QVERIFY(v >= 0.0f && v < 1.0f);
        }
        const float last = r.last();
        QCOMPARE(r.value(0), last);
        QCOMPARE(r.value(0), last);
        QVERIFY(r.value(1) != last || r.value(1) != last);

        const float forMinusOne = r.value(-1);
        r.next();
        r.reseedFromClock();
        QCOMPARE(r.value(-1), forMinusOne);
        QVERIFY(r.value(-2) != forMinusOne);

        // Two generators agree until one of them is reseeded from the clock.
        runtime::Random a, b;
        QCOMPARE(a.next(), b.next());
        a.reseedFromClock();
        QVERIFY(a.next() != b.next() || a.next() != b.next());
    }
};

QTEST_MAIN(TestRuntime)
#include "tst_runtime.moc"
