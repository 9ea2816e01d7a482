// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window.h"

#include <filesystem>

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QLocale>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTextBlock>
#include <QDockWidget>
#include <QMenuBar>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <memory>

#include "assembly_highlighter.h"
#include "basic_highlighter.h"
#include "code_editor.h"
#include "find_replace_bar.h"
#include "open_helpers.h"
#include "recovery_store.h"

#include "file_dialog.h"
#include "file_io.h"
#include "message_box.h"
#include "printing.h"
#include "settings_window.h"

#include "backup_manager.h"
#include "class_grading_window.h"
#include "debug_dump.h"
#include "examples_window.h"
#include "tmr0_calculator.h"
#include "wait_calculator.h"  // completes the type help_browser.h returns
#include "help_browser.h"
#include "numeric_text.h"

#include "guide_window.h"
#include "main_menus.h"

#include "assembler.h"
#include "assembler_diagnostics.h"
#include "process.h"
#include "simulator_window.h"

#include <QSettings>
#include <QToolBar>
#include <QToolButton>

namespace velmora::ui {

namespace {

const char* const kTitoloBase = "Compilatore Basic per micro PIC16F84";
const char* const kDataVersione = "18 Novembre 2015";
const double kPuntiEditor = 14.25;
// No button caption is drawn smaller: a row that does not fit takes two lines.
const double kPuntiMinimi = 9.0;

qint32 Rgb(int r, int g, int b) { return InteroDaColore(QColor(r, g, b)); }

QString ConCrLf(QString testo) {
  testo.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
  return testo;
}

QString SenzaCr(QString testo) {
  testo.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  return testo;
}

QString ChiaveRiga(const QString& riga) {
  QString chiave;
  for (const QChar c : riga)
    if (!c.isSpace()) chiave += c.toUpper();
  return chiave;
}

// The statement under "---istruzione---" in an error block.
QString IstruzioneDelBlocco(const QString& blocco) {
  const QString marca = QStringLiteral("---istruzione---");
  const auto p = blocco.indexOf(marca);
  if (p < 0) return {};
  QString resto = blocco.mid(p + marca.size());
  while (resto.startsWith(QLatin1Char('\r')) || resto.startsWith(QLatin1Char('\n'))) resto.remove(0, 1);
  for (const QString& fine : {QStringLiteral("\r"), QStringLiteral("\n"), QStringLiteral("<*> ERRORE")}) {
    const auto q = resto.indexOf(fine);
    if (q >= 0) resto.truncate(q);
  }
  return resto;
}

// The editor line a translated statement came from: the first line equal to
// it when spaces and case are ignored, else the first line containing it.
int RigaDellIstruzione(const QString& testo, const QString& istruzione) {
  const QString cercata = ChiaveRiga(istruzione);
  if (cercata.isEmpty()) return -1;
  const QStringList righe = testo.split(QLatin1Char('\n'));
  for (int i = 0; i < righe.size(); ++i)
    if (ChiaveRiga(righe[i]) == cercata) return i;
  for (int i = 0; i < righe.size(); ++i)
    if (ChiaveRiga(righe[i]).contains(cercata)) return i;
  return -1;
}

QIcon IconaLayout() {
  QPixmap immagine(32, 20);
  immagine.fill(Qt::transparent);
  QPainter p(&immagine);
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(QColor(192, 255, 255));
  p.drawRect(1, 1, 13, 17);
  p.setBrush(QColor(224, 224, 224));
  p.drawRect(17, 1, 13, 17);
  return QIcon(immagine);
}


}  // namespace

// Start: version date and debug mode, title, the editors' design look taken as
// the settings' starting values, work folder, settings file, first layout,
// the last BASIC file reopened, a recovery copy offered, and a .bas file named
// on the command line opened.
MainWindow::MainWindow(const Ambiente& ambiente, const QStringList& argomenti, QWidget* parent)
    : QMainWindow(parent), ambiente_(ambiente) {
  build_ = new BuildService(
      [this](std::string_view testo, const TranslateOptions& opzioni) {
        return ambiente_.traduttore ? ambiente_.traduttore(testo, opzioni) : traduttore_.Translate(testo, opzioni);
      },
      this);
  connect(build_, &BuildService::assembled, this, &MainWindow::fineAssemblaggio);
  dataVersione_ = QString::fromLatin1(kDataVersione);
  debug_ = argomenti.join(QLatin1Char(' ')).trimmed().toUpper() == QLatin1String("DEBUG");
  titoloProgramma_ = QString::fromLatin1(kTitoloBase) + QString::fromStdString(AuthorCredit());
  createControls();
  createEditor();
  createConnections();
  createAssembleAction();
  createLinkedPanes();
  createBench();
  createActions();
  command13_->setVisible(debug_);
  leggiImpostazioni();
  CambiaLayout();
  caricaUltimoFile();
  documento_.setChanged(0);
  setUpRecovery();
  openFromCommandLine(argomenti);
  QSettings stato(fileStatoFinestra(), QSettings::IniFormat);
  restoreState(stato.value(QStringLiteral("finestra/stato")).toByteArray());
}

QPushButton* MainWindow::nuovoPulsante(const QString& nome, const QString& testo, qint32 sfondo) {
  auto* pulsante = new QPushButton(testo, area_);
  pulsante->setObjectName(nome);
  pulsante->setAutoDefault(false);
  ImpostaSfondo(pulsante, sfondo);
  return pulsante;
}

void MainWindow::createControls() {
  setObjectName(QStringLiteral("Form1"));
  // The panes and the button rows keep their own layout rules inside the
  // central area, whatever the menu bar, the toolbar and the bench take.
  area_ = new QWidget(this);
  area_->setObjectName(QStringLiteral("AreaEditor"));
  area_->installEventFilter(this);
  setCentralWidget(area_);
  const QFont fontEditor = FontConRipiego(QStringLiteral("Courier New"), kPuntiEditor);

  textBasic_ = new editor::CodeEditor(area_);
  textBasic_->setObjectName(QStringLiteral("TextBasic"));
  textAsm_ = new editor::CodeEditor(area_);
  textAsm_->setObjectName(QStringLiteral("TextASM"));
  textAsm_->setBreakpointsEnabled(false);
  for (QPlainTextEdit* editor : std::initializer_list<QPlainTextEdit*>{textBasic_, textAsm_}) {
    editor->setFont(fontEditor);
    editor->setLineWrapMode(QPlainTextEdit::NoWrap);
    editor->viewport()->installEventFilter(this);
  }
  ImpostaSfondo(textBasic_, Rgb(192, 255, 255));
  ImpostaColoreTesto(textBasic_, Rgb(0, 0, 192));
  ImpostaSfondo(textAsm_, Rgb(224, 224, 224));
  ImpostaColoreTesto(textAsm_, Rgb(128, 0, 0));
  ambiente_.daOscurare = {textBasic_, textAsm_};

  QFont fontEtichette(QStringLiteral("Arial"));
  fontEtichette.setStyleHint(QFont::SansSerif);
  fontEtichette.setPointSizeF(kPuntiEditor);
  label2_ = new QLabel(QStringLiteral("BAS"), area_);
  label2_->setObjectName(QStringLiteral("Label2"));
  label1_ = new QLabel(QStringLiteral("ASM"), area_);
  label1_->setObjectName(QStringLiteral("Label1"));
  for (QLabel* label : {label2_, label1_}) {
    label->setFont(fontEtichette);
    label->setAlignment(Qt::AlignCenter);
    label->setCursor(Qt::PointingHandCursor);
    label->setToolTip(QStringLiteral("Gestione parametri"));
    label->installEventFilter(this);
  }
  ImpostaSfondo(label2_, Rgb(192, 255, 255));
  ImpostaSfondo(label1_, Rgb(224, 224, 224));

  const qint32 basic = Rgb(192, 255, 255);
  const qint32 assembly = Rgb(224, 224, 224);
  const qint32 stampa = Rgb(128, 255, 128);
  rigaBasic_ = {label2_,
                nuovoPulsante(QStringLiteral("Command2"), QStringLiteral("Salva"), basic),
                nuovoPulsante(QStringLiteral("Command3"), QStringLiteral("Apri"), basic),
                nuovoPulsante(QStringLiteral("Command4"), QStringLiteral("Help"), basic),
                nuovoPulsante(QStringLiteral("Command7"), QStringLiteral("Clear"), basic),
                nuovoPulsante(QStringLiteral("Command10"), QStringLiteral("Esempi"), basic),
                nuovoPulsante(QStringLiteral("ProgTMR0"), QStringLiteral("Timer"), basic),
                nuovoPulsante(QStringLiteral("Command14"), QStringLiteral("BackUp"), basic),
                nuovoPulsante(QStringLiteral("Command11"), QStringLiteral("Stampa"), stampa)};
  command9_ = nuovoPulsante(QStringLiteral("Command9"), QStringLiteral("Pic.Def"), assembly);
  command1_ = nuovoPulsante(QStringLiteral("Command1"), QStringLiteral("Translate"), assembly);
  command1_->setToolTip(QStringLiteral("F5"));
  command6_ = nuovoPulsante(QStringLiteral("Command6"), QString(), Rgb(255, 255, 255));
  command6_->setIcon(IconaLayout());
  command6_->setIconSize(QSize(32, 20));
  command13_ = nuovoPulsante(QStringLiteral("Command13"), QStringLiteral("Test"), Rgb(255, 255, 0));
  rigaAsm_ = {label1_,
              nuovoPulsante(QStringLiteral("Command5"), QStringLiteral("Salva"), assembly),
              nuovoPulsante(QStringLiteral("Command8"), QStringLiteral("Clear"), assembly),
              command9_,
              command1_,
              command6_,
              nuovoPulsante(QStringLiteral("Command12"), QStringLiteral("Stampa"), stampa),
              command13_};
}

void MainWindow::createConnections() {
  const std::pair<const char*, void (MainWindow::*)()> azioni[] = {
      {"Command1", &MainWindow::Traduci},   {"Command2", &MainWindow::SalvaBasic},
      {"Command3", &MainWindow::ApriBasic},   {"Command4", &MainWindow::ApriHelp},
      {"Command5", &MainWindow::SalvaAsm},   {"Command6", &MainWindow::CambiaLayout},
      {"Command7", &MainWindow::NuovoProgramma},   {"Command8", &MainWindow::SvuotaAsm},
      {"Command9", &MainWindow::ScriviDefinizioni},   {"Command10", &MainWindow::ApriEsempi},
      {"Command11", &MainWindow::StampaBasic}, {"Command12", &MainWindow::StampaAsm},
      {"Command13", &MainWindow::ApriDebug}, {"Command14", &MainWindow::ApriBackup},
      {"ProgTMR0", &MainWindow::ApriCalcolatoreTimer},
  };
  for (const auto& [nome, azione] : azioni) {
    auto* pulsante = findChild<QPushButton*>(QString::fromLatin1(nome));
    connect(pulsante, &QPushButton::clicked, this, azione);
  }
  connect(textBasic_, &QPlainTextEdit::textChanged, this, [this] {
    documento_.setChanged(1);
    documento_.touch();
  });
  // The modeless windows opened from here (help, WAIT calculator) close with the window.
  connect(this, &MainWindow::Chiusa, this, [this] {
    for (QWidget* figlio : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      if (figlio->isWindow()) figlio->close();
  });
  // F5 and the BASIC row's Ctrl keys are the menus' actions (createActions).
}

// ---- The BASIC editor ----

// Colouring, the Find/Replace bar under the editor (Ctrl+F, Ctrl+H, also
// caught by the bar when the editor has the focus), Go to line (Ctrl+G) and
// .bas files dropped on the window or on either pane.
void MainWindow::createEditor() {
  colorazione_ = new editor::BasicHighlighter(textBasic_->document());
  colorazioneAsm_ = new editor::AssemblyHighlighter(textAsm_->document());
  barraRicerca_ = new editor::FindReplaceBar(textBasic_, area_);
  barraRicerca_->setObjectName(QStringLiteral("BarraRicerca"));
  barraRicerca_->installEventFilter(this);
  const std::pair<QKeySequence, std::function<void()>> tasti[] = {
      {QKeySequence(Qt::CTRL | Qt::Key_F), [this] { barraRicerca_->showFind(); }},
      {QKeySequence(Qt::CTRL | Qt::Key_H), [this] { barraRicerca_->showReplace(); }},
      {QKeySequence(Qt::CTRL | Qt::Key_G), [this] { textBasic_->askGoToLine(); }},
  };
  for (const auto& [tasto, azione] : tasti) {
    auto* scorciatoia = new QShortcut(tasto, this);
    connect(scorciatoia, &QShortcut::activated, this, azione);
  }
  setAcceptDrops(true);
}

// The token colours, the current line and the margin follow the editor's
// background and text colours as the settings have just put them.
void MainWindow::applicaColoriEditor() {
  const QColor sfondo = ColoreDaIntero(SfondoDi(textBasic_));
  const QColor testo = ColoreDaIntero(ColoreTestoDi(textBasic_));
  textBasic_->setColours(sfondo, testo);
  if (colorazione_) colorazione_->setColours(sfondo, testo);
  const QColor sfondoAsm = ColoreDaIntero(SfondoDi(textAsm_));
  const QColor testoAsm = ColoreDaIntero(ColoreTestoDi(textAsm_));
  textAsm_->setColours(sfondoAsm, testoAsm);
  if (colorazioneAsm_) colorazioneAsm_->setColours(sfondoAsm, testoAsm);
}

void MainWindow::setUpRecovery() {
  const QString cartella = valori_.CartellaLavoro.isEmpty() ? ambiente_.CartellaDati() : valori_.CartellaLavoro;
  recupero_ = new editor::RecoveryStore(cartella, [this] { return textBasic_->toPlainText(); }, this);
  if (ambiente_.orologio) recupero_->setClock(ambiente_.orologio);
  // Queued: the handler that changed the text has set or cleared the flag by then.
  connect(
      textBasic_, &QPlainTextEdit::textChanged, this,
      [this] {
        recupero_->setOriginalPath(FileCorrente());
        recupero_->setModified(documento_.changed() != 0);
      },
      Qt::QueuedConnection);
  connect(recupero_, &editor::RecoveryStore::writeFailed, this, [this](const QString& errore) {
    MostraMessaggio(ambiente_, TestoErrore(errore) + QStringLiteral("\r\nFino al prossimo salvataggio il testo non ha una copia "
                                                       "di recupero: salvarlo con Salva (Ctrl+S)."));
  });
  if (!recupero_->pending()) return;
  const editor::RecoveryCopy copia = *recupero_->pending();
  if (!ChiediSiNo(ambiente_, editor::RecoveryQuestion(copia), TitoloMessaggi())) {
    recupero_->declinePending();
    return;
  }
  recupero_->acceptPending();
  if (!copia.originalPath.isEmpty()) {
    FileCorrente() = copia.originalPath;
    setWindowTitle(FileCorrente());
  }
  impostaTestoBasic(copia.text);
  documento_.setChanged(1);
}

void MainWindow::openFromCommandLine(const QStringList& argomenti) {
  const QString percorso = editor::BasPathFromArguments(QStringList{QString()} + argomenti, ambiente_.CartellaCorrente());
  if (!percorso.isEmpty()) ApriFile(percorso);
}

// A drag that carries a .bas file is taken (on the window or either pane);
// the file opens once the drop is over, so its questions are not asked
// inside the drag.
bool MainWindow::trascinamento(QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* e = static_cast<QDragMoveEvent*>(event);
      if (editor::BasPathFromDrop(e->mimeData()).isEmpty()) return false;
      e->acceptProposedAction();
      return true;
    }
    case QEvent::Drop: {
      auto* e = static_cast<QDropEvent*>(event);
      const QString percorso = editor::BasPathFromDrop(e->mimeData());
      if (percorso.isEmpty()) return false;
      e->acceptProposedAction();
      QTimer::singleShot(0, this, [this, percorso] { ApriFile(percorso); });
      return true;
    }
    default:
      return false;
  }
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!trascinamento(event)) event->ignore();
}

void MainWindow::dropEvent(QDropEvent* event) {
  if (!trascinamento(event)) event->ignore();
}

ControlliAspetto MainWindow::Aspetto() const {
  ControlliAspetto c;
  c.textBasic = textBasic_;
  c.textAsm = textAsm_;
  c.rigaBasic = rigaBasic_.mid(0, 8);  // the label and the buttons up to "BackUp"
  c.rigaAsm = rigaAsm_.mid(0, 5);      // the label and the buttons up to "Translate"
  return c;
}

QWidget* MainWindow::Controllo(const QString& nome) const { return findChild<QWidget*>(nome); }

void MainWindow::leggiImpostazioni() {
  valori_.ColoreCarattereBasic = ColoreTestoDi(textBasic_);
  valori_.ColoreSfondoBasic = SfondoDi(textBasic_);
  valori_.ColoreCarattereASM = ColoreTestoDi(textAsm_);
  valori_.ColoreSfondoASM = SfondoDi(textAsm_);
  valori_.FontSizeBasic = static_cast<float>(textBasic_->font().pointSizeF());
  valori_.FontSizeASM = static_cast<float>(textAsm_->font().pointSizeF());
  valori_.FontBoldBasic = 0;
  valori_.FontBoldASM = 0;
  valori_.CartellaLavoro = TrovaCartellaScrivibile(ambiente_);
  LeggiConfigurazione(ambiente_, valori_);
  documento_.file() = valori_.FileCorrente;
  ApplicaConfigurazione(valori_, Aspetto());
  applicaColoriEditor();
}

void MainWindow::caricaUltimoFile() {
  setWindowTitle(titoloProgramma_);
  if (FileCorrente().isEmpty()) return;
  QString testo;
  QString errore;
  if (!LeggiTesto(FileCorrente(), testo, errore)) return;
  impostaTestoBasic(testo);
  setWindowTitle(FileCorrente());
}

QString MainWindow::testoBasicCrLf() const { return ConCrLf(textBasic_->toPlainText()); }

void MainWindow::impostaTestoBasic(const QString& testo) { textBasic_->setPlainText(SenzaCr(testo)); }

void MainWindow::impostaTestoAsm(const QString& testo) { textAsm_->setPlainText(SenzaCr(testo)); }

// ---- Layout ----

// One common width for every button and the two labels: wide enough for the
// longest caption, and narrow enough for `perRiga` controls of a line to fit
// in its half of the window (the button font shrinks when the captions do
// not, down to 9 points). 0 when they do not fit even at 9 points, unless
// `forza`: then the 9-point font and the narrow width.
int MainWindow::larghezzaComune(int w, int perRiga, bool forza) {
  const int spazio = qRound(100.0 * logicalDpiX() / 1440.0);
  // A line of the BASIC row must end before the assembly pane's left edge:
  // n (c + spazio) <= 0.45 w + k, with k = (0.1 w - c) / 3.
  const double n = perRiga;
  const double limite = (w * (0.45 + 0.1 / 3.0) - n * spazio) / (n + 1.0 / 3.0);
  QFont font = QApplication::font(this);
  if (font.pointSizeF() < kPuntiMinimi) font.setPointSizeF(kPuntiMinimi);
  const auto naturale = [&](const QFont& f) {
    const QFontMetrics m(f);
    int massimo = 0;
    for (QWidget* c : rigaBasic_ + rigaAsm_) {
      auto* pulsante = qobject_cast<QPushButton*>(c);
      if (!pulsante) continue;
      const QString testo = pulsante->text().isEmpty() ? QStringLiteral("Wait...") : pulsante->text();
      massimo = qMax(massimo, m.horizontalAdvance(testo) + 12);
    }
    massimo = qMax(massimo, m.horizontalAdvance(QStringLiteral("Translate")) + 12);
    massimo = qMax(massimo, command6_->iconSize().width() + 12);
    return massimo;
  };
  int larghezza = naturale(font);
  while (larghezza > limite && font.pointSizeF() > kPuntiMinimi) {
    font.setPointSizeF(qMax(kPuntiMinimi, font.pointSizeF() - 0.25));
    larghezza = naturale(font);
  }
  if (larghezza > limite && !forza) return 0;
  for (QWidget* c : rigaBasic_ + rigaAsm_)
    if (qobject_cast<QPushButton*>(c)) c->setFont(font);
  const int etichette = qMax(label1_->sizeHint().width(), label2_->sizeHint().width());
  return qMax(1, static_cast<int>(std::floor(qMin<double>(qMax(larghezza, etichette), limite))));
}

// The rows sit under the side-by-side panes: "BAS" at the BASIC pane's left,
// "ASM" at the assembly pane's left, each control 100 twips after the
// previous one. When the captions do not fit at 9 points each row takes two
// lines (three if need be), centred in the space under the panes (adattaPannelli shortens the
// panes when that space is too low).
void MainWindow::posizionaRighe(int w, int h) {
  // One line, else two, else three (a narrow central area beside the
  // docked bench): never a caption cut short.
  const int controlli = static_cast<int>(rigaBasic_.size());
  int righe = 1, perRiga = controlli, comune = larghezzaComune(w, perRiga, false);
  while (comune == 0) {
    ++righe;
    perRiga = (controlli + righe - 1) / righe;
    comune = larghezzaComune(w, perRiga, righe == 3);
  }
  const int spazio = qRound(100.0 * logicalDpiX() / 1440.0);
  int altezza = 0;
  for (QWidget* c : rigaBasic_ + rigaAsm_) altezza = qMax(altezza, c->sizeHint().height());
  const double W = w, H = h;
  const double g = (H - 0.87 * H - altezza) / 3;
  const double k = (W - 0.45 * W - 0.45 * W - comune) / 3;
  int top = qRound(0.87 * H + 2 * g);
  if (righe > 1) {
    const int fondoPannelli = qRound(0.87 * H + g);
    const int blocco = righe * altezza + (righe - 1) * (spazio / 2);
    // Inside the window first: the panes are shortened to end above it.
    top = qMin(h - blocco - 2, qMax(fondoPannelli + 2, fondoPannelli + (h - fondoPannelli - blocco) / 2));
  }
  primaRiga_ = top;
  for (const auto& [riga, sinistra] : {std::pair{&rigaBasic_, qRound(k)}, std::pair{&rigaAsm_, qRound(k + 0.45 * W + k)}}) {
    for (int i = 0; i < riga->size(); ++i) {
      const int colonna = i % perRiga;
      const int linea = i / perRiga;
      (*riga)[i]->setGeometry(sinistra + colonna * (comune + spazio), top + linea * (altezza + spazio / 2), comune,
                              altezza);
    }
  }
}

void MainWindow::adattaPannelli() {
  const int fine = primaRiga_ - 4;
  for (QPlainTextEdit* pannello : std::initializer_list<QPlainTextEdit*>{textBasic_, textAsm_}) {
    const QRect r = pannello->geometry();
    if (primaRiga_ > 0 && r.bottom() > fine) pannello->setGeometry(r.x(), r.y(), r.width(), qMax(40, fine - r.y()));
  }
  if (!textBasic_->isVisibleTo(area_)) {
    barraRicerca_->setVisible(false);
    return;
  }
  if (!barraRicerca_->isVisibleTo(area_)) return;
  const QRect r = textBasic_->geometry();
  const int barra = barraRicerca_->sizeHint().height();
  textBasic_->setGeometry(r.x(), r.y(), r.width(), qMax(40, r.height() - barra));
  barraRicerca_->setGeometry(r.x(), textBasic_->geometry().bottom() + 1, r.width(), barra);
}

void MainWindow::posizionaPannelli(Disposizione disposizione, int w, int h) {
  const double W = w, H = h;
  const double altezzaEtichetta = label1_->height();
  const int sinistra = label2_->x();
  switch (disposizione) {
    case Disposizione::Affiancati: {
      const double g = (H - 0.87 * H - altezzaEtichetta) / 3;
      const double k = (W - 0.45 * W - 0.45 * W - label1_->width()) / 3;
      textBasic_->setGeometry(qRound(k), qRound(g), qRound(0.45 * W), qRound(0.87 * H));
      textAsm_->setGeometry(qRound(k + 0.45 * W + k), qRound(g), qRound(0.45 * W), qRound(0.87 * H));
      textBasic_->setVisible(true);
      textAsm_->setVisible(true);
      return;
    }
    case Disposizione::Impilati: {
      const double g = (H - 0.43 * H - 0.43 * H - label2_->height()) / 4;
      textBasic_->setGeometry(sinistra, qRound(g), qRound(0.92 * W), qRound(0.43 * H));
      textAsm_->setGeometry(sinistra, qRound(g + 0.43 * H + g), qRound(0.92 * W), qRound(0.43 * H));
      textBasic_->setVisible(true);
      textAsm_->setVisible(true);
      return;
    }
    case Disposizione::SoloBasic:
    case Disposizione::SoloAsm: {
      const double g = (H - 0.87 * H - altezzaEtichetta) / 3;
      const QRect area(sinistra, qRound(g), qRound(0.92 * W), qRound(0.87 * H));
      const bool basic = disposizione == Disposizione::SoloBasic;
      (basic ? textBasic_ : textAsm_)->setGeometry(area);
      textBasic_->setVisible(basic);
      textAsm_->setVisible(!basic);
      return;
    }
  }
}

// The layout cycle: side by side (then 1), stacked (2), BASIC alone (3),
// assembly alone (4), side by side again; the window takes 90% of the screen
// each time and the button rows are placed by the first layout only.
void MainWindow::CambiaLayout() {
  QSize schermo = ambiente_.schermo ? ambiente_.schermo() : QSize();
  if (!schermo.isValid()) {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    schermo = s ? s->geometry().size() : QSize(1024, 768);
  }
  resize(qRound(0.9 * schermo.width()), qRound(0.9 * schermo.height()));
  // The central area takes what the menu bar, the toolbar and the bench
  // leave (a hidden window too: the layout places it at once).
  if (layout()) {
    layout()->invalidate();
    layout()->activate();
  }
  const int w = area_->width();
  const int h = area_->height();
  dimensioneApplicata_ = QSize(w, h);

  Disposizione disposizione = Disposizione::Affiancati;
  int prossimo = 1;
  switch (modoLayout_) {
    case 1: disposizione = Disposizione::Impilati; prossimo = 2; break;
    case 2: disposizione = Disposizione::SoloBasic; prossimo = 3; break;
    case 3: disposizione = Disposizione::SoloAsm; prossimo = 4; break;
    default: break;
  }
  if (modoLayout_ == 0) posizionaRighe(w, h);
  posizionaPannelli(disposizione, w, h);
  adattaPannelli();
  disposizione_ = disposizione;
  modoLayout_ = prossimo;
}

// A central area resized (by the user, or by the bench opening beside it)
// keeps its current layout at the new size.
void MainWindow::areaRidimensionata() {
  if (modoLayout_ == 0 || area_->size() == dimensioneApplicata_) return;
  dimensioneApplicata_ = area_->size();
  posizionaRighe(area_->width(), area_->height());
  posizionaPannelli(disposizione_, area_->width(), area_->height());
  adattaPannelli();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == area_) {
    if (event->type() == QEvent::Resize) areaRidimensionata();
    return QMainWindow::eventFilter(watched, event);
  }
  if ((watched == textBasic_->viewport() || watched == textAsm_->viewport()) && trascinamento(event)) return true;
  // The bar takes its own height under the BASIC pane when it appears or
  // goes, and when its replace row does (Ctrl+H on the open find bar).
  if (watched == barraRicerca_ && (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent ||
                                   (event->type() == QEvent::LayoutRequest && barraRicerca_->isVisibleTo(this)))) {
    posizionaPannelli(disposizione_, area_->width(), area_->height());
    adattaPannelli();
  }
  if (event->type() == QEvent::MouseButtonDblClick) {
    if (watched == textBasic_->viewport() || watched == textAsm_->viewport()) {
      modoLayout_ = watched == textBasic_->viewport() ? 2 : 3;
      CambiaLayout();
    }
  }
  if (event->type() == QEvent::MouseButtonRelease && (watched == label1_ || watched == label2_)) {
    ApriImpostazioni();
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

// ---- Translate ----

// Translates the BASIC text into the assembly pane; the message box then shows
// the report (and a line for each warning), or the error block with the
// cursor put on the faulty line.
void MainWindow::Traduci() {
  if (textBasic_->toPlainText().trimmed().isEmpty()) return;
  TranslationResult risultato;
  if (!traduci(risultato)) return;
  QString rapporto = QString::fromStdString(risultato.report);
  for (const SourceMessage& avviso : risultato.warnings) {
    if (!rapporto.isEmpty() && !rapporto.endsWith(QLatin1Char('\n'))) rapporto += QStringLiteral("\r\n");
    rapporto += (avviso.line > 0 ? QStringLiteral("Avviso (riga %1): ").arg(avviso.line) : QStringLiteral("Avviso: ")) +
                QString::fromStdString(avviso.message);
  }
  MostraMessaggio(ambiente_, rapporto);
}

bool MainWindow::traduci(TranslationResult& risultato) {
  ImpostaSfondo(command1_, Rgb(255, 70, 70));
  command1_->setText(QStringLiteral("Wait..."));
  command1_->setEnabled(false);
  command1_->repaint();

  TranslateOptions opzioni;
  opzioni.programPath = FileCorrente().toStdString();
  const QString punto = QLocale().decimalPoint();
  opzioni.decimalSeparator = punto.size() == 1 && punto[0].unicode() < 128 ? static_cast<char>(punto[0].unicode()) : '.';
  const QByteArray sorgente = testoBasicCrLf().toUtf8();
  const std::string_view testo(sorgente.constData(), static_cast<size_t>(sorgente.size()));
  risultato = build_->translate(testo, opzioni);

  if (risultato.finalLineEndAdded) {
    QTextCursor fine(textBasic_->document());
    fine.movePosition(QTextCursor::End);
    fine.insertText(QStringLiteral("\n"));
  }
  const QString assembly = QString::fromStdString(risultato.assembly);
  impostaTestoAsm(assembly);
  documento_.setTranslation(risultato);

  command1_->setEnabled(true);
  command1_->setText(QStringLiteral("Translate"));
  ImpostaSfondo(command1_, SfondoDi(command9_));

  if (!risultato.ok) {
    basicTradotto_ = false;
    textBasic_->clearLineFigures();
    MostraMessaggio(ambiente_, assembly);
    mostraCursoreErrore(risultato);
    return false;
  }
  // The words column and the links hold until either pane is edited.
  QMap<int, int> parole;
  for (const LineWords& riga : risultato.words) parole.insert(riga.line, riga.words);
  textBasic_->setLineFigures(parole);
  righeSorgente_ = risultato.assemblyLineSources;
  basicTradotto_ = true;
  asmTradotto_ = true;
  collegaDaBasic();
  return true;
}

// The error's own line when the translator gives one; otherwise the first
// line that reads like the statement of the error block.
void MainWindow::mostraCursoreErrore(const TranslationResult& risultato) {
  int riga = risultato.errorLine - 1;
  if (riga < 0 || riga >= textBasic_->blockCount())
    riga = RigaDellIstruzione(textBasic_->toPlainText(), IstruzioneDelBlocco(QString::fromStdString(risultato.assembly)));
  if (riga < 0) return;
  QTextCursor cursore(textBasic_->document()->findBlockByNumber(riga));
  cursore.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  textBasic_->setTextCursor(cursore);
  textBasic_->ensureCursorVisible();
  textBasic_->setFocus();
}

// ---- Files ----

// Save BASIC: the text exactly as it stands (CR LF line ends, UTF-8, no line
// end added) to the path chosen in the dialog, which stays the current file.
QString MainWindow::scegliFile(const QString& proposto, const QString& titolo) {
  const QString scelto = ScegliFile(ambiente_, proposto, titolo, this);
  update();
  return scelto;
}

void MainWindow::salvaBasic() {
  if (textBasic_->toPlainText().trimmed().isEmpty()) return;
  const QString scelto = scegliFile(FileCorrente(), QStringLiteral("Salvataggio File"));
  if (scelto.isEmpty()) return;
  FileCorrente() = scelto;
  QString errore;
  if (!ScriviFile(FileCorrente(), testoBasicCrLf().toUtf8(), errore)) {
    MostraMessaggio(ambiente_, QStringLiteral("Impossibile salvare il file ") + FileCorrente() + QStringLiteral("\r\nErrore: ") +
                    errore);
    return;
  }
  documento_.setChanged(0);
  recupero_->setOriginalPath(FileCorrente());
  recupero_->saved();
}

void MainWindow::SalvaBasic() { salvaBasic(); }

// Open: after offering to save a changed text, reads the chosen file into the
// BASIC editor and makes it the current file.
void MainWindow::ApriBasic() {
  offriSalvataggio();
  const QString scelto = scegliFile(FileCorrente(), QStringLiteral("Apertura File"));
  if (scelto.isEmpty()) return;
  caricaFile(scelto);
}

void MainWindow::ApriFile(const QString& percorso) {
  offriSalvataggio();
  caricaFile(percorso);
}

void MainWindow::offriSalvataggio() {
  if (documento_.changed() != 0 &&
      ChiediSiNo(ambiente_, QStringLiteral("***ATTENZIONE***\r\nSalvare le modifiche effettuate ?"), TitoloMessaggi())) {
    salvaBasic();
    documento_.setChanged(0);
    ambiente_.Pausa(200);
  }
}

void MainWindow::caricaFile(const QString& scelto) {
  QString testo;
  QString errore;
  if (!LeggiTesto(scelto, testo, errore)) {
    MostraMessaggio(ambiente_, QStringLiteral("Impossibile aprire il file ") + scelto + QStringLiteral("\r\nErrore: ") +
                                   errore);
    return;
  }
  FileCorrente() = scelto;
  impostaTestoBasic(testo);
  documento_.setChanged(0);
  setWindowTitle(FileCorrente());
  impostaTestoAsm(QString());
}

// Save assembly: the pane's text and one CR LF; the chosen path becomes the
// current file, the text-modified flag is left alone.
void MainWindow::SalvaAsm() {
  if (textAsm_->toPlainText().trimmed().isEmpty()) return;
  const QString scelto = scegliFile(FileCorrente(), QStringLiteral("Salvataggio File ASM"));
  if (scelto.isEmpty()) return;
  FileCorrente() = scelto;
  const std::string dati = AssemblyFileBytes(ConCrLf(textAsm_->toPlainText()).toStdString());
  QString errore;
  if (!ScriviFile(FileCorrente(), QByteArray::fromStdString(dati), errore))
    MostraMessaggio(ambiente_, QStringLiteral("Impossibile salvare il file ") + FileCorrente() +
                                   QStringLiteral("\r\nErrore: ") + errore);
}

void MainWindow::NuovoProgramma() {
  if (documento_.changed() != 0) salvaBasic();
  textBasic_->clear();
  textAsm_->clear();
  FileCorrente().clear();
  setWindowTitle(titoloProgramma_);
  documento_.setChanged(0);
}

void MainWindow::SvuotaAsm() { textAsm_->clear(); }

// PIC16F84.DEF: written where the user chooses (proposed "Pic16F84.Def"), or
// shown in the assembly pane when it cannot be written or on request.
void MainWindow::ScriviDefinizioni() {
  const QString definizioni = QString::fromStdString(DefinitionsText());
  const QString scelto = scegliFile(QStringLiteral("Pic16F84.Def"), QStringLiteral("Salvataggio File"));
  if (!scelto.isEmpty()) {
    QString errore;
    if (!ScriviFile(scelto, QByteArray::fromStdString(DefinitionsFileBytes()), errore)) {
      MostraMessaggio(ambiente_, QStringLiteral("Impossibile aprire il file ") + scelto +
                                     QStringLiteral("\r\nErrore: ") + errore);
      impostaTestoAsm(definizioni);
    }
  } else if (ChiediSiNo(ambiente_, QStringLiteral("Vuoi vedere il file PIC16F84.DEF nel campo riservato alla codifica ASM ?"),
                        TitoloMessaggi())) {
    impostaTestoAsm(definizioni);
  }
}

// ---- Printing ----

void MainWindow::stampa(QPlainTextEdit* editor) {
  const QString testo = editor->toPlainText();
  if (testo.trimmed().isEmpty()) return;
  if (!ChiediSiNo(ambiente_, QStringLiteral("Eseguo la stampa ?"), TitoloMessaggi())) return;
  StampaTesto(ambiente_, testo + QLatin1Char('\n'), editor->font().family(), editor->font().pointSizeF(), this);
}

void MainWindow::StampaBasic() { stampa(textBasic_); }
void MainWindow::StampaAsm() { stampa(textAsm_); }

// ---- The other windows ----

void MainWindow::ApriHelp() {
  if (help_) {
    help_->show();
    help_->raise();
    help_->activateWindow();
    return;
  }
  help_ = new tools::HelpBrowser(ambiente_, dataVersione_, valori_.CartellaLavoro, this);
  help_->show();
}

// "Apri nell'editor" puts the chosen example into the BASIC editor as a new
// program, after offering to save a changed text (as Apri does).
void MainWindow::ApriEsempi() {
  tools::ExamplesWindow esempi(ambiente_, this);
  esempi.exec();
  if (esempi.EsempioScelto().isEmpty()) return;
  offriSalvataggio();
  FileCorrente().clear();
  impostaTestoBasic(tools::TestoEsempio(esempi.EsempioScelto()));
  documento_.setChanged(0);
  setWindowTitle(titoloProgramma_);
  impostaTestoAsm(QString());
}

void MainWindow::ApriCalcolatoreTimer() {
  tools::Tmr0Calculator calcolatore(ambiente_, valori_.ValoreFrequenza, valori_.ValorePrescaler, valori_.ValoreTMR0,
                                    this);
  calcolatore.exec();
  valori_.ValoreFrequenza = calcolatore.ValoreFrequenza();
  valori_.ValorePrescaler = calcolatore.ValorePrescaler();
  valori_.ValoreTMR0 = calcolatore.ValoreTMR0();
  update();
}

void MainWindow::ApriDebug() {
  tools::DebugDump dump(traduttore_.State(), documento_.changed(), this);
  dump.exec();
}

void MainWindow::ApriBackup() {
  BackupManager backup(ambiente_, valori_.CartellaLavoro, textBasic_->toPlainText(), this);
  backup.exec();
  valori_.CartellaLavoro = backup.CartellaLavoro();
  if (backup.Ripristinato()) textBasic_->setPlainText(backup.TestoRipristinato());
}

// The settings window shows each change on the editors as the user makes it;
// its values become the window's, and are saved when something changed.
void MainWindow::ApriImpostazioni() {
  valori_.FileCorrente = documento_.file();
  SettingsWindow impostazioni(valori_, this);
  connect(&impostazioni, &SettingsWindow::Anteprima, this, [this](const Impostazioni& valori) {
    Impostazioni anteprima = valori;
    ApplicaConfigurazione(anteprima, Aspetto());
    applicaColoriEditor();
  });
  impostazioni.exec();
  valori_ = impostazioni.Valori();
  ApplicaConfigurazione(valori_, Aspetto());
  applicaColoriEditor();
  if (impostazioni.Modificato()) SalvaConfigurazione(ambiente_, valori_);
}

// Closing: offers the save dialog for a changed text (no question), writes the
// settings and signals the end (the help browser follows it).
void MainWindow::closeEvent(QCloseEvent* event) {
  if (flagChiusura_) {
    event->accept();
    return;
  }
  if (documento_.changed() != 0) salvaBasic();
  // A text still unsaved (its save dialog was cancelled) keeps a recovery
  // copy of what it is now, so the next start offers it back.
  if (documento_.changed() != 0 && !textBasic_->toPlainText().trimmed().isEmpty() && recupero_->writeNow())
    recupero_->setModified(false);
  else
    recupero_->closedNormally();
  salvaStatoBanco();
  valori_.FileCorrente = documento_.file();
  SalvaConfigurazione(ambiente_, valori_);
  flagChiusura_ = true;
  event->accept();
  emit Chiusa();
}

// ---- Assemble and simulate ----

MainWindow::~MainWindow() = default;

// "Assembla" sits after "Translate" in the assembly row, in the row's colour;
// F6 assembles, F9 assembles and simulates (the Programma menu's actions).
void MainWindow::createAssembleAction() {
  assembla_ = nuovoPulsante(QStringLiteral("Assembla"), QStringLiteral("Assembla"), SfondoDi(command9_));
  assembla_->setToolTip(QStringLiteral("F6 (F9: assembla e simula)"));
  rigaAsm_.insert(rigaAsm_.indexOf(command1_) + 1, assembla_);
  connect(assembla_, &QPushButton::clicked, this, &MainWindow::Assembla);
}

void MainWindow::Assembla() { assembla(false); }
void MainWindow::Simula() { assembla(true); }

simulator::SimulatorWindow* MainWindow::Simulatore() const { return simulatore_.data(); }

// Translates when needed, then gpasm through the build service; the window
// goes on meanwhile and fineAssemblaggio takes the outcome.
void MainWindow::assembla(bool poiSimula, std::function<void()> poi) {
  if (Assemblando() || textBasic_->toPlainText().trimmed().isEmpty()) return;
  if (toolchain::FindTool("gpasm").empty()) {
    MostraMessaggio(ambiente_, QString::fromStdString(toolchain::MissingToolMessage("gpasm")));
    return;
  }
  // The assembly pane is kept as it stands (a hand edit included) while it
  // belongs to the BASIC text; otherwise the text is translated first.
  if (!basicTradotto_ || textAsm_->toPlainText().trimmed().isEmpty()) {
    TranslationResult risultato;
    if (!traduci(risultato)) {
      if (simulatore_ && poiSimula)
        simulatore_->showProblem(QStringLiteral("Il programma Basic ha un errore: correggerlo (il cursore è sulla "
                                                "riga) e premere di nuovo Esegui."));
      return;
    }
  }
  righeInCostruzione_ = asmTradotto_ ? righeSorgente_ : std::vector<int>{};
  revisioneInCostruzione_ = documento_.revision();
  poiSimula_ = poiSimula;
  poi_ = std::move(poi);
  const std::string dati = AssemblyFileBytes(ConCrLf(textAsm_->toPlainText()).toStdString());
  assemblaggioInAttesa_ = true;
  assembla_->setEnabled(false);
  assembla_->setText(QStringLiteral("Attendere..."));
  aggiornaAzioniSimulazione();
  build_->assemble(percorsoAssemblaggio(), dati);
}

// Beside the BASIC file; a program never saved goes to the work folder as
// "programma".
QString MainWindow::percorsoAssemblaggio() const {
  if (!documento_.file().isEmpty()) return documento_.file();
  const QString cartella = valori_.CartellaLavoro.isEmpty() ? ambiente_.CartellaCorrente() : valori_.CartellaLavoro;
  return QDir(cartella).filePath(QStringLiteral("programma.bas"));
}

// The outcome and gpasm's errors and warnings in the message box; after F9
// (or Esegui and Passo on a changed text) a success goes straight to the
// bench.
void MainWindow::fineAssemblaggio(const toolchain::AssembleResult& risultato) {
  assemblaggioInAttesa_ = false;
  assembla_->setEnabled(true);
  assembla_->setText(QStringLiteral("Assembla"));
  aggiornaAzioniSimulazione();
  const bool poiSimula = poiSimula_;
  auto poi = std::move(poi_);
  poi_ = {};
  if (flagChiusura_) return;
  if (risultato.ok && poiSimula) {
    openSimulator(QString::fromStdString(risultato.codPath), righeInCostruzione_, std::move(poi));
    return;
  }
  // gpasm's errors and warnings on their Basic lines, in Italian with
  // gpasm's own words; the cursor goes to the first error's line.
  QString testo = QString::fromStdString(toolchain::AssembleSummary(risultato));
  int rigaErrore = 0;
  if (!risultato.toolFailed) {
    const std::string nomeAsm = std::filesystem::path(risultato.asmPath).filename().string();
    const std::string nomeBasic = QFileInfo(percorsoAssemblaggio()).fileName().toStdString();
    for (const toolchain::AssemblerDiagnostic& d :
         toolchain::MapAssemblerLines(risultato.lines, nomeAsm, righeInCostruzione_)) {
      testo += QStringLiteral("\r\n") + QString::fromStdString(toolchain::FormatDiagnostic(nomeBasic, d));
      if (rigaErrore == 0 && d.kind == toolchain::AssemblerDiagnostic::Kind::Error) rigaErrore = d.basicLine;
    }
  }
  if (rigaErrore > 0) {
    textBasic_->goToLine(rigaErrore);
    textBasic_->setFocus();
  }
  if (simulatore_ && poiSimula) simulatore_->showProblem(QString::fromStdString(risultato.error));
  MostraMessaggio(ambiente_, testo);
}

// The bench, docked beside the panes (made on the first F9), loads the
// program built from revision `revisioneInCostruzione_` of the text. Its
// crystal starts at the TMR0 calculator's frequency, and follows it when
// the calculator changes it.
void MainWindow::openSimulator(const QString& percorsoCod, const std::vector<int>& righe, std::function<void()> poi) {
  apriBanco();
  if (frequenzaApplicata_ != valori_.ValoreFrequenza) {
    frequenzaApplicata_ = valori_.ValoreFrequenza;
    simulatore_->setFrequency(frequenzaQuarzo());
  }
  // The variables come from the translation when the assembly pane is its
  // own (righe are then its lines); an assembly edited by hand is read.
  const std::vector<DeclaredVariable>* variabili = righe.empty() ? nullptr : &documento_.translation().variables;
  if (!simulatore_->setProgram(percorsoCod, textAsm_->toPlainText(), righe, variabili)) return;
  revisioneBanco_ = revisioneInCostruzione_;
  asmModificatoDopoBanco_ = false;
  simulatore_->setStale(BancoSuperato());
  if (poi)
    simulatore_->whenReady(std::move(poi));
  else
    simulatore_->runWhenReady();
}

// The TMR0 calculator's crystal (MHz), in Hz; 4 MHz when it holds none the
// simulator can use.
long MainWindow::frequenzaQuarzo() const {
  const double mhz = tools::ValoreNumerico(valori_.ValoreFrequenza);
  if (!(mhz >= 0.001 && mhz <= 40.0)) return 4000000;
  return std::lround(mhz * 1e6);
}

// ---- Linked panes ----

void MainWindow::createLinkedPanes() {
  connect(textBasic_, &editor::CodeEditor::textEdited, this, [this] {
    basicTradotto_ = false;
    scollegaPannelli();
  });
  connect(textAsm_, &editor::CodeEditor::textEdited, this, [this] {
    asmTradotto_ = false;
    scollegaPannelli();
  });
  connect(textBasic_, &QPlainTextEdit::cursorPositionChanged, this, &MainWindow::collegaDaBasic);
  connect(textAsm_, &QPlainTextEdit::cursorPositionChanged, this, &MainWindow::collegaDaAsm);
}

namespace {

// The assembly lines (from 1) generated from BASIC line `riga`.
QSet<int> IstruzioniDellaRiga(const std::vector<int>& righeSorgente, int riga) {
  QSet<int> istruzioni;
  for (size_t i = 0; i < righeSorgente.size(); ++i)
    if (righeSorgente[i] == riga) istruzioni.insert(static_cast<int>(i) + 1);
  return istruzioni;
}

}  // namespace

// The cursor's BASIC line: its instructions highlighted in the assembly pane,
// the first of them scrolled into view.
void MainWindow::collegaDaBasic() {
  if (!basicTradotto_ || !asmTradotto_) return;
  const QSet<int> istruzioni = IstruzioniDellaRiga(righeSorgente_, textBasic_->currentLine());
  textBasic_->setHighlightedLines(editor::CodeEditor::LineRole::Linked, {});
  textAsm_->setHighlightedLines(editor::CodeEditor::LineRole::Linked, istruzioni);
  if (!istruzioni.isEmpty()) textAsm_->scrollLineIntoView(*std::min_element(istruzioni.begin(), istruzioni.end()));
}

// The cursor's instruction: its BASIC line highlighted (and scrolled into
// view), and the other instructions of that line with it.
void MainWindow::collegaDaAsm() {
  if (!basicTradotto_ || !asmTradotto_) return;
  const size_t riga = static_cast<size_t>(textAsm_->currentLine());
  const int basic = riga <= righeSorgente_.size() ? righeSorgente_[riga - 1] : 0;
  textBasic_->setHighlightedLines(editor::CodeEditor::LineRole::Linked, basic > 0 ? QSet<int>{basic} : QSet<int>{});
  textAsm_->setHighlightedLines(editor::CodeEditor::LineRole::Linked,
                                basic > 0 ? IstruzioniDellaRiga(righeSorgente_, basic) : QSet<int>{});
  if (basic > 0) textBasic_->scrollLineIntoView(basic);
}

void MainWindow::scollegaPannelli() {
  textBasic_->setHighlightedLines(editor::CodeEditor::LineRole::Linked, {});
  textAsm_->setHighlightedLines(editor::CodeEditor::LineRole::Linked, {});
}

}  // namespace velmora::ui

namespace velmora::ui {

// ---- Menus and the bench ----

void MainWindow::createActions() {
  const QList<QAction*> simulazione = CreateMenus(*this);
  banco_->addActions(simulazione);  // their keys work in the floating bench too
  aggiornaAzioniSimulazione();
}

// The window's own actions, and the dock's show/hide (not the bench's buttons' actions).
QAction* MainWindow::Azione(const QString& nome) const {
  if (QAction* a = findChild<QAction*>(nome, Qt::FindDirectChildrenOnly)) return a;
  return banco_->toggleViewAction()->objectName() == nome ? banco_->toggleViewAction() : nullptr;
}

void MainWindow::aggiornaAzioniSimulazione() {
  if (!Azione(QStringLiteral("esegui"))) return;
  // Without a bench, Esegui and the Passo commands build and open it.
  const auto propria = [this](const char* nome) -> QAction* {
    return simulatore_ ? simulatore_->findChild<QAction*>(QLatin1String(nome)) : nullptr;
  };
  const bool costruibile = !Assemblando();
  for (const char* nome : {"esegui", "passo", "passo_istruzione", "fino_al_cursore"}) {
    QAction* sua = propria(nome);
    Azione(QLatin1String(nome))->setEnabled(costruibile && (!sua || sua->isEnabled() || BancoSuperato()));
  }
  // Step over and step out act through the bench's own actions of those
  // names, once the bench has them.
  for (const char* nome : {"passo_sopra", "esci_sub"}) {
    QAction* sua = propria(nome);
    Azione(QLatin1String(nome))->setEnabled(sua && sua->isEnabled());
  }
  for (const char* nome : {"pausa", "reset"}) {
    QAction* sua = propria(nome);
    Azione(QLatin1String(nome))->setEnabled(sua && sua->isEnabled());
  }
}

void MainWindow::createBench() {
  banco_ = new QDockWidget(QStringLiteral("Simulatore"), this);
  banco_->setObjectName(QStringLiteral("BancoSimulazione"));
  banco_->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                      QDockWidget::DockWidgetFloatable);
  banco_->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea | Qt::BottomDockWidgetArea);
  addDockWidget(Qt::RightDockWidgetArea, banco_);
  banco_->hide();
  // Closed (its button) or hidden: the run pauses and nothing stays lit.
  connect(banco_, &QDockWidget::visibilityChanged, this, [this](bool visibile) {
    if (visibile && !simulatore_) apriBanco();
  });
  connect(&documento_, &ProgramDocument::textChanged, this, &MainWindow::bancoSuperato);
  // A new translation replaces the assembly pane the bench's lines refer to.
  connect(&documento_, &ProgramDocument::translated, this, [this] {
    asmModificatoDopoBanco_ = true;
    bancoSuperato();
  });
  connect(textAsm_, &editor::CodeEditor::textEdited, this, [this] {
    asmModificatoDopoBanco_ = true;
    bancoSuperato();
  });
}

QString MainWindow::fileStatoFinestra() const {
  const QString cartella = valori_.CartellaLavoro.isEmpty() ? ambiente_.CartellaDati() : valori_.CartellaLavoro;
  return QDir(cartella).filePath(QStringLiteral("finestra.ini"));
}

void MainWindow::salvaStatoBanco() {
  QSettings stato(fileStatoFinestra(), QSettings::IniFormat);
  stato.setValue(QStringLiteral("finestra/stato"), saveState());
}

void MainWindow::apriBanco() {
  const bool nuovo = !simulatore_;
  if (nuovo) {
    simulatore_ = new simulator::SimulatorWindow(banco_);
    simulatore_->setWindowFlags(Qt::Widget);  // a panel of the dock, not a window of its own
    simulatore_->setObjectName(QStringLiteral("Simulatore"));
    // The menus' actions carry the keys, in the whole window and in the
    // floating bench; the bench's own buttons keep theirs as tooltips only.
    for (QAction* a : simulatore_->actions()) a->setShortcut(QKeySequence());
    simulatore_->setEditors(textBasic_, textAsm_);
    simulatore_->setGate([this](std::function<void()> comando) { assembla(true, std::move(comando)); });
    for (QAction* a : simulatore_->findChildren<QAction*>())
      connect(a, &QAction::changed, this, &MainWindow::aggiornaAzioniSimulazione);
    simulatore_->resize(460, area_->height());  // laid out narrow, so the dock can be narrow
    simulatore_->arrange();
    banco_->setWidget(simulatore_);
    frequenzaApplicata_ = valori_.ValoreFrequenza;
    simulatore_->setFrequency(frequenzaQuarzo());
  }
  const bool visibile = banco_->isVisible();
  banco_->show();
  banco_->raise();
  if (!visibile && !banco_->isFloating())  // about two fifths of the window, the panes keep the rest
    resizeDocks({banco_}, {qMax(460, width() * 2 / 5)}, Qt::Horizontal);
  if (nuovo || !visibile) simulatore_->focusRunControls();
  aggiornaAzioniSimulazione();
}

bool MainWindow::BancoSuperato() const {
  return !simulatore_ || revisioneBanco_ == 0 || revisioneBanco_ != documento_.revision() || asmModificatoDopoBanco_;
}

void MainWindow::bancoSuperato() {
  if (simulatore_ && simulatore_->controller().hasProgram() && BancoSuperato() && !simulatore_->stale())
    simulatore_->setStale(true);
  aggiornaAzioniSimulazione();
}

void MainWindow::suBanco(void (simulator::SimulatorWindow::*comando)()) {
  if (!simulatore_ || !simulatore_->controller().hasProgram()) {
    assembla(true, [this, comando] { ((*simulatore_).*comando)(); });
    return;
  }
  apriBanco();
  ((*simulatore_).*comando)();
}

void MainWindow::Esegui() { suBanco(&simulator::SimulatorWindow::run); }
void MainWindow::Passo() { suBanco(&simulator::SimulatorWindow::stepLine); }
void MainWindow::PassoIstruzione() { suBanco(&simulator::SimulatorWindow::stepInstruction); }
void MainWindow::EseguiFinoAlCursore() { suBanco(&simulator::SimulatorWindow::runToCursor); }

void MainWindow::Pausa() {
  if (simulatore_) simulatore_->pause();
}

void MainWindow::ResetChip() {
  if (simulatore_) simulatore_->reset();
}

void MainWindow::PassoSopra() {
  if (QAction* sua = simulatore_ ? simulatore_->findChild<QAction*>(QStringLiteral("passo_sopra")) : nullptr) sua->trigger();
}

void MainWindow::EsciDallaSub() {
  if (QAction* sua = simulatore_ ? simulatore_->findChild<QAction*>(QStringLiteral("esci_sub")) : nullptr) sua->trigger();
}

void MainWindow::PuntoDiInterruzione() { textBasic_->toggleBreakpoint(textBasic_->currentLine()); }

void MainWindow::ApriCalcolatoreWait() {
  auto* calcolatore = new tools::WaitCalculator(this);
  calcolatore->setWindowFlag(Qt::Window);
  calcolatore->setAttribute(Qt::WA_DeleteOnClose);
  calcolatore->show();
}

// The teacher's window. A double click on a student's row opens that program
// here (after the offer to save a changed text) with the cursor on the line
// of its error.
void MainWindow::ApriCorrezioneClasse() {
  auto* correzione = new tools::ClassGradingWindow(this);
  correzione->setWindowFlag(Qt::Window);
  correzione->setAttribute(Qt::WA_DeleteOnClose);
  connect(correzione, &tools::ClassGradingWindow::programRequested, this, [this](const QString& percorso, int riga) {
    ApriFile(percorso);
    if (FileCorrente() == percorso && riga > 0) textBasic_->goToLine(riga);
    raise();
    activateWindow();
  });
  correzione->show();
}

void MainWindow::ApriGuida() {
  tools::GuideWindow guida(ambiente_, dataVersione_, valori_.CartellaLavoro, this);
  guida.exec();
}

void MainWindow::Informazioni() {
  MostraMessaggio(ambiente_, titoloProgramma_ + QStringLiteral("\r\nVersione ") + QApplication::applicationVersion() +
                                 QStringLiteral(" (") + dataVersione_ + QStringLiteral(")"));
}

}  // namespace velmora::ui
