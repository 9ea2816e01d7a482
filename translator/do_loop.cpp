// Placeholder: this pass is not written yet; it changes nothing.
#include "do_loop.h"

namespace velmora {

void DoLoop(CompileState&, int, int) {}

}  // namespace velmora
