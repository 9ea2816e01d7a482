// Italian counts, decimal commas, yes/no and system error texts.
#include "italian_text.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <iterator>

namespace velmora::italian {
namespace {

struct ErrnoText {
  int code;
  const char* text;
};

// The errors a user meets reading and writing files and starting tools.
const ErrnoText kErrnoTexts[] = {
    {ENOENT, "file o cartella inesistente"},
    {EACCES, "permesso negato"},
    {EPERM, "operazione non permessa"},
    {EEXIST, "il file esiste già"},
    {ENOTDIR, "non è una cartella"},
    {EISDIR, "è una cartella"},
    {ENOTEMPTY, "la cartella non è vuota"},
    {ENOSPC, "spazio esaurito sul disco"},
    {EDQUOT, "quota del disco superata"},
    {EROFS, "disco in sola lettura"},
    {EIO, "errore di lettura o scrittura sul dispositivo"},
    {ENAMETOOLONG, "nome del file troppo lungo"},
    {ELOOP, "troppi collegamenti simbolici"},
    {EMFILE, "troppi file aperti dal programma"},
    {ENFILE, "troppi file aperti nel sistema"},
    {ENOMEM, "memoria esaurita"},
    {EFBIG, "file troppo grande"},
    {EBUSY, "dispositivo o risorsa occupati"},
    {ETXTBSY, "file eseguibile in uso"},
    {EXDEV, "non si può spostare un file da un disco a un altro"},
    {EINVAL, "argomento non valido"},
    {EPIPE, "collegamento interrotto dall'altro programma"},
    {EAGAIN, "risorsa momentaneamente non disponibile"},
    {EINTR, "operazione interrotta"},
    {ENOEXEC, "il file non è un programma eseguibile"},
    {E2BIG, "elenco di argomenti troppo lungo"},
    {ENODEV, "dispositivo inesistente"},
    {ENXIO, "dispositivo o indirizzo inesistente"},
};

std::string Lower(std::string_view text) {
  std::string s(text);
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  // The accented capital Ì (UTF-8 C3 8C) to ì (C3 AC).
  for (std::size_t i = 0; i + 1 < s.size(); ++i)
    if (s[i] == '\xC3' && s[i + 1] == '\x8C') s[i + 1] = '\xAC';
  return s;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string Count(long long n, std::string_view singular, std::string_view plural) {
  return std::to_string(n) + ' ' + std::string(n == 1 ? singular : plural);
}

std::string DecimalComma(std::string number) {
  for (std::size_t i = 1; i + 1 < number.size(); ++i)
    if (number[i] == '.' && IsDigit(number[i - 1]) && IsDigit(number[i + 1])) number[i] = ',';
  return number;
}

std::string YesNo(bool yes) { return yes ? "sì" : "no"; }

std::optional<bool> ParseYesNo(std::string_view text) {
  const std::string s = Lower(text);
  if (s == "sì" || s == "si") return true;
  if (s == "no") return false;
  return std::nullopt;
}

std::optional<bool> ParseLevel(std::string_view text) {
  if (text == "1") return true;
  if (text == "0") return false;
  return ParseYesNo(text);
}

std::string SystemError(int code) {
  for (const ErrnoText& e : kErrnoTexts)
    if (e.code == code) return e.text;
  return std::strerror(code);
}

std::string SystemErrorText(std::string_view original) {
  std::string text(original);
  for (const ErrnoText& e : kErrnoTexts) {
    const std::string system = std::strerror(e.code);
    const auto at = text.find(system);
    if (at != std::string::npos) return text.replace(at, system.size(), e.text);
  }
  return text;
}

}  // namespace velmora::italian
