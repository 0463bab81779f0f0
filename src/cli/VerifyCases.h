// The reference cases of `plumora-cli verify`: each flies or reads what the program computes and
// sets it beside a reference that owes nothing to the engine's code.
#pragma once

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

namespace plumora::cli {

// One number of a case: the program's, the reference's and how far apart they may be.
struct VerifyRow {
  std::string quantity;  // what is compared, with its unit
  double program = 0.0;
  double reference = 0.0;
  double tolerance = 0.0;  // on |program − reference|, in the quantity's unit

  double Difference() const { return program - reference; }
  // Not a number is never within.
  bool Within() const { return std::fabs(Difference()) <= tolerance; }
};

struct VerifyCase {
  std::string title;
  std::vector<VerifyRow> rows;
  std::string problem;  // why the case could not be computed; such a case fails
  bool Passed() const;
};

struct VerifyOptions {
  std::filesystem::path base;  // holds atm/ with the bundled tables
  double areaSkew = 1.0;       // multiplies the reference areas the engine flies (not the
                               // references'): a fault planted on purpose
};

std::vector<VerifyCase> RunVerifyCases(const VerifyOptions& options);

}  // namespace plumora::cli
