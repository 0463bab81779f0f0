// What a front end hears from a mission document. Every notification has an empty default, so
// an observer overrides only what it shows.
#pragma once

namespace plumora {

class CPlumoraDoc;

class DocumentObserver {
 public:
  virtual ~DocumentObserver() = default;
  // A run is about to replace the results: drop any chart zoom so they show unzoomed.
  virtual void ChartZoomCleared(const CPlumoraDoc&) {}
  // The results were replaced or emptied: rebind the animation control to them.
  virtual void ResultsChanged(const CPlumoraDoc&) {}
  // Every view of the document should redraw from the document.
  virtual void ViewsNeedUpdate(const CPlumoraDoc&) {}
  // The phase list or the mission's name changed: refresh the mission plan bar.
  virtual void MissionPlanChanged(const CPlumoraDoc&) {}
  // The mission's dispersion study was set up anew, or flown.
  virtual void StudyChanged(const CPlumoraDoc&) {}
};

}  // namespace plumora
