// SPDX-License-Identifier: GPL-3.0-or-later
// velmora_screenshots DIR: renders every window of the program into DIR/NAME.png.
//
// Runs on the offscreen platform, so reviewers see the windows without a
// display. The work folder and the drives are temporary folders, so the
// user's own settings and programs are never read or touched.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QFile>
#include <QPlainTextEdit>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

#include "backup_manager.h"
#include "class_grading_window.h"
#include "colour_chooser.h"
#include "debug_dump.h"
#include "examples_window.h"
#include "file_dialog.h"
#include "find_replace_bar.h"
#include "guide_window.h"
#include "main_window.h"
#include "message_box.h"
#include "settings.h"
#include "settings_window.h"
#include "simulator_window.h"
#include "tmr0_calculator.h"
#include "wait_calculator.h"
#include "help_browser.h"

namespace {

using namespace velmora;

const char* const kProgramma =
    "' Lampeggio di un LED su RB0, dieci volte\n"
    "DIM CONTATORE AS BYTE\n"
    "CONFIG B AS OUTPUT\n"
    "CONTATORE = 0\n"
    "DO\n"
    "  SET B0\n"
    "  WAIT 100\n"
    "  RESET B0\n"
    "  WAIT 100\n"
    "  CONTATORE = CONTATORE + 1\n"
    "LOOP UNTIL CONTATORE = 10\n"
    "END\n";

bool Salva(QWidget& finestra, const QString& cartella, const QString& nome) {
  finestra.show();
  QApplication::processEvents();
  const QString percorso = QDir(cartella).filePath(nome + QStringLiteral(".png"));
  if (!finestra.grab().save(percorso)) {
    std::fprintf(stderr, "impossibile scrivere %s\n", qPrintable(percorso));
    return false;
  }
  std::printf("%s\n", qPrintable(percorso));
  finestra.hide();
  return true;
}

void Scrivi(const QString& percorso, const QByteArray& dati) {
  QDir().mkpath(QFileInfo(percorso).path());
  QFile f(percorso);
  if (f.open(QIODevice::WriteOnly)) f.write(dati);
}

// "Correzione classe" after grading a small class on the real gpasm and
// gpsim against the example exercise: a full score, partial ones, an error
// with its line, a student without a program.
bool SalvaCorrezioneClasse(const QString& classe, const QString& uscita) {
  QFile esempio(QStringLiteral(VELMORA_SOURCE_DIR "/examples/lettura_linee_a.bas"));
  if (!esempio.open(QIODevice::ReadOnly)) return false;
  const QByteArray giusto = esempio.readAll();
  Scrivi(classe + QStringLiteral("/bianchi/linee.bas"), giusto);
  QByteArray senzaA4 = giusto;
  senzaA4.replace("VALORE = VALORE + 16", "VALORE = VALORE + 0");
  Scrivi(classe + QStringLiteral("/colombo/linee.bas"), senzaA4);
  Scrivi(classe + QStringLiteral("/esposito/linee.bas"),
         "CONFIG A AS INPUT\r\nDIM VALORE AS BYTE\r\nVALORE = INPUT(A\r\nEND\r\n");
  Scrivi(classe + QStringLiteral("/ferrari/linee.bas"),
         "CONFIG B AS OUTPUT\r\nDIM VALORE AS BYTE\r\nVALORE = 27\r\nEND\r\n");
  Scrivi(classe + QStringLiteral("/greco/appunti.txt"), "da consegnare\r\n");
  Scrivi(classe + QStringLiteral("/russo/linee.bas"), giusto);
  tools::ClassGradingWindow finestra;
  finestra.SetFolder(classe);
  finestra.SetExercise(QStringLiteral(VELMORA_SOURCE_DIR "/examples/esercizio_linee_a.txt"));
  QEventLoop attesa;
  QObject::connect(&finestra, &tools::ClassGradingWindow::gradingFinished, &attesa, &QEventLoop::quit);
  if (!finestra.Start()) {
    std::fprintf(stderr, "correzione classe: %s\n", qPrintable(finestra.StatusText()));
    return false;
  }
  attesa.exec();
  return Salva(finestra, uscita, QStringLiteral("class-grading"));
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (QStyle* stile = QStyleFactory::create(QStringLiteral("Fusion"))) QApplication::setStyle(stile);
  const QStringList argomenti = QApplication::arguments();
  if (argomenti.size() != 2) {
    std::fprintf(stderr, "uso: velmora_screenshots CARTELLA\n");
    return 2;
  }
  const QString uscita = argomenti[1];
  QDir().mkpath(uscita);

  QTemporaryDir radice;
  const QString lavoro = radice.filePath(QStringLiteral("lavoro"));
  const QString programmi = radice.filePath(QStringLiteral("Velmora Programmi"));
  QDir().mkpath(lavoro);
  QDir().mkpath(programmi);
  Scrivi(programmi + QStringLiteral("/lampeggio.bas"), kProgramma);
  Scrivi(programmi + QStringLiteral("/semaforo.bas"), "END\r\n");
  ui::Ambiente ambiente;
  ambiente.elencoDischi = [&] { return QStringList{radice.path()}; };
  ambiente.cartellaCorrente = [&] { return lavoro; };
  ambiente.cartellaDati = [&] { return lavoro; };
  ambiente.schermo = [] { return QSize(1366, 768); };

  // The main window's messages (the report) are kept for the message box picture.
  QString rapporto;
  ui::Ambiente ambienteFinestra = ambiente;
  ambienteFinestra.messaggio = [&](const QString& testo) { rapporto = testo; };

  bool ok = true;
  ui::MainWindow finestra(ambienteFinestra, {QStringLiteral("DEBUG")});
  finestra.FileCorrente() = programmi + QStringLiteral("/lampeggio.bas");
  finestra.TextBasic()->setPlainText(QString::fromLatin1(kProgramma));
  finestra.Traduci();
  finestra.setWindowTitle(finestra.FileCorrente());
  ok &= Salva(finestra, uscita, QStringLiteral("main-window"));
  // The cursor on a BASIC line lights its instructions in the assembly pane.
  finestra.TextBasic()->goToLine(10);
  ok &= Salva(finestra, uscita, QStringLiteral("linked-panes"));
  finestra.show();

  // The main window as it lays itself out on a school laptop and on a full-HD screen.
  for (const QSize schermo : {QSize(1366, 768), QSize(1920, 1080)}) {
    ui::Ambiente ambienteSchermo = ambienteFinestra;
    ambienteSchermo.schermo = [schermo] { return schermo; };
    ui::MainWindow grande(ambienteSchermo);
    grande.FileCorrente() = programmi + QStringLiteral("/lampeggio.bas");
    grande.TextBasic()->setPlainText(QString::fromLatin1(kProgramma));
    grande.Traduci();
    grande.setWindowTitle(grande.FileCorrente());
    ok &= Salva(grande, uscita, QStringLiteral("main-window-%1").arg(schermo.width()));
    if (schermo.width() == 1366) {  // the find and replace bar, as Ctrl+H opens it
      auto* barra = grande.findChild<editor::FindReplaceBar*>(QStringLiteral("BarraRicerca"));
      barra->showReplace();
      barra->setFindText(QStringLiteral("CONTATORE"));
      barra->setReplaceText(QStringLiteral("N"));
      barra->findNext();
      ok &= Salva(grande, uscita, QStringLiteral("find-replace"));
    }
  }

  // The workbench: an example stopped at a breakpoint on the real gpasm
  // and gpsim, the bench docked beside the panes, the BASIC line in view.
  for (const QSize schermo : {QSize(1366, 768), QSize(1920, 1080)}) {
    ui::Ambiente ambienteSchermo = ambienteFinestra;
    ambienteSchermo.schermo = [schermo] { return schermo; };
    ui::MainWindow banco(ambienteSchermo);
    banco.FileCorrente() = programmi + QStringLiteral("/interrupt_b0.bas");
    banco.TextBasic()->setPlainText(tools::TestoEsempio(QStringLiteral("interrupt_b0.bas")));
    banco.setWindowTitle(banco.FileCorrente());
    banco.show();
    int riga = 0;
    const QStringList righe = banco.TextBasic()->toPlainText().split(QLatin1Char('\n'));
    for (int i = 0; i < righe.size() && riga == 0; ++i)
      if (righe[i].trimmed().startsWith(QStringLiteral("CALL"), Qt::CaseInsensitive)) riga = i + 1;
    banco.TextBasic()->toggleBreakpoint(riga);
    banco.Simula();
    QElapsedTimer attesa;
    attesa.start();
    const auto fermoSullaRiga = [&] {
      return banco.Simulatore() && banco.Simulatore()->controller().ready() &&
             banco.Simulatore()->controller().currentBasicLine() == riga;
    };
    while (!fermoSullaRiga() && attesa.elapsed() < 30000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    const bool fermo = fermoSullaRiga();
    if (!fermo) std::fprintf(stderr, "workbench-%d: il simulatore non si è fermato alla riga %d\n", schermo.width(), riga);
    ok &= fermo && Salva(banco, uscita, QStringLiteral("workbench-%1").arg(schermo.width()));
  }

  ui::MessageBox box(rapporto, &finestra);
  ok &= Salva(box, uscita, QStringLiteral("message-box"));

  ui::FileDialog dialogo(ambiente, QString(), QStringLiteral("Apertura File"), &finestra);
  dialogo.SelezionaFile(QStringLiteral("lampeggio.bas"));
  ok &= Salva(dialogo, uscita, QStringLiteral("file-dialog"));

  ui::SettingsWindow impostazioni(finestra.Valori(), &finestra);
  ok &= Salva(impostazioni, uscita, QStringLiteral("settings"));

  ui::BackupManager backup(ambiente, finestra.Valori().CartellaLavoro, finestra.TextBasic()->toPlainText(),
                           &finestra);
  ok &= Salva(backup, uscita, QStringLiteral("backup"));

  ui::ColourChooser colori(QStringLiteral("C00000"), QStringLiteral("FFFFC0"), &finestra);
  ok &= Salva(colori, uscita, QStringLiteral("colour-chooser"));

  tools::Tmr0Calculator calcolatore(ambiente, QStringLiteral("4"), QStringLiteral("256"), QStringLiteral("0"),
                                    &finestra);
  ok &= Salva(calcolatore, uscita, QStringLiteral("tmr0"));

  auto* help = new tools::HelpBrowser(ambiente, finestra.DataVersione(), lavoro, &finestra);
  help->SelezionaVoce(0);
  ok &= Salva(*help, uscita, QStringLiteral("help"));

  tools::GuideWindow guida(ambiente, finestra.DataVersione(), lavoro, &finestra);
  ok &= Salva(guida, uscita, QStringLiteral("guide"));

  tools::ExamplesWindow esempi(ambiente, &finestra);
  ok &= Salva(esempi, uscita, QStringLiteral("examples"));

  tools::WaitCalculator wait;
  ok &= Salva(wait, uscita, QStringLiteral("wait"));

  tools::DebugDump dump(finestra.Stato(), finestra.FlagTestoModificato(), &finestra);
  ok &= Salva(dump, uscita, QStringLiteral("debug-dump"));

  ok &= SalvaCorrezioneClasse(radice.filePath(QStringLiteral("classe")), uscita);

  return ok ? 0 : 1;
}
