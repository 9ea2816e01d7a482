// SPDX-License-Identifier: GPL-3.0-or-later
#include "class_grading_window.h"

#include <QDir>

#include <algorithm>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QTableWidget>
#include <QVBoxLayout>

#include "grade_report.h"

namespace velmora::tools {

namespace {

constexpr int kSortRole = Qt::UserRole + 1;
constexpr int kPathRole = Qt::UserRole + 2;
constexpr int kLineRole = Qt::UserRole + 3;

// A cell that sorts by its key (numbers as numbers), not by its text.
class SortItem : public QTableWidgetItem {
 public:
  SortItem(const QString& text, const QVariant& key) : QTableWidgetItem(text) {
    setData(kSortRole, key);
    setFlags(flags() & ~Qt::ItemIsEditable);
  }
  bool operator<(const QTableWidgetItem& other) const override {
    const QVariant a = data(kSortRole), b = other.data(kSortRole);
    if (a.typeId() == QMetaType::Double && b.typeId() == QMetaType::Double) return a.toDouble() < b.toDouble();
    return QString::localeAwareCompare(a.toString(), b.toString()) < 0;
  }
};

QString FromUtf8(const std::string& s) { return QString::fromStdString(SafeText(s)); }

QString WriteBytes(const QString& path, const std::string& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), static_cast<qint64>(bytes.size())) < 0 ||
      !file.commit())
    return QStringLiteral("Impossibile scrivere %1: %2").arg(path, file.errorString());
  return {};
}

}  // namespace

ClassGradingWindow::ClassGradingWindow(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Correzione classe"));
  createControls();
  createLayout();
  resize(1100, 560);
}

ClassGradingWindow::~ClassGradingWindow() {
  // No gpsim outlives the window: the worker stops after the programs in
  // progress, whose tools end with them.
  cancelRequested_ = true;
  if (worker_.joinable()) worker_.join();
}

void ClassGradingWindow::createControls() {
  folder_ = new QLineEdit(this);
  folder_->setPlaceholderText(QStringLiteral("la cartella con i programmi .bas della classe"));
  exercise_ = new QLineEdit(this);
  exercise_->setPlaceholderText(QStringLiteral("il file dell'esercizio (cicli, pin, verifica ...)"));
  browseFolder_ = new QPushButton(QStringLiteral("Sfoglia..."), this);
  browseExercise_ = new QPushButton(QStringLiteral("Sfoglia..."), this);
  start_ = new QPushButton(QStringLiteral("Correggi"), this);
  start_->setDefault(true);
  cancel_ = new QPushButton(QStringLiteral("Annulla"), this);
  cancel_->setEnabled(false);
  exportCsv_ = new QPushButton(QStringLiteral("Esporta CSV..."), this);
  exportSummary_ = new QPushButton(QStringLiteral("Esporta riepilogo..."), this);
  exportCsv_->setEnabled(false);
  exportSummary_->setEnabled(false);
  progress_ = new QProgressBar(this);
  progress_->setRange(0, 1);
  progress_->setValue(0);
  table_ = new QTableWidget(0, FirstCheck, this);
  table_->setHorizontalHeaderLabels({QStringLiteral("Studente"), QStringLiteral("Esito"), QStringLiteral("Riga"),
                                     QStringLiteral("Messaggio"), QStringLiteral("Punteggio")});
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSortingEnabled(true);
  table_->verticalHeader()->hide();
  table_->setToolTip(QStringLiteral("Doppio clic su una riga: apre il programma nell'editor alla riga dell'errore"));
  status_ = new QLabel(QStringLiteral("Scegliere la cartella della classe e il file dell'esercizio, poi Correggi."), this);
  status_->setWordWrap(true);
  status_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  connect(browseFolder_, &QPushButton::clicked, this, &ClassGradingWindow::chooseFolder);
  connect(browseExercise_, &QPushButton::clicked, this, &ClassGradingWindow::chooseExercise);
  connect(start_, &QPushButton::clicked, this, [this] { Start(); });
  connect(cancel_, &QPushButton::clicked, this, &ClassGradingWindow::Cancel);
  connect(exportCsv_, &QPushButton::clicked, this, &ClassGradingWindow::exportCsvAsked);
  connect(exportSummary_, &QPushButton::clicked, this, &ClassGradingWindow::exportSummaryAsked);
  connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    const QTableWidgetItem* student = table_->item(row, Student);
    const QTableWidgetItem* line = table_->item(row, Line);
    if (student) emit programRequested(student->data(kPathRole).toString(), line ? line->data(kLineRole).toInt() : 0);
  });
}

void ClassGradingWindow::createLayout() {
  auto* paths = new QGridLayout;
  paths->addWidget(new QLabel(QStringLiteral("Cartella della classe:"), this), 0, 0);
  paths->addWidget(folder_, 0, 1);
  paths->addWidget(browseFolder_, 0, 2);
  paths->addWidget(new QLabel(QStringLiteral("Esercizio:"), this), 1, 0);
  paths->addWidget(exercise_, 1, 1);
  paths->addWidget(browseExercise_, 1, 2);
  auto* run = new QHBoxLayout;
  run->addWidget(start_);
  run->addWidget(cancel_);
  run->addWidget(progress_, 1);
  auto* exports = new QHBoxLayout;
  exports->addWidget(status_, 1);
  exports->addWidget(exportCsv_);
  exports->addWidget(exportSummary_);
  auto* all = new QVBoxLayout(this);
  all->addLayout(paths);
  all->addLayout(run);
  all->addWidget(table_, 1);
  all->addLayout(exports);
}

void ClassGradingWindow::SetFolder(const QString& folder) { folder_->setText(folder); }
void ClassGradingWindow::SetExercise(const QString& exerciseFile) { exercise_->setText(exerciseFile); }
QString ClassGradingWindow::StatusText() const { return status_->text(); }

void ClassGradingWindow::chooseFolder() {
  const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("Cartella della classe"), folder_->text());
  if (!folder.isEmpty()) folder_->setText(folder);
}

void ClassGradingWindow::chooseExercise() {
  const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("File dell'esercizio"), exercise_->text(),
                                                    QStringLiteral("Esercizi (*.txt);;Tutti i file (*)"));
  if (!file.isEmpty()) exercise_->setText(file);
}

bool ClassGradingWindow::Start() {
  if (running_) return false;
  const QString folder = folder_->text().trimmed(), exerciseFile = exercise_->text().trimmed();
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
    status_->setText(QStringLiteral("La cartella della classe non esiste: %1").arg(folder));
    return false;
  }
  std::string readError;
  bool unreadable = false;
  const auto text = ReadProgramFile(exerciseFile.toStdString(), 1024 * 1024, readError, unreadable);
  if (!text) {
    status_->setText(QStringLiteral("Esercizio %1: %2").arg(exerciseFile, FromUtf8(readError)));
    return false;
  }
  std::string error;
  exerciseData_ = ParseExercise(*text, error);
  if (!exerciseData_) {
    const bool numbered = !error.empty() && error[0] >= '0' && error[0] <= '9';
    status_->setText(exerciseFile + (numbered ? QStringLiteral(":") : QStringLiteral(": ")) + FromUtf8(error));
    return false;
  }
  GradingOptions options;
  options.exercise = &*exerciseData_;
  options.cancel = &cancelRequested_;
  if (const std::string missing = MissingTools(options); !missing.empty()) {
    status_->setText(FromUtf8(missing));
    return false;
  }
  options.progress = [this](size_t done, size_t total) {
    QMetaObject::invokeMethod(this, [this, done, total] { showProgress(static_cast<int>(done), static_cast<int>(total)); },
                              Qt::QueuedConnection);
  };
  cancelRequested_ = false;
  running_ = true;
  start_->setEnabled(false);
  cancel_->setEnabled(true);
  exportCsv_->setEnabled(false);
  exportSummary_->setEnabled(false);
  progress_->setRange(0, 0);  // busy until the programs are counted
  status_->setText(QStringLiteral("Correzione in corso..."));
  if (worker_.joinable()) worker_.join();
  worker_ = std::thread([this, options, folder = folder.toStdString()] {
    auto result = std::make_shared<ClassGrading>(GradeClass({folder}, options));
    QMetaObject::invokeMethod(this, [this, result] {
      result_ = result;
      running_ = false;
      showResults();
    }, Qt::QueuedConnection);
  });
  return true;
}

void ClassGradingWindow::Cancel() {
  if (!running_) return;
  cancelRequested_ = true;
  cancel_->setEnabled(false);
  status_->setText(QStringLiteral("Annullamento: si attende la fine dei programmi in corso..."));
}

void ClassGradingWindow::showProgress(int done, int total) {
  if (!running_) return;
  progress_->setRange(0, std::max(total, 1));
  progress_->setValue(done);
  progress_->setFormat(QStringLiteral("%v di %m"));
}

void ClassGradingWindow::showResults() {
  if (worker_.joinable()) worker_.join();
  start_->setEnabled(true);
  cancel_->setEnabled(false);
  const ClassGrading& r = *result_;
  const Exercise& e = *exerciseData_;
  const QDir base(folder_->text().trimmed());
  table_->setSortingEnabled(false);
  table_->clear();
  QStringList headers = {QStringLiteral("Studente"), QStringLiteral("Esito"), QStringLiteral("Riga"),
                         QStringLiteral("Messaggio"), QStringLiteral("Punteggio (su %1)").arg(e.TotalPoints())};
  for (const ExerciseCheck& c : e.checks)
    headers << QStringLiteral("trovato: ") + FromUtf8(c.name) +
                   (c.cycle ? QStringLiteral(" (ciclo %1)").arg(*c.cycle) : QString());
  table_->setColumnCount(static_cast<int>(headers.size()));
  table_->setHorizontalHeaderLabels(headers);
  table_->setRowCount(0);
  for (const ProgramGrade& g : r.programs) {
    if (!g.done) continue;
    const int row = table_->rowCount();
    table_->insertRow(row);
    const QString path = QString::fromStdString(g.path);
    auto* student = new SortItem(FromUtf8(base.relativeFilePath(path).toStdString()), base.relativeFilePath(path));
    student->setData(kPathRole, path);
    student->setToolTip(path);
    table_->setItem(row, Student, student);
    const bool notGraded = g.simulation == SimulationOutcome::NotGraded;
    const QString outcome = notGraded ? QStringLiteral("non valutato") : QString::fromLatin1(OutcomeName(g.outcome));
    table_->setItem(row, Outcome, new SortItem(outcome, outcome));
    auto* line = new SortItem(g.line > 0 ? QString::number(g.line) : QString(), static_cast<double>(g.line));
    line->setData(kLineRole, g.line);
    table_->setItem(row, Line, line);
    std::string message = g.outcome == velmora::Outcome::Ok ? "" : g.message;
    if (!g.statement.empty()) message += " | istruzione: " + g.statement;
    if (g.simulation == SimulationOutcome::Failed || notGraded || !g.simulationStop.empty()) message = SimulationText(g);
    if (message.empty() && !g.warnings.empty()) message = "avviso: " + g.warnings.front().message;
    auto* messageItem = new SortItem(FromUtf8(message), FromUtf8(message));
    messageItem->setToolTip(FromUtf8(message));
    table_->setItem(row, Message, messageItem);
    const bool scored = g.outcome != velmora::Outcome::NoProgram && !notGraded;
    table_->setItem(row, Score, new SortItem(scored ? QString::number(g.score) : QStringLiteral("-"),
                                             scored ? static_cast<double>(g.score) : -1.0));
    for (size_t i = 0; i < e.checks.size(); ++i) {
      const CheckResult c = i < g.checks.size() ? g.checks[i] : CheckResult{};
      const QString found = c.found ? FromUtf8(*c.found) : QString();
      auto* item = new SortItem(found, found);
      if (g.simulation == SimulationOutcome::Ran) {
        item->setBackground(c.points > 0 ? QColor(0xD8, 0xF0, 0xD8) : QColor(0xF8, 0xD8, 0xD8));
        item->setToolTip(QStringLiteral("atteso %1: %2 su %3 punti")
                             .arg(FromUtf8(e.checks[i].Condition()))
                             .arg(c.points)
                             .arg(e.checks[i].points));
      }
      table_->setItem(row, FirstCheck + static_cast<int>(i), item);
    }
  }
  table_->setSortingEnabled(true);
  table_->sortItems(Student, Qt::AscendingOrder);
  table_->resizeColumnsToContents();
  // A long message must not push the found values out of sight.
  table_->setColumnWidth(Message, std::min(table_->columnWidth(Message), 320));
  table_->horizontalHeader()->setStretchLastSection(false);
  const std::string summary = ClassSummaryText(r, &e);
  QString status = FromUtf8(CountsLine(r));
  const auto media = summary.find("Media: ");
  if (media != std::string::npos) status += QStringLiteral(" — ") + FromUtf8(summary.substr(media, summary.find('\n', media) - media));
  if (r.cancelled) status = QStringLiteral("Correzione annullata. ") + status;
  for (const ExerciseCheck& c : r.unknownNames)
    status += QStringLiteral("\nAvviso (riga %1 dell'esercizio): %2 non è un registro né una variabile di alcun programma")
                  .arg(c.line)
                  .arg(FromUtf8(c.name));
  status_->setText(status);
  progress_->setRange(0, std::max<int>(static_cast<int>(r.programs.size()), 1));
  progress_->setValue(static_cast<int>(r.programs.size()));
  exportCsv_->setEnabled(true);
  exportSummary_->setEnabled(true);
  emit gradingFinished();
}

QString ClassGradingWindow::ExportCsv(const QString& path) const {
  if (!result_) return QStringLiteral("Nessuna correzione da esportare");
  return WriteBytes(path, CsvText(*result_, &*exerciseData_));
}

QString ClassGradingWindow::ExportSummary(const QString& path) const {
  if (!result_) return QStringLiteral("Nessuna correzione da esportare");
  std::string text;
  for (char c : ClassSummaryText(*result_, &*exerciseData_)) text += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return WriteBytes(path, text);
}

void ClassGradingWindow::exportCsvAsked() {
  const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Esporta CSV"), QStringLiteral("voti.csv"),
                                                    QStringLiteral("CSV (*.csv)"));
  if (path.isEmpty()) return;
  const QString error = ExportCsv(path);
  status_->setText(error.isEmpty() ? QStringLiteral("CSV scritto: %1").arg(path) : error);
}

void ClassGradingWindow::exportSummaryAsked() {
  const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Esporta riepilogo"),
                                                    QStringLiteral("riepilogo.txt"), QStringLiteral("Testo (*.txt)"));
  if (path.isEmpty()) return;
  const QString error = ExportSummary(path);
  status_->setText(error.isEmpty() ? QStringLiteral("Riepilogo scritto: %1").arg(path) : error);
}

}  // namespace velmora::tools
