// The study file beside a mission: any bytes either read as a study that writes back to a study
// reading the same, or are refused with a message.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/dispersion/DispersionStudy.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const plumora::Result<plumora::DispersionStudy> study = plumora::ReadDispersionStudy(text);
  if (!study) {
    if (study.message().empty()) std::abort();
    return 0;
  }
  const std::string written = plumora::DispersionStudyJson(study.value());
  const plumora::Result<plumora::DispersionStudy> again = plumora::ReadDispersionStudy(written);
  if (!again || plumora::DispersionStudyJson(again.value()) != written) std::abort();
  return 0;
}
