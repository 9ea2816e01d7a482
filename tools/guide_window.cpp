#include "guide_window.h"

#include <QDir>
#include <QEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>

#include "translator.h"
#include "file_io.h"
#include "message_box.h"
#include "printing.h"

namespace velmora::tools {

namespace {

constexpr int kColonna = 38;

class Testo {
 public:
  void Riga(const QString& riga = QString()) { t_ += riga + QStringLiteral("\r\n"); }
  // Several lines at once (UTF-8, separated by '\n').
  void Righe(const char* righe) {
    for (const QString& r : QString::fromUtf8(righe).split(QLatin1Char('\n'))) Riga(r);
  }
  // A statement and its example side by side.
  void Colonne(const char* istruzione, const char* esempio) {
    QString sinistra = QStringLiteral("  ") + QString::fromUtf8(istruzione);
    if (sinistra.size() < kColonna)
      sinistra = sinistra.leftJustified(kColonna);
    else
      sinistra += QStringLiteral("  ");
    Riga(sinistra + QString::fromUtf8(esempio));
  }
  // One line of explanation under a statement.
  void Spiega(const char* testo) { Riga(QStringLiteral("      ") + QString::fromUtf8(testo)); }
  // A section title in a frame of "+", "-" and "|".
  void Sezione(const char* titolo) {
    const QString t = QString::fromUtf8(titolo);
    const QString cornice = QStringLiteral("+") + QString(t.size() - 2, QLatin1Char('-')) + QStringLiteral("+");
    Riga();
    Riga(cornice);
    Riga(t);
    Riga(cornice);
    Riga();
    Colonne("ISTRUZIONE", "ESEMPIO");
    Colonne("----------", "-------");
  }
  const QString& Risultato() const { return t_; }

 private:
  QString t_;
};

QString Credito() { return QString::fromStdString(velmora::AuthorCredit()); }

void Banner(Testo& t) {
  const int larghezza = 60;
  const QString cancelletti(larghezza, QLatin1Char('#'));
  const QString stelle = QStringLiteral("#  ") + QString(larghezza - 6, QLatin1Char('*')) + QStringLiteral("  #");
  const auto centrata = [larghezza](const QString& s) {
    const int interno = larghezza - 8;
    const int sinistra = (interno - static_cast<int>(s.size())) / 2;
    return QStringLiteral("#  *") + QString(sinistra, QLatin1Char(' ')) +
           s.leftJustified(interno - sinistra) + QStringLiteral("*  #");
  };
  t.Riga(cancelletti);
  t.Riga(stelle);
  t.Riga(centrata(QString()));
  t.Riga(centrata(QStringLiteral("V E L M O R A")));
  t.Riga(centrata(QStringLiteral("Compilatore Basic per micro PIC16F84")));
  t.Riga(centrata(Credito().trimmed()));
  t.Riga(centrata(QString()));
  t.Riga(stelle);
  t.Riga(cancelletti);
}

}  // namespace

QString TestoGuida(const QString& dataVersione) {
  Testo t;
  Banner(t);
  t.Righe(R"(
IL MICRO PIC16F84A: UNA SCATOLA NERA PROGRAMMABILE
==================================================
Il PIC16F84A si può immaginare come una scatola nera con 13 linee
di ingresso/uscita: 5 sulla porta A (da A0 ad A4) e 8 sulla porta B
(da B0 a B7). Il programma che vi viene caricato decide che cosa
fare dei segnali che arrivano sugli ingressi e quali livelli mettere
sulle uscite: accendere LED, leggere pulsanti, contare impulsi,
misurare tempi, produrre suoni. Dentro la scatola ci sono 1024 word
di memoria di programma, 68 byte di RAM, 64 byte di EEPROM dati,
un Timer a 8 bit e la gestione degli interrupt.

GLI SCOPI DEL PROGRAMMA
=======================
1) Offrire a studenti e insegnanti uno strumento semplice ed
   efficace per programmare il micro con un Basic essenziale,
   pensato per il PIC16F84, senza dover conoscere l'assembly.
2) Produrre un listato assembly leggibile, da studiare e da
   modificare, che si assembla con MPLAB insieme al file
   PIC16F84.DEF (pulsante Pic.Def) e si carica nel micro.

Si scrive il programma nel riquadro Basic, si preme Translate e
nel riquadro ASM compare il listato con il resoconto delle risorse
usate (word di programma, RAM, variabili, livello di stack), oppure
un messaggio d'errore con l'istruzione da correggere.)");

  t.Sezione("|   Sintassi e strutture Basic riconosciute   |");
  t.Colonne("DIM nome AS tipo", "DIM CONTA AS BYTE");
  t.Spiega("dichiara variabili: BYTE, INTEGER, WORD, SINGLE, FLOAT, LONG");
  t.Colonne("CONST nome = valore", "CONST MASSIMO = 10");
  t.Colonne("SYMBOL nome = testo", "SYMBOL LED = B0");
  t.Spiega("danno un nome a un valore, a una linea, a un testo");
  t.Colonne("variabile = espressione", "X = Y + 1");
  t.Spiega("assegnazione: una sola operazione per riga");
  t.Colonne("IF cond THEN ... ELSE ... END IF", "IF X > 5 THEN");
  t.Colonne("IF cond THEN istr ELSE istr", "IF X = 0 THEN Y = 1 ELSE Y = 2");
  t.Spiega("un solo confronto: = <> < > <= >=");
  t.Colonne("SELECT CASE var", "SELECT CASE TASTO");
  t.Colonne("CASE valore / CASE a, b", "CASE 1, 2");
  t.Colonne("CASE a TO b / CASE IS > n", "CASE 3 TO 7");
  t.Colonne("CASE ELSE / END SELECT", "CASE ELSE");
  t.Spiega("scelta fra più casi; i blocchi non si annidano");
  t.Colonne("DO [WHILE|UNTIL cond] ... LOOP", "DO WHILE X < 10");
  t.Colonne("DO ... LOOP [WHILE|UNTIL cond]", "LOOP UNTIL X = 0");
  t.Spiega("cicli; NOT inverte la condizione");
  t.Colonne("FOR v = a TO b [STEP p] ... NEXT v", "FOR I = 1 TO 10");
  t.Spiega("ciclo contato, anche all'indietro con STEP negativo");
  t.Colonne("BREAK", "IF X = 5 THEN BREAK");
  t.Spiega("esce dal ciclo (o dal SELECT CASE) più interno");
  t.Colonne("etichetta: / GOTO etichetta", "GOTO INIZIO");
  t.Colonne("SUB nome(param) ... END SUB", "SUB RITARDO(T)");
  t.Colonne("CALL nome(valore)", "CALL RITARDO(50)");
  t.Colonne("EXIT SUB", "IF X = 0 THEN EXIT SUB");
  t.Spiega("subroutine, scritte dopo la END; fino a 6 livelli");
  t.Colonne("END", "END");
  t.Spiega("fine del programma principale (obbligatoria)");
  t.Colonne("' commento", "X = 1   ' azzera il conteggio");
  t.Colonne("istruzione : istruzione", "X = 1 : Y = 2");

  t.Sezione("|  Istruzioni orientate al micro PIC16F84  |");
  t.Colonne("CONFIG porta/linee AS INPUT|OUTPUT", "CONFIG B0, B1 AS INPUT");
  t.Spiega("direzione delle linee all'avvio (prima del primo IF)");
  t.Colonne("RECONFIG porta/linee AS ...", "RECONFIG B AS INPUT");
  t.Spiega("cambia la direzione durante il programma");
  t.Colonne("SET linea / SET porta", "SET B3");
  t.Colonne("RESET linea / RESET porta", "RESET B3");
  t.Colonne("CLEAR linea / CLEAR porta", "CLEAR B");
  t.Spiega("linea o porta a 1 (SET) oppure a 0 (RESET, CLEAR)");
  t.Colonne("OUTPUT porta, valore", "OUTPUT B, 255");
  t.Colonne("OUTPUT linea, valore", "OUTPUT B0, X");
  t.Colonne("variabile = INPUT(porta|linea)", "X = INPUT(A0)");
  t.Spiega("scrittura e lettura delle porte e delle linee");
  t.Colonne("WAIT Np / WAIT Np, Ns", "WAIT 123, 205");
  t.Spiega("pausa (4*Np+1)*Tcpu oppure (4*Np*(Ns+1)+1)*Tcpu");
  t.Colonne("STOP", "STOP");
  t.Spiega("SLEEP fino a un reset o a un interrupt");
  t.Colonne("DATA valori", "DATA 1, 2, \"CIAO\"");
  t.Colonne("variabile = GETDATA(n)", "X = GETDATA(1)");
  t.Spiega("tabella di costanti nella memoria di programma");
  t.Colonne("WRITE dati, indirizzo", "WRITE X, 10");
  t.Colonne("variabile = READ(indirizzo)", "X = READ(10)");
  t.Spiega("scrittura e lettura della EEPROM dati (64 byte)");
  t.Colonne("variabile = RND", "X = RND");
  t.Spiega("numero casuale letto dal Timer");
  t.Colonne("ASM(istruzione) / ASM{ ... }", "ASM(NOP)");
  t.Spiega("istruzioni assembly scritte a mano");

  t.Sezione("|  Gestione delle Interrupt   |");
  t.Colonne("ON TIMER INTERRUPT CALL sub", "ON TIMER INTERRUPT CALL TEMPO");
  t.Spiega("sub eseguita a ogni overflow del Timer TMR0");
  t.Colonne("ON EXTERNAL INTERRUPT CALL sub", "ON EXTERNAL INTERRUPT CALL TASTO");
  t.Spiega("sub eseguita a un fronte sulla linea B0/INT");
  t.Colonne("ON LINE INTERRUPT CALL sub", "ON LINE INTERRUPT CALL CAMBIO");
  t.Spiega("sub eseguita a un cambiamento delle linee B4-B7");
  t.Colonne("SET INIT TIMER TO valore", "SET INIT TIMER TO 6");
  t.Colonne("SET TIMER RATE TO 1/n", "SET TIMER RATE TO 1/16");
  t.Colonne("SET TIMER ON / OFF", "SET TIMER OFF");
  t.Colonne("SET INTERNAL CLOCK", "SET INTERNAL CLOCK");
  t.Colonne("SET EXTERNAL CLOCK", "SET EXTERNAL CLOCK");
  t.Colonne("SET TIMER EDGE UP / DOWN", "SET TIMER EDGE DOWN");
  t.Spiega("frequenza = quarzo / 4 / prescaler / (256 - valore)");
  t.Colonne("SET EXTERNAL INTERRUPT EDGE UP/DOWN", "SET EXTERNAL INTERRUPT EDGE DOWN");
  t.Colonne("SET EXTERNAL INTERRUPT ON / OFF", "SET EXTERNAL INTERRUPT OFF");
  t.Colonne("SET LINE INTERRUPT ON / OFF", "SET LINE INTERRUPT ON");
  t.Spiega("abilitano e disabilitano i singoli interrupt");

  t.Sezione("|   Funzioni logiche a 8 bit   |");
  t.Colonne("variabile = a AND b", "X = Y AND 15");
  t.Colonne("variabile = a OR b", "X = Y OR Z");
  t.Colonne("variabile = a XOR b", "X = Y XOR 255");
  t.Colonne("variabile = NOT(a)", "X = NOT(X)");
  t.Spiega("operano bit per bit; a e b: variabili o costanti");
  t.Colonne("con parentesi", "X = (Y AND Z) OR W1");
  t.Spiega("un solo tipo di operatore per ogni livello di parentesi");

  t.Sezione("|   Espressioni aritmetiche a 8 bit   |");
  t.Colonne("variabile = a + b", "X = Y + Z");
  t.Colonne("variabile = a - b", "X = 10 - Y");
  t.Spiega("risultato da 0 a 255: oltre riparte da 0 (carry a 1)");
  t.Colonne("variabile = DIV10(var)", "D = DIV10(N)");
  t.Colonne("variabile = DIV10R(var)", "U = DIV10R(N)");
  t.Spiega("quoziente e resto della divisione per 10");
  t.Colonne("variabile = FLAG_CARRY", "R = FLAG_CARRY");
  t.Colonne("IF FLAG_ZERO THEN", "IF FLAG_ZERO THEN X = 1");
  t.Spiega("riporto e risultato nullo dell'ultima operazione");
  t.Spiega("confronti senza segno, ma con segno quelli con 0");

  t.Sezione("|   Operazioni orientate ai bit   |");
  t.Colonne("ROTATE LEFT|RIGHT var [, n]", "ROTATE LEFT LUCI, 2");
  t.Spiega("rotazione attraverso il carry, n da 1 a 8");
  t.Colonne("SHIFT LEFT|RIGHT var [, n]", "SHIFT RIGHT X");
  t.Spiega("scorrimento con 0 in ingresso: *2 oppure /2");
  t.Colonne("SWAP BINARY var", "SWAP BINARY X");
  t.Spiega("scambia i due nibble del byte");
  t.Colonne("SWAP BYTE var1, var2", "SWAP BYTE X, Y");
  t.Spiega("scambia i valori di due variabili");
  t.Colonne("SET CARRY / CLEAR CARRY", "CLEAR CARRY");
  t.Spiega("porta il carry a 1 o a 0 prima di una rotazione");

  t.Righe(R"(

NOTAZIONE DEI NUMERI
====================
  decimale         200
  binaria          B'11001000'
  esadecimale      0xC8   (oppure &HC8)
  carattere        ASC("A")

*** ATTENZIONE ***
==================
 - Le variabili dinamiche create dal traduttore iniziano con
   "W#": non usare nomi che iniziano così.
 - Tutte le variabili sono globali, anche i parametri delle SUB.
 - L'Help si chiude con un click sul bordo esterno della sua
   finestra; un doppio click sul testo lo copia su file; questa
   guida si stampa o si salva su file con un doppio click sul
   testo e si chiude con un click sul bordo.
 - Un click su "BAS" o su "ASM" apre la finestra dei parametri:
   colori, dimensione e grassetto dei caratteri dei due riquadri.
)");
  t.Riga(QStringLiteral("Versione: ") + dataVersione);
  t.Riga(QStringLiteral("Compilatore Basic per micro PIC16F84") + Credito());
  t.Riga(QStringLiteral("Realizzato per lo studio dei microcontrollori nella scuola."));
  return t.Risultato();
}

GuideWindow::GuideWindow(const ui::Ambiente& ambiente, const QString& dataVersione,
                         const QString& cartellaLavoro, QWidget* parent)
    : QDialog(parent), ambiente_(ambiente), cartellaLavoro_(cartellaLavoro), testo_(TestoGuida(dataVersione)) {
  createControls();
  createLayout();
}

void GuideWindow::createControls() {
  setWindowTitle(QStringLiteral("Help"));
  setModal(true);
  text1_ = new QPlainTextEdit(this);
  text1_->setObjectName("Text1");
  text1_->setReadOnly(true);
  text1_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text1_->setFont(ui::FontConRipiego(QStringLiteral("Courier New"), 10));
  QString visibile = testo_;
  text1_->setPlainText(visibile.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  text1_->viewport()->installEventFilter(this);
}

// The margins are the window background: a click there closes the guide.
void GuideWindow::createLayout() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(14, 14, 14, 14);
  layout->addWidget(text1_);
  QSize dimensione(860, 700);
  if (const QScreen* schermo = QGuiApplication::primaryScreen())
    dimensione = dimensione.boundedTo(schermo->availableGeometry().size() * 9 / 10);
  resize(dimensione);
}

void GuideWindow::StampaOSalva() {
  const QFont font = text1_->font();
  if (ui::ChiediSiNo(ambiente_, QStringLiteral("Invio in stampa il testo dell'Help ?"))) {
    ui::StampaTesto(ambiente_, testo_, font.family(), font.pointSizeF(), this);
    return;
  }
  if (!ui::ChiediSiNo(ambiente_, QStringLiteral("Invio su file il testo dell'Help ?"))) return;
  const QString proposta = QDir(cartellaLavoro_.isEmpty() ? QDir::currentPath() : cartellaLavoro_)
                               .filePath(QStringLiteral("Velmora_Help.txt"));
  const QString percorso = ui::ChiediTesto(ambiente_, QStringLiteral("Indicare il nome completo del file"),
                                           QStringLiteral("Stampa Help"), proposta)
                               .trimmed();
  if (percorso.isEmpty()) return;
  QString errore;
  if (ui::ScriviFile(percorso, (testo_ + QStringLiteral("\r\n")).toUtf8(), errore)) return;
  ui::MostraMessaggio(ambiente_, QStringLiteral("Impossibile scrivere il file ") + percorso +
                                     QStringLiteral("\nErrore: ") + errore);
}

bool GuideWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == text1_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
    StampaOSalva();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void GuideWindow::mousePressEvent(QMouseEvent* event) {
  event->accept();
  reject();
}

}  // namespace velmora::tools
