// Conversions between numbers and texts.
#include "LocaleText.h"

#include "RuntimeError.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace runtime {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// strtod reads the process's LC_NUMERIC, which the application sets from the user; numerals here
// always have "." as decimal point, so they are read in the C locale.
locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return locale;
}

// A blank is the space alone: a tab or a line break is no part of a number and ends it.
bool isBlank(QChar c)
{
    return c == u' ';
}

} // namespace

int tryReadNumeral(std::string_view numeral, double &out)
{
    std::size_t i = 0;
    const std::size_t n = numeral.size();
    if (i < n && (numeral[i] == '+' || numeral[i] == '-'))
        ++i;
    std::size_t digits = 0;
    bool point = false;
    for (; i < n; ++i) {
        if (isDigit(numeral[i]))
            ++digits;
        else if (numeral[i] == '.' && !point)
            point = true;
        else
            break;
    }
    if (digits == 0)
        return TypeMismatch;
    if (i < n && (numeral[i] == 'e' || numeral[i] == 'E')) {
        ++i;
        if (i < n && (numeral[i] == '+' || numeral[i] == '-'))
            ++i;
        std::size_t exponentDigits = 0;
        for (; i < n && isDigit(numeral[i]); ++i)
            ++exponentDigits;
        if (exponentDigits == 0)
            return TypeMismatch;
    }
    if (i != n)
        return TypeMismatch;

    const std::string text(numeral); // strtod wants the terminating NUL
    const double value = strtod_l(text.c_str(), nullptr, cLocale());
    if (!std::isfinite(value))
        return Overflow; // an underflow gives 0 or a subnormal, which is the nearest double
    out = value;
    return 0;
}

double localeToNumber(const QString &text)
{
    bool ok = false;
    const double value = QLocale().toDouble(text.trimmed(), &ok);
    if (ok && std::isfinite(value))
        return value;
    if (!ok && std::isinf(value))
        raise(Overflow);
    raise(TypeMismatch); // "inf" and "nan" are words, not numbers
}

bool isNumeric(const QString &text)
{
    bool ok = false;
    const double value = QLocale().toDouble(text.trimmed(), &ok);
    return ok && std::isfinite(value);
}

double leadingNumber(const QString &text)
{
    // Collect the longest leading numeral, dropping blanks wherever they stand.
    std::string numeral;
    enum { Sign, Mantissa, ExponentSign, Exponent } part = Sign;
    bool point = false;
    bool mantissaDigits = false;
    std::size_t beforeExponent = 0;
    for (const QChar qc : text) {
        if (isBlank(qc))
            continue;
        const char16_t c = qc.unicode();
        if (part == Sign && (c == u'+' || c == u'-')) {
            numeral += char(c);
            part = Mantissa;
        } else if ((part == Sign || part == Mantissa) && c >= u'0' && c <= u'9') {
            numeral += char(c);
            mantissaDigits = true;
            part = Mantissa;
        } else if ((part == Sign || part == Mantissa) && c == u'.' && !point) {
            numeral += '.';
            point = true;
            part = Mantissa;
        } else if (part == Mantissa && mantissaDigits && (c == u'e' || c == u'E')) {
            beforeExponent = numeral.size();
            numeral += 'e';
            part = ExponentSign;
        } else if (part == ExponentSign && (c == u'+' || c == u'-')) {
            numeral += char(c);
            part = Exponent;
        } else if ((part == ExponentSign || part == Exponent) && c >= u'0' && c <= u'9') {
            numeral += char(c);
            part = Exponent;
        } else {
            break;
        }
    }
    if (!mantissaDigits)
        return 0;
    if (part == ExponentSign || (part == Exponent && !isDigit(numeral.back())))
        numeral.resize(beforeExponent); // "2e" and "2e-" are just 2
    double value = 0;
    if (tryReadNumeral(numeral, value) == Overflow)
        raise(Overflow);
    return value;
}

QString numberToText(double value)
{
    if (value == 0)
        return QStringLiteral("0"); // no "-0"
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15).ptr;
    const QString decimalPoint = QLocale().decimalPoint();
    QString text;
    text.reserve(int(end - buffer) + 2);
    for (const char *p = buffer; p != end; ++p) {
        if (*p == '.')
            text += decimalPoint;
        else if (*p == 'e')
            text += u'E';
        else
            text += QLatin1Char(*p);
    }
    return text;
}

QString trim(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == u' ')
        ++first;
    while (last > first && text[last - 1] == u' ')
        --last;
    return text.mid(first, last - first);
}

} // namespace runtime
