#include "gui/app/ResultsOutput.h"

#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "core/app/ResultsCsv.h"
#include "core/common/Messages.h"
#include "gui/kit/CommandContext.h"
#include "gui/results/CChildFrame.h"
#include "gui/results/CPlumoraView.h"

namespace plumora::gui {

namespace {

constexpr std::string_view kMsgNoPrinter = "There is no printer to print on.";

// Whether a print would land anywhere: a printer of the system, or a file named for it.
bool HasPrintTarget(const QPrinter& printer) {
  if (printer.outputFormat() == QPrinter::PdfFormat) return !printer.outputFileName().isEmpty();
  return printer.isValid();
}

}  // namespace

ResultsOutput::ResultsOutput(FrameServices& frame) : frame_(frame) {}

ResultsOutput::~ResultsOutput() = default;

void ResultsOutput::ExportAs(const CChildFrame& child) {
  const DocumentState& state = child.documentState();
  std::filesystem::path suggested =
      state.HasPath() ? state.path() : std::filesystem::path(state.Title());
  suggested.replace_extension(".csv");
  const QString name = QFileDialog::getSaveFileName(
      frame_.dialogParent(), "Export results", QString::fromStdString(suggested.string()),
      "CSV files (*.csv);;All Files (*)");
  if (!name.isEmpty()) Export(child, std::filesystem::path(name.toStdString()));
}

bool ResultsOutput::Export(const CChildFrame& child, const std::filesystem::path& path) {
  const Result<> written =
      WriteResultsCsv(child.doc().results, path, child.documentState().path());
  if (!written) ShowError(frame_.prompter(), written.error());
  return written.ok();
}

QPrinter& ResultsOutput::printer() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *printer_;
}

void ResultsOutput::Print(CPlumoraView& view, PrintRoute route) {
  switch (route) {
    case PrintRoute::kPreview: {
      QPrintPreviewDialog dialog(&printer(), frame_.dialogParent());
      QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                       [&view](QPrinter* target) { view.Print(*target); });
      dialog.exec();
      return;
    }
    case PrintRoute::kDirect:
      // The printer chosen last (in Print or Print Setup), or the system's default one.
      if (!HasPrintTarget(printer())) {
        frame_.prompter().Message(kMsgNoPrinter, kCaptionError);
        return;
      }
      view.Print(printer());
      return;
    case PrintRoute::kAsk: {
      QPrintDialog dialog(&printer(), frame_.dialogParent());
      if (dialog.exec() == QDialog::Accepted) view.Print(printer());
      return;
    }
  }
}

void ResultsOutput::PageSetup() {
  QPageSetupDialog dialog(&printer(), frame_.dialogParent());
  dialog.exec();
}

}  // namespace plumora::gui
