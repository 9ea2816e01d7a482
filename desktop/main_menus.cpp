// SPDX-License-Identifier: GPL-3.0-or-later
// Menu bar: File, Programma, Simulazione, Strumenti, Aiuto; the toolbar
// holds the commands a student uses most.
#include "main_menus.h"

#include <QAction>
#include <QDockWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>

#include "main_window.h"
#include "message_box.h"

namespace velmora::ui {

namespace {

struct Comando {
  const char* nome;
  const char* testo;
  QKeySequence tasto;
  std::function<void(MainWindow&)> esegui;
};

// A button of the rows, pressed as the user would press it.
std::function<void(MainWindow&)> Premi(const char* pulsante) {
  return [pulsante](MainWindow& w) {
    if (auto* p = qobject_cast<QPushButton*>(w.Controllo(QString::fromLatin1(pulsante)))) p->click();
  };
}

template <void (MainWindow::*slot)()>
void Chiama(MainWindow& w) {
  (w.*slot)();
}

}  // namespace

QList<QAction*> CreateMenus(MainWindow& w) {
  const auto crea = [&w](const Comando& c) {
    auto* azione = new QAction(QString::fromUtf8(c.testo), &w);
    azione->setObjectName(QString::fromLatin1(c.nome));
    if (!c.tasto.isEmpty()) {
      azione->setShortcut(c.tasto);
      azione->setToolTip(QStringLiteral("%1 (%2)").arg(azione->text().remove(QStringLiteral("...")),
                                                      c.tasto.toString(QKeySequence::NativeText)));
    }
    QObject::connect(azione, &QAction::triggered, &w, [&w, esegui = c.esegui] { esegui(w); });
    w.addAction(azione);
    return azione;
  };
  const auto menu = [&](const QString& titolo, std::initializer_list<Comando> comandi) {
    QMenu* m = w.menuBar()->addMenu(titolo);
    QList<QAction*> azioni;
    for (const Comando& c : comandi) {
      if (!c.nome) {
        m->addSeparator();
        continue;
      }
      azioni << crea(c);
      m->addAction(azioni.last());
    }
    return azioni;
  };
  const Comando separatore{nullptr, nullptr, {}, {}};

  menu(QStringLiteral("&File"),
       {{"nuovo", "Nuovo", QKeySequence(Qt::CTRL | Qt::Key_N), Premi("Command7")},
        {"apri", "Apri...", QKeySequence(Qt::CTRL | Qt::Key_O), Premi("Command3")},
        {"salva", "Salva...", QKeySequence(Qt::CTRL | Qt::Key_S), Premi("Command2")},
        {"salva_con_nome", "Salva con nome...", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), Premi("Command2")},
        {"salva_asm", "Salva ASM...", {}, Premi("Command5")},
        {"definizioni", "Scrivi PIC16F84.DEF...", {}, Premi("Command9")},
        separatore,
        {"stampa", "Stampa...", QKeySequence(Qt::CTRL | Qt::Key_P), Premi("Command11")},
        {"stampa_asm", "Stampa ASM...", {}, Premi("Command12")},
        separatore,
        {"esci", "Esci", QKeySequence(Qt::CTRL | Qt::Key_Q), [](MainWindow& f) { f.close(); }}});
  menu(QStringLiteral("&Programma"),
       {{"traduci", "Traduci", QKeySequence(Qt::Key_F5), Premi("Command1")},
        {"assembla", "Assembla", QKeySequence(Qt::Key_F6), Chiama<&MainWindow::Assembla>},
        {"simula", "Simula", QKeySequence(Qt::Key_F9), Chiama<&MainWindow::Simula>},
        separatore,
        {"svuota_asm", "Svuota ASM", {}, Premi("Command8")},
        {"layout", "Disposizione successiva", {}, Premi("Command6")}});
  const QList<QAction*> simulazione = menu(
      QStringLiteral("&Simulazione"),
      {{"esegui", "Esegui/Continua", QKeySequence(Qt::Key_F7), Chiama<&MainWindow::Esegui>},
       {"pausa", "Pausa", QKeySequence(Qt::SHIFT | Qt::Key_F7), Chiama<&MainWindow::Pausa>},
       separatore,
       {"passo", "Passo", QKeySequence(Qt::Key_F10), Chiama<&MainWindow::Passo>},
       {"passo_sopra", "Passo sopra", QKeySequence(Qt::SHIFT | Qt::Key_F10), Chiama<&MainWindow::PassoSopra>},
       {"esci_sub", "Esci dalla SUB", QKeySequence(Qt::CTRL | Qt::Key_F10), Chiama<&MainWindow::EsciDallaSub>},
       {"passo_istruzione", "Passo istruzione", QKeySequence(Qt::Key_F11), Chiama<&MainWindow::PassoIstruzione>},
       {"fino_al_cursore", "Esegui fino al cursore", QKeySequence(Qt::Key_F4),
        Chiama<&MainWindow::EseguiFinoAlCursore>},
       {"reset", "Reset", QKeySequence(Qt::SHIFT | Qt::Key_F9), Chiama<&MainWindow::ResetChip>},
       separatore,
       {"punto_interruzione", "Punto di interruzione", QKeySequence(Qt::Key_F8),
        Chiama<&MainWindow::PuntoDiInterruzione>}});
  w.menuBar()->actions().last()->menu()->addAction(w.Banco()->toggleViewAction());
  w.Banco()->toggleViewAction()->setText(QStringLiteral("Mostra il banco di simulazione"));
  w.Banco()->toggleViewAction()->setObjectName(QStringLiteral("mostra_banco"));
  const QList<QAction*> strumenti =
      menu(QStringLiteral("S&trumenti"),
           {{"calcolatore_timer", "Calcolatore TMR0...", {}, Premi("ProgTMR0")},
            {"calcolatore_wait", "Calcolatore WAIT...", {}, Chiama<&MainWindow::ApriCalcolatoreWait>},
            {"correzione_classe", "Correzione classe...", {}, Chiama<&MainWindow::ApriCorrezioneClasse>},
            {"backup", "Backup...", {}, Premi("Command14")},
            {"impostazioni", "Impostazioni e colori...", {}, Chiama<&MainWindow::ApriImpostazioni>},
            {"debug", "Test (stato della traduzione)...", {}, Premi("Command13")}});
  strumenti.last()->setVisible(w.ModoDebug());
  menu(QStringLiteral("&Aiuto"),
       {{"help", "Help", QKeySequence(Qt::Key_F1), Premi("Command4")},
        {"guida", "Guida...", {}, Chiama<&MainWindow::ApriGuida>},
        {"esempi", "Esempi...", {}, Premi("Command10")},
        separatore,
        {"informazioni", "Informazioni su Velmora...", {}, Chiama<&MainWindow::Informazioni>}});

  // The BASIC row's buttons show the keys that press them.
  for (const auto& [azione, pulsante] : {std::pair{"salva", "Command2"}, {"apri", "Command3"}, {"stampa", "Command11"}})
    w.Controllo(QString::fromLatin1(pulsante))
        ->setToolTip(w.Azione(QString::fromLatin1(azione))->shortcut().toString(QKeySequence::NativeText));

  auto* barra = w.addToolBar(QStringLiteral("Comandi"));
  barra->setObjectName(QStringLiteral("BarraComandi"));
  barra->setToolButtonStyle(Qt::ToolButtonTextOnly);
  barra->setMovable(false);
  for (const char* nome : {"apri", "salva", "", "traduci", "assembla", "simula", "", "esegui", "pausa", "passo",
                           "passo_sopra", "reset"}) {
    if (!*nome)
      barra->addSeparator();
    else
      barra->addAction(w.Azione(QString::fromLatin1(nome)));
  }
  return simulazione;
}

}  // namespace velmora::ui
