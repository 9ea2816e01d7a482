#include "help_pages.h"

#include "asm_writer.h"
#include "encoding.h"

namespace velmora::tools {

namespace {

// Appends every line of `righe` (UTF-8, lines separated by '\n') followed by CR LF.
void Aggiungi(QString& t, const char* righe) {
  const QStringList lista = QString::fromUtf8(righe).split(QLatin1Char('\n'));
  for (const QString& riga : lista) t += riga + QStringLiteral("\r\n");
}

const char* const kPaginaMicro = R"(IL MICROCONTROLLORE PIC16F84A
=============================
Il PIC16F84A è un piccolo computer completo chiuso in un solo
integrato a 18 piedini: processore, memoria del programma, memoria
dei dati, porte di ingresso/uscita e timer.

Caratteristiche principali:
 - memoria di programma FLASH di 1024 istruzioni (word da 14 bit);
 - 68 byte di RAM per le variabili (da 0x0C a 0x4F);
 - 64 byte di memoria EEPROM-DATI, che conserva i valori anche
   senza alimentazione (istruzioni WRITE e READ);
 - 13 linee di ingresso/uscita: porta A con 5 linee (A0-A4) e
   porta B con 8 linee (B0-B7);
 - Timer TMR0 a 8 bit con divisore (prescaler) programmabile;
 - 4 sorgenti di interrupt: fronte su B0/INT, superamento del
   Timer, cambiamento delle linee B4-B7, fine scrittura EEPROM
   (Velmora gestisce le prime tre);
 - stack hardware di 8 livelli per le chiamate a subroutine;
 - 35 istruzioni assembly, quasi tutte eseguite in un ciclo;
 - quarzo fino a 20 MHz (versione PIC16F84A-20); ogni istruzione
   dura 4 periodi del quarzo: con 4 MHz un ciclo è 1 micro-secondo;
 - modo a basso consumo SLEEP (istruzioni STOP ed END).

Note per l'uso con Velmora:
 - la linea A4 in uscita è a collettore aperto: serve una
   resistenza verso il positivo per ottenere il livello alto;
 - il codice generato non contiene istruzioni CLRWDT: al momento
   della programmazione del micro disabilitare il Watchdog e
   scegliere il tipo di oscillatore (XT per un quarzo da 4 MHz);
 - due livelli dello stack sono riservati (interrupt e routine
   interne): le subroutine possono chiamarsi fino a 6 livelli.
)";

const char* const kPaginaRC = R"(NOTA: OSCILLATORE RC
====================
Quando la precisione dei tempi non è importante il quarzo può
essere sostituito da una rete RC: una resistenza dal piedino
OSC1/CLKIN al positivo e un condensatore da OSC1/CLKIN a massa
(resistenza tra 3 e 100 KOhm, condensatore di almeno 20 pF).

La frequenza dipende dai valori dei componenti, dalla tensione di
alimentazione e dalla temperatura: i ritardi di WAIT e i periodi
del Timer diventano approssimati (anche del 20-30%).
Sul piedino OSC2/CLKOUT è presente la frequenza di lavoro divisa
per 4, utile per misurarla con un frequenzimetro.

Al momento della programmazione del micro scegliere l'oscillatore
di tipo RC nei bit di configurazione.
)";

const char* const kPaginaAritmetica = R"(ARITMETICA DI BASE
==================
Il micro lavora su byte: tutti i calcoli di Velmora sono a 8 bit.

 - Ogni costante numerica è un byte: da 0 a 255. Le costanti
   negative da -1 a -256 sono accettate e diventano il loro
   complemento a due (-1 vale 255, cioè 0xFF).
 - Le costanti si scrivono in decimale (200), in esadecimale
   (0xC8 oppure &HC8) o in binario (B'11001000').
 - Un'assegnazione contiene al massimo UNA operazione:
      X = Y + Z     X = Y - 5     X = 10 - Y
   Espressioni come X = A + B + C vanno spezzate in più righe.
 - Non esistono moltiplicazione e divisione: per dividere per
   10 ci sono le funzioni DIV10 (quoziente) e DIV10R (resto);
   SHIFT LEFT moltiplica per 2, SHIFT RIGHT divide per 2.
 - I risultati oltre 255 ricominciano da 0 (250 + 10 = 4) e i
   risultati sotto 0 ripartono da 255 (3 - 5 = 254): dopo
   una somma o una sottrazione FLAG_CARRY indica il riporto.
 - Le variabili INTEGER, WORD, SINGLE, FLOAT e LONG occupano più
   byte di RAM, ma le istruzioni usano solo il loro primo byte.
   I numeri con la virgola (1.5) si possono soltanto assegnare
   a variabili SINGLE o FLOAT (4 byte).
 - I confronti tra variabili e con costanti diverse da 0 sono
   senza segno (0-255); il confronto con 0 tramite <, <=, > e
   >= è invece con segno: i valori da 128 a 255 valgono come
   negativi (il bit 7 è il segno). Per sapere se una variabile
   è diversa da zero usare IF X <> 0 THEN.
---Esempi---
DIM X AS BYTE
DIM Y AS BYTE
DIM TOTALE AS BYTE
X = 200
Y = X + 100
TOTALE = Y - 3
X = 10 - Y

DIM MASCHERA AS BYTE
MASCHERA = B'00001111'
MASCHERA = 0x0F
MASCHERA = -1
)";

const char* const kPaginaRingraziamenti = R"(RINGRAZIAMENTI
==============
Un grazie agli studenti e agli insegnanti che hanno usato le
prime versioni del programma in laboratorio: le loro domande, i
loro errori e i loro suggerimenti hanno dato forma a questo Help,
alla guida e agli esempi.

Grazie anche a chi sviluppa e mantiene gli strumenti liberi per i
microcontrollori PIC (assemblatori e simulatori), con i quali il
codice generato da Velmora viene provato.
)";

const char* const kPaginaWorkspace = R"(WORKSPACE (CARTELLA DI LAVORO)
==============================
All'avvio Velmora cerca una cartella in cui possa scrivere i
propri file. Per ogni disco del sistema (su Linux la radice "/"
e la cartella personale dell'utente) prova, in ordine, le
cartelle Windows/Temp, Windows/System, Programmi/Windows NT,
Programmi/Microsoft Office, Programmi/Adobe e Temp, e infine la
cartella corrente: la prima in cui riesce a creare un file è la
cartella di lavoro.

Nella cartella di lavoro si trovano:
 - _PicConfig.Txt, con i colori, i caratteri, l'ultimo file
   aperto e i valori del calcolatore del Timer;
 - l'archivio dei backup (ArchivioGenerale.Txt e i file
   VelmoraNNNN.txt);
 - TMP-HELP.TXT, la copia dell'Help su file.

I programmi Basic si conservano di solito nella cartella
"Velmora Programmi" alla radice di un disco: la finestra di
selezione dei file la propone quando contiene dei file.
)";

const char* const kPaginaAsc = R"(FUNZIONE ASC
============
ASC("c") restituisce il codice ASCII del carattere c.
Il traduttore sostituisce subito la funzione con la costante
corrispondente, quindi ASC si usa ovunque è ammessa una costante.

Sintassi:
   variabile = ASC("c")

Note:
 - fra le parentesi ci deve essere un solo carattere fra due
   virgolette (tre caratteri in tutto);
 - le lettere fra virgolette conservano maiuscole e minuscole:
   ASC("A") vale 65 (0x41), ASC("a") vale 97 (0x61).
---Esempio---
DIM CARATTERE AS BYTE
DIM LETTERA AS BYTE
CARATTERE = ASC("A")
LETTERA = ASC("z")
IF CARATTERE = ASC("A") THEN LETTERA = ASC("0")
)";

const char* const kPaginaAsm = R"(ISTRUZIONE ASM
==============
Inserisce nel programma istruzioni assembly scritte a mano.

Sintassi:
   ASM(istruzione)
   ASM{
     istruzione
     istruzione
   }

Note:
 - il testo passa nel file assembly così com'è, senza controlli:
   gli errori li segnalerà l'assemblatore;
 - il programma Basic viene convertito in maiuscolo: nelle
   istruzioni usare i nomi delle variabili dichiarate con DIM e
   gli indirizzi numerici dei registri (0x06 per PORTB, 0x03 per
   STATUS), perché i nomi di PIC16F84.DEF (Reg_PortB, Bit_0...)
   contengono lettere minuscole;
 - i numeri esadecimali si scrivono 0x... (uno solo per
   istruzione: gli altri resterebbero nella forma &H...);
 - una riga con ":" diventa un'etichetta (ASM(CICLO: NOP));
 - non usare variabili il cui nome inizia con ASM: la riga
   verrebbe presa per un'istruzione ASM.
---Esempio---
DIM CONTA AS BYTE
ASM(NOP)
ASM(INCF CONTA , F)
ASM{
  CLRWDT
  MOVLW 0x0F
  MOVWF CONTA
}
)";

const char* const kPaginaBreak = R"(ISTRUZIONE BREAK
================
Esce subito dal ciclo DO...LOOP o FOR...NEXT più interno che la
contiene; il programma continua dalla prima istruzione dopo il
ciclo. Dentro un blocco SELECT CASE, BREAK esce dal SELECT CASE.

Sintassi:
   BREAK

Note:
 - BREAK deve stare da solo sulla riga (o dopo THEN in un IF su
   una riga);
 - in cicli annidati esce solo da quello più interno.
---Esempio---
DIM I AS BYTE
DIM SOMMA AS BYTE
SOMMA = 0
FOR I = 1 TO 100
  SOMMA = SOMMA + I
  IF SOMMA > 200 THEN BREAK
NEXT I
)";

const char* const kPaginaCall = R"(ISTRUZIONE CALL
===============
Chiama una subroutine definita con SUB...END SUB; al termine il
programma continua dalla riga dopo la CALL.

Sintassi:
   CALL nome
   CALL nome(valore1, valore2, ...)

Note:
 - i parametri si passano per assegnazione: CALL RITARDO(50)
   diventa T = 50 seguito dalla chiamata; i parametri sono
   variabili normali e vanno dichiarate con DIM;
 - fra il nome e la parentesi non ci vanno spazi;
 - il numero dei valori deve essere quello dei parametri della
   SUB (SUB con lo stesso nome e numero di parametri diverso sono
   subroutine diverse);
 - le subroutine possono chiamarsi fra loro fino a 6 livelli.
---Esempio---
DIM T AS BYTE
DIM CONTA AS BYTE
CONTA = 0
CALL ATTESA(100)
CALL INCREMENTA
END
SUB ATTESA(T)
  WAIT T
END SUB
SUB INCREMENTA
  CONTA = CONTA + 1
END SUB
)";

const char* const kPaginaClear = R"(ISTRUZIONI CLEAR, CLEAR LINE, CLEAR PORT
========================================
Porta a 0 una linea o tutte le linee di una porta.

Sintassi:
   CLEAR porta            (A oppure B)
   CLEAR linea            (da A0 ad A4, da B0 a B7)
   CLEAR PORT porta
   CLEAR LINE linea

Note:
 - le parole PORT e LINE sono facoltative;
 - CLEAR scrive il registro della porta: ha effetto sui piedini
   configurati come uscite (CONFIG);
 - CLEAR porta usa CLRF, CLEAR linea usa BCF;
 - per il flag di carry vedere CLEAR CARRY.
---Esempio---
CONFIG B AS OUTPUT
CLEAR B
CLEAR PORT B
CLEAR B3
CLEAR LINE B7
)";

const char* const kPaginaCarryZero = R"(ISTRUZIONI CLEAR CARRY, RESET CARRY
===================================
Porta a 0 il flag di carry (bit C del registro STATUS).

Sintassi:
   CLEAR CARRY
   CLEAR FLAG CARRY
   RESET CARRY

Note:
 - si usa prima di ROTATE per far entrare uno 0 nel byte;
 - il carry viene modificato anche da somme, sottrazioni,
   ROTATE e SHIFT.
---Esempio---
DIM VALORE AS BYTE
VALORE = 128
CLEAR CARRY
ROTATE RIGHT VALORE
RESET CARRY
ROTATE LEFT VALORE
)";

const char* const kPaginaConfig = R"(ISTRUZIONE CONFIG
=================
Stabilisce quali linee sono ingressi e quali uscite. Il codice di
configurazione (registri TRISA e TRISB) viene eseguito una volta
all'avvio del programma.

Sintassi:
   CONFIG porta AS INPUT        CONFIG porta AS OUTPUT
   CONFIG linea AS INPUT        CONFIG linea AS OUTPUT
   CONFIG linea, linea, ... AS INPUT (oppure OUTPUT)

Note:
 - porte: A e B; linee: da A0 ad A4 e da B0 a B7;
 - le istruzioni CONFIG vanno scritte prima del primo IF;
 - più CONFIG si sommano; per la stessa linea vale l'ultima;
 - in una porta citata, le linee non nominate sono uscite;
 - una porta mai citata resta come all'accensione: tutta in
   ingresso;
 - per cambiare direzione mentre il programma gira usare
   RECONFIG;
 - la linea A4 in uscita è a collettore aperto.
---Esempio---
CONFIG A AS INPUT
CONFIG B0, B1 AS INPUT
CONFIG B2, B3, B4, B5, B6, B7 AS OUTPUT
)";

const char* const kPaginaConst = R"(ISTRUZIONI CONST E SYMBOL
=========================
Danno un nome a un valore o a un testo. Prima della traduzione
ogni parola uguale al nome viene sostituita dal testo: CONST e
SYMBOL sono la stessa istruzione.

Sintassi:
   CONST nome = testo
   SYMBOL nome = testo

Note:
 - vanno scritte prima del primo IF, FOR o DO;
 - viene sostituita solo la parola intera: con CONST N = 5 la
   variabile NN non cambia; attenzione però che il carattere "_"
   separa le parole: con SYMBOL LED = B0 anche LED_ROSSO diventa
   B0_ROSSO;
 - il testo non viene controllato: può essere un numero, una
   linea (B0), il nome di una variabile;
 - un nome può usare nel testo solo nomi dichiarati dopo di lui.
---Esempio---
CONST MASSIMO = 10
SYMBOL LED = B0
DIM CONTA AS BYTE
CONFIG LED AS OUTPUT
CONTA = MASSIMO
SET LED
)";

const char* const kPaginaData = R"(ISTRUZIONE DATA
===============
Definisce una tabella di costanti nella memoria di programma; i
valori si leggono con la funzione GETDATA(n).

Sintassi:
   DATA valore, valore, ...
   DATA "testo", valore, ...

Note:
 - al massimo 250 byte in tutto (tutte le DATA si accodano in
   un'unica tabella, nell'ordine del programma);
 - GETDATA(1) restituisce il primo byte della prima DATA;
 - un testo fra virgolette diventa i codici dei suoi caratteri;
 - i valori oltre 255 conservano solo il byte basso;
 - le istruzioni DATA vanno scritte prima del primo IF.
---Esempio---
DIM VALORE AS BYTE
DATA 3, 7, 123, 78, 85
DATA "CIAO", 0
VALORE = GETDATA(1)
VALORE = GETDATA(6)
)";

const char* const kPaginaDim = R"(ISTRUZIONE DIM
==============
Dichiara le variabili: ogni variabile usata dal programma va
dichiarata con DIM e occupa byte della RAM.

Sintassi:
   DIM nome AS tipo
   DIM nome1, nome2, ... AS tipo
   DIM nome[n] AS tipo            (riserva n elementi)

Tipi:  BYTE 1 byte, INTEGER e WORD 2 byte,
       SINGLE e FLOAT 4 byte, LONG 8 byte.

Note:
 - le variabili possono occupare al massimo 61 byte (68 byte di
   RAM, 7 riservati al traduttore);
 - le istruzioni DIM vanno scritte prima del primo IF o DO;
 - tutte le variabili sono globali, anche quelle usate come
   parametri delle SUB;
 - i calcoli usano solo il primo byte di ogni variabile; un
   numero con la virgola si assegna solo a SINGLE o FLOAT;
 - un vettore riserva spazio ma le istruzioni non hanno indici;
 - nomi non ammessi: W, F, OR, AND, IF, ELSE, THEN, DO, LOOP e i
   nomi con spazi; i nomi che iniziano con W# sono del traduttore.
---Esempio---
DIM CONTA AS BYTE
DIM X, Y AS BYTE
DIM TOTALE AS INTEGER
DIM TABELLA[8] AS BYTE
DIM MISURA AS SINGLE
MISURA = 1.5
CONTA = 0
)";

const char* const kPaginaDiv10 = R"(FUNZIONI DIV10 E DIV10R
=======================
DIV10 divide una variabile per 10 e restituisce il quoziente;
DIV10R restituisce il resto dell'ultima DIV10 eseguita.

Sintassi:
   variabile = DIV10(variabile)
   variabile = DIV10R(variabile)

Note:
 - l'argomento di DIV10 deve essere una variabile;
 - DIV10R non guarda il suo argomento: restituisce il resto
   calcolato dall'ultima DIV10, quindi va usata subito dopo;
 - si possono usare anche in una condizione:
   IF DIV10(X) > 3 THEN ...
 - servono per scomporre un numero nelle sue cifre decimali
   (per esempio per un display).
---Esempio---
DIM NUMERO AS BYTE
DIM CENTINAIA AS BYTE
DIM DECINE AS BYTE
DIM UNITA AS BYTE
NUMERO = 234
DECINE = DIV10(NUMERO)
UNITA = DIV10R(NUMERO)
CENTINAIA = DIV10(DECINE)
DECINE = DIV10R(DECINE)
)";

const char* const kPaginaDo = R"(CICLO DO...LOOP
===============
Ripete le istruzioni comprese fra DO e LOOP.

Sintassi:
   DO ... LOOP                      (ciclo senza fine)
   DO WHILE condizione ... LOOP     (ripete finché è vera)
   DO UNTIL condizione ... LOOP     (ripete finché è falsa)
   DO ... LOOP WHILE condizione     (controllo alla fine)
   DO ... LOOP UNTIL condizione     (controllo alla fine)

Note:
 - la condizione è quella di un IF (un solo confronto);
 - NOT inverte la condizione: DO WHILE NOT X = 0 equivale a
   DO UNTIL X = 0, DO NOT X = 0 a DO UNTIL X = 0;
 - la condizione si mette o sul DO o sul LOOP, non su entrambi;
 - con la condizione sul LOOP il corpo è eseguito almeno una
   volta;
 - BREAK esce dal ciclo; i cicli si possono annidare.
---Esempio---
DIM CONTA AS BYTE
CONTA = 0
DO WHILE CONTA < 10
  CONTA = CONTA + 1
LOOP
DO
  CONTA = CONTA - 1
LOOP UNTIL CONTA = 0
)";

const char* const kPaginaEnd = R"(ISTRUZIONE END
==============
Chiude il programma principale: il micro entra in SLEEP (basso
consumo) e ci resta.

Sintassi:
   END

Note:
 - è obbligatoria: ogni programma deve avere la sua END;
 - le subroutine (SUB...END SUB) si scrivono dopo la END;
 - solo un reset o un'interrupt su B0 o su B4-B7 risvegliano il
   micro; dopo l'interrupt il micro torna in SLEEP;
 - non va confusa con END IF, END SUB ed END SELECT.
---Esempio---
DIM X AS BYTE
X = 5
END
)";

const char* const kPaginaEndSub = R"(ISTRUZIONE END SUB
==================
Chiude la definizione di una subroutine: il programma torna alla
riga successiva alla CALL che l'ha chiamata.

Sintassi:
   SUB nome
     ...
   END SUB

Note:
 - ogni SUB deve avere la sua END SUB; le SUB non si annidano;
 - le subroutine si scrivono dopo la END del programma.
---Esempio---
DIM LAMPEGGI AS BYTE
LAMPEGGI = 0
CALL CONTA
END
SUB CONTA
  LAMPEGGI = LAMPEGGI + 1
END SUB
)";

const char* const kPaginaExitSub = R"(ISTRUZIONE EXIT SUB
===================
Esce subito dalla subroutine e torna alla riga dopo la CALL.

Sintassi:
   EXIT SUB

Note:
 - si usa di solito dentro un IF;
 - la riga deve contenere solo EXIT SUB (o stare dopo THEN in un
   IF su una riga).
---Esempio---
DIM VALORE AS BYTE
VALORE = 3
CALL CONTROLLO
END
SUB CONTROLLO
  IF VALORE = 0 THEN EXIT SUB
  VALORE = VALORE - 1
END SUB
)";

const char* const kPaginaFlagCarry = R"(FLAG_CARRY
==========
Indica il riporto (carry) dell'ultima operazione: vale 1 se il
flag C del registro STATUS è a 1, altrimenti 0.

Sintassi:
   variabile = FLAG_CARRY
   IF FLAG_CARRY THEN ...          (vero con carry a 1)
   IF FLAG_CARRY = 0 THEN ...      (vero con carry a 0)

Note:
 - dopo una somma vale 1 se il risultato ha superato 255;
 - dopo una sottrazione X - Y vale 1 se X >= Y, 0 se c'è stato
   un prestito (Y maggiore di X);
 - dopo ROTATE e SHIFT contiene il bit uscito dal byte;
 - X = X + 1 usa l'istruzione INCF, che non cambia il carry;
 - va letto subito dopo l'operazione che interessa.
---Esempio---
DIM X AS BYTE
DIM SOMMA AS BYTE
DIM RIPORTO AS BYTE
X = 200
SOMMA = X + 100
RIPORTO = FLAG_CARRY
IF FLAG_CARRY THEN
  SOMMA = 255
END IF
)";

const char* const kPaginaFlagZero = R"(FLAG_ZERO
=========
Indica se l'ultima operazione ha dato zero: vale 1 se il flag Z
del registro STATUS è a 1.

Sintassi:
   IF FLAG_ZERO THEN ...           (vero se il risultato era 0)
   IF FLAG_ZERO = 0 THEN ...       (vero se era diverso da 0)
   variabile = FLAG_ZERO

Note:
 - dopo X = Y - Z il flag vale 1 se Y e Z erano uguali;
 - X = Y porta Z a 1 se Y vale 0; X = 0 porta sempre Z a 1;
 - X = 5 (costante diversa da 0) non cambia il flag;
 - attenzione: l'assegnazione X = FLAG_ZERO azzera prima X con
   CLRF, che porta Z a 1, e dà quindi sempre 1; per leggere il
   flag usare IF FLAG_ZERO THEN, come nell'esempio.
---Esempio---
DIM X AS BYTE
DIM Y AS BYTE
DIM UGUALI AS BYTE
X = 7
Y = 7
UGUALI = 0
X = X - Y
IF FLAG_ZERO THEN
  UGUALI = 1
END IF
)";

const char* const kPaginaFor = R"(CICLO FOR...NEXT
================
Ripete le istruzioni per tutti i valori di una variabile, da un
valore iniziale a uno finale (compreso).

Sintassi:
   FOR variabile = inizio TO fine
     ...
   NEXT variabile

   FOR variabile = inizio TO fine STEP passo
     ...
   NEXT variabile

Note:
 - la variabile è un byte; NEXT deve ripeterne il nome;
 - il passo vale 1 se manca; per contare all'indietro serve un
   passo negativo (STEP -1); il passo costante va da -126 a 127;
 - con inizio e fine costanti: FOR I = 5 TO 5 e FOR I = 10 TO 1
   (senza STEP negativo) sono errori;
 - il controllo è alla fine: il corpo viene eseguito almeno una
   volta;
 - con passo costante e almeno un estremo costante il ciclo si
   ferma anche se la variabile supera 255 o scende sotto 0;
   quando inizio e fine sono entrambi variabili, o il passo è una
   variabile, questo controllo manca: un ciclo fino a 255 non
   finirebbe mai;
 - BREAK esce dal ciclo; i cicli si possono annidare.
---Esempio---
DIM I AS BYTE
DIM J AS BYTE
DIM CONTA AS BYTE
CONTA = 0
FOR I = 1 TO 10
  CONTA = CONTA + 1
NEXT I
FOR J = 100 TO 0 STEP -5
  CONTA = CONTA - 1
NEXT J
)";

const char* const kPaginaGetData = R"(FUNZIONE GETDATA
================
Legge un byte della tabella definita con DATA.

Sintassi:
   variabile = GETDATA(n)         (n costante o variabile)

Note:
 - n parte da 1: GETDATA(1) è il primo byte della prima DATA;
 - con n costante: da 1 a 250;
 - con n variabile: se n vale 0 o supera i byte della tabella,
   la funzione restituisce 0;
 - serve almeno un'istruzione DATA nel programma;
 - si può usare anche in una condizione: IF GETDATA(I) = 0 THEN.
---Esempio---
DIM I AS BYTE
DIM VALORE AS BYTE
DATA 10, 20, 30, 0
I = 1
DO
  VALORE = GETDATA(I)
  I = I + 1
LOOP UNTIL VALORE = 0
)";

const char* const kPaginaGoto = R"(ISTRUZIONE GOTO
===============
Salta all'etichetta indicata.

Sintassi:
   GOTO etichetta
   etichetta:

Note:
 - un'etichetta è una parola seguita da ":" su una riga propria
   (o all'inizio di una riga: CICLO: X = 1);
 - le etichette non possono iniziare con "@", riservato alle
   etichette del traduttore;
 - non saltare dentro o fuori da una SUB: lo stack delle
   chiamate si scompenserebbe.
---Esempio---
DIM CONTA AS BYTE
CONTA = 0
INIZIO:
CONTA = CONTA + 1
IF CONTA < 5 THEN GOTO INIZIO
)";

const char* const kPaginaIf = R"(ISTRUZIONE IF
=============
Esegue istruzioni solo se una condizione è vera.

Sintassi:
   IF condizione THEN
     ...
   ELSE
     ...
   END IF

   IF condizione THEN istruzione
   IF condizione THEN istruzione ELSE istruzione

Condizioni:
   variabile op costante      variabile op variabile
   FLAG_CARRY, FLAG_ZERO      INPUT(porta) op valore
   INPUT(linea) = valore
   con op uno fra  =  <>  <  >  <=  >=

Note:
 - a sinistra ci deve essere una variabile: IF 5 = X è errato;
 - un solo confronto per IF: per combinare più condizioni
   calcolare prima un risultato con AND/OR in una variabile;
 - i confronti sono senza segno (0-255), tranne quelli con la
   costante 0 tramite <, <=, >, >=, che sono con segno: X > 0 è
   falso per X da 128 a 255; per "diverso da zero" usare X <> 0;
 - ELSE è facoltativo; ENDIF equivale a END IF;
 - nella condizione si possono usare DIV10, READ e GETDATA.
---Esempio---
DIM X AS BYTE
DIM Y AS BYTE
X = 10
Y = 0
IF X > 5 THEN
  Y = 1
ELSE
  Y = 2
END IF
IF X = 10 THEN Y = 3
IF X <> Y THEN Y = X ELSE Y = 0
)";

const char* const kPaginaInput = R"(FUNZIONE INPUT
==============
Legge lo stato di una porta (8 bit) o di una linea (0 oppure 1).

Sintassi:
   variabile = INPUT(porta)
   variabile = INPUT(linea)
   IF INPUT(linea) THEN ...            (vero con linea a 1)
   IF INPUT(linea) = 0 THEN ...
   IF INPUT(porta) op valore THEN ...

Note:
 - le linee lette vanno configurate come ingressi (CONFIG);
 - per una linea la condizione ammette solo il segno "=": il
   valore 1 controlla la linea alta, ogni altra costante la
   linea bassa; con una variabile: 0 = bassa, altro = alta;
 - per una porta valgono gli operatori dell'IF; il confronto con
   0 è con segno (il bit 7 della porta fa da segno);
 - la porta A ha solo 5 linee: i bit da 5 a 7 si leggono a 0.
---Esempio---
DIM STATO AS BYTE
DIM PULSANTE AS BYTE
CONFIG A AS INPUT
CONFIG B AS OUTPUT
STATO = INPUT(A)
PULSANTE = INPUT(A0)
IF INPUT(A1) = 1 THEN
  SET B0
END IF
IF INPUT(A) > 3 THEN
  RESET B0
END IF
)";

const char* const kPaginaOutput = R"(ISTRUZIONE OUTPUT
=================
Scrive un valore su una porta (8 bit) o su una linea.

Sintassi:
   OUTPUT porta, valore       (costante o variabile)
   OUTPUT linea, 0            (come RESET linea)
   OUTPUT linea, 1            (come SET linea)
   OUTPUT linea, variabile    (0: linea bassa, altro: alta)

Note:
 - le linee devono essere configurate come uscite (CONFIG);
 - ogni bit del valore va sulla linea corrispondente: il bit 0
   su B0, il bit 7 su B7.
---Esempio---
DIM VALORE AS BYTE
CONFIG B AS OUTPUT
VALORE = 85
OUTPUT B, 255
OUTPUT B, VALORE
OUTPUT B0, 1
OUTPUT B1, VALORE
)";

const char* const kPaginaRead = R"(FUNZIONE READ
=============
Legge un byte della memoria EEPROM-DATI (64 byte, indirizzi da
0 a 63), che conserva i dati anche senza alimentazione.

Sintassi:
   variabile = READ(indirizzo)     (costante o variabile)

Note:
 - l'indirizzo non viene controllato: restare fra 0 e 63;
 - una EEPROM mai scritta contiene 255 (0xFF) in ogni byte;
 - si può usare anche in una condizione: IF READ(5) > 3 THEN;
 - per scrivere nella EEPROM vedere WRITE.
---Esempio---
DIM VALORE AS BYTE
DIM INDIRIZZO AS BYTE
VALORE = READ(0)
INDIRIZZO = 10
VALORE = READ(INDIRIZZO)
IF READ(5) > 3 THEN
  VALORE = 0
END IF
)";

const char* const kPaginaReconfig = R"(ISTRUZIONE RECONFIG
===================
Cambia la direzione (ingresso o uscita) di una porta o di linee
mentre il programma è in esecuzione.

Sintassi:
   RECONFIG porta AS INPUT       RECONFIG porta AS OUTPUT
   RECONFIG linea AS INPUT       RECONFIG linea AS OUTPUT
   RECONFIG linea, linea, ... AS INPUT (oppure OUTPUT)

Note:
 - a differenza di CONFIG agisce nel punto in cui si trova;
 - per una porta o una linea sola i nomi vengono controllati;
   in un elenco no: scrivere con cura A0-A4 e B0-B7.
---Esempio---
CONFIG B AS OUTPUT
RECONFIG B0 AS INPUT
RECONFIG B AS OUTPUT
RECONFIG B0, B1 AS INPUT
)";

const char* const kPaginaReset = R"(ISTRUZIONE RESET
================
Porta a 0 (livello basso) una linea d'uscita o tutta una porta.

Sintassi:
   RESET linea
   RESET porta
   RESET LINE linea
   RESET CARRY

Note:
 - RESET porta azzera tutte le linee (come CLEAR porta);
 - RESET CARRY porta a 0 il flag di carry;
 - la linea deve essere configurata come uscita (CONFIG).
---Esempio---
CONFIG B AS OUTPUT
RESET B0
RESET LINE B1
RESET B
)";

const char* const kPaginaRnd = R"(FUNZIONE RND (RANDOM)
=====================
Restituisce un numero casuale fra 0 e 255.

Sintassi:
   variabile = RND
   variabile = RND()

Note:
 - il valore è quello del Timer TMR0 nell'istante della lettura:
   è casuale quando il momento della lettura dipende da eventi
   esterni (per esempio la pressione di un tasto);
 - è disponibile solo quando il Timer conta con il clock interno:
   con l'interrupt del Timer (ON TIMER INTERRUPT CALL, che lo
   imposta all'avvio) oppure dopo SET INTERNAL CLOCK; all'accensione
   il Timer conta gli impulsi del piedino A4 e resterebbe fermo;
 - per un numero più piccolo usare AND: X = RND seguito da
   X = X AND 7 dà un valore da 0 a 7.
---Esempio---
DIM CASUALE AS BYTE
DIM DADO AS BYTE
SET INTERNAL CLOCK
CASUALE = RND
DADO = CASUALE AND 7
)";

const char* const kPaginaRotate = R"(ISTRUZIONE ROTATE
=================
Ruota i bit di una variabile di una posizione (o di n posizioni)
attraverso il flag di carry: è una rotazione a 9 bit.

Sintassi:
   ROTATE LEFT variabile
   ROTATE LEFT variabile, n
   ROTATE RIGHT variabile
   ROTATE RIGHT variabile, n          (n da 1 a 8)

Note:
 - a sinistra il bit 7 va nel carry e il carry entra nel bit 0;
   a destra il bit 0 va nel carry e il carry entra nel bit 7;
 - per far entrare uno 0 azzerare prima il carry (CLEAR CARRY),
   oppure usare SHIFT;
 - per luci scorrevoli usare OUTPUT B, variabile dopo ogni ROTATE.
---Esempio---
DIM LUCI AS BYTE
LUCI = 1
CLEAR CARRY
ROTATE LEFT LUCI
ROTATE LEFT LUCI, 3
ROTATE RIGHT LUCI, 2
)";

const char* const kPaginaSelect = R"(ISTRUZIONE SELECT CASE
======================
Sceglie fra più gruppi di istruzioni secondo il valore di una
variabile.

Sintassi:
   SELECT CASE variabile
   CASE valore
     ...
   CASE valore1, valore2, ...
     ...
   CASE minimo TO massimo
     ...
   CASE IS > valore          (anche <, <=, >=, <>, =)
     ...
   CASE ELSE
     ...
   END SELECT

Note:
 - viene eseguito solo il primo CASE che corrisponde; CASE ELSE
   quando nessuno corrisponde;
 - CASE minimo TO massimo comprende i due estremi;
 - i confronti sono quelli dell'IF (con 0 sono con segno);
 - BREAK dentro un CASE esce dal SELECT CASE;
 - i blocchi SELECT CASE non si possono annidare.
---Esempio---
DIM TASTO AS BYTE
DIM RISPOSTA AS BYTE
TASTO = 4
SELECT CASE TASTO
CASE 1
  RISPOSTA = 10
CASE 2, 3
  RISPOSTA = 20
CASE 4 TO 6
  RISPOSTA = 30
CASE IS > 200
  RISPOSTA = 40
CASE ELSE
  RISPOSTA = 0
END SELECT
)";

const char* const kPaginaSet = R"(ISTRUZIONE SET
==============
Porta a 1 (livello alto) una linea d'uscita o tutta una porta.

Sintassi:
   SET linea
   SET porta
   SET LINE linea
   SET CARRY

Note:
 - SET porta porta a 1 tutte le linee (scrive 255);
 - SET CARRY porta a 1 il flag di carry;
 - la linea deve essere configurata come uscita (CONFIG).
---Esempio---
CONFIG B AS OUTPUT
SET B0
SET LINE B7
SET B
)";

const char* const kPaginaSetCarry = R"(ISTRUZIONE SET CARRY
====================
Porta a 1 il flag di carry (bit C del registro STATUS).

Sintassi:
   SET CARRY
   SET FLAG CARRY

Note:
 - si usa prima di ROTATE per far entrare un 1 nel byte.
---Esempio---
DIM VALORE AS BYTE
VALORE = 0
SET CARRY
ROTATE RIGHT VALORE
SET FLAG CARRY
)";

const char* const kPaginaShift = R"(ISTRUZIONE SHIFT
================
Sposta i bit di una variabile di una posizione (o di n posizioni);
nel posto lasciato libero entra uno 0.

Sintassi:
   SHIFT LEFT variabile
   SHIFT LEFT variabile, n
   SHIFT RIGHT variabile
   SHIFT RIGHT variabile, n          (n da 1 a 8)

Note:
 - SHIFT LEFT moltiplica per 2, SHIFT RIGHT divide per 2
   (senza resto);
 - il bit che esce finisce nel flag di carry.
---Esempio---
DIM VALORE AS BYTE
VALORE = 12
SHIFT LEFT VALORE
SHIFT RIGHT VALORE, 2
)";

const char* const kPaginaStop = R"(ISTRUZIONE STOP
===============
Ferma il processore (SLEEP, basso consumo) finché un evento non
lo risveglia; poi il programma continua dalla riga dopo STOP.

Sintassi:
   STOP

Note:
 - risvegliano il micro: un reset, un'interrupt su B0 o su B4-B7
   abilitata (ON EXTERNAL/LINE INTERRUPT CALL), il Watchdog se
   abilitato;
 - durante lo SLEEP il Timer è fermo: l'interrupt del Timer non
   può risvegliare il micro;
 - se l'interrupt è attiva, la sua subroutine viene eseguita
   prima di continuare.
---Esempio---
DIM CONTA AS BYTE
ON EXTERNAL INTERRUPT CALL SVEGLIA
CONTA = 0
DO
  STOP
LOOP
END
SUB SVEGLIA
  CONTA = CONTA + 1
END SUB
)";

const char* const kPaginaSub = R"(ISTRUZIONE SUB
==============
Definisce una subroutine: un gruppo di istruzioni con un nome,
eseguito con CALL.

Sintassi:
   SUB nome
     ...
   END SUB

   SUB nome(parametro1, parametro2, ...)
     ...
   END SUB

Note:
 - le SUB si scrivono dopo la END del programma principale;
 - i parametri sono variabili globali dichiarate con DIM: la CALL
   assegna loro i valori prima della chiamata;
 - EXIT SUB esce in anticipo; END SUB chiude la subroutine;
 - al massimo 50 subroutine; possono chiamarsi fra loro fino a 6
   livelli (il resoconto della traduzione mostra il livello);
 - una SUB può servire un'interrupt (ON ... INTERRUPT CALL).
---Esempio---
DIM VOLTE AS BYTE
DIM CONTA AS BYTE
CONFIG B0 AS OUTPUT
CALL LAMPEGGIA(3)
END
SUB LAMPEGGIA(VOLTE)
  FOR CONTA = 1 TO VOLTE
    SET B0
    WAIT 200, 200
    RESET B0
    WAIT 200, 200
  NEXT CONTA
END SUB
)";

const char* const kPaginaSwap = R"(ISTRUZIONI SWAP BINARY E SWAP BYTE
==================================
SWAP BINARY scambia i due gruppi di 4 bit (nibble) di un byte;
SWAP BYTE scambia i valori di due variabili.

Sintassi:
   SWAP BINARY variabile
   SWAP BYTE variabile1, variabile2

Note:
 - SWAP BINARY si usa solo con variabili BYTE: 0xF0 diventa 0x0F,
   0x12 diventa 0x21;
 - SWAP BYTE usa una variabile di lavoro del traduttore.
---Esempio---
DIM X AS BYTE
DIM Y AS BYTE
X = 0xF0
Y = 5
SWAP BINARY X
SWAP BYTE X, Y
)";

const char* const kPaginaWait = R"(ISTRUZIONE WAIT
===============
Ferma il programma per un tempo preciso, ripetendo un ciclo di
istruzioni.

Sintassi:
   WAIT                  (una sola istruzione: 1 ciclo)
   WAIT Np               (Np da 1 a 255, costante o variabile)
   WAIT Np, Ns           (Np e Ns da 1 a 255)

Durata, con Tcpu = 4 / frequenza del quarzo (1 micro-sec a 4 MHz):
   WAIT Np       pausa = (4*Np+1)*Tcpu
   WAIT Np, Ns   pausa = (4*Np*(Ns+1)+1)*Tcpu

Note:
 - a 4 MHz WAIT 128 dura 513 micro-secondi; con un quarzo da
   10 MHz WAIT 123, 205 dura (4*123*206+1)*0.4 = 40541.2
   micro-secondi, circa 40.5 ms; la pausa più lunga, WAIT 255, 255,
   a 4 MHz è di circa 0.26 secondi;
 - WAIT da 1 a 5 (costante) diventa da 1 a 5 istruzioni NOP: la
   pausa è allora di 1-5 cicli;
 - una variabile che vale 0 conta come 256;
 - per pause più lunghe ripetere WAIT in un ciclo FOR;
 - la voce WAIT (Utility) apre il calcolatore dei tempi.
---Esempio---
DIM RITARDO AS BYTE
RITARDO = 200
WAIT
WAIT 3
WAIT 100
WAIT RITARDO
WAIT 123, 205
WAIT 250, RITARDO
)";

const char* const kPaginaWrite = R"(ISTRUZIONE WRITE
================
Scrive uno o più byte nella memoria EEPROM-DATI (64 byte,
indirizzi da 0 a 63), che li conserva anche senza alimentazione.

Sintassi:
   WRITE dato, indirizzo
   WRITE dato1, dato2, ..., indirizzo
   WRITE "testo", indirizzo

Note:
 - l'ultimo valore è sempre l'indirizzo; i dati (costanti,
   variabili o testi fra virgolette) vanno in indirizzi
   consecutivi a partire da quello;
 - l'indirizzo non viene controllato: restare fra 0 e 63;
 - ogni byte richiede alcuni millisecondi; durante la scrittura
   le interrupt sono sospese;
 - la EEPROM sopporta circa un milione di scritture: non scrivere
   di continuo in un ciclo senza fine;
 - per leggere vedere READ.
---Esempio---
DIM VALORE AS BYTE
DIM INDIRIZZO AS BYTE
VALORE = 42
WRITE 12, 0
WRITE VALORE, 1
INDIRIZZO = 10
WRITE "CIAO", INDIRIZZO
WRITE 1, 2, 3, 20
)";

const char* const kPaginaOnTimer = R"(ISTRUZIONE ON TIMER INTERRUPT CALL
==================================
Esegue una subroutine ogni volta che il Timer TMR0 supera 255 e
ricomincia da 0 (interrupt del Timer).

Sintassi:
   ON TIMER INTERRUPT CALL nome

Impostazioni all'avvio: clock interno, prescaler 1/256, TMR0 = 0,
interrupt del Timer abilitata. Con un quarzo da 4 MHz l'interrupt
arriva ogni 65.536 ms (circa 15.26 volte al secondo).

Note:
 - la subroutine è una normale SUB senza parametri;
 - l'istruzione può stare in qualsiasi punto del programma
   principale: l'interrupt viene comunque abilitata all'avvio;
 - frequenza = quarzo / 4 / prescaler / (256 - valore iniziale):
   vedere SET TIMER RATE, SET INIT TIMER TO e il pulsante Timer;
 - il Timer viene ricaricato alla fine della subroutine: il tempo
   che essa impiega si aggiunge al periodo, quindi va tenuta
   breve;
 - il traduttore salva solo W, STATUS e una sua variabile: la
   subroutine non usi WAIT con due indici, DIV10 o espressioni
   con parentesi se li usa anche il programma principale;
 - possono essere attive insieme le interrupt del Timer, di B0 e
   delle linee B4-B7.
---Esempio---
DIM SECONDI AS BYTE
DIM CONTA AS BYTE
ON TIMER INTERRUPT CALL TEMPO
SET INIT TIMER TO 6
SET TIMER RATE TO 1/16
SECONDI = 0
CONTA = 0
DO
LOOP
END
SUB TEMPO
  CONTA = CONTA + 1
  IF CONTA = 250 THEN
    CONTA = 0
    SECONDI = SECONDI + 1
  END IF
END SUB
)";

const char* const kPaginaInternalClock = R"(ISTRUZIONE SET INTERNAL CLOCK
=============================
Il Timer TMR0 conta i cicli di istruzione (quarzo / 4), divisi
dal prescaler: è il modo "timer".

Sintassi:
   SET INTERNAL CLOCK

Note:
 - ON TIMER INTERRUPT CALL imposta già il clock interno all'avvio;
 - serve a RND quando non si usa l'interrupt del Timer;
 - abilita anche l'interrupt del Timer (bit T0IE): se il programma
   usa altre interrupt deve avere anche ON TIMER INTERRUPT CALL.
---Esempio---
SET INTERNAL CLOCK
)";

const char* const kPaginaExternalClock = R"(ISTRUZIONE SET EXTERNAL CLOCK
=============================
Il Timer TMR0 conta gli impulsi che arrivano sul piedino
A4/T0CKI, divisi dal prescaler: è il modo "contatore".

Sintassi:
   SET EXTERNAL CLOCK

Note:
 - la linea A4 deve essere un ingresso;
 - il fronte contato si sceglie con SET TIMER EDGE;
 - abilita anche l'interrupt del Timer (bit T0IE): se il programma
   usa altre interrupt deve avere anche ON TIMER INTERRUPT CALL.
---Esempio---
CONFIG A4 AS INPUT
SET EXTERNAL CLOCK
SET TIMER EDGE DOWN
)";

const char* const kPaginaTimerEdge = R"(ISTRUZIONE SET TIMER EDGE
=========================
Sceglie il fronte del piedino A4/T0CKI su cui il Timer avanza
quando conta impulsi esterni (SET EXTERNAL CLOCK).

Sintassi:
   SET TIMER EDGE UP        (bit T0SE = 1)
   SET TIMER EDGE DOWN      (bit T0SE = 0)

Note:
 - secondo il foglio tecnico del micro, con T0SE = 1 il Timer
   avanza sul passaggio da livello alto a basso del piedino, con
   T0SE = 0 sul passaggio da basso ad alto;
 - all'accensione T0SE vale 1;
 - con il clock interno l'impostazione non ha effetto.
---Esempio---
SET EXTERNAL CLOCK
SET TIMER EDGE UP
SET TIMER EDGE DOWN
)";

const char* const kPaginaTimerRate = R"(ISTRUZIONE SET TIMER RATE TO
============================
Imposta il divisore (prescaler) degli impulsi che fanno avanzare
il Timer TMR0.

Sintassi:
   SET TIMER RATE TO 1/2      (oppure 1/4, 1/8, 1/16, 1/32,
                               1/64, 1/128, 1/256)
   SET TIMER RATE TO n        (n da 1 a 8: 1 = 1/2 ... 8 = 1/256)
   SET TIMER RATE TO 0        (nessuna divisione)

Note:
 - con 0 il prescaler passa al Watchdog e il Timer conta ogni
   ciclo di istruzione;
 - l'istruzione azzera TMR0 e abilita l'interrupt del Timer (bit
   T0IE): se il programma usa altre interrupt deve avere anche
   ON TIMER INTERRUPT CALL;
 - il calcolatore Timer (pulsante Timer) mostra la frequenza che
   si ottiene con quarzo, prescaler e valore iniziale.
---Esempio---
SET TIMER RATE TO 1/64
SET TIMER RATE TO 3
SET TIMER RATE TO 0
)";

const char* const kPaginaTimerOnOff = R"(ISTRUZIONI SET TIMER ON, SET TIMER OFF
======================================
Abilitano e disabilitano l'interrupt del Timer TMR0 (bit T0IE del
registro INTCON).

Sintassi:
   SET TIMER ON
   SET TIMER OFF

Note:
 - ON TIMER INTERRUPT CALL abilita l'interrupt all'avvio: SET
   TIMER OFF la sospende, SET TIMER ON la riprende;
 - il Timer continua a contare anche quando l'interrupt è
   disabilitata.
---Esempio---
DIM CONTA AS BYTE
ON TIMER INTERRUPT CALL TEMPO
CONTA = 0
SET TIMER OFF
WAIT 100
SET TIMER ON
END
SUB TEMPO
  CONTA = CONTA + 1
END SUB
)";

const char* const kPaginaInitTimer = R"(ISTRUZIONE SET INIT TIMER TO
============================
Stabilisce il valore da cui il Timer riparte dopo ogni interrupt
del Timer: l'interrupt arriva dopo (256 - valore) conteggi.

Sintassi:
   SET INIT TIMER TO valore       (da 0 a 255)
   SET INIT TIMER TO variabile

Note:
 - non genera codice nel punto in cui si trova: il valore viene
   caricato dalla gestione dell'interrupt del Timer;
 - può esserci una sola SET INIT TIMER TO nel programma;
 - con una variabile il periodo si può cambiare mentre il
   programma gira;
 - all'avvio il Timer parte da 0: il valore vale dalla prima
   interrupt in poi;
 - frequenza = quarzo / 4 / prescaler / (256 - valore): il
   pulsante Timer apre il calcolatore.
---Esempio---
DIM TICK AS BYTE
ON TIMER INTERRUPT CALL TEMPO
SET INIT TIMER TO 56
TICK = 0
END
SUB TEMPO
  TICK = TICK + 1
END SUB
)";

const char* const kPaginaOnExternal = R"(ISTRUZIONE ON EXTERNAL INTERRUPT CALL
=====================================
Esegue una subroutine quando sul piedino B0/INT arriva un fronte
(interrupt esterna).

Sintassi:
   ON EXTERNAL INTERRUPT CALL nome

Note:
 - B0 deve essere un ingresso;
 - all'avvio il fronte è quello di salita (da basso ad alto); si
   cambia con SET EXTERNAL INTERRUPT EDGE;
 - l'interrupt viene abilitata all'avvio, ovunque sia scritta
   l'istruzione; si sospende con SET EXTERNAL INTERRUPT OFF;
 - un pulsante meccanico produce rimbalzi: più fronti per una
   sola pressione;
 - risveglia il micro dallo SLEEP (STOP, END).
---Esempio---
DIM PRESSIONI AS BYTE
CONFIG B0 AS INPUT
CONFIG B1 AS OUTPUT
ON EXTERNAL INTERRUPT CALL TASTO
PRESSIONI = 0
DO
LOOP
END
SUB TASTO
  PRESSIONI = PRESSIONI + 1
  IF INPUT(B1) = 1 THEN
    RESET B1
  ELSE
    SET B1
  END IF
END SUB
)";

const char* const kPaginaExtEdge = R"(ISTRUZIONE SET EXTERNAL INTERRUPT EDGE
======================================
Sceglie il fronte di B0/INT che provoca l'interrupt esterna.

Sintassi:
   SET EXTERNAL INTERRUPT EDGE UP       (fronte di salita)
   SET EXTERNAL INTERRUPT EDGE DOWN     (fronte di discesa)

Note:
 - agisce sul bit INTEDG del registro OPTION; all'accensione vale
   UP (fronte di salita).
---Esempio---
SET EXTERNAL INTERRUPT EDGE DOWN
SET EXTERNAL INTERRUPT EDGE UP
)";

const char* const kPaginaExtOnOff = R"(ISTRUZIONI SET EXTERNAL INTERRUPT ON/OFF
========================================
Abilitano e disabilitano l'interrupt di B0/INT (bit INTE del
registro INTCON).

Sintassi:
   SET EXTERNAL INTERRUPT ON
   SET EXTERNAL INTERRUPT OFF

Note:
 - ON EXTERNAL INTERRUPT CALL abilita l'interrupt all'avvio; queste
   istruzioni la sospendono e la riprendono.
---Esempio---
DIM CONTA AS BYTE
ON EXTERNAL INTERRUPT CALL TASTO
CONTA = 0
SET EXTERNAL INTERRUPT OFF
WAIT 200
SET EXTERNAL INTERRUPT ON
END
SUB TASTO
  CONTA = CONTA + 1
END SUB
)";

const char* const kPaginaOnLine = R"(ISTRUZIONE ON LINE INTERRUPT CALL
=================================
Esegue una subroutine quando cambia lo stato di una delle linee
da B4 a B7 configurate come ingressi (interrupt su linea).

Sintassi:
   ON LINE INTERRUPT CALL nome

Note:
 - si controllano solo le linee B4-B7 configurate come ingressi;
 - ogni cambiamento, in salita o in discesa, provoca l'interrupt;
   la subroutine può leggere le linee con INPUT per sapere quale
   è cambiata;
 - l'interrupt viene abilitata all'avvio; si sospende con
   SET LINE INTERRUPT OFF;
 - risveglia il micro dallo SLEEP (STOP, END).
---Esempio---
DIM CAMBI AS BYTE
CONFIG B4, B5, B6, B7 AS INPUT
CONFIG B0 AS OUTPUT
ON LINE INTERRUPT CALL CAMBIO
CAMBI = 0
DO
LOOP
END
SUB CAMBIO
  CAMBI = CAMBI + 1
  IF INPUT(B4) = 1 THEN
    SET B0
  ELSE
    RESET B0
  END IF
END SUB
)";

const char* const kPaginaSetLine = R"(ISTRUZIONI SET LINE INTERRUPT ON/OFF
====================================
Abilitano e disabilitano l'interrupt sul cambiamento delle linee
B4-B7 (bit RBIE del registro INTCON).

Sintassi:
   SET LINE INTERRUPT ON
   SET LINE INTERRUPT OFF

Note:
 - ON LINE INTERRUPT CALL abilita l'interrupt all'avvio; queste
   istruzioni la sospendono e la riprendono.
---Esempio---
DIM CAMBI AS BYTE
ON LINE INTERRUPT CALL CAMBIO
CAMBI = 0
SET LINE INTERRUPT OFF
WAIT 200
SET LINE INTERRUPT ON
END
SUB CAMBIO
  CAMBI = CAMBI + 1
END SUB
)";

// The rest of the file builds the other texts and applies the rules.

void PaginaCopyright(QString& t) {
  Aggiungi(t, R"(COPYRIGHT
=========)");
  t += QStringLiteral("Compilatore Basic per micro PIC16F84") +
       QString::fromStdString(velmora::encoding::Cp1252ToUtf8(velmora::CreditoAutore())) +
       QStringLiteral("\r\n");
  Aggiungi(t, R"(
Il programma, l'Help, la guida e gli esempi sono pensati per la
scuola: possono essere usati e copiati liberamente per lo studio
e l'insegnamento, citandone la provenienza.
Il codice assembly generato appartiene a chi ha scritto il
programma Basic da cui deriva.
Il programma è fornito così com'è, senza garanzie: prima di
usarlo in un circuito reale provare sempre il codice generato.)");
}

void PaginaVersione(QString& t, const QString& dataVersione) {
  const QString riga = QStringLiteral("| Versione programma: ") + dataVersione + QStringLiteral("|");
  const QString cornice = QStringLiteral("+") + QString(riga.size() - 2, QLatin1Char('-')) + QStringLiteral("+");
  for (int i = 0; i < 3; ++i) t += QStringLiteral(" \r\n");
  t += cornice + QStringLiteral("\r\n") + riga + QStringLiteral("\r\n") + cornice + QStringLiteral("\r\n");
}

bool Inizia(const QString& voce, const char* testo) { return voce.startsWith(QLatin1String(testo)); }

}  // namespace

const QStringList& VociHelp() {
  static const QStringList voci = {
      "Il micro PIC16F84A", "Package", "Aritmetica di base", "Ringraziamenti", "Workspace",
      "CopyRight", "Versione", "Nota: Osc. RC", " ", "ASC",
      "ASM", "BREAK", "CALL", "CLEAR", "CLEAR CARRY",
      "CLEAR LINE", "CLEAR PORT", "CONFIG", "CONST", "DATA",
      "DIM", "DIV10", "DIV10R", "DO", "END",
      "END SUB", "EXIT SUB", "FLAG_CARRY", "FLAG_ZERO", "FOR",
      "GETDATA", "GOTO", "IF", "INPUT", "OUTPUT",
      "READ", "RECONFIG", "RESET", "RESET CARRY", "RND (random)",
      "ROTATE BIT", "SELECT CASE", "SET", "SET CARRY", "SHIFT BIT",
      "STOP", "SUB", "SYMBOL", "SWAP BINARY", "SWAP BYTE",
      "WAIT", "WAIT (Utility)", "WRITE", " ", "-Interrupt Timer-",
      "ON TIMER INTERRUPT", "SET INTERNAL CLOCK", "SET EXTERNAL CLOCK", "SET TIMER EDGE",
      "SET TIMER RATE", "SET TIMER ON/OFF", "SET INIT TIMER TO", " ", "-Interrupt Esterno-",
      "ON EXTERNAL INTERRUPT", "SET EXT. INT. EDGE", "SET EXT. INT. ON/OFF", " ",
      "-Interrupt su Linea-", "ON LINE INTERRUPT", "SET LINE INTERRUPT", " ", "  ==>> Help <<=="};
  return voci;
}

QString VoceGuida() { return VociHelp().last(); }

QString IntroduzioneHelp() {
  QString t = QString(QStringLiteral("\r\n")).repeated(6);
  t += QStringLiteral("      ATTENZIONE\r\n");
  t += QStringLiteral("   a) Selezionare l'istruzione da visualizzare.\r\n");
  t += QStringLiteral("   b) Un click su bordo esterno chiude l'Help\r\n");
  t += QStringLiteral("   c) Doppio click per ottenere un file-help testo.\r\n");
  t += QStringLiteral("   d) Doppio click su  ==>> Help <<==  per aprire la Guida.");
  return t;
}

PaginaHelp ScegliPagina(const QString& voce, const QString& dataVersione) {
  PaginaHelp p;
  QString& t = p.testo;
  t = QStringLiteral("\r\n");
  const auto pagina = [&t](const char* testo) { Aggiungi(t, testo); };

  if (Inizia(voce, "Il micro")) pagina(kPaginaMicro);
  if (Inizia(voce, "Package")) {
    p.mostraPackage = true;
    return p;
  }
  if (Inizia(voce, "Nota: Osc. RC")) pagina(kPaginaRC);
  if (Inizia(voce, "Workspace")) pagina(kPaginaWorkspace);
  if (Inizia(voce, "Versione")) PaginaVersione(t, dataVersione);
  if (Inizia(voce, "Ringrazi")) pagina(kPaginaRingraziamenti);
  if (Inizia(voce, "CopyRigh")) PaginaCopyright(t);
  if (Inizia(voce, "Aritmeti")) pagina(kPaginaAritmetica);

  if (Inizia(voce, "ASC")) pagina(kPaginaAsc);
  if (Inizia(voce, "ASM")) pagina(kPaginaAsm);
  if (Inizia(voce, "BREAK")) pagina(kPaginaBreak);
  if (Inizia(voce, "CALL")) pagina(kPaginaCall);
  if (voce == "CLEAR" || voce == "CLEAR LINE" || voce == "CLEAR PORT") pagina(kPaginaClear);
  if (Inizia(voce, "CLEAR CARRY")) pagina(kPaginaCarryZero);

  if (Inizia(voce, "CONFIG")) pagina(kPaginaConfig);
  if (Inizia(voce, "CONST") || Inizia(voce, "SYMBO")) pagina(kPaginaConst);
  if (Inizia(voce, "DIM")) pagina(kPaginaDim);
  if (Inizia(voce, "DATA")) pagina(kPaginaData);
  if (Inizia(voce, "DIV10")) pagina(kPaginaDiv10);
  if (Inizia(voce, "DO")) pagina(kPaginaDo);
  if (voce == "END SUB") pagina(kPaginaEndSub);
  if (voce == "END") pagina(kPaginaEnd);
  if (Inizia(voce, "EXIT SUB")) pagina(kPaginaExitSub);
  if (Inizia(voce, "FLAG_CARR")) pagina(kPaginaFlagCarry);
  if (Inizia(voce, "FLAG_ZERO")) pagina(kPaginaFlagZero);
  if (Inizia(voce, "FOR")) pagina(kPaginaFor);
  if (Inizia(voce, "GETDATA")) pagina(kPaginaGetData);
  if (Inizia(voce, "GOTO")) pagina(kPaginaGoto);
  if (Inizia(voce, "IF")) pagina(kPaginaIf);
  if (Inizia(voce, "INPUT")) pagina(kPaginaInput);
  if (Inizia(voce, "ON TIMER")) pagina(kPaginaOnTimer);
  if (Inizia(voce, "ON EXTER")) pagina(kPaginaOnExternal);
  if (Inizia(voce, "ON LINE")) pagina(kPaginaOnLine);
  if (Inizia(voce, "OUTPUT")) pagina(kPaginaOutput);
  if (Inizia(voce, "READ")) pagina(kPaginaRead);
  if (Inizia(voce, "RECONFIG")) pagina(kPaginaReconfig);
  if (Inizia(voce, "RESET CAR")) pagina(kPaginaCarryZero);
  if (Inizia(voce, "RND ")) pagina(kPaginaRnd);
  if (voce == "RESET") pagina(kPaginaReset);
  if (Inizia(voce, "ROTATE")) pagina(kPaginaRotate);
  if (Inizia(voce, "SELECT")) pagina(kPaginaSelect);
  if (Inizia(voce, "SET CARRY")) pagina(kPaginaSetCarry);
  if (voce == "SET") pagina(kPaginaSet);
  if (Inizia(voce, "SET INTER")) pagina(kPaginaInternalClock);
  if (Inizia(voce, "SET EXTERNAL CLOCK")) pagina(kPaginaExternalClock);
  if (Inizia(voce, "SET EXT. INT. EDGE")) pagina(kPaginaExtEdge);
  if (Inizia(voce, "SET EXT. INT. ON/OFF")) pagina(kPaginaExtOnOff);
  if (Inizia(voce, "SET TIMER EDGE")) pagina(kPaginaTimerEdge);
  if (Inizia(voce, "SET TIMER RATE")) pagina(kPaginaTimerRate);
  if (Inizia(voce, "SET TIMER ON")) pagina(kPaginaTimerOnOff);
  if (Inizia(voce, "SET INIT TIMER")) pagina(kPaginaInitTimer);
  if (Inizia(voce, "SET LINE")) pagina(kPaginaSetLine);
  if (Inizia(voce, "SHIFT")) pagina(kPaginaShift);
  if (Inizia(voce, "STOP")) pagina(kPaginaStop);
  if (Inizia(voce, "SUB")) pagina(kPaginaSub);
  if (Inizia(voce, "SWAP")) pagina(kPaginaSwap);
  if (Inizia(voce, "WAIT (Uti")) p.apriCalcolatoreWait = true;
  if (Inizia(voce, "WAIT")) pagina(kPaginaWait);
  if (Inizia(voce, "WRITE")) pagina(kPaginaWrite);

  if (t == QStringLiteral("\r\n") || t == QStringLiteral("Nota su Help")) t = IntroduzioneHelp();
  return p;
}

}  // namespace velmora::tools
