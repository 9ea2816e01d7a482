#include "file_dialog.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include "file_io.h"
#include "message_box.h"
#include "settings.h"

namespace velmora::ui {

namespace {

const char* const kCartellaProgrammi = "Velmora Programmi";

QString Unisci(const QString& cartella, const QString& nome) {
  return cartella.endsWith(QLatin1Char('/')) ? cartella + nome : cartella + QLatin1Char('/') + nome;
}

QString SenzaSeparatoreFinale(QString percorso) {
  while (percorso.size() > 1 && percorso.endsWith(QLatin1Char('/'))) percorso.chop(1);
  return percorso;
}

// The folder part of a path: the text before its last "/" ("/" for a file at
// the root, empty for a bare name).
QString CartellaDi(const QString& percorso) {
  const auto ultima = percorso.lastIndexOf(QLatin1Char('/'));
  if (ultima < 0) return {};
  if (ultima == 0) return QStringLiteral("/");
  return percorso.left(ultima);
}

// The system's reason why `cartella` cannot be listed; empty when it can.
QString ErroreLettura(const QString& cartella) {
  errno = 0;
  DIR* d = ::opendir(QFile::encodeName(cartella).constData());
  if (d) {
    ::closedir(d);
    return {};
  }
  return TestoErrore(errno);
}

bool ContieneFile(const QString& cartella) {
  return !QDir(cartella).entryList(QDir::Files | QDir::Hidden | QDir::System).isEmpty();
}

QString MessaggioErrore(const QString& testa, int codice) {
  return testa + QStringLiteral("\r\nErrore: ") + TestoErrore(codice) +
         QStringLiteral("\r\n(Codice errore ") + QString::number(codice) + QLatin1Char(')');
}

QString CodaErrore(int codice) {
  return TestoErrore(codice) + QStringLiteral("\r\n(Codice errore ") + QString::number(codice) +
         QLatin1Char(')');
}

}  // namespace

FormSelectFile::FormSelectFile(const Ambiente& ambiente, const QString& fileProposto,
                               const QString& titoloDialogo, QWidget* parent)
    : QDialog(parent), ambiente_(ambiente), fileCorrente_(fileProposto), titoloDialogo_(titoloDialogo) {
  createControls();
  createLayout();
  createConnections();
  apri();
}

void FormSelectFile::createControls() {
  setWindowTitle(QStringLiteral("Selezione file"));
  setObjectName(QStringLiteral("FormSelectFile"));
  setModal(true);

  labelTitolo_ = new QLabel(this);
  labelTitolo_->setObjectName(QStringLiteral("LabelTitolo"));
  labelTitolo_->setAlignment(Qt::AlignCenter);
  labelTitolo_->setAutoFillBackground(true);
  QFont grande = labelTitolo_->font();
  grande.setPointSizeF(grande.pointSizeF() * 1.5);
  grande.setBold(true);
  labelTitolo_->setFont(grande);

  drive1_ = new QComboBox(this);
  drive1_->setObjectName(QStringLiteral("Drive1"));
  dir1_ = new QListWidget(this);
  dir1_->setObjectName(QStringLiteral("Dir1"));
  file1_ = new QListWidget(this);
  file1_->setObjectName(QStringLiteral("File1"));
  fileTesto_ = new QLineEdit(this);
  fileTesto_->setObjectName(QStringLiteral("FileTesto"));

  btnOk_ = new QPushButton(QStringLiteral("OK"), this);
  btnOk_->setObjectName(QStringLiteral("BTNOK"));
  btnAnnulla_ = new QPushButton(QStringLiteral("ANNULLA"), this);
  btnAnnulla_->setObjectName(QStringLiteral("BTNAnnulla"));
  deleteFile_ = new QPushButton(QStringLiteral("CANCELLA"), this);
  deleteFile_->setObjectName(QStringLiteral("DeleteFile"));
  deleteFile_->setVisible(false);
  // Enter in the path field runs OK once, through the field's own signal.
  for (QPushButton* b : {btnOk_, btnAnnulla_, deleteFile_}) {
    b->setAutoDefault(false);
    b->setDefault(false);
  }

  label1_ = new QLabel(QStringLiteral("Posizione"), this);
  label2_ = new QLabel(QStringLiteral("Nome File"), this);
  label3_ = new QLabel(QStringLiteral("Posizione disco"), this);
  label4_ = new QLabel(QStringLiteral("Nome completo del file"), this);

  for (const QString& disco : ambiente_.ElencoDischi()) drive1_->addItem(disco, disco);
}

void FormSelectFile::createLayout() {
  auto* griglia = new QGridLayout;
  griglia->addWidget(label3_, 0, 0);
  griglia->addWidget(drive1_, 1, 0);
  griglia->addWidget(label1_, 2, 0);
  griglia->addWidget(dir1_, 3, 0);
  griglia->addWidget(label2_, 0, 1);
  griglia->addWidget(file1_, 1, 1, 3, 1);
  griglia->setColumnStretch(0, 1);
  griglia->setColumnStretch(1, 1);
  griglia->setRowStretch(3, 1);

  auto* pulsanti = new QHBoxLayout;
  pulsanti->addWidget(btnOk_);
  pulsanti->addWidget(btnAnnulla_);
  pulsanti->addStretch();
  pulsanti->addWidget(deleteFile_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(labelTitolo_);
  layout->addLayout(griglia, 1);
  layout->addWidget(label4_);
  layout->addWidget(fileTesto_);
  layout->addLayout(pulsanti);
  resize(720, 520);
}

void FormSelectFile::createConnections() {
  connect(drive1_, &QComboBox::currentIndexChanged, this, [this](int indice) {
    if (!aggiornando_) SelezionaDisco(indice);
  });
  connect(dir1_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { SelezionaCartella(item->data(Qt::UserRole).toString()); });
  connect(dir1_, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { ApriCartella(item->data(Qt::UserRole).toString()); });
  connect(file1_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { SelezionaFile(item->text()); });
  connect(file1_, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { SelezionaFile(item->text()); });
  connect(fileTesto_, &QLineEdit::returnPressed, this, &FormSelectFile::Ok);
  connect(btnOk_, &QPushButton::clicked, this, &FormSelectFile::Ok);
  connect(btnAnnulla_, &QPushButton::clicked, this, &FormSelectFile::Annulla);
  connect(deleteFile_, &QPushButton::clicked, this, &FormSelectFile::Cancella);
}

// A title starting with "S" is a save dialog: red on yellow; open dialogs are
// green on grey. A proposed path opens on its folder with the path in the
// field; otherwise the first drive whose "Velmora Programmi" folder holds
// files, or else the current folder, with an empty field.
void FormSelectFile::apri() {
  labelTitolo_->setText(titoloDialogo_);
  const bool salvataggio = titoloDialogo_.startsWith(QLatin1Char('S'));
  ImpostaColoreTesto(labelTitolo_, InteroDaColore(salvataggio ? QColor(255, 0, 0) : QColor(0, 255, 0)));
  ImpostaSfondo(labelTitolo_, InteroDaColore(salvataggio ? QColor(255, 255, 0) : QColor(152, 161, 133)));

  if (!fileCorrente_.isEmpty()) {
    while (fileCorrente_.contains(QLatin1String("//"))) fileCorrente_.replace(QLatin1String("//"), QLatin1String("/"));
    QString cartella = CartellaDi(fileCorrente_);
    if (cartella.isEmpty()) cartella = ambiente_.CartellaCorrente();
    if (!impostaCartella(cartella)) impostaCartella(ambiente_.CartellaCorrente());
    fileTesto_->setText(fileCorrente_);
    return;
  }

  for (const QString& disco : ambiente_.ElencoDischi()) {
    const QString programmi = Unisci(disco, QString::fromLatin1(kCartellaProgrammi));
    if (ContieneFile(programmi) && impostaCartella(programmi)) {
      fileTesto_->clear();
      return;
    }
  }
  impostaCartella(ambiente_.CartellaCorrente());
  fileTesto_->clear();
}

void FormSelectFile::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (ambiente_.allaComparsa) QTimer::singleShot(0, this, [this] { ambiente_.allaComparsa(*this); });
}

void FormSelectFile::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) aggiornaElenchi();
}

QString FormSelectFile::DiscoCorrente() const { return drive1_->currentData().toString(); }

QString FormSelectFile::Percorso() const { return fileTesto_->text(); }

bool FormSelectFile::CancellaVisibile() const { return !deleteFile_->isHidden(); }

QStringList FormSelectFile::FileElencati() const {
  QStringList nomi;
  for (int i = 0; i < file1_->count(); ++i) nomi << file1_->item(i)->text();
  return nomi;
}

QStringList FormSelectFile::CartelleElencate() const {
  QStringList percorsi;
  for (int i = 0; i < dir1_->count(); ++i) percorsi << dir1_->item(i)->data(Qt::UserRole).toString();
  return percorsi;
}

void FormSelectFile::ImpostaPercorso(const QString& testo) { fileTesto_->setText(testo); }

bool FormSelectFile::impostaCartella(const QString& richiesta) {
  // A folder that does not exist (any more) falls back to its nearest parent.
  QString cartella = SenzaSeparatoreFinale(QDir::cleanPath(richiesta));
  while (!QFileInfo(cartella).isDir() && cartella != CartellaDi(cartella) && !CartellaDi(cartella).isEmpty())
    cartella = CartellaDi(cartella);
  const QString errore = ErroreLettura(cartella);
  if (!errore.isEmpty()) {
    MostraMessaggio(ambiente_, cartella + QStringLiteral("\r\n") + errore);
    return false;
  }
  cartella_ = cartella;
  selezionaDiscoPer(cartella_);
  aggiornaElenchi();
  return true;
}

void FormSelectFile::selezionaDiscoPer(const QString& percorso) {
  // The drive of a path is the longest drive-list entry it lies under.
  int migliore = -1;
  qsizetype lunghezza = -1;
  for (int i = 0; i < drive1_->count(); ++i) {
    const QString disco = SenzaSeparatoreFinale(drive1_->itemData(i).toString());
    const bool sotto = percorso == disco || disco == QLatin1String("/") ||
                       percorso.startsWith(disco + QLatin1Char('/'));
    if (sotto && disco.size() > lunghezza) {
      migliore = i;
      lunghezza = disco.size();
    }
  }
  aggiornando_ = true;
  drive1_->setCurrentIndex(migliore);
  aggiornando_ = false;
}

// The folder list shows the path from the drive down to the current folder,
// then the current folder's subfolders, each indented by its depth.
void FormSelectFile::aggiornaElenchi() {
  if (cartella_.isEmpty()) return;
  dir1_->clear();
  // The path starts at the selected drive.
  const QString disco = SenzaSeparatoreFinale(DiscoCorrente());
  QStringList antenati;
  for (QString c = cartella_; !c.isEmpty(); c = CartellaDi(c)) {
    antenati.prepend(c);
    if (c == QLatin1String("/") || c == disco) break;
  }
  int livello = 0;
  for (const QString& c : antenati) {
    const QString nome = c == QLatin1String("/") ? c : QFileInfo(c).fileName();
    auto* item = new QListWidgetItem(QString(livello * 2, QLatin1Char(' ')) + nome, dir1_);
    item->setData(Qt::UserRole, c);
    if (c == cartella_) dir1_->setCurrentItem(item);
    ++livello;
  }
  const QStringList sottocartelle =
      QDir(cartella_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
  for (const QString& nome : sottocartelle) {
    auto* item = new QListWidgetItem(QString(livello * 2, QLatin1Char(' ')) + nome, dir1_);
    item->setData(Qt::UserRole, Unisci(cartella_, nome));
  }
  aggiornaFile(cartella_);
}

void FormSelectFile::aggiornaFile(const QString& cartella) {
  cartellaFile_ = cartella;
  file1_->clear();
  file1_->addItems(QDir(cartella).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase));
}

void FormSelectFile::SelezionaDisco(int indice) {
  if (indice < 0 || indice >= drive1_->count()) return;
  const QString disco = drive1_->itemData(indice).toString();
  const QString errore = ErroreLettura(disco);
  if (!errore.isEmpty()) {
    MostraMessaggio(ambiente_, disco + QStringLiteral("\r\n") + errore);
    fileTesto_->clear();
    selezionaDiscoPer(cartella_);
    return;
  }
  cartella_ = SenzaSeparatoreFinale(disco);
  aggiornaElenchi();
  deleteFile_->setVisible(false);
  fileTesto_->setText(cartella_);
}

void FormSelectFile::SelezionaCartella(const QString& percorso) {
  deleteFile_->setVisible(false);
  if (!ErroreLettura(percorso).isEmpty()) return;
  cartella_ = percorso;
  aggiornaFile(percorso);
  fileTesto_->setText(percorso);
}

void FormSelectFile::ApriCartella(const QString& percorso) {
  deleteFile_->setVisible(false);
  if (!impostaCartella(percorso)) return;
  fileTesto_->setText(cartella_);
}

void FormSelectFile::SelezionaFile(const QString& nome) {
  deleteFile_->setVisible(true);
  fileTesto_->setText(Unisci(cartellaFile_, nome));
}

// Leaves the full path to return in the field (empty for a cancel) and tells
// whether the dialog may close: it stays open on a folder, which it enters,
// and when the new file cannot be created.
bool FormSelectFile::convalida() {
  QString percorso = fileTesto_->text().trimmed();
  fileTesto_->setText(percorso);
  if (percorso.isEmpty() || percorso == QLatin1String("/")) {
    fileTesto_->clear();
    return true;
  }
  const auto doppia = percorso.indexOf(QLatin1String("//"));
  if (doppia >= 0) percorso.remove(doppia, 1);
  if (!percorso.startsWith(QLatin1Char('/'))) percorso = Unisci(cartella_, percorso);
  fileTesto_->setText(percorso);

  if (QFileInfo(percorso).isDir()) {
    fileTesto_->clear();
    impostaCartella(percorso);
    return false;
  }
  if (QFileInfo::exists(percorso)) return true;

  if (!ChiediSiNo(ambiente_, QStringLiteral("Il file indicato non esiste. Deve essere creato?"))) {
    fileTesto_->clear();
    return true;
  }
  errno = 0;
  const int fd = ::open(QFile::encodeName(percorso).constData(), O_WRONLY | O_CREAT, 0666);
  if (fd < 0) {
    const int codice = errno;
    MostraMessaggio(ambiente_, MessaggioErrore(QStringLiteral("Il file indicato non può essere creato."), codice));
    fileTesto_->clear();
    return false;
  }
  ::close(fd);
  return true;
}

void FormSelectFile::Ok() {
  if (!convalida()) return;
  fileCorrente_ = fileTesto_->text().trimmed();
  accept();
}

// ANNULLA, Esc and the window's close control all cancel.
void FormSelectFile::Annulla() { reject(); }

void FormSelectFile::reject() {
  fileCorrente_.clear();
  QDialog::reject();
}

void FormSelectFile::Cancella() {
  QString percorso = fileTesto_->text().trimmed();
  if (percorso.isEmpty()) return;
  const auto doppia = percorso.indexOf(QLatin1String("//"));
  if (doppia >= 0) percorso.remove(doppia, 1);
  if (percorso.endsWith(QLatin1Char('/')) || !QFileInfo(percorso).isFile()) return;

  if (!ChiediSiNo(ambiente_, QStringLiteral("\r\nCANCELLO IL FILE SELEZIONATO ?\r\n") + percorso + QStringLiteral("\r\n")))
    return;
  errno = 0;
  if (std::remove(QFile::encodeName(percorso).constData()) != 0) {
    const int codice = errno;
    MostraMessaggio(ambiente_, QStringLiteral("Impossibile cancellare il file\r\n") + CodaErrore(codice));
    return;
  }
  aggiornaFile(cartellaFile_);
  fileTesto_->clear();
  deleteFile_->setVisible(false);
}

QString ScegliFile(const Ambiente& ambiente, const QString& fileProposto, const QString& titoloDialogo,
                   QWidget* parent) {
  FormSelectFile dialogo(ambiente, fileProposto, titoloDialogo, parent);
  if (dialogo.exec() != QDialog::Accepted) return {};
  return dialogo.FileScelto();
}

}  // namespace velmora::ui
