#include "examples_window.h"

#include <QEvent>
#include <QFile>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>

#include <iterator>

#include "message_box.h"
#include "printing.h"

// The resources of a static library are registered by the program that uses them.
static void RegistraRisorseEsempi() { Q_INIT_RESOURCE(examples); }

namespace velmora::tools {

namespace {

struct Esempio {
  const char* file;
  const char* titolo;
};

// The programs live in examples/ and are built into the program as
// resources (tools/examples.qrc), so there is one copy of each.
const Esempio kEsempi[] = {
    {"configurazione_io.bas", "Configurazione delle porte I/O"},
    {"lettura_eeprom.bas", "Lettura della memoria EEPROM dati"},
    {"interrupt_b0.bas", "Interrupt su B0/INT"},
    {"lettura_linee_a.bas", "Lettura delle linee A0-A4 in un byte"},
    // The programs of the board and the logic analyser; the first two have
    // their board (.scheda) beside them in examples/.
    {"lampeggio_wait.bas", "Lampeggio di un LED con WAIT"},
    {"contatore_pulsante.bas", "Contatore a pulsante su un display a 7 segmenti"},
    {"contatore_7seg.bas", "Contatore da 0 a 9 su un display a 7 segmenti"},
};

const char* const kPrimaRiga = "(Doppio click con il mouse per eseguire una stampa)";

// A box of BASIC comment lines between two programs.
QStringList Separatore(int numero, const QString& titoloSeguente) {
  const QString bordo = QStringLiteral("'") + QString(62, QLatin1Char('#'));
  QString testo = QStringLiteral("'#  Fine dell'esempio %1").arg(numero);
  if (!titoloSeguente.isEmpty())
    testo += QStringLiteral(" - segue l'esempio %1: ").arg(numero + 1) + titoloSeguente;
  return {bordo, testo, bordo};
}

}  // namespace

const QStringList& FileEsempi() {
  static const QStringList nomi = [] {
    QStringList l;
    for (const Esempio& e : kEsempi) l << QString::fromLatin1(e.file);
    return l;
  }();
  return nomi;
}

QString TestoEsempio(const QString& nome) {
  static const bool registrate = (RegistraRisorseEsempi(), true);
  Q_UNUSED(registrate);
  QFile file(QStringLiteral(":/esempi/") + nome);
  if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("' (programma non disponibile)");
  return QString::fromUtf8(file.readAll());
}

QString TestoEsempi() {
  QStringList righe;
  righe << QString::fromLatin1(kPrimaRiga) << QString();
  const int quanti = static_cast<int>(std::size(kEsempi));
  for (int i = 0; i < quanti; ++i) {
    QString programma = TestoEsempio(QString::fromLatin1(kEsempi[i].file));
    programma.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    while (programma.endsWith(QLatin1Char('\n'))) programma.chop(1);
    righe << programma.split(QLatin1Char('\n')) << QString();
    const QString seguente = i + 1 < quanti ? QString::fromUtf8(kEsempi[i + 1].titolo) : QString();
    righe << Separatore(i + 1, seguente) << QString();
  }
  return righe.join(QStringLiteral("\r\n"));
}

ExamplesWindow::ExamplesWindow(const ui::Ambiente& ambiente, QWidget* parent)
    : QDialog(parent), ambiente_(ambiente) {
  createControls();
  createLayout();
}

void ExamplesWindow::createControls() {
  setWindowTitle(QStringLiteral("Esempi per il programma Velmora."));
  setModal(true);
  text1_ = new QPlainTextEdit(this);
  text1_->setObjectName("Text1");
  text1_->setReadOnly(true);
  text1_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text1_->setFont(ui::FontConRipiego(QStringLiteral("Courier New"), 11));
  text1_->setPlainText(TestoEsempi());
  text1_->viewport()->installEventFilter(this);
}

// The window takes most of the screen and the text fills it.
void ExamplesWindow::createLayout() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(text1_);
  QSize dimensione(900, 700);
  if (const QScreen* schermo = QGuiApplication::primaryScreen()) {
    const QSize area = schermo->availableGeometry().size();
    dimensione = QSize(area.width() * 7 / 10, area.height() * 8 / 10);
  }
  resize(dimensione);
}

void ExamplesWindow::Stampa() {
  if (!ui::ChiediSiNo(ambiente_, QStringLiteral("Eseguo la stampa ?"))) return;
  const QFont font = text1_->font();
  ui::StampaTesto(ambiente_, TestoEsempi(), font.family(), font.pointSizeF(), this);
}

bool ExamplesWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == text1_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
    Stampa();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace velmora::tools
