// SPDX-License-Identifier: GPL-3.0-or-later
// The debug dump: the four sections of the compile state in order and format.
#include "compile_state.h"
#include "debug_dump.h"
#include "window_test.h"

using velmora::CompileState;
using velmora::tools::DebugDump;
using velmora::tools::TestoDump;

namespace {

QString Righe(const QStringList& righe) { return righe.join("\r\n"); }

}  // namespace

class DebugDumpTest : public QObject {
  Q_OBJECT

 private slots:
  // Hand-made states: each section's header, counts and row layout.
  void formato_data() {
    QTest::addColumn<int>("caso");
    QTest::addColumn<int>("flag");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("every table") << 1 << 1
        << Righe({"---FAT Table ---", "NoFAT = 2", "(1) [1] = CONTA     [2] = INTEGER",
                  "(2) [1] = W#VLTx     [2] = BYTE", "---ArraySUB---", "NoSUB = 2",
                  "(1) [1] = RITARDO     [2] = 1     [3] = T", "(2) [1] = PULISCI     [2] = 0     [3] = ",
                  "Lunghezza ArrayInput = 3", "(1) A>        MOVLW 0x05", "(2) ", "(3) A>@1:",
                  "Var. Flag_TestoModificato: 1"});
    QTest::newRow("code page text") << 2 << 0
        << Righe({"---FAT Table ---", "NoFAT = 0", "---ArraySUB---", "NoSUB = 0",
                  "Lunghezza ArrayInput = 1", QString::fromUtf8("(1) DATA \"perché\""),
                  "Var. Flag_TestoModificato: 0"});
  }
  void formato() {
    QFETCH(int, caso);
    QFETCH(int, flag);
    CompileState st;
    if (caso == 1) {
      st.FAT[1] = {"CONTA", "INTEGER", "2"};
      st.FAT[2] = {"W#VLTx", "BYTE", "1"};
      st.FAT[3] = {"NONCONTATA", "BYTE", "1"};  // beyond NoFAT: not shown
      st.NoFAT = 2;
      st.ArraySUB[1] = {"RITARDO", "1", "T"};
      st.ArraySUB[2] = {"PULISCI", "0", ""};
      st.NoSUB = 2;
      st.ArrayInput[1] = "A>        MOVLW 0x05";
      st.ArrayInput[3] = "A>@1:";
      st.ArrayInput[4] = "A>        OLTRE";  // beyond NoInput: not shown
      st.NoInput = 3;
    } else if (caso == 2) {
      st.ArrayInput[1] = "DATA \"perch\xE9\"";  // Windows-1252 inside the translator
      st.NoInput = 1;
    }
    QTEST(TestoDump(st, flag), "atteso");

    DebugDump finestra(st, flag);
    QFETCH(QString, atteso);
    QCOMPARE(finestra.Testo(), atteso.replace("\r\n", "\n"));
  }
};

QTEST_MAIN(DebugDumpTest)
#include "debug_dump_test.moc"
