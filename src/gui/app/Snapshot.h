// `plumora --snapshot`: a results pane or a dialog drawn into a PNG file without a display, for
// the documentation, the tests and users' scripts.
#pragma once

#include "gui/logic/snapshot/SnapshotOptions.h"

namespace plumora::gui {

// Before the application object exists: without a display, Qt's offscreen platform (unless the
// user chose a platform); Qt's own chatter stays off stderr, which is for our errors.
void PrepareHeadless();

// Makes the picture the options ask for and returns the exit status. The engine's messages go to
// stderr as "CAPTION: TEXT", questions are answered yes (a flip of the parachute: continue).
int RunSnapshot(const SnapshotOptions& options);

}  // namespace plumora::gui
