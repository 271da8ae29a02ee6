// Numbers as text in the form the style file and the parameter trees use.
// Always under the C numeric rules (decimal point), whatever the process locale,
// so that a file written under one language reads back under any other.
#pragma once

#include <afx.h>

// Value text: the number is first formatted with "%g"; when that text holds an e
// the number is written as "%.<decimals>e", else as "%.<decimals>f".
// Decimals are taken within 0..15.
CString FormattaNumero(double valore, int decimali);

// The number formatted with one printf conversion ("%g", "%.0f" ...) under the
// C numeric rules; empty when the conversion would not fit its text.
CString FormattaNumeroCon(LPCWSTR formato, double valore);

// The longest numeric prefix of the text after leading blanks; 0 when there is none.
double LeggiNumero(LPCWSTR testo);

// The text as a whole number in the C form (sign, digits, point, exponent),
// with blanks around it allowed, and finite: "1,5", "28abc", "0x10", "nan",
// "inf" and "1e400" are not numbers. False leaves the value as it was.
bool LeggiNumeroCompleto(LPCWSTR testo, double& valore);

// A number the user typed into a field (a parameter row, the spinner step): read
// as LeggiNumero reads it, with a comma taken as the decimal mark, so that
// "1,5" is 1.5. False, leaving the value as it was, for a text whose number is
// not finite ("nan", "inf", "1e400") or whose comma cannot be the decimal
// mark ("1,2,3", "1.000,5").
bool LeggiNumeroDigitato(LPCWSTR testo, double& valore);
