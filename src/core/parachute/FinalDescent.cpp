#include "core/parachute/FinalDescent.h"

namespace plumora {

// The final descent module is filled in separately; until then a phase of this type does nothing.
int RunParachutePhase(CPlumoraDoc&, CMissionPhase&, CHandOverState&) {
  return 1;
}

}  // namespace plumora
