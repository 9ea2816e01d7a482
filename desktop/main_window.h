// SPDX-License-Identifier: GPL-3.0-or-later
// The program's window: the BASIC editor, the assembly editor and a row of
// buttons under each.
//
// The window holds the values the other windows share: the current file, the
// text-modified flag, the layout state, the settings and the compile state of
// the last translation (for the debug dump). Every button is an operation
// named after its control; the other windows are opened from here, each with
// the window's environment, and dialogs hand back what the user chose for the
// window to apply.
#pragma once

#include <QPointer>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <vector>

#include "code_editor.h"
#include "environment.h"
#include "settings.h"
#include "translator.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QThread;

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

class MainWindow : public QWidget {
  Q_OBJECT
 public:
  // `ambiente`: clock, screen, folders, pause, translator and dialog answers,
  // handed on to every window opened from here. `argomenti`: the command-line
  // words after the program name; the single word DEBUG (any case) turns on
  // debug mode and shows the "Test" button, a word naming a .bas file opens it.
  explicit MainWindow(const Ambiente& ambiente, const QStringList& argomenti = {}, QWidget* parent = nullptr);
  // Waits for an assembly still running (gpasm has its own time limit).
  ~MainWindow() override;

  // The buttons.
  void Command1();   // Translate
  void Command2();   // save BASIC
  void Command3();   // open BASIC
  void Command4();   // help browser
  void Command5();   // save assembly
  void Command6();   // next layout
  void Command7();   // clear BASIC
  void Command8();   // clear assembly
  void Command9();   // write PIC16F84.DEF
  void Command10();  // examples
  void Command11();  // print BASIC
  void Command12();  // print assembly
  void Command13();  // debug dump
  void Command14();  // backup manager
  void ProgTMR0();   // TMR0 calculator
  void ApriImpostazioni();  // a click on "BAS" or "ASM"
  // Opens `percorso` in the BASIC editor as Apri does after its file dialog
  // (first the offer to save a changed text): a dropped file, the command line.
  void ApriFile(const QString& percorso);

  // "Assembla" (F6): translates when the assembly pane does not hold the
  // translation of the BASIC text, then gpasm writes FILE.asm, PIC16F84.DEF,
  // FILE.hex and FILE.cod beside the BASIC file (in the work folder for a
  // program never saved). gpasm runs on a worker thread; the message box
  // gives the outcome and gpasm's errors and warnings.
  void Assembla();
  // F9: the same, then the "Simulatore" window (one, modeless) loads the
  // program and runs it.
  void Simula();
  // Whether gpasm is running for Assembla or F9.
  bool Assemblando() const { return assemblaggio_ != nullptr; }
  // The simulator window, null until F9 first opened it.
  simulator::SimulatorWindow* Simulatore() const;

  editor::CodeEditor* TextBasic() const { return textBasic_; }
  editor::CodeEditor* TextASM() const { return textAsm_; }
  editor::CodeEditor* EditorBasic() const { return textBasic_; }
  editor::BasicHighlighter* Colorazione() const { return colorazione_; }
  editor::AssemblyHighlighter* ColorazioneAsm() const { return colorazioneAsm_; }
  editor::FindReplaceBar* BarraRicerca() const { return barraRicerca_; }
  // A control by its name ("Command1" ... "Command14", "ProgTMR0", "Label1", "Label2").
  QWidget* Controllo(const QString& nome) const;

  QString& FileCorrente() { return valori_.FileCorrente; }
  int FlagTestoModificato() const { return flagTestoModificato_; }
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
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  enum class Disposizione { Affiancati, Impilati, SoloBasic, SoloAsm };

  void createControls();
  void createConnections();
  void createAssembleAction();
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

  // Assembla and F9.
  void assembla(bool poiSimula);
  void fineAssemblaggio(const toolchain::AssembleResult& risultato, bool poiSimula, const std::vector<int>& righe);
  void openSimulator(const QString& percorsoCod, const std::vector<int>& righe);
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
  QString titoloProgramma_;
  QString dataVersione_;
  int flagTestoModificato_ = 0;
  int modoLayout_ = 0;
  bool debug_ = false;
  bool flagChiusura_ = false;
  Disposizione disposizione_ = Disposizione::Affiancati;
  QSize dimensioneApplicata_;

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
  QThread* assemblaggio_ = nullptr;
  QPointer<simulator::SimulatorWindow> simulatore_;
  QString frequenzaApplicata_;  // the TMR0 calculator's text last given to the simulator

  // The last translation, while the panes still hold it: the BASIC text is
  // unchanged since (basicTradotto_) and the assembly pane too (asmTradotto_).
  bool basicTradotto_ = false;
  bool asmTradotto_ = false;
  std::vector<int> righeSorgente_;  // BASIC line of each assembly line (0: none)
};

}  // namespace velmora::ui
