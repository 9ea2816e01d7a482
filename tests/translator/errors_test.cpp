// SPDX-License-Identifier: GPL-3.0-or-later
// The error messages of the passes through whole translations: the exact
// error block and the source line it is tied to. A line normalisation refuses
// is shown as written, lower case included.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "compile_state.h"
#include "translator.h"

namespace velmora {
namespace {

// A program and its error: the message, the statement the block shows
// (nullptr: line `line` of the program as written; "": none) and the line of
// the program the error is tied to (0: none).
struct Row {
  std::string program;
  std::string message;
  const char* statement = nullptr;
  int line = 1;
};

// Translates `before` + each row's program + `after`; the row's lines are
// counted from its own first line.
void Verifica(const std::vector<Row>& rows, const std::string& before = "", const std::string& after = "\n") {
  const int offset = static_cast<int>(std::count(before.begin(), before.end(), '\n'));
  auto st = std::make_unique<CompileState>();
  for (const Row& r : rows) {
    const TranslationResult t = TranslateText(*st, before + r.program + after, {});
    std::string statement = r.statement ? r.statement : "";
    if (!r.statement) {
      size_t from = 0;
      for (int k = 1; k < r.line; ++k) from = r.program.find('\n', from) + 1;
      statement = r.program.substr(from, r.program.find('\n', from) - from);
    }
    const std::string block =
        "<*> ERRORE : " + r.message + "\r\n" + (statement.empty() ? "" : "---istruzione---\r\n" + statement);
    EXPECT_FALSE(t.ok) << r.program;
    EXPECT_EQ(t.assembly, block) << r.program;
    EXPECT_EQ(t.errorLine, r.line ? offset + r.line : 0) << r.program;
  }
}

// One or a few statements after these declarations, then END.
TEST(Errors, StatementsAfterTheDeclarations) {
  Verifica({
      {"FOR I 1 TO 10\nNEXT I", "Controllare il ciclo For...Next, manca il segno di uguale"},
      {"FOR Q = 1 TO 10\nNEXT Q", "Variabile non definita", "Q"},
      {"FOR I = 1 10\nNEXT I", "Controllare il ciclo For...Next, manca il 'TO'"},
      {"FOR I = 5 TO 5\nNEXT I", "Controllare l'istruzione FOR...NEXT"},
      {"FOR I = 10 TO 1\nNEXT I", "Controllare l'istruzione FOR...NEXT"},
      {"FOR I = 1 TO 10 STEP 200\nNEXT I", "Controllare l'istruzione FOR...NEXT"},
      {"FOR I = 1 TO 10 STEP -1\nNEXT I", "Controllare l'istruzione FOR...NEXT"},
      {"FOR I = A TO 10 STEP -127\nNEXT I", "Controllare l'istruzione FOR...NEXT"},
      {"FOR I = A TO -1\nNEXT I", "Controllare l'istruzione FOR...NEXT"},
      {"FOR I = 256 TO A STEP -1\nNEXT I",
       "Ciclo For...Next: i valori iniziale e finale costanti devono essere compresi tra 0 e 255"},
      {"FOR I = A TO B STEP 0\nNEXT I", "Ciclo For...Next con STEP 0: il ciclo non terminerebbe mai"},
      {"IF X THEN\nY = 1\nEND IF", "Controllare l'istruzione"},
      {"IF Q = 1 THEN\nY = 1\nEND IF", "Variabile non definita Q"},
      {"IF X = 1 AND Y = 2 THEN\nY = 1\nEND IF", "Variabile non definita"},
      {"IF X = 70000 THEN\nY = 1\nEND IF", "Costante numerica non ammessa"},
      {"IF INPUT( ) = 1 THEN\nY = 1\nEND IF", "La funzione Input() richiede un argomento (Port/Line)"},
      {"IF INPUT(C) THEN\nY = 1\nEND IF", "Sintassi non valida"},
      {"IF INPUT(C) = 1 THEN\nY = 1\nEND IF", "Impossibiler risolvere l'istruzione"},
      {"IF INPUT(B0) = Q THEN\nY = 1\nEND IF", "Tipo di assegnazione non valida"},
      {"SELECT CASE Q\nCASE 1\nEND SELECT", "Variabile non definita"},
      {"SELECT CASE X\nCASE 1\nY = 1 : SELECT CASE Y\nCASE 2\nEND SELECT\nEND SELECT",
       "Sintassi di 'Select Case' non corretta", "SELECT CASE Y", 3},
      // DIM, DATA and CONFIG are collected above the first IF or DO WHILE only
      {"IF X = 1 THEN\nDIM D AS BYTE\nEND IF", "Istruzione non risolta", nullptr, 2},
      {"DO WHILE X = 1\nDIM D AS BYTE\nLOOP", "Istruzione non risolta", nullptr, 2},
      {"IF X = 1 THEN\nDATA 4\nEND IF", "Istruzione non risolta", nullptr, 2},
      {"IF X = 1 THEN\nCONFIG A AS INPUT\nEND IF", "Istruzione non risolta", nullptr, 2},
      {"DIMX AS BYTE", "Istruzione non risolta"},
      {"MOTOR = (A AND B)", "Controllore il livello di parentesi"},
      {"X = (A AND B OR C)", "Controllore il livello di parentesi"},
      {"DO\nX = 1\nLOOP FOREVER", "Impossibile risolvere il ciclo Do While...LOOP"},
      {"DO FOREVER\nX = 1\nLOOP", "Impossibile risolvere il ciclo Do While...LOOP"},
      {"DOX = 1\nLOOP", "Impossibile risolvere il ciclo Do While...LOOP"},
      {"CONFIG B0 AS IN", "Impossibile determinare se configurazione di Input o Output"},
      {"CONFIG B0 INPUT", "Istruzione CONFIG errata"},
      {"CONFIG B0,, B1 AS OUTPUT", "Tipo di configurazione non ammessa"},
      {"CONFIG B0, B10 AS INPUT", "Tipo di configurazione non ammessa"},
      {"CONFIG A5, B1 AS INPUT", "Configurazione di linea di I/O non gestibile"},
      {"CONFIG B0, C AS INPUT", "Porta di I/O non gestibile"},
      {"CONFIG ABC AS INPUT", "Istruzione non riconosciuta"},
      {"CONFIG AS INPUT", "Istruzione non riconosciuta"},
      {"CONFIG C AS INPUT", "Configurazione di porta di I/O non gestibile"},
      {"DATA 1, \"\", 2", "Stringa vuota non ammessa: tra le virgolette deve esserci almeno un carattere"},
      {"DATA \"AΩ\"",
       "La stringa contiene un carattere senza codice a 8 bit (Windows-1252), non trasferibile al micro",
       "DATA \"A\xef\xbf\xbd\""},  // shown as U+FFFD
      {"DATA 1, 70000", "Costante numerica non ammessa"},
      {"WRITE 5", "Sintassi con riconoscita o non valida"},
      {"WRITE 1, Q", "Sintassi con riconoscita o non valida"},
      {"WRITE Q, 1, 2", "Sintassi o espressione non valida"},
      {"WRITE 1, Q, 2", "Sintassi non corretta o non valida"},
      {"WRITE 1, 64", "Indirizzo EEPROM non valido: la memoria dati ha 64 byte, indirizzi da 0 a 63"},
      {"WRITE 1, -1", "Indirizzo EEPROM non valido: la memoria dati ha 64 byte, indirizzi da 0 a 63"},
      {"WRITE \"\", 0", "Stringa vuota non ammessa: tra le virgolette deve esserci almeno un carattere"},
      {"WRITE \"" + std::string(49, 'A') + "B\", 0",
       "Istruzione WRITE troppo lunga: al massimo 49 byte per istruzione, dividerla in più WRITE"},
      {"SWAP BINARY W1", "Variabile non definita o istruzione SWAP Binary non ammessa"},
      {"SWAP BINARY Q", "Variabile non definita o istruzione SWAP Binary non ammessa"},
      {"SWAP BYTE X Y", "Sintassi errata per l'istruzione SWAP Byte"},
      {"SWAP BYTE X, Q", "Swap con variabile non definita"},
      {"CALL TOCK", "Subroutine non definita"},
      {"CLEAR B8", "Azzeramento di porta/linea non valido"},
      {"SET TIMER ONX", "Indice della linea di I/O non valido"},
      {"RESET A5", "Indice della linea di I/O non valido"},
      {"OUTPUT B, 40000", "Costante numerica non ammessa"},
      {"OUTPUT B, Q", "Istruzione OUTPUT non riconosciuta"},
      {"OUTPUT B", "Sintassi non corretta dell'istruzione"},
      {"RECONFIG C AS INPUT", "Porta non gestibile"},
      {"RECONFIG B8 AS INPUT", "Linea di Input/Output non gestibile"},
      {"RECONFIG  AS INPUT", "Controllore l'istruzione di ReConfig Porta Input/Output", "RECONFIG AS INPUT"},
      {"RECONFIG B0 INPUT", "Controllore l'istruzione di riconfiggurazionePorta/Linea I/O"},
      {"RECONFIG B0 A AS INPUT", "Riconfigurazioni multiple non valide"},
      {"ROTATE LEFT X, 9", "Indice di rotazione non valido"},
      {"ROTATE LEFT X, 0", "Indice di rotazione non valido"},
      {"SHIFT RIGHT X, 0", "Indice di shift non valido"},
      {"SHIFT LEFT X, 99999", "Indice di shift non valido"},
      {"WAIT 0", "Costante numerica non valida"},
      {"WAIT 256", "Costante numerica non valida"},
      {"WAIT Q", "Costante numerica non valida"},
      {"WAIT 0, N", "Controllare gli indice dell'istruzione WAIT, devono essere tra 1 e 255"},
      {"ASMX = 1", "Errore si sintassi, controllare : ASMX = 1"},
      {"ASM{\nNOP {\n}", "Errore di sintassi, controllare le parentesi nell'istruzione: ASM{"},
      {"ASM{\nNOP}}", "Errore si sintassi, controllare: ASM{"},
      {"X = 256", "Costante numerica non ammessa"},
      {"X = -257", "Costante numerica non ammessa"},
      {"X = 40000", "Costante numerica non ammessa"},
      {"Q = 1", "Variabile non definita"},
      {"X = 012", "Variabile o Espressione algebrica non definita"},
      {"X = RND(5)", "Variabile o Espressione algebrica non definita"},
      {"X = 200 + 100", "Costante numerica non ammessa"},
      {"X = 40000 - 39999", "Costante numerica non ammessa"},
      {"X = 40000 - Y", "Costante numerica non ammessa"},
      {"X = A * B", "Variabile o Espressione algebrica non definita"},
      {"X = A * B / C", "Espressione algebrica complessa"},
      {"X = Q + 1", "Variabile non definita"},
      {"X = Y + Q", "Variabile non definita"},
      {"X = 1 + Q", "Variabile non definita"},
      {"FL = 0.5", "Variabile o Espressione algebrica non definita"},
      {"X = 1.5", "Assegnazione floating non valida"},
      {"W1 = 1.5", "Assegnazione floating non valida"},
      {"X = A AND 40000", "Costante numerica non ammessa"},
      {"X = 40000 OR 1", "Costante numerica non ammessa"},
      {"X = A AND Q", "Errore di sintassi"},
      {"X = A AND B OR C", "Errore di sintassi"},
      {"Q = A AND B", "Variabile non definita"},
      {"Q = NOT(A)", "Variabile non definita", "Q = NOT( W#D1 )"},
      {"X = DIV10(5)", "La funzione Div10() richiede una variabile come argomento"},
      {"X = DIV10()", "La funzione Div10() richiede una variabile come argomento"},
      {"X = READ()", "La funzione Read() richiede un argomento"},
      {"X = READ(Q)", "Sintassi non riconosciuta"},
      {"X = INPUT(A5)", "Indicazione di Porta I/O non valida"},
      {"X = INPUT(C)", "Indicazione di Porta I/O non valida"},
      {"X = INPUT()", "La funzione Input() richiede un argomento, controllare"},
      {"X = GETDATA(3)", "La funzione GetData() non può essere usata senza la definizione dell'istruzione DATA."},
      {"DATA 1, 2, 3, 4, 5\nX = GETDATA(251)", "Indice della funzione GetDATA() fuori range.", nullptr, 2},
      {"DATA 1, 2, 3, 4, 5\nX = GETDATA(0)", "Indice della funzione GetDATA() fuori range.", nullptr, 2},
      {"DATA 1, 2, 3, 4, 5\nX = GETDATA()", "La funzione GetData() richiede un argomento numerico", nullptr, 2},
      {"DATA 1, 2, 3, 4, 5\nX = GETDATA(Q)", "Assegnazione GetData() non riconosciuta", nullptr, 2},
      {"SET TIMER RATE TO 9", "Istruzione non risolta"},  // no such ratio code: the line is left over
      {"SET INIT TIMER TO 256", "Valore di inizializzazione timer non ammesso: SET INIT TIMER TO 256"},
      {"SET INIT TIMER TO -1", "Valore di inizializzazione timer non ammesso: SET INIT TIMER TO -1"},
      {"SET INIT TIMER TO 99999", "Valore di inizializzazione timer non ammesso: SET INIT TIMER TO 99999"},
      {"SET INIT TIMER TO 12X", "Variabile non definita: SET INIT TIMER TO 12X"},
      {"SET INIT TIMER TO 6\nSET INIT TIMER TO 7", "L'istruzione 'Init Timer' deve essere unica.", nullptr, 2},
      // lines normalisation leaves for a later pass to refuse, shown in their canonical form
      {"a = (0x1f+0x2)", "Variabile non definita", "A = (&H1F+&H2)"},
      {"a=0x1f", "Variabile o Espressione algebrica non definita", "A=0X1F"},
      {"a = 10x", "Variabile o Espressione algebrica non definita", "A = 10X"},
      {"x = portb", "Variabile o Espressione algebrica non definita", "X = PORTB"},
      {"on line interrupt b4 call s", "Istruzione non risolta", "ON LINE INTERRUPT B4 CALL S"},
      {"a = 1 : clear", "Istruzione non risolta", "CLEAR"},
      {"asm lab: nop", "Errore si sintassi, controllare : ASM LAB: NOP", "ASM LAB: NOP"},
      {"output c3, 1", "Istruzione OUTPUT non riconosciuta", "OUTPUT C3, 1"},
      {"output b8, 1", "Istruzione OUTPUT non riconosciuta", "OUTPUT B8, 1"},
      {"if a = 1 then", "Struttura IF non bilanciata", "IF A = 1 THEN"},
      {"if (a = 1) then goto x", "Variabile non definita (A", "IF (A = 1) THEN"},
      {"write \"abc", "Stringa non bilanciata"},
      {"x = b'101", "Valore binario non corretto"},
      {"x = asc(\"A\"", "Parentesi non bilanciate"},
      {"x = asc(ab)", "Controllare l'istruzione "},
      {"0x10", "Controllare la sintassi: 0X10"},
      {"port", "Controllare l'istruzione: "},
      {"  line", "Controllare l'istuzione: "},
      {"@lab:", "Non è ammesso l'uso del caratere '@' come inizion di una Label"},
      {"a = 1 : if a = 1 b = 2", "Sintassi non permetta."},
      {"x = (1 + 2", "Controllare il livello di parentesi: "},
      {"x = 1) + (2", "Controllare il livello di parentesi: "},
      {"if x = 1 y = 2", "Struttura IF non corretta, controllare:IF X = 1 Y = 2"},
      {"if x then y = 1 else", "Struttura IF non corretta, controllare:IF X THEN Y = 1 ELSE"},
      {"if x else y = 1 then z = 2", "Struttura IF non corretta, controllare:IF X ELSE Y = 1 THEN Z = 2"},
  }, "DIM X, Y, Z, A, B, C, N, I AS BYTE\nDIM FL AS SINGLE\nDIM W1 AS WORD\n", "\nEND\n");
}

TEST(Errors, WholePrograms) {
  // More names than variable table rows: taking no RAM, or a byte each.
  std::string names = "E1[0]", ramNames = "V1";
  for (int k = 2; k <= 101; ++k) {
    names += ", E" + std::to_string(k) + "[0]";
    ramNames += ", V" + std::to_string(k);
  }
  Verifica({
      {"X = 1 : END",
       "Il programma main deve concludersi con lo step END. Non è stata trovata l'istruzione END", "", 0},
      {"DIM X BYTE\nEND", "Dimensionamento variabile non corretto"},
      {"DIM AS BYTE\nEND", "Definizione o nome variabile non ammessa"},
      {"DIM  AS BYTE\nEND", "Definizione o nome variabile non ammessa", "DIM AS BYTE"},
      {"DIM A, BUF[4 AS BYTE\nEND", "Definizione di array non ammessa"},
      {"DIM W AS BYTE\nEND", "Nome di variabile riservato dal sistema o sintassi sbagliata"},
      {"DIM A, LOOP AS BYTE\nEND", "Nome di variabile riservato dal sistema o sintassi sbagliata"},
      {"DIM MY VAR AS BYTE\nEND", "Nome di variabile riservato dal sistema o sintassi sbagliata"},
      {"DIM BUF [4] AS BYTE\nEND", "Nome di variabile riservato dal sistema o sintassi sbagliata"},
      {"DIM A, A AS BYTE\nEND", "Variabile già definita: A"},
      {"END\nSUB F\nEND SUB\nSUB F()\nEND SUB",
       "Subroutine definita due volte con lo stesso nome e lo stesso numero di parametri", nullptr, 4},
      {"END\nSUB F1\nEND SUB\nSUB F(Y)\nEND SUB",
       "Il nome della subroutine coincide con quello di un'altra subroutine: F1", nullptr, 4},
      {"END\nSUB S\nEND SUB\nEND",
       "La definizione delle Subroutine deve seguire il programma main (principale).", "", 0},
      // CONST substitutes whole words in declaration order, collected above the first IF, FOR or DO
      {"CONST X = X + 1\nDIM Y AS BYTE\nY = X+X\nEND", "Variabile non definita", "Y = X + 1+X + 1", 3},
      {"CONST N = 9\nDIM X AS BYTE\nX = N1 + 1N + _N + N# + (N)\nEND", "Variabile non definita",
       "X = N1 + 1N + _9 + 9# + (9)", 3},
      {"CONST N = 2\nDIM X AS BYTE\nDO\nCONST M = 3\nLOOP\nEND", "Variabile non definita", nullptr, 4},
      {"DIM I AS BYTE\nFOR I = 1 TO 3\nCONST N = 2\nNEXT I\nEND", "Variabile non definita", nullptr, 3},
      {"CONST = 5\nCONST Z =\nDIM X AS BYTE\nX = Z\nEND", "Variabile o Espressione algebrica non definita", "X = ", 4},
      // the line named: a statement repeated, a piece of a line, blank and comment lines counted
      {"DIM X AS BYTE\nFOR X = 1 TO 2\nNEXT X\nNEXT X\nEND", "Struttura FOR...NEXT non bilanciata.",
       "FOR X = 1 TO 2", 4},
      {"DIM X AS BYTE\nX = 1 : WAIT 300\nEND", "Costante numerica non valida", "WAIT 300", 2},
      {"DIM X AS BYTE\n\n' nota\nIF X = 1 THEN\nX = 2\nEND", "Struttura IF non bilanciata", nullptr, 4},
      {"DIM X AS BYTE\nX = 1\nEND\nSUB A\nX = 2", "Struttura SUB...END SUB non bilanciata", nullptr, 4},
      {"DIM X AS BYTE\nX = 1\nX = B'111111111'\nEND", "Valore binario troppo lungo (massimo 8 cifre)", nullptr, 3},
      {"DIM " + ramNames + " AS BYTE\nEND",
       "Dimensionamento delle variabili (101-Byte)\r\noltre la capacità consentita di 61-Byte !\r\n"
       "(Byte riservati: 7)"},
      {"DIM " + names + " AS BYTE\nEND",
       "Troppe variabili: superato il limite di 100 righe della tabella delle variabili"},
  });
}

}  // namespace
}  // namespace velmora
