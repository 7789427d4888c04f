// The formula object: its tokens and their order, evaluation, functions, flags and limits.
#include "clsEquation.h"

#include <QStringList>
#include <QTest>

#include <cmath>
#include <functional>
#include <limits>

// Reads what a parse leaves in the object.
struct ClsEquationInspector {
    static void parse(clsEquation &e) { e.Parse(); }
    static bool parsed(const clsEquation &e) { return e.m_parsed; }
    static bool dirty(const clsEquation &e) { return e.m_dirty; }
    static int highest(const clsEquation &e) { return e.m_highestPriority; }
    static void replaceTextKeepingTokens(clsEquation &e, const std::string &text) { e.m_text = text; }

    // "1: 2 (0); 2: * (3)", a comma shown as null.
    static QString tokens(const clsEquation &e)
    {
        QStringList list;
        for (std::size_t i = 0; i < e.m_tokens.size(); ++i) {
            const auto &t = e.m_tokens[i];
            const QString text = t.kind == clsEquation::Kind::Comma ? QStringLiteral("null")
                                                                     : QString::fromStdString(t.text);
            list << QStringLiteral("%1: %2 (%3)").arg(i + 1).arg(text).arg(t.priority);
        }
        return list.join(QStringLiteral("; "));
    }

    static QString order(const clsEquation &e)
    {
        QStringList list;
        for (auto p : e.m_order)
            list << QString::number(p);
        return list.join(QStringLiteral(", "));
    }

    // The type of the number left in an entry by the last evaluation.
    static QString entryType(const clsEquation &e, int position)
    {
        switch (e.m_work[std::size_t(position)].type) {
        case clsEquation::Cell::Type::Int16: return QStringLiteral("int16");
        case clsEquation::Cell::Type::Int32: return QStringLiteral("int32");
        case clsEquation::Cell::Type::Single: return QStringLiteral("single");
        case clsEquation::Cell::Type::Double: return QStringLiteral("double");
        default: return QStringLiteral("other");
        }
    }
};

namespace {

struct Outcome {
    bool raised = false;
    int number = 0;
    QString source;
    QString description;
    double value = 0;
};

// The calling sequence of the graph windows, with extra variables "a=1;b=2" before x.
Outcome evaluate(clsEquation &e, const QString &formula, const QString &variables = QString(), double x = 0)
{
    Outcome o;
    e.Equation(formula.toStdString());
    for (const QString &assignment : variables.split(u';', Qt::SkipEmptyParts)) {
        const QStringList parts = assignment.split(u'=');
        e.Var(parts[0].toStdString(), parts[1].toDouble());
    }
    if (!variables.contains(QStringLiteral("x=")))
        e.Var("x", x);
    try {
        e.Solve();
        o.value = e.Solution();
    } catch (const RuntimeError &error) {
        o.raised = true;
        o.number = error.number();
        o.source = QString::fromStdString(error.source());
        o.description = QString::fromStdString(error.description());
    }
    return o;
}

Outcome evaluate(const QString &formula, const QString &variables = QString())
{
    clsEquation e;
    return evaluate(e, formula, variables);
}

bool close(double actual, double expected, double tolerance)
{
    if (tolerance == 0)
        return actual == expected;
    return std::fabs(actual - expected) <= tolerance * std::max(1.0, std::fabs(expected));
}

// Checks a value (error 0), or an error raised by the interpreter with its number and description.
void verify(const Outcome &o, double expected, double tolerance, int error = 0, const QString &description = {})
{
    if (error) {
        QVERIFY2(o.raised, qPrintable(QString::number(o.value, 'g', 17)));
        QCOMPARE(o.number, error);
        QCOMPARE(o.source, QStringLiteral("Interpretador"));
        QCOMPARE(o.description, description);
    } else {
        QVERIFY2(!o.raised, qPrintable(o.description));
        QVERIFY2(close(o.value, expected, tolerance), qPrintable(QString::number(o.value, 'g', 17)));
    }
}

// The error number that `call` raises, or 0.
int errorOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const RuntimeError &error) {
        return error.number();
    }
    return 0;
}

} // namespace

class TestInterpreter : public QObject {
    Q_OBJECT

private slots:
    void tokens_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("tokens");
        QTest::addColumn<QString>("order");
        QTest::addColumn<int>("highest");
        QTest::newRow("inserted product after a number")
            << "2x+1" << "1: 2 (0); 2: * (3); 3: x (6); 4: + (1); 5: 1 (0)" << "3, 2, 4" << 7;
        QTest::newRow("call then power")
            << "sin(x)^2" << "1: sin( (7); 2: x (13); 3: ) (7); 4: ^ (5); 5: 2 (0)" << "2, 1, 3, 4" << 14;
        QTest::newRow("unary minus below power")
            << "-x^2" << "1: ~ (4); 2: x (6); 3: ^ (5); 4: 2 (0)" << "2, 3, 1" << 7;
        QTest::newRow("comma is a null entry")
            << "min(a,b)" << "1: min( (7); 2: a (13); 3: null (0); 4: b (13); 5: ) (7)" << "2, 4, 1, 5" << 14;
        QTest::newRow("number before a parenthesis")
            << "2(x+1)" << "1: 2 (0); 2: * (3); 3: ( (7); 4: x (13); 5: + (8); 6: 1 (0); 7: ) (7)"
            << "4, 5, 3, 7, 2" << 14;
        QTest::newRow("number before a call")
            << "3sin(2x)" << "1: 3 (0); 2: * (3); 3: sin( (7); 4: 2 (0); 5: * (10); 6: x (13); 7: ) (7)"
            << "6, 5, 3, 7, 2" << 14;
        QTest::newRow("nested parentheses")
            << "((a))" << "1: ( (7); 2: ( (14); 3: a (20); 4: ) (14); 5: ) (7)" << "3, 2, 4, 1, 5" << 21;
        QTest::newRow("nothing after a close")
            << "(a)(b)" << "1: ( (7); 2: a (13); 3: ) (7); 4: ( (7); 5: b (13); 6: ) (7)"
            << "2, 5, 1, 3, 4, 6" << 14;
        QTest::newRow("minus after an open")
            << "-(-x)" << "1: ~ (4); 2: ( (7); 3: ~ (11); 4: x (13); 5: ) (7)" << "4, 3, 2, 5, 1" << 14;
        QTest::newRow("minus after power") << "2^-1" << "1: 2 (0); 2: ^ (5); 3: ~ (4); 4: 1 (0)" << "2, 3" << 7;
        QTest::newRow("equal priorities left to right")
            << "2^3^2" << "1: 2 (0); 2: ^ (5); 3: 3 (0); 4: ^ (5); 5: 2 (0)" << "2, 4" << 7;
        QTest::newRow("subtractions")
            << "a-b-c" << "1: a (6); 2: - (1); 3: b (6); 4: - (1); 5: c (6)" << "1, 3, 5, 2, 4" << 7;
        QTest::newRow("constant over number") << "pi/2" << "1: pi (6); 2: / (3); 3: 2 (0)" << "1, 2" << 7;
        QTest::newRow("no exponent notation") << "1e5" << "1: 1 (0); 2: * (3); 3: e5 (6)" << "3, 2" << 7;
        QTest::newRow("point inside a name") << "x.5" << "1: x,5 (6)" << "1" << 7;
        QTest::newRow("lone number") << "1.5" << "1: 1,5 (0)" << "" << 7;
        QTest::newRow("variable before a parenthesis is a call")
            << "x(2)" << "1: x( (7); 2: 2 (0); 3: ) (7)" << "1, 3" << 14;
        QTest::newRow("close with no open gets no priority")
            << "a)+(b" << "1: a (6); 2: ) (0); 3: + (-6); 4: ( (0); 5: b (6)" << "1, 5" << 7;
        QTest::newRow("blank inside a number") << "2 3" << "1: 23 (0)" << "" << 7;
        QTest::newRow("blank inside a name") << "sin x" << "1: sinx (6)" << "1" << 7;
        QTest::newRow("blank between number and name") << "2 x" << "1: 2 (0); 2: * (3); 3: x (6)" << "3, 2" << 7;
        QTest::newRow("blank before a call's parenthesis") << "sin (x)" << "1: sin( (7); 2: x (13); 3: ) (7)" << "2, 1, 3" << 14;
        QTest::newRow("minus after a comma")
            << "min(-1,2)" << "1: min( (7); 2: ~ (11); 3: 1 (0); 4: null (0); 5: 2 (0); 6: ) (7)" << "2, 1, 6" << 14;
        QTest::newRow("subtraction then negation")
            << "2--3" << "1: 2 (0); 2: - (1); 3: ~ (4); 4: 3 (0)" << "3, 2" << 7;
        QTest::newRow("leading plus is a sum") << "+1" << "1: + (1); 2: 1 (0)" << "1" << 7;
        QTest::newRow("comma outside a call") << "0,5" << "1: 0 (0); 2: null (0); 3: 5 (0)" << "" << 7;
        QTest::newRow("integer quotient and modulo")
            << "7\\2%3" << "1: 7 (0); 2: \\ (3); 3: 2 (0); 4: % (2); 5: 3 (0)" << "2, 4" << 7;
        QTest::newRow("accented letters are skipped") << "\xC3\xA9x\xC3\xA7" << "1: x (6)" << "1" << 7;
        QTest::newRow("empty") << "" << "" << "" << 7;
    }

    void tokens()
    {
        QFETCH(QString, formula);
        QFETCH(QString, tokens);
        QFETCH(QString, order);
        QFETCH(int, highest);
        clsEquation e;
        e.Equation(formula.toStdString());
        QVERIFY(!ClsEquationInspector::parsed(e));
        ClsEquationInspector::parse(e);
        QVERIFY(ClsEquationInspector::parsed(e));
        QCOMPARE(ClsEquationInspector::tokens(e), tokens);
        QCOMPARE(ClsEquationInspector::order(e), order);
        QCOMPARE(ClsEquationInspector::highest(e), highest);
    }

    void values_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("variables");
        QTest::addColumn<double>("expected");
        QTest::addColumn<double>("tolerance");
        QTest::newRow("product before sum") << "2+3*4" << "" << 14.0 << 0.0;
        QTest::newRow("minus takes the power") << "-2^2" << "" << -4.0 << 0.0;
        QTest::newRow("sine of pi/2") << "sin(pi/2)" << "" << 1.0 << 0.0;
        QTest::newRow("call result in a product") << "min(3,1+1)*2" << "" << 4.0 << 0.0;
        QTest::newRow("inserted product with a variable") << "2x^2" << "x=3" << 18.0 << 0.0;
        QTest::newRow("failed call keeps 1000") << "sqr(-4)+1" << "" << 1001.0 << 0.0;
        QTest::newRow("failed power keeps its left operand") << "(-8)^(1/3)" << "" << -8.0 << 0.0;
        QTest::newRow("empty parentheses are 0") << "()" << "" << 0.0 << 0.0;
        QTest::newRow("empty parentheses in a sum") << "()+5" << "" << 5.0 << 0.0;
        QTest::newRow("lone number") << "1.5" << "" << 1.5 << 0.0;
        QTest::newRow("leading point") << ".5" << "" << 0.5 << 0.0;
        QTest::newRow("trailing point") << "5." << "" << 5.0 << 0.0;
        QTest::newRow("digits around a blank") << "2 5" << "" << 25.0 << 0.0;
        QTest::newRow("group takes its first entry") << "(1,2)" << "" << 1.0 << 0.0;
        QTest::newRow("leftover inside a group is the sum's left operand") << "(1,2)+3" << "" << 1.0 << 0.0;
        QTest::newRow("middle argument ignored") << "min(1,2,3)" << "" << 1.0 << 0.0;
        QTest::newRow("middle argument takes the sum") << "min(1,2,3)+10" << "" << 1.0 << 0.0;
        QTest::newRow("first of two groups") << "(a)(b)" << "a=7;b=9" << 7.0 << 0.0;
        QTest::newRow("group then number") << "(2)3" << "" << 2.0 << 0.0;
        QTest::newRow("sum without right operand") << "2+" << "" << 2.0 << 0.0;
        QTest::newRow("lone minus") << "-" << "" << 1000.0 << 0.0;
        QTest::newRow("product with a lone minus") << "5*-" << "" << 5000.0 << 0.0;
        QTest::newRow("square root of -1") << "sqr(-1)" << "" << 1000.0 << 0.0;
        QTest::newRow("failed call in a product") << "sqr(-1)*2" << "" << 2000.0 << 0.0;
        QTest::newRow("logarithm of 0 in a sum") << "log(0)+1" << "" << 1001.0 << 0.0;
        QTest::newRow("bracketed negative exponent") << "2^(-1)" << "" << 0.5 << 0.0;
        QTest::newRow("powers left to right") << "2^3^2" << "" << 64.0 << 0.0;
        QTest::newRow("bracketed powers agree") << "(2^3)^2" << "" << 64.0 << 0.0;
        QTest::newRow("right-grouped powers differ") << "2^(3^2)" << "" << 512.0 << 0.0;
        QTest::newRow("negation inside a product") << "2*-3" << "" << -6.0 << 0.0;
        QTest::newRow("subtraction of a negation") << "2--3" << "" << 5.0 << 0.0;
        QTest::newRow("integer quotient") << "7\\2" << "" << 3.0 << 0.0;
        QTest::newRow("integer quotient rounds its operands") << "7.5\\2" << "" << 4.0 << 0.0;
        QTest::newRow("modulo") << "10%3" << "" << 1.0 << 0.0;
        QTest::newRow("modulo takes the dividend's sign") << "-7%3" << "" << -1.0 << 0.0;
        QTest::newRow("modulo binds less than product") << "2*5%3" << "" << 1.0 << 0.0;
        QTest::newRow("modulo binds more than sum") << "1+5%3" << "" << 3.0 << 0.0;
        QTest::newRow("quotients left to right") << "8/4/2" << "" << 1.0 << 0.0;
        QTest::newRow("subtractions left to right") << "a-b-c" << "a=10;b=3;c=2" << 5.0 << 0.0;
        QTest::newRow("blank between number and name") << "2 x" << "x=4" << 8.0 << 0.0;
        QTest::newRow("number before a parenthesis") << "2(x+1)" << "x=2" << 6.0 << 0.0;
        QTest::newRow("double negation") << "-(-x)" << "x=3" << 3.0 << 0.0;
        QTest::newRow("capital letters") << "SIN(PI)" << "" << 3.23e-15 << 0.01e-15;
        QTest::newRow("pi keeps its literal") << "pi" << "" << 3.14159265358979 << 0.0;
        QTest::newRow("e keeps its literal") << "e" << "" << 2.718281828 << 0.0;
        QTest::newRow("graus keeps its literal factor") << "graus(1)" << "" << 57.2957795131 << 0.0;
        QTest::newRow("rad keeps its literal factor") << "rad(1)" << "" << 0.01745329251995 << 0.0;
        QTest::newRow("a variable named like a constant is never read") << "pi" << "pi=3" << 3.14159265358979 << 0.0;
        QTest::newRow("comma outside a call") << "0,5" << "" << 0.0 << 0.0;
        QTest::newRow("group loses its right operand") << "(2+)" << "" << 2.0 << 0.0;
        QTest::newRow("close before open") << "a)+(b" << "a=1;b=2" << 1.0 << 0.0;
        QTest::newRow("operand that is no number") << "1+." << "" << 1.0 << 0.0;
        QTest::newRow("long sum looks back across cleared entries") << QString("1+").repeated(99) + "1" << "" << 100.0 << 0.0;
        QTest::newRow("long call leaves its middle arguments")
            << "min(" + QString("9,").repeated(100) + "2)+1" << "" << 2.0 << 0.0;
        QTest::newRow("numeral below the doubles reads as the nearest subnormal")
            << "0." + QString(323, u'0') + "5" << "" << 4.9406564584124654e-324 << 0.0;
        QTest::newRow("numeral far below the doubles reads as 0") << "0." + QString(400, u'0') + "5" << "" << 0.0 << 0.0;
    }

    void values()
    {
        QFETCH(QString, formula);
        QFETCH(QString, variables);
        QFETCH(double, expected);
        QFETCH(double, tolerance);
        verify(evaluate(formula, variables), expected, tolerance);
    }

    void functions_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<double>("expected");
        QTest::addColumn<double>("tolerance");
        QTest::addColumn<int>("error"); // 0, or the error number raised instead of a value
        const double t = 1e-15;
        QTest::newRow("abs") << "abs(-3)" << 3.0 << 0.0 << 0;
        QTest::newRow("arctg") << "arctg(1)" << 0.7853981633974483 << t << 0;
        QTest::newRow("atn gives full pi") << "atn(1)*4" << 3.141592653589793 << 0.0 << 0;
        QTest::newRow("cos") << "cos(0)" << 1.0 << 0.0 << 0;
        QTest::newRow("exp") << "exp(1)" << 2.718281828459045 << t << 0;
        QTest::newRow("fix truncates") << "fix(-2.5)" << -2.0 << 0.0 << 0;
        QTest::newRow("int floors") << "int(-2.5)" << -3.0 << 0.0 << 0;
        QTest::newRow("log is natural") << "log(8)" << 2.0794415416798357 << t << 0;
        QTest::newRow("sgn") << "sgn(-2.5)" << -1.0 << 0.0 << 0;
        QTest::newRow("sin of the pi literal") << "sin(pi)" << 3.23e-15 << 0.01e-15 << 0;
        QTest::newRow("sin of two arguments uses the first") << "sin(1,2)" << 0.8414709848078965 << t << 0;
        QTest::newRow("sen") << "sen(pi/2)" << 1.0 << 0.0 << 0;
        QTest::newRow("sqr") << "sqr(16)" << 4.0 << 0.0 << 0;
        QTest::newRow("tg") << "tg(1)" << 1.5574077246549023 << t << 0;
        QTest::newRow("tan") << "tan(-1)" << -1.5574077246549023 << t << 0;
        QTest::newRow("min") << "min(2,5)" << 2.0 << 0.0 << 0;
        QTest::newRow("max") << "max(2,5)" << 5.0 << 0.0 << 0;
        QTest::newRow("max of one") << "max(7)" << 7.0 << 0.0 << 0;
        QTest::newRow("min of first and last") << "min(1,9,0)" << 0.0 << 0.0 << 0;
        QTest::newRow("mod rounds") << "mod(7.5,2)" << 0.0 << 0.0 << 0;
        QTest::newRow("mod sign") << "mod(-7,3)" << -1.0 << 0.0 << 0;
        QTest::newRow("logn") << "logn(8,2)" << 3.0 << t << 0;
        QTest::newRow("sec") << "sec(0)" << 1.0 << 0.0 << 0;
        QTest::newRow("cosec") << "cosec(pi/2)" << 1.0 << 0.0 << 0;
        QTest::newRow("cotan") << "cotan(1)" << 0.6420926159343306 << t << 0;
        QTest::newRow("cotg") << "cotg(1)" << 0.6420926159343306 << t << 0;
        QTest::newRow("arcsin") << "arcsin(0.5)" << 0.5235987755982989 << t << 0;
        QTest::newRow("arcsen") << "arcsen(-0.5)" << -0.5235987755982989 << t << 0;
        QTest::newRow("arccos of 0 is full pi/2") << "arccos(0)" << 1.5707963267948966 << 0.0 << 0;
        QTest::newRow("arccos") << "arccos(0.5)" << 1.0471975511965979 << t << 0;
        QTest::newRow("arcsec") << "arcsec(2)" << 1.0471975511965979 << t << 0;
        QTest::newRow("arcsec of a negative") << "arcsec(-2)" << 2.0943951023931957 << t << 0;
        QTest::newRow("arccosec") << "arccosec(2)" << 0.5235987755982989 << t << 0;
        QTest::newRow("arccotg of 0 is full pi/2") << "arccotg(0)" << 1.5707963267948966 << 0.0 << 0;
        QTest::newRow("arccotan") << "arccotan(1)" << 0.7853981633974483 << t << 0;
        QTest::newRow("sinh") << "sinh(1)" << 1.1752011936438014 << t << 0;
        QTest::newRow("senh") << "senh(-1)" << -1.1752011936438014 << t << 0;
        QTest::newRow("cosh") << "cosh(1)" << 1.5430806348152437 << t << 0;
        QTest::newRow("tgh") << "tgh(1)" << 0.7615941559557649 << t << 0;
        QTest::newRow("tanh") << "tanh(-1)" << -0.7615941559557649 << t << 0;
        QTest::newRow("sech") << "sech(1)" << 0.6480542736638853 << t << 0;
        QTest::newRow("cosech") << "cosech(1)" << 0.8509181282393216 << t << 0;
        QTest::newRow("cotgh") << "cotgh(1)" << 1.3130352854993312 << t << 0;
        QTest::newRow("cotanh") << "cotanh(-1)" << -1.3130352854993312 << t << 0;
        QTest::newRow("arcsinh") << "arcsinh(1)" << 0.881373587019543 << t << 0;
        QTest::newRow("arcsenh") << "arcsenh(1)" << 0.881373587019543 << t << 0;
        QTest::newRow("arccosh") << "arccosh(2)" << 1.3169578969248166 << t << 0;
        QTest::newRow("arctgh") << "arctgh(0.5)" << 0.5493061443340549 << t << 0;
        QTest::newRow("arctanh") << "arctanh(-0.5)" << -0.5493061443340549 << t << 0;
        QTest::newRow("arcsech") << "arcsech(0.5)" << 1.3169578969248166 << t << 0;
        QTest::newRow("arccosech") << "arccosech(1)" << 0.881373587019543 << t << 0;
        QTest::newRow("arccosech of a negative") << "arccosech(-1)" << -0.881373587019543 << t << 0;
        QTest::newRow("arccotgh") << "arccotgh(2)" << 0.5493061443340549 << t << 0;
        QTest::newRow("arccotanh") << "arccotanh(-2)" << -0.5493061443340549 << t << 0;
        QTest::newRow("log10") << "log10(1000)" << 3.0 << t << 0;
        QTest::newRow("log2") << "log2(8)" << 3.0 << t << 0;
        QTest::newRow("ln") << "ln(1)" << 0.0 << 0.0 << 0;
        QTest::newRow("graus of the pi literal") << "graus(pi)-180" << 5.5e-11 << 0.05e-11 << 0;
        QTest::newRow("rad of 180") << "rad(180)-pi" << 1.21e-12 << 0.01e-12 << 0;
        QTest::newRow("mant") << "mant(-2.5)" << 0.5 << 0.0 << 0;

        // Outside the domain: 1000, or an error that reaches the caller.
        QTest::newRow("log of 0") << "log(0)" << 1000.0 << 0.0 << 0;
        QTest::newRow("ln of a negative") << "ln(-1)" << 1000.0 << 0.0 << 0;
        QTest::newRow("log10 of 0") << "log10(0)" << 1000.0 << 0.0 << 0;
        QTest::newRow("log2 of a negative") << "log2(-2)" << 1000.0 << 0.0 << 0;
        QTest::newRow("logn of a negative") << "logn(-8,2)" << 1000.0 << 0.0 << 0;
        QTest::newRow("logn to a negative base") << "logn(8,-2)" << 1000.0 << 0.0 << 0;
        QTest::newRow("logn to base 1") << "logn(5,1)" << 0.0 << 0.0 << 11;
        QTest::newRow("logn of 1 to base 1") << "logn(1,1)" << 0.0 << 0.0 << 6;
        QTest::newRow("mod by a divisor rounding to 0") << "mod(5,0.4)" << 0.0 << 0.0 << 11;
        QTest::newRow("mod by 0") << "mod(5,0)" << 0.0 << 0.0 << 11;
        QTest::newRow("mod of a number beyond 32 bits") << "mod(3000000000,2)" << 0.0 << 0.0 << 6;
        QTest::newRow("cosec of 0") << "cosec(0)" << 0.0 << 0.0 << 11;
        QTest::newRow("cotan of 0") << "cotan(0)" << 0.0 << 0.0 << 11;
        QTest::newRow("cotg of 0") << "cotg(0)" << 0.0 << 0.0 << 11;
        QTest::newRow("arcsin beyond 1") << "arcsin(2)" << 1000.0 << 0.0 << 0;
        QTest::newRow("arcsen below -1") << "arcsen(-2)" << 1000.0 << 0.0 << 0;
        QTest::newRow("arccos beyond 1") << "arccos(1.5)" << 1000.0 << 0.0 << 0;
        QTest::newRow("arcsin of 1") << "arcsin(1)" << 0.0 << 0.0 << 11;
        QTest::newRow("arccos of -1") << "arccos(-1)" << 0.0 << 0.0 << 11;
        QTest::newRow("arcsin of a huge number") << "arcsin(10^200)" << 0.0 << 0.0 << 6;
        QTest::newRow("arcsec inside 1") << "arcsec(0.5)" << 1000.0 << 0.0 << 0;
        QTest::newRow("arccosec inside 1") << "arccosec(0.5)" << 1000.0 << 0.0 << 0;
        QTest::newRow("arccosec of 1") << "arccosec(1)" << 0.0 << 0.0 << 11;
        QTest::newRow("exp overflows") << "exp(1000)" << 0.0 << 0.0 << 6;
        QTest::newRow("sinh overflows through exp(-x)") << "sinh(-1000)" << 0.0 << 0.0 << 6;
        QTest::newRow("cosh overflows") << "cosh(1000)" << 0.0 << 0.0 << 6;
        QTest::newRow("tanh overflows") << "tanh(1000)" << 0.0 << 0.0 << 6;
        QTest::newRow("sech overflows") << "sech(-1000)" << 0.0 << 0.0 << 6;
        QTest::newRow("cosech of 0") << "cosech(0)" << 0.0 << 0.0 << 11;
        QTest::newRow("cotgh of 0") << "cotgh(0)" << 0.0 << 0.0 << 11;
        QTest::newRow("cotanh overflows") << "cotanh(1000)" << 0.0 << 0.0 << 6;
        QTest::newRow("arccosh below 1") << "arccosh(0.5)" << 1000.0 << 0.0 << 0;
        QTest::newRow("arccosh of a negative") << "arccosh(-2)" << 1000.0 << 0.0 << 0;
        QTest::newRow("arctgh of 1") << "arctgh(1)" << 0.0 << 0.0 << 11;
        QTest::newRow("arctgh of -1") << "arctgh(-1)" << 1000.0 << 0.0 << 0;
        QTest::newRow("arctanh beyond 1") << "arctanh(2)" << 1000.0 << 0.0 << 0;
        QTest::newRow("arcsech of 0") << "arcsech(0)" << 0.0 << 0.0 << 11;
        QTest::newRow("arcsech of a negative") << "arcsech(-0.5)" << 1000.0 << 0.0 << 0;
        QTest::newRow("arcsech beyond 1") << "arcsech(2)" << 1000.0 << 0.0 << 0;
        QTest::newRow("arccosech of 0") << "arccosech(0)" << 0.0 << 0.0 << 11;
        QTest::newRow("arccotgh of 1") << "arccotgh(1)" << 0.0 << 0.0 << 11;
        QTest::newRow("arccotgh of 0") << "arccotgh(0)" << 1000.0 << 0.0 << 0;
        QTest::newRow("arccotanh of -1") << "arccotanh(-1)" << 1000.0 << 0.0 << 0;
    }

    void functions()
    {
        QFETCH(QString, formula);
        QFETCH(double, expected);
        QFETCH(double, tolerance);
        QFETCH(int, error);
        verify(evaluate(formula), expected, tolerance, error,
               error == 6 ? QStringLiteral("Capacidade excedida") : QStringLiteral("Divisão por zero"));
    }

    void errors_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("description");
        const QString undefinedVariable = QStringLiteral("Variável não definida: ");
        const QString undefinedFunction = QStringLiteral("Função não definida: ");
        const QString invalidArgument = QStringLiteral("Argumento inválido na expressão: ");
        const QString parentheses = QStringLiteral("Número de parênteses incorrecto.");
        QTest::newRow("unknown variable raises 1102") << "y" << 1102 << undefinedVariable + "y";
        QTest::newRow("1e5 is 1 times the variable e5") << "1e5" << 1102 << undefinedVariable + "e5";
        QTest::newRow("a name without parenthesis is a variable") << "log10" << 1102 << undefinedVariable + "log10";
        QTest::newRow("point inside a name shows as comma") << "x.5" << 1102 << undefinedVariable + "x,5";
        QTest::newRow("unknown function name raises 1101") << "foo(2)" << 1101 << undefinedFunction + "foo()";
        QTest::newRow("variable called as a function") << "x(2)" << 1101 << undefinedFunction + "x()";
        QTest::newRow("constant called as a function") << "pi(1)" << 1101 << undefinedFunction + "pi()";
        QTest::newRow("call without argument raises 1104") << "sin()" << 1104 << invalidArgument + "sin()";
        QTest::newRow("call with a lone comma") << "sin(,)" << 1104 << invalidArgument + "sin()";
        QTest::newRow("unknown function without argument") << "foo()" << 1104 << invalidArgument + "foo()";
        QTest::newRow("visit of a cleared entry") << "2^-1" << 1104 << invalidArgument + ")";
        QTest::newRow("missing close") << "(1+2" << 1100 << parentheses;
        QTest::newRow("missing close of a call") << "sin(x" << 1100 << parentheses;
        QTest::newRow("close too many") << "2)" << 1100 << parentheses;
        QTest::newRow("division by zero") << "1/0" << 11 << "Divisão por zero";
        QTest::newRow("zero over zero") << "0/0" << 6 << "Capacidade excedida";
        QTest::newRow("integer quotient by a divisor rounding to 0") << "5\\0.4" << 11 << "Divisão por zero";
        QTest::newRow("modulo by 0") << "5%0" << 11 << "Divisão por zero";
        QTest::newRow("integer quotient beyond 32 bits") << "3000000000\\2" << 6 << "Capacidade excedida";
        QTest::newRow("power overflows") << "2^1024" << 6 << "Capacidade excedida";
        QTest::newRow("product overflows") << "10^300*10^300" << 6 << "Capacidade excedida";
        QTest::newRow("numeral beyond the doubles") << QString(400, u'9') << 6 << "Capacidade excedida";
        QTest::newRow("numeral beyond the doubles in a sum") << "1+" + QString(400, u'9') << 6 << "Capacidade excedida";
    }

    void errors()
    {
        QFETCH(QString, formula);
        QFETCH(int, number);
        QFETCH(QString, description);
        verify(evaluate(formula), 0, 0, number, description);
    }

    void limits_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<int>("error");
        QTest::addColumn<double>("expected");
        auto repeat = [](const QString &s, int n) { return s.repeated(n); };
        QTest::newRow("32766 characters") << "1" + QString(32765, u' ') << 0 << 1.0;
        QTest::newRow("32767 characters overflow") << "1" + QString(32766, u' ') << 6 << 0.0;
        QTest::newRow("100000 parentheses") << repeat("(", 50000) + repeat(")", 50000) << 6 << 0.0;
        QTest::newRow("accented letters count as one character") << "1" + repeat("\u00e9", 32765) << 0 << 1.0;
        QTest::newRow("32766 tokens") << repeat("2()", 8191) + ",," << 0 << 0.0;
        QTest::newRow("32767th token overflows") << repeat("2()", 8191) + ",,," << 6 << 0.0;
        QTest::newRow("4679 parentheses open") << repeat("(", 4679) + "x+3" + repeat(")", 4679) << 0 << 3.0;
        QTest::newRow("4680 parentheses open overflow the order")
            << repeat("(", 4680) + "x" + repeat(")", 4680) << 6 << 0.0;
        QTest::newRow("opening the 4681st overflows") << repeat("(", 4681) + repeat(")", 4681) << 6 << 0.0;
        QTest::newRow("4681 closes too many still fit") << repeat(")", 4681) + repeat("(", 4681) << 0 << 0.0;
        QTest::newRow("4682 closes too many overflow") << repeat(")", 4682) + repeat("(", 4682) << 6 << 0.0;
    }

    void limits()
    {
        QFETCH(QString, formula);
        QFETCH(int, error);
        QFETCH(double, expected);
        verify(evaluate(formula), expected, 0, error, QStringLiteral("Capacidade excedida"));
    }

    void stepTypes_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("type");
        QTest::newRow("failure value is 16-bit") << "sqr(-1)" << "int16";
        QTest::newRow("sgn is 16-bit") << "sgn(-3)" << "int16";
        QTest::newRow("integer quotient is 32-bit") << "7\\2" << "int32";
        QTest::newRow("modulo is 32-bit") << "7%2" << "int32";
        QTest::newRow("mod is 32-bit") << "mod(7,2)" << "int32";
        QTest::newRow("rnd( is single") << "rnd(1)" << "single";
        QTest::newRow("constant rnd is single") << "rnd" << "single";
        QTest::newRow("sum is double") << "sgn(1)+sgn(1)" << "double";
        QTest::newRow("group keeps the type inside") << "(sgn(1))" << "int16";
    }

    void stepTypes()
    {
        QFETCH(QString, formula);
        QFETCH(QString, type);
        clsEquation e;
        evaluate(e, formula);
        QCOMPARE(ClsEquationInspector::entryType(e, 1), type);
    }

    void randomValues()
    {
        for (int i = 0; i < 200; ++i) {
            const double rand6 = evaluate("rand(6)").value;
            QVERIFY(rand6 >= 0 && rand6 <= 5 && rand6 == std::floor(rand6));
            const double between = evaluate("random(1,2)").value;
            QVERIFY(between >= 1 && between < 2);
            const double r = evaluate("rnd(1)").value;
            QVERIFY(r >= 0 && r < 1);
            QCOMPARE(double(float(r)), r);
            QVERIFY(evaluate("rnd").value < 1);
        }
        QCOMPARE(evaluate("rnd(-3)").value, evaluate("rnd(-3)").value);
        const double next = evaluate("rnd(1)").value;
        QCOMPARE(evaluate("rnd(0)").value, next);
    }

    void newObject()
    {
        clsEquation e;
        QCOMPARE(e.Solution(), 0.0);
        QCOMPARE(e.Equation(), std::string());
        QCOMPARE(e.Graus(), false);
        QCOMPARE(e.Var("x"), 0.0); // a name never written reads as 0
        e.Solve();                 // an empty formula: nothing to evaluate, nothing raised
        QCOMPARE(e.Solution(), 0.0);
    }

    void equationIsKeptInLowerCase()
    {
        clsEquation e;
        e.Equation("SIN(X)+Pi");
        QCOMPARE(e.Equation(), std::string("sin(x)+pi"));
        e.Equation("\xC3\x89X"); // ÉX
        QCOMPARE(e.Equation(), std::string("\xC3\xA9x"));
        e.Equation(std::string("a\xFF", 2)); // not UTF-8: the stray byte becomes a replacement character
        QCOMPARE(e.Equation(), std::string("a\xEF\xBF\xBD"));
    }

    void variableStore()
    {
        clsEquation e;
        e.Var("X", 2);
        QCOMPARE(e.Var("x"), 2.0);
        e.Equation("x");
        QCOMPARE(e.Solution(), 2.0);
        e.Var("a", 1);
        e.Var("a", 5);
        QCOMPARE(e.Var("A"), 5.0);
        e.VarRemove("a");
        QCOMPARE(e.Var("a"), 0.0);
        e.VarRemove("never-there");
        e.VarClear();
        QCOMPARE(e.Var("x"), 0.0);
        const Outcome o = evaluate(e, "x", "a=1");
        QCOMPARE(o.value, 0.0); // the calling sequence writes x again
        e.VarClear();
        QCOMPARE(errorOf([&] { e.Solve(); }), 1102);
        // A variable written with a value no formula could make is refused when read.
        QCOMPARE(evaluate(e, "x+1", QString(), std::numeric_limits<double>::infinity()).number, 6);
        QCOMPARE(evaluate(e, "x+1", QString(), std::numeric_limits<double>::quiet_NaN()).number, 6);
    }

    void flagsDecideWhenToEvaluate()
    {
        clsEquation e;
        e.Equation("rnd");
        const double first = e.Solution();
        QCOMPARE(e.Solution(), first); // clean: not evaluated again
        e.Var("x", 0);
        QVERIFY(ClsEquationInspector::dirty(e));
        QVERIFY(e.Solution() != first || e.Solution() != first);

        e.Equation("sin(1)");
        const double radians = e.Solution();
        e.Graus(false); // unchanged
        QVERIFY(!ClsEquationInspector::dirty(e));
        e.Graus(true);
        QVERIFY(ClsEquationInspector::dirty(e));
        QCOMPARE(e.Graus(), true);
        QCOMPARE(e.Solution(), radians); // trigonometry stays in radians
        e.VarRemove("nothing");
        QVERIFY(ClsEquationInspector::dirty(e));
        e.Solution();
        e.VarClear();
        QVERIFY(ClsEquationInspector::dirty(e));
    }

    void failedEvaluationLeavesResultAndRetries()
    {
        clsEquation e;
        e.Equation("2+3");
        QCOMPARE(e.Solution(), 5.0);
        e.Equation("1/x");
        e.Var("x", 0);
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(errorOf([&] { e.Solution(); }), 11);
            QVERIFY(ClsEquationInspector::dirty(e));
            QVERIFY(ClsEquationInspector::parsed(e));
        }
        e.Var("x", 4);
        QCOMPARE(e.Solution(), 0.25);

        // A step that fails at the end leaves the last value and raises nothing.
        e.Equation("*3");
        e.Solve();
        QVERIFY(!ClsEquationInspector::dirty(e));
        QCOMPARE(e.Solution(), 0.25);
    }

    void tokenizedOncePerText()
    {
        clsEquation e;
        e.Equation("2x");
        e.Var("x", 1);
        e.Solve();
        QCOMPARE(e.Solution(), 2.0);
        // Evaluation works from the tokens: a changed text that was not written through Equation
        // is not seen.
        ClsEquationInspector::replaceTextKeepingTokens(e, "5x");
        e.Var("x", 3);
        e.Solve();
        QCOMPARE(e.Solution(), 6.0);
        e.Equation("5x");
        QCOMPARE(e.Solution(), 15.0);
    }

    void failedParseParsesAgain()
    {
        clsEquation e;
        e.Equation("(1");
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(errorOf([&] { e.Solve(); }), 1100);
            QVERIFY(!ClsEquationInspector::parsed(e));
        }
        e.Equation("(1)");
        QCOMPARE(e.Solution(), 1.0);
    }

    void nothingToEvaluateKeepsResult_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::newRow("skipped characters only") << "?";
        QTest::newRow("lone point") << ".";
        QTest::newRow("several points") << "1.2.3";
        QTest::newRow("lone comma") << ",";
        QTest::newRow("close then open") << ")(";
        QTest::newRow("operator without operands") << "*";
    }

    void nothingToEvaluateKeepsResult()
    {
        QFETCH(QString, formula);
        clsEquation e;
        e.Equation("7");
        QCOMPARE(e.Solution(), 7.0);
        e.Equation(formula.toStdString());
        e.Solve();
        QVERIFY(!ClsEquationInspector::dirty(e));
        QCOMPARE(e.Solution(), 7.0);
    }
};

QTEST_MAIN(TestInterpreter)
#include "tst_interpreter.moc"
