// SPDX-License-Identifier: GPL-3.0-or-later
// Every example of every help page is a program the translator accepts and
// whose output gpasm assembles.
//
// An example block starts after the line "---Esempio---" or "---Esempi---"
// and runs to the end of the page; blank lines separate the examples of one
// block. An example without END gets one, before its first SUB when it has
// subroutines, so that it is a complete program.
#include "help_pages.h"
#include "translator.h"
#include "window_test.h"

namespace {

struct Esempio {
  QString voce;
  QString programma;
};

QString Completa(QStringList righe) {
  const auto fine = std::find_if(righe.begin(), righe.end(),
                                 [](const QString& r) { return r.trimmed().toUpper() == "END"; });
  if (fine == righe.end()) {
    const auto sub = std::find_if(righe.begin(), righe.end(),
                                  [](const QString& r) { return r.trimmed().toUpper().startsWith("SUB "); });
    righe.insert(sub, "END");
  }
  return righe.join("\r\n") + "\r\n";
}

QList<Esempio> EsempiDellHelp() {
  QList<Esempio> esempi;
  QSet<QString> pagineViste;
  for (const QString& voce : velmora::tools::VociHelp()) {
    const QString pagina = velmora::tools::ScegliPagina(voce, "1").testo;
    if (pagineViste.contains(pagina)) continue;
    pagineViste.insert(pagina);
    const QStringList righe = pagina.split("\r\n");
    qsizetype inizio = righe.indexOf("---Esempio---");
    if (inizio < 0) inizio = righe.indexOf("---Esempi---");
    if (inizio < 0) continue;
    QStringList gruppo;
    for (qsizetype i = inizio + 1; i <= righe.size(); ++i) {
      if (i == righe.size() || righe.at(i).trimmed().isEmpty()) {
        if (!gruppo.isEmpty()) esempi.append({voce, Completa(gruppo)});
        gruppo.clear();
        continue;
      }
      gruppo << righe.at(i);
    }
  }
  return esempi;
}

}  // namespace

class HelpExamplesTest : public QObject {
  Q_OBJECT

 private slots:
  void esempi_data() {
    QTest::addColumn<QString>("programma");
    const QList<Esempio> esempi = EsempiDellHelp();
    // Every keyword page brings at least one example.
    QVERIFY2(esempi.size() >= 51, qPrintable(QString::number(esempi.size())));
    QMap<QString, int> perVoce;
    for (const Esempio& e : esempi) {
      const int n = ++perVoce[e.voce];
      QTest::newRow(qPrintable(QStringLiteral("%1 #%2").arg(e.voce).arg(n))) << e.programma;
    }
  }
  void esempi() {
    QFETCH(QString, programma);
    velmora::Translator traduttore;
    const auto r = traduttore.Translate(programma.toStdString(), {});
    QVERIFY2(r.ok, qPrintable(programma + "\n" + QString::fromStdString(r.assembly)));

    const QString gpasm = QStandardPaths::findExecutable("gpasm");
    if (gpasm.isEmpty()) QSKIP("gpasm is not installed");
    QTemporaryDir cartella;
    QVERIFY(cartella.isValid());
    velmora::test::Scrivi(cartella.filePath("prog.asm"), QByteArray::fromStdString(velmora::AssemblyFileBytes(r.assembly)));
    velmora::test::Scrivi(cartella.filePath("PIC16F84.DEF"), QByteArray::fromStdString(velmora::DefinitionsText()));

    QProcess processo;
    processo.setWorkingDirectory(cartella.path());
    processo.setProcessChannelMode(QProcess::MergedChannels);
    processo.start(gpasm, {"-p16f84", "prog.asm"});
    QVERIFY(processo.waitForFinished(60000));
    QVERIFY2(processo.exitCode() == 0,
             qPrintable(QString::fromUtf8(processo.readAll()) + "\n" + QString::fromStdString(r.assembly)));
  }
};

QTEST_MAIN(HelpExamplesTest)
#include "help_examples_test.moc"
