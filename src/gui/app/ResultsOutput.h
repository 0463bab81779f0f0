// What leaves the program besides missions: the results as CSV, and the active pane on paper
// (or in a PDF file, or on the screen as a preview).
#pragma once

#include <filesystem>
#include <memory>

class QPrinter;
class QString;
class QSize;

namespace plumora::gui {

class CChildFrame;
class CPlumoraView;
class FrameServices;

class ResultsOutput {
 public:
  explicit ResultsOutput(FrameServices& frame);
  ~ResultsOutput();

  // Asks where, suggesting the mission's name, and writes the window's results there as CSV.
  void ExportAs(const CChildFrame& child);
  // Writes the window's results as CSV to path; false (and said so) when it failed.
  bool Export(const CChildFrame& child, const std::filesystem::path& path);

  // The printer that Print, Print Preview and Print Setup share.
  QPrinter& printer();
  // kAsk: the print dialog first; kDirect: straight to the printer; kPreview: on the screen.
  enum class PrintRoute { kAsk, kDirect, kPreview };
  void Print(CPlumoraView& view, PrintRoute route);
  void PageSetup();

  // File > Export picture: asks where (the format by the name's ending) and at what size, then
  // writes the active pane's picture there.
  void ExportPicture(const CChildFrame& child, CPlumoraView& view);
  // The pane of view as a PNG or SVG picture of size at path; false (and said so) when it failed.
  bool WritePicture(CPlumoraView& view, const std::filesystem::path& path, const QSize& size);

 private:
  // The file dialog for an output of the window's mission; empty when cancelled.
  QString AskOutputName(const CChildFrame& child, const char* title, const char* extension,
                        const char* filters);

  FrameServices& frame_;
  std::unique_ptr<QPrinter> printer_;
};

}  // namespace plumora::gui
