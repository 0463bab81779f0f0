// The quantities derived from each sample of a run (Mach number, dynamic pressure, deceleration,
// descent rate, line force) as the table and the chart read them beside the stored ones: worked
// out by the engine from the results and the mission's environment whenever a pane needs them,
// never kept in the mission.
#pragma once

#include <array>
#include <vector>

#include "core/flight/DerivedQuantities.h"
#include "core/flight/TrajectoryStore.h"
#include "gui/logic/results/ResultsViewState.h"

namespace plumora {
class CPlumoraDoc;
}

namespace plumora::gui {

static_assert(kDerivedFields.size() == kDerivedColumnCount);

// Every sample's derived quantities and the extremes of each over the samples where it is
// known; like the stored ranges, every range includes 0.
struct DerivedSeries {
  std::vector<DerivedSample> samples;
  std::array<ValueRange, kDerivedColumnCount> ranges{};
};
DerivedSeries MakeDerivedSeries(std::vector<DerivedSample> samples);
// The series of the document's results, in the air of its environment.
DerivedSeries DerivedSeriesOf(const CPlumoraDoc& doc);

// The results a pane reads: the store, and the derived quantities when the pane has them.
class ResultsSource {
 public:
  // Without a series every derived quantity is unknown (NaN) and its range 0 to 0.
  ResultsSource(const CTrajectoryStore& store, const DerivedSeries* derived = nullptr)  // NOLINT
      : store_(store), derived_(derived) {}

  const CTrajectoryStore& store() const { return store_; }
  int LastIndex() const { return store_.LastIndex(); }
  // Derived quantity k (0 to 4) of sample index; NaN where it is not known.
  double Derived(int index, int k) const;
  ValueRange DerivedRange(int k) const;

 private:
  const CTrajectoryStore& store_;
  const DerivedSeries* derived_;
};

}  // namespace plumora::gui
