// SPDX-License-Identifier: GPL-3.0-or-later
// The "Correzione classe" window over the real gpasm and gpsim: a graded
// class in the table (outcome, line, score, found values), sorting by score,
// the double click that asks for a program at its error line, the exports
// equal to the grading library's own texts, and a cancelled grading.
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "class_grading_window.h"
#include "grade_report.h"

using velmora::tools::ClassGradingWindow;

namespace {

void Write(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).path());
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

QString Cell(const QTableWidget* t, int row, int column) {
  const QTableWidgetItem* item = t->item(row, column);
  return item ? item->text() : QString();
}

// The rows as "student|outcome|line|score|found X|found PORTB", in table order.
QStringList Rows(const QTableWidget* t) {
  QStringList rows;
  for (int r = 0; r < t->rowCount(); ++r)
    rows << QStringList{Cell(t, r, ClassGradingWindow::Student), Cell(t, r, ClassGradingWindow::Outcome),
                        Cell(t, r, ClassGradingWindow::Line), Cell(t, r, ClassGradingWindow::Score),
                        Cell(t, r, ClassGradingWindow::FirstCheck), Cell(t, r, ClassGradingWindow::FirstCheck + 1)}
                .join('|');
  return rows;
}

}  // namespace

class ClassGradingWindowTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString class_, exercise_;

 private slots:
  void initTestCase() {
    class_ = dir_.filePath("classe");
    exercise_ = dir_.filePath("esercizio.txt");
    Write(class_ + "/bianchi/es.bas", "DIM X AS BYTE\r\nCONFIG B AS OUTPUT\r\nX = 200\r\nOUTPUT B, X\r\nEND\r\n");
    Write(class_ + "/neri/es.bas", "DIM X AS BYTE\r\nCONFIG B AS OUTPUT\r\nX = 72\r\nOUTPUT B, X\r\nEND\r\n");
    Write(class_ + "/verdi/es.bas", "DIM X AS BYTE\r\nX = 1\r\nFOO\r\nEND\r\n");
    Write(exercise_, "cicli 5000\nverifica 2 X = 200\nverifica 1 PORTB = &HC8\nverifica 1 SLEEP = si\n");
  }

  void gradesSortsOpensAndExports() {
    ClassGradingWindow w;
    w.show();
    w.SetFolder(class_);
    w.SetExercise(exercise_);
    QSignalSpy finished(&w, &ClassGradingWindow::gradingFinished);
    QVERIFY(w.Start());
    QVERIFY(w.Running());
    QVERIFY(finished.wait(60000));
    QVERIFY(!w.Running());
    QTableWidget* t = w.Table();
    QCOMPARE(t->columnCount(), ClassGradingWindow::FirstCheck + 3);
    QCOMPARE(t->horizontalHeaderItem(ClassGradingWindow::FirstCheck)->text(), QString("trovato: X"));

    // Sorted by score, highest first; the error row names its line.
    t->sortItems(ClassGradingWindow::Score, Qt::DescendingOrder);
    QCOMPARE(Rows(t), (QStringList{"bianchi/es.bas|ok||4|200|0xC8", "neri/es.bas|ok||1|72|0x48",
                                   "verdi/es.bas|errore|3|0||"}));
    t->sortItems(ClassGradingWindow::Score, Qt::AscendingOrder);
    QCOMPARE(Cell(t, 0, ClassGradingWindow::Student), QString("verdi/es.bas"));
    QVERIFY(Cell(t, 0, ClassGradingWindow::Message).startsWith("Istruzione non risolta | istruzione: FOO"));
    QVERIFY2(w.StatusText().contains("Media: 1,7 su 4"), qPrintable(w.StatusText()));

    // A double click on the error row asks for the program at its line.
    QSignalSpy requested(&w, &ClassGradingWindow::programRequested);
    const QRect cell = t->visualItemRect(t->item(0, ClassGradingWindow::Message));
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, cell.center());  // an item view wants the press first
    QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(requested.count(), 1);
    QCOMPARE(requested[0][0].toString(), class_ + "/verdi/es.bas");
    QCOMPARE(requested[0][1].toInt(), 3);

    // The exports are the grading library's texts for the same class.
    std::string error;
    QFile exerciseFile(exercise_);
    QVERIFY(exerciseFile.open(QIODevice::ReadOnly));
    const auto exercise = velmora::ParseExercise(exerciseFile.readAll().toStdString(), error);
    QVERIFY(exercise);
    velmora::GradingOptions options;
    options.exercise = &*exercise;
    const velmora::ClassGrading again = velmora::GradeClass({class_.toStdString()}, options);
    QCOMPARE(w.ExportCsv(dir_.filePath("voti.csv")), QString());
    QFile csv(dir_.filePath("voti.csv"));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    QCOMPARE(csv.readAll().toStdString(), velmora::CsvText(again, &*exercise));
    QCOMPARE(w.ExportSummary(dir_.filePath("riepilogo.txt")), QString());
    QFile summary(dir_.filePath("riepilogo.txt"));
    QVERIFY(summary.open(QIODevice::ReadOnly));
    QCOMPARE(summary.readAll().replace("\r\n", "\n").toStdString(), velmora::ClassSummaryText(again, &*exercise));
    QVERIFY(!w.ExportCsv(dir_.filePath("nessuna/cartella/voti.csv")).isEmpty());
  }

  void refusesAWrongExerciseAndCancels() {
    ClassGradingWindow w;
    w.SetFolder(class_);
    Write(dir_.filePath("sbagliato.txt"), "cicli 100\nverifica 1 X == 3\n");
    w.SetExercise(dir_.filePath("sbagliato.txt"));
    QVERIFY(!w.Start());
    QVERIFY2(w.StatusText().endsWith("sbagliato.txt:2: operatore non valido: == (=, <>, <, <=, >, >=)"),
             qPrintable(w.StatusText()));

    // Cancelled at once, a class of 16 stops after the programs in progress.
    const QString big = dir_.filePath("grande");
    for (int i = 0; i < 16; ++i)
      Write(big + QString("/s%1/es.bas").arg(i), "DIM X AS BYTE\r\nX = 200\r\nEND\r\n");
    w.SetFolder(big);
    w.SetExercise(exercise_);
    QSignalSpy finished(&w, &ClassGradingWindow::gradingFinished);
    QVERIFY(w.Start());
    w.Cancel();
    QVERIFY(finished.wait(60000));
    QVERIFY2(w.StatusText().startsWith("Correzione annullata."), qPrintable(w.StatusText()));
    QVERIFY(w.Table()->rowCount() < 16);
  }
};

QTEST_MAIN(ClassGradingWindowTest)
#include "class_grading_window_test.moc"
