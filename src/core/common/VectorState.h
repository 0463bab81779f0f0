// The processor's vector registers as a thread of flight code should find them.
//
// A thread starts with its creator's vector registers. Code built for AVX that leaves the upper
// halves of the ymm registers in use (Qt's does, from QApplication on) makes every SSE
// instruction after it pay for merging them, and the flight code is SSE throughout: a mission run
// on a thread started by the desktop program's GUI thread took six times its time. Clearing the
// upper halves before the flight code starts puts that right; it costs a few cycles.
#pragma once

namespace plumora {

// Marks the upper halves of the vector registers unused (vzeroupper) where the processor has
// them; nothing elsewhere. Call it between functions, never with vector values in flight: the
// upper halves are not kept across a call anyway.
void ClearUpperVectorState();

}  // namespace plumora
