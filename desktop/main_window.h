// SPDX-License-Identifier: GPL-3.0-or-later
// The program's window and the composition root: the BASIC editor, the
// assembly editor and a row of buttons under each (the central area), the
// menu bar and toolbar built from named actions, and the simulation bench
// docked beside the panes.
//
// The window holds the values the other windows share: the program document
// (current file, text-modified flag, last translation), the layout state,
// the settings and the compile state of the last translation (for the debug
// dump). Translating and assembling go through the build service. The other
// windows are opened from here, each with the window's environment, and
// dialogs hand back what the user chose for the window to apply.
#pragma once

#include <QPointer>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QMainWindow>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <vector>

#include "build_service.h"
#include "code_editor.h"
#include "environment.h"
#include "program_document.h"
#include "settings.h"
#include "translator.h"

class QAction;
class QDockWidget;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace velmora::simulator {
class SimulatorWindow;
}
namespace velmora::toolchain {
struct AssembleResult;
}

namespace velmora::editor {
class AssemblyHighlighter;
class BasicHighlighter;
class FindReplaceBar;
class RecoveryStore;
}  // namespace velmora::editor

namespace velmora::ui {

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  // `ambiente`: clock, screen, folders, pause, translator and dialog answers,
  // handed on to every window opened from here. `argomenti`: the command-line
  // words after the program name; the single word DEBUG (any case) turns on
  // debug mode and shows the "Test" button, a word naming a .bas file opens it.
  explicit MainWindow(const Ambiente& ambiente, const QStringList& argomenti = {}, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The buttons (their controls' names in brackets).
  void Traduci();               // "Translate" (Command1)
  void SalvaBasic();            // BASIC "Salva" (Command2)
  void ApriBasic();             // "Apri" (Command3)
  void ApriHelp();              // "Help" (Command4)
  void SalvaAsm();              // ASM "Salva" (Command5)
  void CambiaLayout();          // the layout button (Command6)
  void NuovoProgramma();        // BASIC "Clear" (Command7)
  void SvuotaAsm();             // ASM "Clear" (Command8)
  void ScriviDefinizioni();     // "Pic.Def" (Command9)
  void ApriEsempi();            // "Esempi" (Command10)
  void StampaBasic();           // BASIC "Stampa" (Command11)
  void StampaAsm();             // ASM "Stampa" (Command12)
  void ApriDebug();             // "Test" (Command13)
  void ApriBackup();            // "BackUp" (Command14)
  void ApriCalcolatoreTimer();  // "Timer" (ProgTMR0)
  void ApriImpostazioni();  // a click on "BAS" or "ASM"
  void ApriCalcolatoreWait();  // Strumenti: the WAIT calculator, modeless
  void ApriCorrezioneClasse(); // Strumenti: "Correzione classe", modeless
  void ApriGuida();            // Aiuto: the guide
  void Informazioni();         // Aiuto: version and credit
  // Opens `percorso` in the BASIC editor as Apri does after its file dialog
  // (first the offer to save a changed text): a dropped file, the command line.
  void ApriFile(const QString& percorso);

  // "Assembla" (F6): translates when the assembly pane does not hold the
  // translation of the BASIC text, then gpasm writes FILE.asm, PIC16F84.DEF,
  // FILE.hex and FILE.cod beside the BASIC file (in the work folder for a
  // program never saved). gpasm runs on a worker thread; the message box
  // gives the outcome and gpasm's errors and warnings.
  void Assembla();
  // F9: the same, then the bench (docked beside the panes) loads the
  // program and runs it.
  void Simula();
  // Whether gpasm is running for Assembla or F9.
  bool Assemblando() const { return build_->busy() || assemblaggioInAttesa_; }
  // The bench, null until F9 first opened it.
  simulator::SimulatorWindow* Simulatore() const;
  // The dock that holds the bench.
  QDockWidget* Banco() const { return banco_; }

  // The Simulazione menu. Esegui and the Passo commands first translate and
  // assemble the text when the bench does not hold the program in the
  // editor (or has none yet), then act on the new program.
  void Esegui();
  void Pausa();
  void Passo();
  void PassoSopra();
  void EsciDallaSub();
  void PassoIstruzione();
  void EseguiFinoAlCursore();
  void ResetChip();
  void PuntoDiInterruzione();
  // The bench runs a program other than the one in the editor (or none).
  bool BancoSuperato() const;

  // A named action of the menus ("traduci", "simula", "esegui", ...).
  QAction* Azione(const QString& nome) const;
  ProgramDocument& Documento() { return documento_; }

  editor::CodeEditor* TextBasic() const { return textBasic_; }
  editor::CodeEditor* TextASM() const { return textAsm_; }
  editor::CodeEditor* EditorBasic() const { return textBasic_; }
  editor::BasicHighlighter* Colorazione() const { return colorazione_; }
  editor::AssemblyHighlighter* ColorazioneAsm() const { return colorazioneAsm_; }
  editor::FindReplaceBar* BarraRicerca() const { return barraRicerca_; }
  // A control by its name ("Command1" ... "Command14", "ProgTMR0", "Label1", "Label2").
  QWidget* Controllo(const QString& nome) const;

  QString& FileCorrente() { return documento_.file(); }
  int FlagTestoModificato() const { return documento_.changed(); }
  int ModoLayout() const { return modoLayout_; }
  bool ModoDebug() const { return debug_; }
  bool FlagChiusura() const { return flagChiusura_; }
  QString TitoloProgramma() const { return titoloProgramma_; }
  QString DataVersione() const { return dataVersione_; }
  Impostazioni& Valori() { return valori_; }
  // The compile state of the last translation, for the debug dump.
  const CompileState& Stato() const { return traduttore_.State(); }
  ControlliAspetto Aspetto() const;

 signals:
  // The window has closed for good (settings written): the program ends and
  // the modeless windows opened from here close.
  void Chiusa();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  enum class Disposizione { Affiancati, Impilati, SoloBasic, SoloAsm };

  void createControls();
  void createConnections();
  void createAssembleAction();
  // The named actions, the menu bar and the toolbar (main_menus.h).
  void createActions();
  // The simulation actions follow the bench: enabled as its own controls are.
  void aggiornaAzioniSimulazione();
  // The bench's dock (hidden until F9), its state kept between sessions in
  // the work folder's "finestra.ini" (the settings file stays as it is).
  void createBench();
  QString fileStatoFinestra() const;
  void salvaStatoBanco();
  // Shows the dock, making the bench on first use, with the focus on its run controls.
  void apriBanco();
  // The text or the assembly pane changed: the bench's program is no longer the editor's.
  void bancoSuperato();
  // Runs `comando` on the bench; without a bench yet, first builds the
  // program and opens it (a bench that holds an older program rebuilds by
  // itself, through its gate).
  void suBanco(void (simulator::SimulatorWindow::*comando)());
  // The central area was resized (window, dock): the panes follow.
  void areaRidimensionata();
  void createLinkedPanes();
  void leggiImpostazioni();
  void caricaUltimoFile();
  // The BASIC editor's extras: colouring, Find/Replace bar, Go to line, drops.
  void createEditor();
  void applicaColoriEditor();
  // The recovery copy in the work folder, and the offer to restore one left
  // by a session that did not end normally.
  void setUpRecovery();
  void openFromCommandLine(const QStringList& argomenti);

  QPushButton* nuovoPulsante(const QString& nome, const QString& testo, qint32 sfondo);
  int larghezzaComune(int larghezzaFinestra, int perRiga, bool forza);
  void posizionaPannelli(Disposizione disposizione, int w, int h);
  void posizionaRighe(int w, int h);
  // After the panes are placed: they end above the button rows, and the
  // BASIC pane leaves room under it for the Find/Replace bar when it is open.
  void adattaPannelli();
  bool trascinamento(QEvent* event);

  void salvaBasic();
  // Apri's question before a changed text is replaced, and the reading of the chosen file.
  void offriSalvataggio();
  void caricaFile(const QString& scelto);
  // The file dialog with `titolo`, proposing `proposto`; the chosen path,
  // empty when the user cancelled (the current file is left alone).
  QString scegliFile(const QString& proposto, const QString& titolo);
  void stampa(QPlainTextEdit* editor);
  void mostraCursoreErrore(const TranslationResult& risultato);
  // Translate without the report: the panes, the words column and the
  // links. False after an error (shown in the message box, cursor on its line).
  bool traduci(TranslationResult& risultato);

  // Assembla and F9; `poi` runs on the bench once the program is loaded.
  void assembla(bool poiSimula, std::function<void()> poi = {});
  void fineAssemblaggio(const toolchain::AssembleResult& risultato);
  // `poi` runs once the program is loaded and gpsim ready (Esegui by default).
  void openSimulator(const QString& percorsoCod, const std::vector<int>& righe, std::function<void()> poi = {});
  QString percorsoAssemblaggio() const;
  long frequenzaQuarzo() const;

  // Linked panes: the cursor's line in one pane highlights its lines in the other.
  void collegaDaBasic();
  void collegaDaAsm();
  void scollegaPannelli();

  // Editor text with CR LF line ends, and back.
  QString testoBasicCrLf() const;
  void impostaTestoBasic(const QString& testo);
  void impostaTestoAsm(const QString& testo);

  Ambiente ambiente_;
  Translator traduttore_;
  Impostazioni valori_;
  ProgramDocument documento_;
  BuildService* build_ = nullptr;
  QString titoloProgramma_;
  QString dataVersione_;
  int modoLayout_ = 0;
  bool debug_ = false;
  bool flagChiusura_ = false;
  Disposizione disposizione_ = Disposizione::Affiancati;
  QSize dimensioneApplicata_;

  QWidget* area_ = nullptr;  // the central area: panes and button rows
  editor::CodeEditor* textBasic_ = nullptr;
  editor::BasicHighlighter* colorazione_ = nullptr;
  editor::AssemblyHighlighter* colorazioneAsm_ = nullptr;
  editor::FindReplaceBar* barraRicerca_ = nullptr;
  editor::RecoveryStore* recupero_ = nullptr;
  int primaRiga_ = 0;  // top of the first button line
  editor::CodeEditor* textAsm_ = nullptr;
  QLabel* label1_ = nullptr;  // "ASM"
  QLabel* label2_ = nullptr;  // "BAS"
  QList<QWidget*> rigaBasic_;  // in row order, the label first
  QList<QWidget*> rigaAsm_;
  QPushButton* command1_ = nullptr;
  QPushButton* command6_ = nullptr;
  QPushButton* command9_ = nullptr;
  QPushButton* command13_ = nullptr;
  QPointer<QWidget> help_;

  // Assembla and the simulator.
  QPushButton* assembla_ = nullptr;
  QDockWidget* banco_ = nullptr;
  QPointer<simulator::SimulatorWindow> simulatore_;
  // The build in flight: what follows the assembly, the assembly pane's
  // lines and the text's revision it was made from.
  bool assemblaggioInAttesa_ = false;
  bool poiSimula_ = false;
  std::function<void()> poi_;
  std::vector<int> righeInCostruzione_;
  std::uint64_t revisioneInCostruzione_ = 0;
  // The text's revision the bench's program was built from (0: none), and
  // whether the assembly pane was edited by hand since.
  std::uint64_t revisioneBanco_ = 0;
  bool asmModificatoDopoBanco_ = false;
  QString frequenzaApplicata_;  // the TMR0 calculator's text last given to the simulator

  // The last translation, while the panes still hold it: the BASIC text is
  // unchanged since (basicTradotto_) and the assembly pane too (asmTradotto_).
  bool basicTradotto_ = false;
  bool asmTradotto_ = false;
  std::vector<int> righeSorgente_;  // BASIC line of each assembly line (0: none)
};

}  // namespace velmora::ui
