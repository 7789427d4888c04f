// Conversions between numbers and texts. The user's locale is QLocale(), the default locale.
#pragma once

#include <QString>

#include <string_view>

namespace runtime {

// Reads a plain numeral in the C form: an optional sign, digits with at most one ".", at least one
// digit, and an optional exponent ("e", an optional sign, digits). Returns 0 and the nearest double,
// 13 when the text is no such numeral, 6 when its value is beyond the range of a double.
int tryReadNumeral(std::string_view numeral, double &out);

// Reads the whole text (blanks around it aside) as a number with the user's separators.
// Raises 13 when it is no number, 6 when the number is beyond the range of a double.
double localeToNumber(const QString &text);

// True when localeToNumber would succeed.
bool isNumeric(const QString &text);

// Reads the number at the start of the text with "." as decimal point, blanks ignored wherever they
// stand: "  1 2.5x" gives 12.5. Gives 0 when the text starts with no number; raises 6 on overflow.
double leadingNumber(const QString &text);

// At most 15 significant digits, the user's decimal separator, no trailing zeros, "-" first when
// negative: 0.1 + 0.1 + 0.1 gives "0.3" (or "0,3"). Very large or small magnitudes use an
// exponent ("1E+20", "1E-05").
QString numberToText(double value);

// Drops the blanks (spaces) at both ends.
QString trim(const QString &text);

} // namespace runtime
