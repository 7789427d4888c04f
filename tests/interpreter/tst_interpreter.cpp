// The formula object through its calling sequence: values, precedence, functions, errors, limits
// and the writes that decide when it evaluates again.
#include "RaisedError.h"
#include "clsEquation.h"

#include <QStringList>
#include <QTest>

#include <cmath>
#include <functional>

namespace {

const QString Overflow = "Capacidade excedida", DivisionByZero = "Divisão por zero";
const QString UndefinedVariable = "Variável não definida: ", UndefinedFunction = "Função não definida: ";
const QString MissingArgument = "Argumento inválido na expressão: ";
const QString Parentheses = "Número de parênteses incorrecto.";

struct Outcome { int error = 0; QString source, description; double value = 0; };

// The calling sequence of the graph windows, with the variables "a=1;b=2" (x among them if it is
// not to be 0) written after x.
Outcome evaluate(const QString &formula, const QString &variables = {})
{
    clsEquation e;
    e.Equation(formula.toStdString());
    e.Var("x", 0);
    for (const QString &assignment : variables.split(u';', Qt::SkipEmptyParts))
        e.Var(assignment.section(u'=', 0, 0).toStdString(), assignment.section(u'=', 1).toDouble());
    Outcome o;
    if (const auto error = raisedBy([&] { e.Solve(); o.value = e.Solution(); }))
        o = {error->number(), QString::fromStdString(error->source()), QString::fromStdString(error->description())};
    return o;
}

// A formula with its variables, and either the value with its relative tolerance or the error raised.
struct Row { QString formula, variables; double expected = 0, tolerance = 0; int error = 0; QString description{}; };

void value(const char *rule, const QString &formula, double expected, const QString &variables = {})
{
    QTest::newRow(rule) << Row{formula, variables, expected};
}

void failure(const char *rule, const QString &formula, int error, const QString &description,
             const QString &variables = {})
{
    QTest::newRow(rule) << Row{formula, variables, 0, 0, error, description};
}

void verifyRow()
{
    QFETCH(Row, row);
    const auto &[formula, variables, expected, tolerance, error, description] = row;
    const Outcome o = evaluate(formula, variables);
    QCOMPARE(o.error, error);
    if (error) {
        QCOMPARE(o.source, QStringLiteral("Interpretador"));
        QCOMPARE(o.description, description);
    } else { // exact when the tolerance is 0
        QVERIFY2(std::fabs(o.value - expected) <= tolerance * std::max(1.0, std::fabs(expected)),
                 qPrintable(QString::number(o.value, 'g', 17)));
    }
}

} // namespace

class TestInterpreter : public QObject {
    Q_OBJECT

private slots:
    void values_data()
    {
        QTest::addColumn<Row>("row");
        value("long call leaves its middle arguments", "min(" + QString("9,").repeated(100) + "2)+1", 2);
        value("long sum looks back across cleared entries", QString("1+").repeated(99) + "1", 100);
        value("pi keeps its literal, even with a variable pi", "pi", 3.14159265358979, "pi=3");
        value("leftover inside a group is the sum's left operand", "(1,2)+3", 1); value("leading point", ".5", 0.5);
        value("accented letters are skipped", "\u00e9x\u00e7", 5, "x=5"); value("minus after a subtraction", "2--3", 5);
        value("failed power keeps its left operand", "(-8)^(1/3)", -8); value("blank before a letter", "2 x", 6, "x=3");
        value("skipped = joins a name and a digit", "x=1", 7, "x1=7"); value("group takes its first entry", "(1,2)", 1);
        value("blank inside a name joins it", "sin x", 4, "sinx=4"); value("failed call keeps 1000", "sqr(-4)+1", 1001);
        value("middle argument takes the sum", "min(1,2,3)+10", 1); value("number before a call", "3sqr(3x)", 9, "x=3");
        value("integer quotient rounds its operands", "7.5\\2", 4); value("leading plus has no left operand", "+1", 0);
        value("integer quotient rounds ties to even", "6.5\\7", 0); value("group loses its right operand", "(2+)", 2);
        value("digits around a blank are one number", "2 5", 25); value("minus after a comma negates", "min(-1,2)", -1);
        value("blank before a call's parenthesis", "sqr (9)", 3); value("first of two groups", "(a)(b)", 7, "a=7;b=9");
        value("capital letters", "ABS(-PI)", 3.14159265358979); value("minus of a negated group", "-(-x)", 3, "x=3");
        value("call result in a product", "min(3,1+1)*2", 4); value("close before open", "a)+(b", 1, "a=1;b=2");
        value("e keeps its literal", "e", 2.718281828); value("empty parentheses in a sum", "()+5", 5);
        value("modulo of a rounded tie", "2.5%2", 0); value("sum without right operand", "2+", 2);
        value("call before a power", "sqr(4)^3", 8); value("minus after a product", "2*-3", -6);
        value("comma outside a call", "0,5", 0); value("lone minus", "-", 1000); value("empty formula", "", 0);
        value("numeral below the doubles reads as the nearest subnormal", "0." + QString(323, u'0') + "5",
              4.9406564584124654e-324);
        value("numeral far below the doubles reads as 0", "0." + QString(400, u'0') + "5", 0);
    }

    void values() { verifyRow(); }

    // Each binary operator beside each one and itself, with the product inserted before a name ("·")
    // or a parenthesis ("·("), and a unary minus ("~") before + - ^ (beside the others both groupings
    // give one value): on operands where the groupings differ, the formula takes the one made by the
    // priorities, ^ ~ * / \ · % + - from high to low, equal ones from the left.
    void precedence_data()
    {
        QTest::addColumn<Row>("row");
        const auto priority = [](const QString &op) { return "112333345"[QString("+-%*/\\·~^").indexOf(op[0])]; };
        const auto operand = [](QString op, QString v) { return op == "·" ? "x" : op == "·(" ? '(' + v + ')' : v; };
        const char *const operands[][3] = {{"9", "7", "3"}, {"0.1", "0.7", "0.3"}};
        const QStringList binary = {"+", "-", "*", "/", "\\", "^", "%", "·", "·("};
        for (const QString &op1 : binary + QStringList{"~"})
            for (const QString &op2 : op1 == "~" ? QStringList{"+", "-", "^"} : binary) {
                if (op1[0] == u'·' && op2[0] == u'·')
                    continue; // inserted products never meet
                // As the formula shows the operators, and as the groupings write them out.
                const QString f = op1 == "~" ? "-" : op1[0] == u'·' ? "" : op1, s = op2[0] == u'·' ? "" : op2;
                const QString F = f.isEmpty() ? "*" : f, S = s.isEmpty() ? "*" : s;
                Row row{{}, {}, 0, 0, -1, QStringLiteral("no operands tell the groupings apart")};
                for (const auto &[a, b, c] : operands) {
                    const QString A = op1 == "~" ? "" : a, B = operand(op1, b), C = operand(op2, c);
                    const QString x = QString("x=") + (op1 == "·" ? b : c); // the name after an inserted product
                    const Outcome left = evaluate('(' + A + F + B + ')' + S + C, x);
                    const Outcome right = evaluate(A + F + '(' + B + S + C + ')', x);
                    if (!left.error && !right.error && left.value != right.value)
                        row = {A + f + B + s + C, x, priority(op1) >= priority(op2) ? left.value : right.value};
                }
                QTest::newRow(qPrintable(op1 + ' ' + op2)) << row;
            }
    }

    void precedence() { verifyRow(); }

    // Every function name, and the edges of the domains: outside them a call gives 1000, or raises
    // the overflow or division-by-zero error.
    void functions_data()
    {
        QTest::addColumn<Row>("row");
        const struct { const char *formula; double expected; } values[] = {
            {"abs(-3)", 3}, {"arctg(1)", 0.7853981633974483}, {"atn(1)*4", 3.141592653589793}, {"cos(0)", 1},
            {"exp(1)", 2.718281828459045}, {"fix(-2.5)", -2}, {"int(-2.5)", -3}, {"log(8)", 2.0794415416798357},
            {"sgn(-2.5)", -1}, {"sin(1,2)", 0.8414709848078965}, {"sen(pi/2)", 1}, {"sqr(16)", 4},
            {"tg(1)", 1.5574077246549023}, {"tan(-1)", -1.5574077246549023}, {"min(2,5)", 2}, {"max(2,5)", 5},
            {"max(7)", 7}, {"min(1,9,0)", 0}, {"mod(7.5,2)", 0}, {"mod(-7,3)", -1}, {"logn(8,2)", 3}, {"sec(0)", 1},
            {"cosec(pi/2)", 1}, {"cotan(1)", 0.6420926159343306}, {"cotg(1)", 0.6420926159343306},
            {"arcsin(0.5)", 0.5235987755982989}, {"arcsen(-0.5)", -0.5235987755982989},
            {"arccos(0)", 1.5707963267948966}, {"arccos(0.5)", 1.0471975511965979}, {"arcsec(2)", 1.0471975511965979},
            {"arcsec(-2)", 2.0943951023931957}, {"arccosec(2)", 0.5235987755982989}, {"arccotg(0)", 1.5707963267948966},
            {"arccotan(1)", 0.7853981633974483}, {"sinh(1)", 1.1752011936438014}, {"senh(-1)", -1.1752011936438014},
            {"cosh(1)", 1.5430806348152437}, {"tgh(1)", 0.7615941559557649}, {"tanh(-1)", -0.7615941559557649},
            {"sech(1)", 0.6480542736638853}, {"cosech(1)", 0.8509181282393216}, {"cotgh(1)", 1.3130352854993312},
            {"cotanh(-1)", -1.3130352854993312}, {"arcsinh(1)", 0.881373587019543}, {"arcsenh(1)", 0.881373587019543},
            {"arccosh(2)", 1.3169578969248166}, {"arctgh(0.5)", 0.5493061443340549},
            {"arctanh(-0.5)", -0.5493061443340549}, {"arcsech(0.5)", 1.3169578969248166},
            {"arccosech(1)", 0.881373587019543}, {"arccosech(-1)", -0.881373587019543},
            {"arccotgh(2)", 0.5493061443340549}, {"arccotanh(-2)", -0.5493061443340549}, {"log10(1000)", 3},
            {"log2(8)", 3}, {"ln(1)", 0}, {"mant(-2.5)", 0.5}, {"graus(1)", 57.2957795131},
            {"rad(1)", 0.01745329251995},
            // Outside the domain the call gives 1000.
            {"log(0)", 1000}, {"log10(0)", 1000}, {"log2(-2)", 1000}, {"logn(-8,2)", 1000}, {"logn(8,-2)", 1000},
            {"arcsin(2)", 1000}, {"arccos(1.5)", 1000}, {"arcsec(0.5)", 1000}, {"arccosec(0.5)", 1000},
            {"arccosh(0.5)", 1000}, {"arccosh(-2)", 1000}, {"arctgh(-1)", 1000}, {"arctanh(2)", 1000},
            {"arcsech(-0.5)", 1000}, {"arcsech(2)", 1000}, {"arccotgh(0)", 1000}, {"arccotanh(-1)", 1000},
        };
        for (const auto &[formula, expected] : values)
            QTest::newRow(formula) << Row{formula, {}, expected, 5e-16};
        const struct { const char *formula; int error; } failures[] = {
            {"logn(5,1)", 11}, {"logn(1,1)", 6}, {"mod(5,0.4)", 11}, {"mod(5,0)", 11}, {"mod(3000000000,2)", 6},
            {"cosec(0)", 11}, {"cotan(0)", 11}, {"arcsin(1)", 11}, {"arccos(-1)", 11}, {"arcsin(10^200)", 6},
            {"arccosec(1)", 11}, {"exp(1000)", 6}, {"sinh(-1000)", 6}, {"cosh(1000)", 6}, {"tanh(1000)", 6},
            {"sech(-1000)", 6}, {"cosech(0)", 11}, {"cotgh(0)", 11}, {"cotanh(1000)", 6}, {"arctgh(1)", 11},
            {"arcsech(0)", 11}, {"arccosech(0)", 11}, {"arccotgh(1)", 11},
        };
        for (const auto &[formula, error] : failures)
            failure(formula, formula, error, error == 6 ? Overflow : DivisionByZero);
    }

    void functions() { verifyRow(); }

    void errors_data()
    {
        QTest::addColumn<Row>("row");
        failure("a name without parenthesis is a variable", "log10", 1102, UndefinedVariable + "log10");
        failure("unknown function name raises 1101", "foo(2)", 1101, UndefinedFunction + "foo()");
        failure("call without argument raises 1104", "sin()", 1104, MissingArgument + "sin()");
        failure("numeral beyond the doubles in a sum", "1+" + QString(400, u'9'), 6, Overflow);
        failure("point inside a name shows as comma", "x.5", 1102, UndefinedVariable + "x,5");
        failure("integer quotient by a divisor rounding to 0", "5\\0.4", 11, DivisionByZero);
        failure("constant called as a function", "pi(1)", 1101, UndefinedFunction + "pi()");
        failure("variable called as a function", "x(2)", 1101, UndefinedFunction + "x()");
        failure("1e5 is 1 times the variable e5", "1e5", 1102, UndefinedVariable + "e5");
        failure("unknown variable raises 1102", "y", 1102, UndefinedVariable + "y");
        failure("visit of a cleared entry", "2^-1", 1104, MissingArgument + ")");
        failure("integer quotient beyond 32 bits", "3000000000\\2", 6, Overflow);
        failure("numeral beyond the doubles", QString(400, u'9'), 6, Overflow);
        failure("product overflows", "10^300*10^300", 6, Overflow); failure("power overflows", "2^1024", 6, Overflow);
        failure("missing close", "(1+2", 1100, Parentheses); failure("close too many", "2)", 1100, Parentheses);
        failure("modulo by 0", "5%0", 11, DivisionByZero); failure("division by zero", "1/0", 11, DivisionByZero);
        failure("zero over zero", "0/0", 6, Overflow);
        // A variable written with a value no formula could make is refused when read.
        failure("infinite variable", "x+1", 6, Overflow, "x=inf"); failure("NaN variable", "x+1", 6, Overflow, "x=nan");

        // The tokenizer counts characters, tokens, nesting and priorities in 16 bits.
        const auto repeat = [](const char *s, int n) { return QString::fromLatin1(s).repeated(n); };
        failure("4680 parentheses open overflow the order", repeat("(", 4680) + "x" + repeat(")", 4680), 6, Overflow);
        failure("4682 closes too many overflow", repeat(")", 4682) + repeat("(", 4682), 6, Overflow);
        failure("opening the 4681st overflows", repeat("(", 4681) + repeat(")", 4681), 6, Overflow);
        value("accented letters count as one character", "1" + QString(32765, u'\u00e9'), 1);
        value("4681 closes too many still fit", repeat(")", 4681) + repeat("(", 4681), 0);
        value("4679 parentheses open", repeat("(", 4679) + "x+3" + repeat(")", 4679), 3);
        failure("32767 characters overflow", "1" + QString(32766, u' '), 6, Overflow);
        failure("32767th token overflows", repeat("2()", 8191) + ",,,", 6, Overflow);
        value("32766 characters", "1" + QString(32765, u' '), 1); value("32766 tokens", repeat("2()", 8191) + ",,", 0);
    }

    void errors() { verifyRow(); }

    void randomValues()
    {
        for (int i = 0; i < 200; ++i) {
            const double die = evaluate("rand(6)").value, between = evaluate("random(1,2)").value;
            const double single = evaluate("rnd(1)").value;
            QVERIFY(die >= 0 && die <= 5 && die == std::floor(die));
            QVERIFY(between >= 1 && between < 2);
            QVERIFY(single >= 0 && single < 1 && double(float(single)) == single);
        }
        // rnd(0) repeats the last value; a negative argument picks its own, whatever came before.
        const double last = evaluate("rnd(1)").value;
        QCOMPARE(evaluate("rnd(0)").value, last);
        QVERIFY(evaluate("rnd(1)").value != last);
        QCOMPARE(evaluate("rnd(-3)").value, evaluate("rnd(-3)").value);
        QVERIFY(evaluate("rnd(-2)").value != evaluate("rnd(-3)").value);
    }

    // The formula is kept in lower case, and so are the names: "X" and "x" are one variable.
    void namesIgnoreCase()
    {
        clsEquation e;
        e.Equation("SIN(X)+Pi");
        QCOMPARE(e.Equation(), std::string("sin(x)+pi"));
        e.Var("X", 2);
        QCOMPARE(e.Solution(), std::sin(2.0) + 3.14159265358979);
    }

    // "rnd" draws anew on each evaluation, so it shows whether a read of Solution evaluated.
    void writesDecideWhenToEvaluate()
    {
        clsEquation e;
        e.Equation("rnd");
        double before = e.Solution();
        QCOMPARE(e.Solution(), before);
        e.Graus(e.Graus());
        QCOMPARE(e.Solution(), before);
        const std::function<void()> writes[] = {
            [&] { e.Var("x", 0); }, [&] { e.VarRemove("nothing"); }, [&] { e.VarClear(); },
            [&] { e.Graus(!e.Graus()); }, [&] { e.Equation("rnd"); },
        };
        for (const auto &write : writes) {
            before = e.Solution();
            write();
            QVERIFY(e.Solution() != before);
        }
    }

    // With nothing to evaluate, or a first entry that is no number, the last value stays.
    void nothingToEvaluateKeepsResult()
    {
        clsEquation e;
        for (const char *formula : {"?", "   ", ".", "1.2.3", ",", ")(", "*3"}) {
            e.Equation("7");
            QCOMPARE(e.Solution(), 7.0);
            e.Equation(formula);
            e.Solve();
            QVERIFY2(e.Solution() == 7.0, formula);
        }
    }
};

QTEST_MAIN(TestInterpreter)
#include "tst_interpreter.moc"
