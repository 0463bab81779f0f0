#include "core/ballistic/BallisticEntry.h"

namespace plumora {

// The ballistic module is filled in separately; until then a phase of this type does nothing.
int RunBallisticEntry(CPlumoraDoc&, CMissionPhase&, CHandOverState&) {
  return 1;
}

}  // namespace plumora
