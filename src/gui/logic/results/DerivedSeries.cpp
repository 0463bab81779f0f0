#include "gui/logic/results/DerivedSeries.h"

#include <algorithm>
#include <cmath>

#include "core/app/PlumoraDoc.h"

namespace plumora::gui {

DerivedSeries MakeDerivedSeries(std::vector<DerivedSample> samples) {
  DerivedSeries series;
  series.samples = std::move(samples);
  for (std::size_t k = 0; k < kDerivedFields.size(); ++k) {
    ValueRange& range = series.ranges[k];
    for (const DerivedSample& s : series.samples) {
      const double v = s.*kDerivedFields[k].member;
      if (!std::isfinite(v)) continue;
      range.minimum = std::min(range.minimum, v);
      range.maximum = std::max(range.maximum, v);
    }
  }
  return series;
}

DerivedSeries DerivedSeriesOf(const CPlumoraDoc& doc) {
  return MakeDerivedSeries(
      DeriveQuantities(doc.results, doc.atmosphereTable(), doc.planetConstants()));
}

double ResultsSource::Derived(int index, int k) const {
  if (!derived_ || index < 0 || k < 0 || k >= kDerivedColumnCount ||
      static_cast<std::size_t>(index) >= derived_->samples.size()) {
    return DerivedSample::kNone;
  }
  return derived_->samples[static_cast<std::size_t>(index)].*
         kDerivedFields[static_cast<std::size_t>(k)].member;
}

ValueRange ResultsSource::DerivedRange(int k) const {
  if (!derived_ || k < 0 || k >= kDerivedColumnCount) return {};
  return derived_->ranges[static_cast<std::size_t>(k)];
}

}  // namespace plumora::gui
