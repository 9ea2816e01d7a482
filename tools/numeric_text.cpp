// SPDX-License-Identifier: GPL-3.0-or-later
#include "numeric_text.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>

namespace velmora::tools {

double ValoreNumerico(const QString& testo) {
  const std::string s = testo.toStdString();
  size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  std::string numero;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) numero += s[i++];
  bool cifre = false;
  while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
    numero += s[i++];
    cifre = true;
  }
  if (i < s.size() && s[i] == '.') {
    numero += s[i++];
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
      numero += s[i++];
      cifre = true;
    }
  }
  if (!cifre) return 0.0;
  // An exponent counts only when digits follow it ("2E" reads as 2).
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    size_t j = i + 1;
    std::string esponente = "e";
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) esponente += s[j++];
    size_t inizio = j;
    while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) esponente += s[j++];
    if (j > inizio) numero += esponente;
  }
  const double v = std::strtod(numero.c_str(), nullptr);
  return std::isfinite(v) ? v : 0.0;
}

QString TestoDecimale(double v) {
  QString t = QString::number(v, 'g', 15).toUpper();
  if (t == "-0") t = "0";
  return v >= 0 || t == "0" ? " " + t : t;
}

}  // namespace velmora::tools
