#include "backup_manager.h"

#include "message_box.h"
#include "file_io.h"
#include "translator.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora::ui {

namespace {

const QString kArchivio = QStringLiteral("ArchivioGenerale.Txt");
const QString kTitolo = QStringLiteral("Backup File Basic");
const QString kPromptNota = QStringLiteral("***Inserisci una nota per il backup***");
const QByteArray kCancellato = QByteArrayLiteral("??????????");

// Field layout of an archive record: offset and width of each field.
constexpr int kPosData = 0, kLungData = 10;
constexpr int kPosOra = 10, kLungOra = 5;
constexpr int kPosNota = 15, kLungNota = 31;
constexpr int kPosNumero = 46, kLungNumero = 4;
constexpr int kRecord = BackupManager::kLunghezzaRecord;

/// The text as Windows-1252 bytes, one per character; a character the code
/// page lacks becomes "?", so the byte count is the character count.
QByteArray ToCp1252(const QString& s) {
  return QByteArray::fromStdString(TextToCp1252(s.toStdString()));
}

QString FromCp1252(const QByteArray& byte) {
  return QString::fromStdString(Cp1252ToText(byte.toStdString()));
}

/// The bytes left-aligned in a field of `larghezza`: cut, or padded with spaces.
QByteArray Campo(const QByteArray& byte, int larghezza) {
  QByteArray campo = byte.left(larghezza);
  campo.append(larghezza - campo.size(), ' ');
  return campo;
}

/// Numeric value of a field: leading spaces skipped, then decimal digits up
/// to the first other character; no digit gives 0.
int ValoreNumero(const QByteArray& campo) {
  int i = 0;
  while (i < campo.size() && campo[i] == ' ') ++i;
  int valore = 0;
  for (; i < campo.size() && campo[i] >= '0' && campo[i] <= '9' && valore < 100000; ++i)
    valore = valore * 10 + (campo[i] - '0');
  return valore;
}

/// Records in an archive of `lunghezza` bytes: the length over 50, rounded
/// to the nearest whole number (halves to even).
int ContaRecord(qint64 lunghezza) {
  qint64 record = lunghezza / kRecord;
  const qint64 resto = lunghezza % kRecord;
  if (resto * 2 > kRecord || (resto * 2 == kRecord && record % 2 == 1)) ++record;
  return static_cast<int>(record);
}

/// Record k (1-based) of the archive bytes; a record the file holds only in
/// part reads as space-padded.
QByteArray Record(const QByteArray& archivio, int k) {
  return Campo(archivio.mid(static_cast<qsizetype>(k - 1) * kRecord, kRecord), kRecord);
}

QByteArray Data(const QByteArray& record) { return record.mid(kPosData, kLungData); }
QByteArray Ora(const QByteArray& record) { return record.mid(kPosOra, kLungOra); }
QByteArray Nota(const QByteArray& record) { return record.mid(kPosNota, kLungNota); }
int Numero(const QByteArray& record) { return ValoreNumero(record.mid(kPosNumero, kLungNumero)); }
bool Cancellato(const QByteArray& record) { return Data(record) == kCancellato; }

/// The first `record` records of the archive, each a whole 50 bytes: what a
/// rewrite keeps of the old file.
QByteArray RecordInteri(const QByteArray& archivio, int record) {
  QByteArray interi;
  for (int k = 1; k <= record; ++k) interi += Record(archivio, k);
  return interi;
}

/// date | time | note | number, each field at its full width.
QString VoceLista(const QByteArray& record) {
  return FromCp1252(Data(record) + " | " + Ora(record) + " | " + Nota(record) + " | " +
                    record.mid(kPosNumero, kLungNumero));
}

/// The record of a new copy taken at `quando`, with the note as typed.
QByteArray NuovoRecord(const QDateTime& quando, const QString& nota, int numero) {
  const QString data = QLocale::system().toString(quando.date(), QLocale::ShortFormat);
  const QString ora = quando.time().toString(QStringLiteral("hh:mm"));
  return Campo(ToCp1252(data), kLungData) + Campo(ToCp1252(ora), kLungOra) +
         Campo(ToCp1252(nota), kLungNota) + Campo(QByteArray::number(numero), kLungNumero);
}

QString Motivo(const QString& errore, const QString& percorso) {
  return TestoErrore(errore) + QStringLiteral(" (") + percorso + QStringLiteral(")");
}

/// Reads the whole archive; a missing archive reads as empty. False, with
/// the system's reason, when it exists but cannot be read.
bool LeggiArchivio(const QString& percorso, QByteArray& dati, QString& errore) {
  dati.clear();
  QFile file(percorso);
  if (!file.exists()) return true;
  if (!file.open(QIODevice::ReadOnly)) {
    errore = file.errorString();
    return false;
  }
  dati = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    errore = file.errorString();
    return false;
  }
  return true;
}

/// Opens the archive as the list refresh and the folder change do, creating
/// an empty one when missing; false with the system's reason otherwise.
bool ApriOCreaArchivio(const QString& percorso, QByteArray& dati, QString& errore) {
  QFile file(percorso);
  const bool esiste = file.exists();
  if (!file.open(esiste ? QIODevice::ReadOnly : QIODevice::ReadWrite)) {
    errore = file.errorString();
    return false;
  }
  dati = file.readAll();
  return true;
}

QString SenzaBarraFinale(QString cartella) {
  if (cartella.size() > 1 && cartella.endsWith(QLatin1Char('/'))) cartella.chop(1);
  return cartella;
}

QString ConBarraFinale(const QString& cartella) {
  return cartella.endsWith(QLatin1Char('/')) ? cartella : cartella + QLatin1Char('/');
}

/// The copy's bytes as editor text: UTF-8 when they are valid UTF-8 (a
/// leading byte-order mark dropped), otherwise Windows-1252; line ends "\n".
QString TestoCopia(const QByteArray& byte) {
  QString testo = QString::fromStdString(SourceTextUtf8(byte.toStdString()));
  testo.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  testo.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return testo;
}

}  // namespace

BackupManager::BackupManager(const Ambiente& ambiente, const QString& cartellaLavoro, const QString& testoBasic,
                             QWidget* parent)
    : QDialog(parent), ambiente_(ambiente), cartellaLavoro_(cartellaLavoro), testoBasic_(testoBasic) {
  createControls();
  createLayout();
  createConnections();
  apriCartella();
}

void BackupManager::createControls() {
  setWindowTitle(QStringLiteral("Backup Basic Source"));
  setModal(true);

  label1_ = new QLabel(QStringLiteral("Dir per il BackUp:"), this);
  text1_ = new QLineEdit(this);
  text1_->setObjectName(QStringLiteral("Text1"));
  text2_ = new QLineEdit(this);
  text2_->setObjectName(QStringLiteral("Text2"));
  text2_->installEventFilter(this);

  list1_ = new QListWidget(this);
  list1_->setObjectName(QStringLiteral("List1"));
  QFont fisso(QStringLiteral("Courier New"));
  if (!QFontDatabase::families().contains(fisso.family()))
    fisso = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  list1_->setFont(fisso);

  frame1_ = new QGroupBox(this);
  frame1_->setObjectName(QStringLiteral("Frame1"));
  frame1_->installEventFilter(this);

  const auto pulsante = [this](const char* nome, const QString& testo) {
    auto* p = new QPushButton(testo, frame1_);
    p->setObjectName(QLatin1String(nome));
    // Enter in the folder field must not press a button.
    p->setAutoDefault(false);
    return p;
  };
  command1_ = pulsante("Command1", QStringLiteral("Salva copia"));
  command3_ = pulsante("Command3", QStringLiteral("Elimina BackUp"));
  command5_ = pulsante("Command5", QStringLiteral("Ripristina Backup"));
  command4_ = pulsante("Command4", QStringLiteral("Cancella archivio"));
  command2_ = pulsante("Command2", QStringLiteral("Fine"));
  command1_->setEnabled(false);
  command3_->setEnabled(false);
  command5_->setEnabled(false);
  // The note keeps its prompt until the user moves into it.
  command2_->setFocus();
}

void BackupManager::createLayout() {
  auto* cartella = new QHBoxLayout;
  cartella->addWidget(label1_);
  cartella->addWidget(text1_, 1);

  auto* pulsanti = new QHBoxLayout(frame1_);
  for (QPushButton* p : {command1_, command3_, command5_, command4_, command2_}) pulsanti->addWidget(p);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(cartella);
  layout->addWidget(text2_);
  layout->addWidget(list1_, 1);
  layout->addWidget(frame1_);

  const QFontMetrics metriche(list1_->font());
  resize(qMax(640, metriche.horizontalAdvance(QString(75, QLatin1Char('M'))) + 60), 420);
}

void BackupManager::createConnections() {
  connect(text1_, &QLineEdit::returnPressed, this, &BackupManager::nuovaCartella);
  connect(list1_, &QListWidget::itemClicked, this, &BackupManager::selezionaVoce);
  connect(command1_, &QPushButton::clicked, this, &BackupManager::salvaCopia);
  connect(command3_, &QPushButton::clicked, this, &BackupManager::eliminaBackup);
  connect(command5_, &QPushButton::clicked, this, &BackupManager::ripristinaBackup);
  connect(command4_, &QPushButton::clicked, this, &BackupManager::cancellaArchivio);
  connect(command2_, &QPushButton::clicked, this, &QDialog::reject);
}

QString BackupManager::percorsoArchivio() const { return cartellaBackup_ + kArchivio; }

QString BackupManager::percorsoCopia(int numero) const {
  return cartellaBackup_ + QStringLiteral("Velmora") +
         QString::number(numero + 10000).right(4) + QStringLiteral(".txt");
}

// Open: the work folder (created when missing) becomes the backup folder.
void BackupManager::apriCartella() {
  text1_->setText(SenzaBarraFinale(cartellaLavoro_).trimmed());
  const QString cartella = SenzaBarraFinale(text1_->text().trimmed());
  if (!cartella.isEmpty()) QDir().mkpath(cartella);
  cartellaBackup_ = ConBarraFinale(cartella);
  text2_->setText(kPromptNota);
  numeroSelezionato_ = 0;
  numeroMassimo_ = 0;
  aggiornaLista();
}

// The list shows every record not deleted, newest first; an archive whose
// records are all deleted is removed, so numbering starts again at 1.
void BackupManager::aggiornaLista() {
  list1_->clear();
  numeroMassimo_ = 0;
  numeroSelezionato_ = 0;
  QByteArray dati;
  QString errore;
  if (!ApriOCreaArchivio(percorsoArchivio(), dati, errore)) {
    Avvisa(ambiente_, kTitolo, QStringLiteral("Controlla la directory di backup\nErrore: ") +
           Motivo(errore, percorsoArchivio()));
    return;
  }
  numeroRecord_ = ContaRecord(dati.size());
  for (int k = numeroRecord_; k >= 1; --k) {
    const QByteArray record = Record(dati, k);
    numeroMassimo_ = qMax(numeroMassimo_, Numero(record));
    if (!Cancellato(record)) list1_->addItem(VoceLista(record));
  }
  if (numeroRecord_ > 0 && list1_->count() == 0) QFile::remove(percorsoArchivio());
}

// Enter in the folder field: the folder must already hold, or accept, an
// archive; otherwise the previous folder stays in use.
void BackupManager::nuovaCartella() {
  const QString campo = SenzaBarraFinale(text1_->text().trimmed());
  text1_->setText(campo);
  const QString cartella = ConBarraFinale(campo);
  QByteArray dati;
  QString errore;
  if (!ApriOCreaArchivio(cartella + kArchivio, dati, errore)) {
    Avvisa(ambiente_, kTitolo, QStringLiteral("Errore:") + Motivo(errore, cartella + kArchivio));
    return;
  }
  cartellaBackup_ = cartella;
  aggiornaLista();
  cartellaLavoro_ = campo;
}

void BackupManager::notaAttivata() {
  if (testoBasic_.isEmpty()) return;
  if (text2_->text().left(13) == kPromptNota.left(13)) text2_->clear();
  command1_->setEnabled(true);
  command3_->setEnabled(false);
  command5_->setEnabled(false);
}

void BackupManager::selezionaVoce(QListWidgetItem* item) {
  if (item == nullptr) return;
  numeroSelezionato_ = ValoreNumero(item->text().right(kLungNumero).toLatin1());
  text2_->setText(kPromptNota);
  command1_->setEnabled(false);
  command3_->setEnabled(true);
  command5_->setEnabled(true);
}

void BackupManager::azzeraSelezione() {
  text2_->setText(kPromptNota);
  command1_->setEnabled(false);
  command3_->setEnabled(false);
  command5_->setEnabled(false);
  command2_->setFocus();
  aggiornaLista();
}

// Salva copia: the copy file is written first, then the archive gains its
// record, so a failure at either step leaves every earlier copy listed and
// readable. The number is one above the highest in the archive, deleted
// records included.
void BackupManager::salvaCopia() {
  if (testoBasic_.isEmpty()) return;
  QByteArray dati;
  QString errore;
  if (!LeggiArchivio(percorsoArchivio(), dati, errore)) {
    Avvisa(ambiente_, kTitolo, QStringLiteral("Controlla la directory di backup\nErrore: ") +
           Motivo(errore, percorsoArchivio()));
    return;
  }
  const int record = ContaRecord(dati.size());
  int numero = 0;
  for (int k = 1; k <= record; ++k) numero = qMax(numero, Numero(Record(dati, k)));
  ++numero;
  if (numero > kNumeroMassimo) {
    Avvisa(ambiente_, kTitolo, QStringLiteral(
        "L'archivio ha raggiunto il numero massimo di copie (9999): la copia non è stata salvata.\n"
        "Eliminare i BackUp con \"Cancella archivio\" per ricominciare la numerazione da 1."));
    return;
  }

  const QString copia = percorsoCopia(numero);
  const QString crlf = QString(testoBasic_).replace(QLatin1Char('\n'), QLatin1String("\r\n"));
  if (!ScriviFile(copia, crlf.toUtf8(), errore)) {
    Avvisa(ambiente_, kTitolo,
           QStringLiteral("Impossibile scrivere il file ") + copia + QStringLiteral("\nErrore: ") + errore);
    return;
  }
  const QByteArray nuovo = RecordInteri(dati, record) + NuovoRecord(ambiente_.orologio(), text2_->text(), numero);
  if (!ScriviFile(percorsoArchivio(), nuovo, errore)) {
    Avvisa(ambiente_, kTitolo, QStringLiteral("Impossibile scrivere il file ") + percorsoArchivio() +
           QStringLiteral("\nErrore: ") + errore);
  }
  aggiornaLista();
  text2_->setText(kPromptNota);
  command1_->setEnabled(false);
}

// Elimina BackUp: the first record of the selected number that the user
// confirms is marked deleted, then its copy file is removed. The archive is
// rewritten before the file goes, so a failed rewrite loses nothing.
void BackupManager::eliminaBackup() {
  if (numeroSelezionato_ == 0) return;
  QByteArray dati;
  QString errore;
  if (!LeggiArchivio(percorsoArchivio(), dati, errore)) {
    Avvisa(ambiente_, kTitolo, QStringLiteral("ERRORE: ") + Motivo(errore, percorsoArchivio()));
    return;
  }
  const int record = ContaRecord(dati.size());
  int confermato = 0;
  for (int k = 1; k <= record && confermato == 0; ++k) {
    const QByteArray r = Record(dati, k);
    if (Numero(r) != numeroSelezionato_) continue;
    const QString domanda = QStringLiteral("Cancello il file di backup: \n") + FromCp1252(Data(r)) +
                            QLatin1Char(' ') + FromCp1252(Ora(r)) + QLatin1Char(' ') +
                            FromCp1252(Nota(r).trimmed());
    if (ChiediSiNo(ambiente_, domanda, kTitolo)) confermato = k;
  }
  if (confermato > 0) {
    QByteArray aggiornato = RecordInteri(dati, record);
    aggiornato.replace((confermato - 1) * kRecord + kPosData, kLungData, kCancellato);
    if (!ScriviFile(percorsoArchivio(), aggiornato, errore)) {
      Avvisa(ambiente_, kTitolo, QStringLiteral("ERRORE: ") + Motivo(errore, percorsoArchivio()));
    } else {
      QFile copia(percorsoCopia(numeroSelezionato_));
      if (!copia.remove())
        Avvisa(ambiente_, kTitolo, QStringLiteral("ERRORE: ") + Motivo(copia.errorString(), copia.fileName()));
    }
  }
  aggiornaLista();
  command3_->setEnabled(false);
  command5_->setEnabled(false);
}

// Cancella archivio: after one question, every listed copy and the archive
// itself are deleted. Copies already missing are skipped; files that exist
// but cannot be deleted are reported together at the end.
void BackupManager::cancellaArchivio() {
  QByteArray dati;
  QString errore;
  if (!LeggiArchivio(percorsoArchivio(), dati, errore)) {
    Avvisa(ambiente_, kTitolo, QStringLiteral("ERRORE: ") + Motivo(errore, percorsoArchivio()));
    return;
  }
  const int record = ContaRecord(dati.size());
  if (record == 0) return;
  if (!ChiediSiNo(ambiente_, QStringLiteral("Vuoi cancellare tutti i BackUp registrati ? "), kTitolo)) return;

  QStringList errori;
  const auto cancella = [&errori](const QString& percorso) {
    QFile file(percorso);
    if (file.exists() && !file.remove())
      errori << QStringLiteral("ERRORE: ") + Motivo(file.errorString(), percorso);
  };
  for (int k = 1; k <= record; ++k) {
    const QByteArray r = Record(dati, k);
    if (!Cancellato(r)) cancella(percorsoCopia(Numero(r)));
  }
  cancella(percorsoArchivio());

  text2_->setText(kPromptNota);
  command1_->setEnabled(false);
  command3_->setEnabled(false);
  command5_->setEnabled(false);
  list1_->clear();
  numeroRecord_ = 0;
  numeroMassimo_ = 0;
  numeroSelezionato_ = 0;
  if (!errori.isEmpty()) Avvisa(ambiente_, kTitolo, errori.join(QLatin1Char('\n')));
}

// Ripristina Backup: the copy is read whole before the editor changes, so an
// unreadable copy leaves the editor as it was.
void BackupManager::ripristinaBackup() {
  if (numeroSelezionato_ == 0) return;
  QFile file(percorsoCopia(numeroSelezionato_));
  QByteArray byte;
  if (file.open(QIODevice::ReadOnly)) byte = file.readAll();
  if (!file.isOpen() || file.error() != QFileDevice::NoError) {
    Avvisa(ambiente_, kTitolo, QStringLiteral("Si è verificato un errore nel ripristinare il file.\nErrore:") +
           Motivo(file.errorString(), file.fileName()));
    return;
  }
  file.close();
  testoRipristinato_ = TestoCopia(byte);
  ripristinato_ = true;
  accept();
}

bool BackupManager::eventFilter(QObject* watched, QEvent* event) {
  if (watched == text2_ && event->type() == QEvent::FocusIn) notaAttivata();
  if (watched == frame1_ && event->type() == QEvent::MouseButtonPress) azzeraSelezione();
  return QDialog::eventFilter(watched, event);
}

void BackupManager::mousePressEvent(QMouseEvent* event) {
  azzeraSelezione();
  QDialog::mousePressEvent(event);
}

}  // namespace velmora::ui
