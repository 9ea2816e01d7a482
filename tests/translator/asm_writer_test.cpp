// The assembly writer's RAM check. The frame (header, EQU table, DATA table,
// interrupt handler), the runtime routines and the definitions file that
// gpasm reads are compared byte for byte or assembled by the golden files.
#include "asm_writer.h"

#include <gtest/gtest.h>

#include "text.h"

namespace velmora {
namespace {

TEST(AsmWriter, WorkBytesBeyondTheRamAreReported) {
  // BIG + W#VLTx + W#VLTy + the three context bytes against the 68 bytes of RAM.
  for (const int big : {63, 64}) {
    CompileState st;
    AggiungiVariabile(st, "BIG", "BYTE", std::to_string(big));
    st.Flag_VLTy = st.Flag_INT = true;
    st.LabelFineINT = "@1";
    ScriviASM(st);
    EXPECT_EQ(st.Flag_Errore, big == 64) << big;
    EXPECT_EQ(text::StartsWith(st.TextASM, "<*> ERRORE : Memoria RAM esaurita"), big == 64) << big;
  }
}

}  // namespace
}  // namespace velmora
