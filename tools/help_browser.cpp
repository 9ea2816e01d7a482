// SPDX-License-Identifier: GPL-3.0-or-later
#include "help_browser.h"

#include <QDir>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "guide_window.h"
#include "file_io.h"
#include "help_pages.h"
#include "message_box.h"
#include "package_picture.h"
#include "printing.h"
#include "wait_calculator.h"

namespace velmora::tools {

namespace {

const char* const kNomeEsportazione = "TMP-HELP.TXT";

// QPlainTextEdit keeps '\n' between lines; the page keeps CR LF.
QString PerVisualizzare(QString testo) { return testo.replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

}  // namespace

HelpBrowser::HelpBrowser(const ui::Ambiente& ambiente, const QString& dataVersione,
                         const QString& cartellaLavoro, QWidget* parent)
    : QWidget(parent, Qt::Window), dataVersione_(dataVersione), cartellaLavoro_(cartellaLavoro), ambiente_(ambiente) {
  createControls();
  createLayout();
  connectSignals();
  MostraTesto(IntroduzioneHelp());
}

void HelpBrowser::createControls() {
  setWindowTitle(QStringLiteral("Velmora Help"));
  setAttribute(Qt::WA_DeleteOnClose);
  setMouseTracking(true);

  label1_ = new QLabel(QStringLiteral("Velmora Help"), this);
  label1_->setObjectName("Label1");
  QFont grande = label1_->font();
  grande.setPointSizeF(grande.pointSizeF() * 1.6);
  grande.setBold(true);
  label1_->setFont(grande);
  label1_->setAlignment(Qt::AlignCenter);
  label1_->setCursor(Qt::PointingHandCursor);
  label1_->setToolTip(QStringLiteral("Click per chiudere l'Help"));
  label1_->installEventFilter(this);

  list1_ = new QListWidget(this);
  list1_->setObjectName("List1");
  list1_->setFont(ui::FontConRipiego(QStringLiteral("Courier New"), 10));
  list1_->addItems(VociHelp());
  list1_->setMouseTracking(true);
  list1_->viewport()->setMouseTracking(true);
  list1_->viewport()->installEventFilter(this);
  const int larghezza = list1_->sizeHintForColumn(0) + 2 * list1_->frameWidth() + 24;
  list1_->setFixedWidth(larghezza);

  text1_ = new QPlainTextEdit(this);
  text1_->setObjectName("Text1");
  text1_->setReadOnly(true);
  text1_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text1_->setFont(ui::FontConRipiego(QStringLiteral("Courier New"), 10));
  text1_->setMouseTracking(true);
  text1_->viewport()->setMouseTracking(true);
  text1_->viewport()->installEventFilter(this);

  picture1_ = new PackagePicture(this);
  picture1_->setMouseTracking(true);
  picture1_->installEventFilter(this);
  picture1_->hide();
}

void HelpBrowser::createLayout() {
  auto* pagina = new QVBoxLayout;
  pagina->addWidget(text1_);
  pagina->addWidget(picture1_);

  auto* corpo = new QHBoxLayout;
  corpo->addWidget(list1_);
  corpo->addLayout(pagina, 1);

  // The margins are the window background: a click there closes the help.
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(14, 8, 14, 14);
  layout->addWidget(label1_);
  layout->addLayout(corpo, 1);
  resize(960, 640);
}

void HelpBrowser::connectSignals() {
  connect(list1_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { SelezionaVoce(list1_->row(item)); });
  connect(list1_, &QListWidget::currentRowChanged, this, [this](int riga) {
    if (riga >= 0) SelezionaVoce(riga);
  });
  connect(list1_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    if (item->text() == VoceGuida()) ApriGuida();
  });
}

void HelpBrowser::MostraTesto(const QString& testo) {
  pagina_ = testo;
  text1_->setPlainText(PerVisualizzare(testo));
}

void HelpBrowser::SelezionaVoce(int riga) {
  if (riga < 0 || riga >= list1_->count()) return;
  if (list1_->currentRow() != riga) {
    const QSignalBlocker blocco(list1_);
    list1_->setCurrentRow(riga);
  }
  const PaginaHelp p = ScegliPagina(list1_->item(riga)->text(), dataVersione_);
  picture1_->setVisible(p.mostraPackage);
  text1_->setVisible(!p.mostraPackage);
  MostraTesto(p.testo);
  if (p.apriCalcolatoreWait) ApriCalcolatoreWait();
}

bool HelpBrowser::PackageVisibile() const { return !picture1_->isHidden(); }

WaitCalculator* HelpBrowser::CalcolatoreWait() const { return calcolatoreWait_.data(); }

// Modeless beside the help; a second request brings the open one forward.
void HelpBrowser::ApriCalcolatoreWait() {
  if (!calcolatoreWait_) {
    calcolatoreWait_ = new WaitCalculator(parentWidget());
    calcolatoreWait_->setWindowFlag(Qt::Window);
    calcolatoreWait_->setAttribute(Qt::WA_DeleteOnClose);
  }
  calcolatoreWait_->show();
  calcolatoreWait_->raise();
  calcolatoreWait_->activateWindow();
}

void HelpBrowser::ApriGuida() {
  auto* guida = new GuideWindow(ambiente_, dataVersione_, cartellaLavoro_, this);
  guida->setAttribute(Qt::WA_DeleteOnClose);
  guida->open();
}

QString HelpBrowser::PercorsoEsportazione() const {
  const QString cartella = cartellaLavoro_.isEmpty() ? QDir::currentPath() : cartellaLavoro_;
  return QDir(cartella).filePath(QString::fromLatin1(kNomeEsportazione));
}

// Every entry that is not blank, in list order: the entry, its page, two
// lines holding one space. Selecting the entries here does not open the WAIT
// calculator.
bool HelpBrowser::EsportaHelp() {
  if (!ui::ChiediSiNo(ambiente_, QStringLiteral("Invio su file una copia dell'Help? "))) return false;
  const QString percorso = PercorsoEsportazione();

  const QString crlf = QStringLiteral("\r\n");
  QString testo;
  text1_->hide();
  for (int riga = 0; riga < list1_->count(); ++riga) {
    const QString voce = list1_->item(riga)->text();
    if (voce.trimmed().isEmpty()) continue;
    {
      const QSignalBlocker blocco(list1_);
      list1_->setCurrentRow(riga);
    }
    const PaginaHelp p = ScegliPagina(voce, dataVersione_);
    picture1_->setVisible(p.mostraPackage);
    MostraTesto(p.testo);
    testo += voce + crlf + pagina_ + crlf + QStringLiteral(" ") + crlf + QStringLiteral(" ") + crlf;
  }
  text1_->show();
  picture1_->hide();

  QString errore;
  if (!ui::ScriviFile(percorso, testo.toUtf8(), errore)) {
    ui::MostraMessaggio(ambiente_, QStringLiteral("Impossibile scrive l'Help su file. Errore: ") + errore +
                                       QStringLiteral("\n") + percorso);
    return false;
  }
  ui::MostraMessaggio(ambiente_, QStringLiteral("E' stato creato il file ") + percorso);
  return true;
}

bool HelpBrowser::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      if (watched == label1_) {
        close();
        return true;
      }
      break;
    case QEvent::MouseButtonDblClick:
      if (watched == text1_->viewport()) {
        EsportaHelp();
        return true;
      }
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

void HelpBrowser::mousePressEvent(QMouseEvent* event) {
  close();
  event->accept();
}

}  // namespace velmora::tools
