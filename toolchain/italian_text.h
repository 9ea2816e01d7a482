// Italian for the texts the program builds from numbers and system errors,
// shared by velmorac and the windows (standard library only, no Qt):
// a count with the right noun form, a decimal comma, "sì" written and
// "sì" or "si" read, and the system's error texts in Italian.
// help/GLOSSARIO.md says when to use which.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmora::italian {

// "1 variabile", "0 variabili", "2 variabili": the count, a space and the
// singular for exactly one, the plural for everything else (zero too).
std::string Count(long long n, std::string_view singular, std::string_view plural);

// `number` with its decimal point, where it stands between two digits,
// turned into a decimal comma: "40.5412" -> "40,5412"; "1e-05" and texts
// without a point come back as they are.
std::string DecimalComma(std::string number);

// "sì" or "no".
std::string YesNo(bool yes);

// A yes/no answer as people write it: "sì", "si", "no" in any case (and
// "SÌ"); nothing for anything else.
std::optional<bool> ParseYesNo(std::string_view text);

// A line's level: "1", "sì" or "si" is high, "0" or "no" low (any case);
// nothing for anything else.
std::optional<bool> ParseLevel(std::string_view text);

// The Italian text of a system error code (errno) for the common ones: a
// missing file, a denied permission, a full disk...; for any other code the
// system's own text (strerror).
std::string SystemError(int code);

// The same for a text a library already built from errno: the system's
// text of a common code, alone or inside a longer message ("execve: No such
// file or directory"), becomes the Italian one; any other text comes back
// as it is.
std::string SystemErrorText(std::string_view original);

}  // namespace velmora::italian
