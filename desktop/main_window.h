// The program's window: the BASIC editor, the assembly editor and a row of
// buttons under each.
//
// The window holds the values the other windows share: the current file, the
// text-modified flag, the layout state, the settings and the compile state of
// the last translation (for the debug dump). Every button is an operation
// named after its control; the other windows are opened from here.
#pragma once

#include <QPointer>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <string_view>

#include "settings.h"
#include "translator.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace velmora::ui {

class MainWindow : public QWidget {
  Q_OBJECT
 public:
  // `argomenti`: the command-line words after the program name; the single
  // word DEBUG (any case) turns on debug mode and shows the "Test" button.
  explicit MainWindow(const QStringList& argomenti = {}, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The screen size the layout works from (the window's screen unless a test
  // sets it), the pause after the save of the Open flow, and the translator.
  static std::function<QSize()>& Schermo();
  static std::function<void(int millisecondi)>& Pausa();
  // When empty, the window's own translator runs.
  using FunzioneTraduzione = std::function<TranslationResult(std::string_view, const TranslateOptions&)>;
  static FunzioneTraduzione& Traduttore();

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

  QPlainTextEdit* TextBasic() const { return textBasic_; }
  QPlainTextEdit* TextASM() const { return textAsm_; }
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
  // The window has closed for good (settings written): the program ends.
  void Chiusa();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class Disposizione { Affiancati, Impilati, SoloBasic, SoloAsm };

  void createControls();
  void createConnections();
  void leggiImpostazioni();
  void caricaUltimoFile();

  QPushButton* nuovoPulsante(const QString& nome, const QString& testo, qint32 sfondo);
  int larghezzaComune(int larghezzaFinestra);
  void posizionaPannelli(Disposizione disposizione, int w, int h);
  void posizionaRighe(int w, int h);

  void salvaBasic();
  void stampa(QPlainTextEdit* editor);
  void mostraCursoreErrore(const QString& bloccoErrore);

  // Editor text with CR LF line ends, and back.
  QString testoBasicCrLf() const;
  void impostaTestoBasic(const QString& testo);
  void impostaTestoAsm(const QString& testo);

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

  QPlainTextEdit* textBasic_ = nullptr;
  QPlainTextEdit* textAsm_ = nullptr;
  QLabel* label1_ = nullptr;  // "ASM"
  QLabel* label2_ = nullptr;  // "BAS"
  QList<QWidget*> rigaBasic_;  // in row order, the label first
  QList<QWidget*> rigaAsm_;
  QPushButton* command1_ = nullptr;
  QPushButton* command6_ = nullptr;
  QPushButton* command9_ = nullptr;
  QPushButton* command13_ = nullptr;
  QPointer<QWidget> help_;
};

}  // namespace velmora::ui
