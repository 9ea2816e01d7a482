// SPDX-License-Identifier: GPL-3.0-or-later
// "Correzione classe": the teacher grades a folder of programs against an
// exercise file with the same grading library as velmorac --batch (there
// is no grading logic here): a progress bar that can be cancelled, a
// sortable table with each check's found value, the CSV and the class
// summary exported, and a double click that asks for the program to be
// opened in the editor at its error line.
#pragma once

#include <QDialog>
#include <QString>

#include <atomic>
#include <memory>
#include <optional>
#include <thread>

#include "class_grading.h"
#include "exercise.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace velmora::tools {

class ClassGradingWindow : public QDialog {
  Q_OBJECT
 public:
  explicit ClassGradingWindow(QWidget* parent = nullptr);
  ~ClassGradingWindow() override;

  // The table's columns before the checks' found values.
  enum Column { Student, Outcome, Line, Message, Score, FirstCheck };

  void SetFolder(const QString& folder);
  void SetExercise(const QString& exerciseFile);
  // Starts the grading (the "Correggi" button); false, with the reason in
  // the status line, when the exercise is wrong or a tool is missing.
  bool Start();
  // Stops after the programs in progress (the "Annulla" button).
  void Cancel();
  bool Running() const { return running_; }

  QTableWidget* Table() const { return table_; }
  QString StatusText() const;
  // Writes the CSV / the summary of the last grading; an Italian message
  // when it fails, empty when done.
  QString ExportCsv(const QString& path) const;
  QString ExportSummary(const QString& path) const;

 signals:
  // A double click on a row: open the program, at its error line (0: none).
  void programRequested(const QString& path, int line);
  // The grading ended (finished or cancelled).
  void gradingFinished();

 private:
  void createControls();
  void createLayout();
  void chooseFolder();
  void chooseExercise();
  void showProgress(int done, int total);
  void showResults();
  void exportCsvAsked();
  void exportSummaryAsked();

  QLineEdit* folder_ = nullptr;
  QLineEdit* exercise_ = nullptr;
  QPushButton* browseFolder_ = nullptr;
  QPushButton* browseExercise_ = nullptr;
  QPushButton* start_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* exportCsv_ = nullptr;
  QPushButton* exportSummary_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QTableWidget* table_ = nullptr;
  QLabel* status_ = nullptr;

  std::optional<Exercise> exerciseData_;
  std::shared_ptr<ClassGrading> result_;
  std::atomic<bool> cancelRequested_{false};
  bool running_ = false;
  std::thread worker_;
};

}  // namespace velmora::tools
