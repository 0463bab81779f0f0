#include "FuzzMission.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  plumora::fuzz::FuzzMissionFile("fuzz.psd", data, size);
  return 0;
}
