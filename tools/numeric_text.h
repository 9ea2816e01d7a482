// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing the numbers of the calculator windows.
//
// The fields of the calculators hold free text; a number is read from the
// leading part of a field, so "4 MHz" reads as 4 and a text that is no number
// reads as 0. Results are written in plain decimal with up to 15 significant
// digits and a leading space for a value that is not negative.
#pragma once

#include <QString>

namespace velmora::tools {

// The leading number of `testo`: blanks skipped, an optional sign, digits with
// one decimal point, an optional exponent; 0 when no number starts the text.
double ValoreNumerico(const QString& testo);

// `v` in decimal with up to 15 significant digits, preceded by one space when
// not negative (" 15.2587890625", "-2.5"); exponent form only for very large or
// very small values ("1E+20").
QString TestoDecimale(double v);

}  // namespace velmora::tools
