// SPDX-License-Identifier: GPL-3.0-or-later
#include "help_pages.h"

#include <QFile>

#include "translator.h"

// The resources of a static library are registered by the program that uses them.
static void RegistraRisorseHelp() { Q_INIT_RESOURCE(help); }

namespace velmora::tools {

namespace {

// The page texts live in help/, one UTF-8 file per page, built into the
// program as resources (tools/help.qrc): a page is corrected there without
// touching code. Every line of the file is shown followed by CR LF, so the
// file's final line end shows as a blank last line.
QString TestoFile(const QString& nome) {
  static const bool registrate = (RegistraRisorseHelp(), true);
  Q_UNUSED(registrate);
  QFile file(QStringLiteral(":/help/") + nome + QStringLiteral(".txt"));
  if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("(pagina non disponibile: ") + nome + QStringLiteral(")\n");
  QString testo = QString::fromUtf8(file.readAll());
  if (testo.startsWith(QChar(0xFEFF))) testo.remove(0, 1);
  // A file saved with CR LF line ends reads as one saved with LF.
  return testo.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// Appends every line of `righe` (lines separated by '\n') followed by CR LF.
void Aggiungi(QString& t, const QString& righe) {
  for (const QString& riga : righe.split(QLatin1Char('\n'))) t += riga + QStringLiteral("\r\n");
}

// The authorship notice: its file marks with "{CREDITO}" where the author
// credit goes; it ends at its last line of text.
void PaginaCopyright(QString& t) {
  QString testo = TestoFile(QStringLiteral("copyright"));
  testo.replace(QStringLiteral("{CREDITO}"),
                QString::fromStdString(velmora::AuthorCredit()));
  while (testo.endsWith(QLatin1Char('\n'))) testo.chop(1);
  Aggiungi(t, testo);
}

void PaginaVersione(QString& t, const QString& dataVersione) {
  const QString riga = QStringLiteral("| Versione programma: ") + dataVersione + QStringLiteral("|");
  const QString cornice = QStringLiteral("+") + QString(riga.size() - 2, QLatin1Char('-')) + QStringLiteral("+");
  for (int i = 0; i < 3; ++i) t += QStringLiteral(" \r\n");
  t += cornice + QStringLiteral("\r\n") + riga + QStringLiteral("\r\n") + cornice + QStringLiteral("\r\n");
}

bool Inizia(const QString& voce, const char* testo) { return voce.startsWith(QLatin1String(testo)); }

}  // namespace

const QStringList& VociHelp() {
  static const QStringList voci = {
      "Il micro PIC16F84A", "Package", "Aritmetica di base", "Ringraziamenti", "Workspace",
      "Per il docente", "Avvisi", "Simulatore", "Stimoli", "CopyRight", "Versione", "Nota: Osc. RC", " ", "ASC",
      "ASM", "BREAK", "CALL", "CLEAR", "CLEAR CARRY",
      "CLEAR LINE", "CLEAR PORT", "CONFIG", "CONST", "DATA",
      "DIM", "DIV10", "DIV10R", "DO", "END",
      "END SUB", "EXIT SUB", "FLAG_CARRY", "FLAG_ZERO", "FOR",
      "GETDATA", "GOTO", "IF", "INPUT", "OUTPUT",
      "READ", "RECONFIG", "RESET", "RESET CARRY", "RND (random)",
      "ROTATE BIT", "SELECT CASE", "SET", "SET CARRY", "SHIFT BIT",
      "STOP", "SUB", "SYMBOL", "SWAP BINARY", "SWAP BYTE",
      "WAIT", "WAIT (Utility)", "WRITE", " ", "-Interrupt Timer-",
      "ON TIMER INTERRUPT", "SET INTERNAL CLOCK", "SET EXTERNAL CLOCK", "SET TIMER EDGE",
      "SET TIMER RATE", "SET TIMER ON/OFF", "SET INIT TIMER TO", " ", "-Interrupt Esterno-",
      "ON EXTERNAL INTERRUPT", "SET EXT. INT. EDGE", "SET EXT. INT. ON/OFF", " ",
      "-Interrupt su Linea-", "ON LINE INTERRUPT", "SET LINE INTERRUPT", " ", "  ==>> Help <<=="};
  return voci;
}

QString VoceGuida() { return VociHelp().last(); }

QString IntroduzioneHelp() {
  QString t = QString(QStringLiteral("\r\n")).repeated(6);
  t += QStringLiteral("      ATTENZIONE\r\n");
  t += QStringLiteral("   a) Selezionare l'istruzione da visualizzare.\r\n");
  t += QStringLiteral("   b) Un click su bordo esterno chiude l'Help\r\n");
  t += QStringLiteral("   c) Doppio click per ottenere un file-help testo.\r\n");
  t += QStringLiteral("   d) Doppio click su  ==>> Help <<==  per aprire la Guida.");
  return t;
}

PaginaHelp ScegliPagina(const QString& voce, const QString& dataVersione) {
  PaginaHelp p;
  QString& t = p.testo;
  t = QStringLiteral("\r\n");
  const auto pagina = [&t](const char* nome) { Aggiungi(t, TestoFile(QString::fromLatin1(nome))); };

  if (Inizia(voce, "Il micro")) pagina("micro");
  if (Inizia(voce, "Package")) {
    p.mostraPackage = true;
    return p;
  }
  if (Inizia(voce, "Nota: Osc. RC")) pagina("oscillatore_rc");
  if (Inizia(voce, "Workspace")) pagina("workspace");
  if (Inizia(voce, "Per il docente")) pagina("docente");
  if (Inizia(voce, "Avvisi")) pagina("avvisi");
  if (Inizia(voce, "Simulatore")) pagina("simulatore");
  if (Inizia(voce, "Stimoli")) pagina("stimoli");
  if (Inizia(voce, "Versione")) PaginaVersione(t, dataVersione);
  if (Inizia(voce, "Ringrazi")) pagina("ringraziamenti");
  if (Inizia(voce, "CopyRigh")) PaginaCopyright(t);
  if (Inizia(voce, "Aritmeti")) pagina("aritmetica");

  if (Inizia(voce, "ASC")) pagina("asc");
  if (Inizia(voce, "ASM")) pagina("asm");
  if (Inizia(voce, "BREAK")) pagina("break");
  if (Inizia(voce, "CALL")) pagina("call");
  if (voce == "CLEAR" || voce == "CLEAR LINE" || voce == "CLEAR PORT") pagina("clear");
  if (Inizia(voce, "CLEAR CARRY")) pagina("clear_carry");

  if (Inizia(voce, "CONFIG")) pagina("config");
  if (Inizia(voce, "CONST") || Inizia(voce, "SYMBO")) pagina("const");
  if (Inizia(voce, "DIM")) pagina("dim");
  if (Inizia(voce, "DATA")) pagina("data");
  if (Inizia(voce, "DIV10")) pagina("div10");
  if (Inizia(voce, "DO")) pagina("do");
  if (voce == "END SUB") pagina("end_sub");
  if (voce == "END") pagina("end");
  if (Inizia(voce, "EXIT SUB")) pagina("exit_sub");
  if (Inizia(voce, "FLAG_CARR")) pagina("flag_carry");
  if (Inizia(voce, "FLAG_ZERO")) pagina("flag_zero");
  if (Inizia(voce, "FOR")) pagina("for");
  if (Inizia(voce, "GETDATA")) pagina("getdata");
  if (Inizia(voce, "GOTO")) pagina("goto");
  if (Inizia(voce, "IF")) pagina("if");
  if (Inizia(voce, "INPUT")) pagina("input");
  if (Inizia(voce, "ON TIMER")) pagina("on_timer_interrupt");
  if (Inizia(voce, "ON EXTER")) pagina("on_external_interrupt");
  if (Inizia(voce, "ON LINE")) pagina("on_line_interrupt");
  if (Inizia(voce, "OUTPUT")) pagina("output");
  if (Inizia(voce, "READ")) pagina("read");
  if (Inizia(voce, "RECONFIG")) pagina("reconfig");
  if (Inizia(voce, "RESET CAR")) pagina("clear_carry");
  if (Inizia(voce, "RND ")) pagina("rnd");
  if (voce == "RESET") pagina("reset");
  if (Inizia(voce, "ROTATE")) pagina("rotate");
  if (Inizia(voce, "SELECT")) pagina("select_case");
  if (Inizia(voce, "SET CARRY")) pagina("set_carry");
  if (voce == "SET") pagina("set");
  if (Inizia(voce, "SET INTER")) pagina("set_internal_clock");
  if (Inizia(voce, "SET EXTERNAL CLOCK")) pagina("set_external_clock");
  if (Inizia(voce, "SET EXT. INT. EDGE")) pagina("set_ext_int_edge");
  if (Inizia(voce, "SET EXT. INT. ON/OFF")) pagina("set_ext_int_on_off");
  if (Inizia(voce, "SET TIMER EDGE")) pagina("set_timer_edge");
  if (Inizia(voce, "SET TIMER RATE")) pagina("set_timer_rate");
  if (Inizia(voce, "SET TIMER ON")) pagina("set_timer_on_off");
  if (Inizia(voce, "SET INIT TIMER")) pagina("set_init_timer");
  if (Inizia(voce, "SET LINE")) pagina("set_line_interrupt");
  if (Inizia(voce, "SHIFT")) pagina("shift");
  if (Inizia(voce, "STOP")) pagina("stop");
  if (Inizia(voce, "SUB")) pagina("sub");
  if (Inizia(voce, "SWAP")) pagina("swap");
  if (Inizia(voce, "WAIT (Uti")) p.apriCalcolatoreWait = true;
  if (Inizia(voce, "WAIT")) pagina("wait");
  if (Inizia(voce, "WRITE")) pagina("write");

  if (t == QStringLiteral("\r\n") || t == QStringLiteral("Nota su Help")) t = IntroduzioneHelp();
  return p;
}

}  // namespace velmora::tools
