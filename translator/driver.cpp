// The translation driver: the pipeline of one translation, in order.
//
// Each step is one call; the error checks between them are the only places
// where a translation stops. Two pre-passes, SELECT CASE and the parenthesis
// split, run even after an earlier error so that their own error block is
// added to the first one (the student then sees both); every other step runs
// only while no error has been reported.
#include "driver.h"

#include "asm_writer.h"
#include "assignment.h"
#include "block_pairing.h"
#include "call_depth.h"
#include "constants_config.h"
#include "data_eeprom.h"
#include "declarations.h"
#include "if_calls.h"
#include "jumps.h"
#include "normalise.h"
#include "parentheses.h"
#include "select_case.h"
#include "statements.h"
#include "sub_blocks.h"
#include "subroutines.h"
#include "text.h"
#include "unresolved.h"

namespace velmora {

void Translate(CompileState& st, std::string& basicText) {
  st.TextASM.clear();
  st.ResetForTranslation();
  if (!text::EndsWith(basicText, "\r\n")) basicText += "\r\n";
  const auto ok = [&st] { return !st.Flag_Errore; };

  // Source lines into ArrayInput, then the declaration and pre-passes.
  Normalise(st, basicText);
  if (ok()) TraduciConstSymbol(st);  // CONST, SYMBOL
  if (ok()) TraduciDim(st);          // DIM
  if (ok()) TraduciConfig(st);       // CONFIG
  if (ok()) TraduciData(st);         // DATA, EEPROM
  SelectCase(st);                    // also after an error: its block is added
  if (ok()) TraduciSubCall(st);      // SUB headers, CALL arguments
  SplitParentheses(st);              // also after an error: its block is added
  if (!ok()) return;

  ExtractIfCalls(st);  // DIV10(, DIV10R(, READ(, GETDATA( out of IF conditions
  if (!ok()) return;
  TraduciIstruzioni(st);  // the simple, interrupt, timer and EEPROM statements
  if (!ok()) return;
  TranslateSubBlocks(st);  // SUB ... END SUB
  if (!ok()) return;
  CheckCallDepth(st);
  if (!ok()) return;
  TranslateBlocks(st);  // FOR ... NEXT, then DO ... LOOP, then IF ... END IF
  if (!ok()) return;
  TraduciAssegnazioni(st);
  if (!ok()) return;
  ReportUnresolved(st);
  if (!ok()) return;

  // Post-processing and output.
  CompattaProgramma(st);
  RisolviEtichette(st);
  if (!ok()) return;
  ScriviASM(st);
}

}  // namespace velmora
