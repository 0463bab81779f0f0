#include "gui/app/ResultsOutput.h"

#include <QDialog>
#include <QFileDialog>
#include <QFormLayout>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/app/ResultsCsv.h"
#include "core/common/FileIO.h"
#include "core/common/Messages.h"
#include "gui/kit/CommandContext.h"
#include "gui/kit/EditingKit.h"
#include "gui/kit/NumberField.h"
#include "gui/logic/app/PictureExport.h"
#include "gui/logic/commands/ControlIds.h"
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

QSpinBox* SideField(int controlId, int value) {
  auto* field = new QSpinBox;
  field->setRange(kMinPictureSide, kMaxPictureSide);
  field->setValue(PictureSide(value));
  field->setSuffix(" pixels");
  SetControlId(*field, controlId);
  return field;
}

// The picture's width and height, starting from the pane's.
bool AskPictureSize(QWidget* parent, QSize& size) {
  QDialog dialog(parent);
  dialog.setWindowTitle("Export picture");
  QSpinBox* width = SideField(kCtlPictureWidth, size.width());
  QSpinBox* height = SideField(kCtlPictureHeight, size.height());
  auto* fields = new QFormLayout;
  fields->addRow("Width", width);
  fields->addRow("Height", height);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addLayout(fields);
  layout->addWidget(OkCancelRow(dialog));
  dialog.setFixedSize(dialog.sizeHint());
  if (dialog.exec() != QDialog::Accepted) return false;
  size = QSize(width->value(), height->value());
  return true;
}

}  // namespace

ResultsOutput::ResultsOutput(FrameServices& frame) : frame_(frame) {}

ResultsOutput::~ResultsOutput() = default;

QString ResultsOutput::AskOutputName(const CChildFrame& child, const char* title,
                                     const char* extension, const char* filters) {
  const std::filesystem::path suggested = child.documentState().OutputName(extension);
  return QFileDialog::getSaveFileName(frame_.dialogParent(), title,
                                      QString::fromStdString(suggested.string()), filters);
}

void ResultsOutput::ExportAs(const CChildFrame& child) {
  const QString name =
      AskOutputName(child, "Export results", ".csv", "CSV files (*.csv);;All Files (*)");
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

void ResultsOutput::ExportPicture(const CChildFrame& child, CPlumoraView& view) {
  if (!view.pane()) return;
  const QString name = AskOutputName(child, "Export picture", ".png",
                                     "PNG pictures (*.png);;SVG drawings (*.svg);;All Files (*)");
  if (name.isEmpty()) return;
  const std::filesystem::path path(name.toStdString());
  if (!PictureFormatOf(path)) {
    frame_.prompter().Message(PictureFormatRefusal(path), kCaptionError);
    return;
  }
  QSize size = view.paneSize();
  if (AskPictureSize(frame_.dialogParent(), size)) WritePicture(view, path, size);
}

bool ResultsOutput::WritePicture(CPlumoraView& view, const std::filesystem::path& path,
                                 const QSize& size) {
  const std::optional<PictureFormat> format = PictureFormatOf(path);
  if (!view.pane() || !format) return false;
  const QSize shown(PictureSide(size.width()), PictureSide(size.height()));
  const std::string bytes = *format == PictureFormat::kSvg ? view.pane()->SnapshotSvg(shown)
                                                           : PngBytes(view.pane()->Snapshot(shown));
  const Result<> written = WriteOutputFile(path, bytes);
  if (!written) {
    frame_.prompter().Message(
        "The picture could not be written to " + path.string() + " (" + written.message() + ")",
        kCaptionError);
  }
  return written.ok();
}

void ResultsOutput::PageSetup() {
  QPageSetupDialog dialog(&printer(), frame_.dialogParent());
  dialog.exec();
}

}  // namespace plumora::gui
