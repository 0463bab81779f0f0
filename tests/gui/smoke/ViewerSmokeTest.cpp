// The two data viewers as real widgets on Qt's offscreen platform: the bundled tables of every
// planet and ld600.adf, the read-out under the pointer against the engine's query, numbers typed
// without a prompt, and the viewers drawn by plumora --snapshot from the Tools menu's commands.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <cstdlib>

#include "DesktopFolder.h"
#include "Dialogs.h"
#include "Pictures.h"
#include "Pixels.h"
#include "core/common/Constants.h"
#include "gui/logic/snapshot/StartupBitmaps.h"
#include "gui/viewers/AeroViewer.h"
#include "gui/viewers/AtmosphereViewer.h"
#include "support/RunProcess.h"
#include "support/TestFiles.h"

namespace plumora::gui {
namespace {

namespace fs = std::filesystem;
using smoke::Control;
using smoke::Count;

class DataViewerTest : public ::testing::Test {
 protected:
  DataViewerTest() { smoke::CopyBundledTables(base.path()); }

  test::TempDir base;
  RecordingPrompter prompter;
};

// Types into a field as the keyboard does, through its validator.
void Type(QLineEdit& field, const QString& keys) {
  field.setFocus();
  for (QChar key : keys) {
    QKeyEvent press(QEvent::KeyPress, key == '\b' ? Qt::Key_Backspace : 0, Qt::NoModifier,
                    key == '\b' ? QString() : QString(key));
    QApplication::sendEvent(&field, &press);
  }
}

TEST_F(DataViewerTest, AtmosphereViewerShowsEachPlanetAndReadsOutTheEnginesQuery) {
  AtmosphereViewer viewer(base.path(), QImage(), prompter);
  viewer.show();
  auto& planets = *Control<QComboBox>(viewer, 1131);
  auto& datasets = *Control<QComboBox>(viewer, 1132);
  ASSERT_EQ(datasets.count(), 2);
  EXPECT_EQ(datasets.itemText(1).toStdString(),
            "U.S. Standard Atmosphere 1976, 0 to 150 km, westerly jet of 30 m/s at 12 km");
  for (int planet : {1, 2}) {
    planets.setCurrentIndex(planet);
    EXPECT_EQ(datasets.count(), 1);
    EXPECT_FALSE(viewer.plotView().plot().empty);
  }
  EXPECT_TRUE(datasets.itemText(0).startsWith("Titan after the Huygens descent"));
  planets.setCurrentIndex(0);
  Control<QComboBox>(viewer, 1133)->setCurrentIndex(1);  // temperature
  EXPECT_TRUE(prompter.entries().empty()) << prompter.Transcript();

  // The plot's heights run from 0 at row 390 to 150 km at row 40.
  AtmosphereTable earth;
  PlanetConstants constants;
  ASSERT_TRUE(ReadAtmosphereFile(base / "atm/earth_us1976.atm", true, earth, constants).ok());
  auto& height = *Control<QLineEdit>(viewer, 1001);
  auto& value = *Control<QLineEdit>(viewer, 1002);
  for (int row : {60, 215, 389}) {
    viewer.plotView().PointAt(QPoint(200, row));
    const double metres = (390 - row) * 150000.0 / 350.0;
    EXPECT_NEAR(height.text().toDouble(), metres, 0.5);
    EXPECT_NEAR(value.text().toDouble(), QueryAtmosphere(earth, metres).temperature, 1e-5);
  }
  // The cross-hair runs left from the curve at the pointer's row; the 273 K line is blue.
  const QImage shown = viewer.plotView().grab().toImage();
  EXPECT_EQ(shown.pixelColor(75, 389), smoke::Of(kReadoutColour));
  EXPECT_GT(Count(shown, smoke::Of(kAtmosphereCurveColour)), 200);
  EXPECT_GE(Count(shown, smoke::Of(kFreezingLineColour)), 300);

  viewer.plotView().PointAt(std::nullopt);
  EXPECT_EQ(height.text(), "0");
  EXPECT_EQ(value.text(), "0.00000");
}

TEST_F(DataViewerTest, AeroViewerPlotsTheFileAndTakesTypedNumbersWithoutAPrompt) {
  AeroViewer viewer(base.path(), prompter);
  viewer.show();
  EXPECT_EQ(Control<QComboBox>(viewer, 1177)->currentText(), "ld600.adf");
  EXPECT_TRUE(Control<QLineEdit>(viewer, 1178)->text().startsWith("Default capsule: 2.8 m"));
  EXPECT_GT(Count(viewer.plotView().grab().toImage(), QColor(255, 0, 0)), 200);

  // Mach on the X axis at an angle of attack typed key by key: "-" waits, "-12" is used.
  Control<QRadioButton>(viewer, 1010)->click();
  auto& alpha = *Control<QLineEdit>(viewer, 1176);
  ASSERT_TRUE(alpha.isEnabled());
  EXPECT_FALSE(Control<QLineEdit>(viewer, 1175)->isEnabled());
  Type(alpha, "\b-");
  EXPECT_EQ(alpha.text(), "-");
  EXPECT_EQ(viewer.data().settings.alphaDeg, 0.0);
  Type(alpha, "12");
  EXPECT_EQ(viewer.data().settings.alphaDeg, -12.0);
  EXPECT_TRUE(prompter.entries().empty()) << prompter.Transcript();

  // The read-out at a column is the engine's lookup at that Mach number and angle.
  Control<QCheckBox>(viewer, 1171)->setChecked(true);  // Cz
  AeroPlotView& view = viewer.plotView();
  const AeroPlot& plot = view.plot();
  view.PointAt(QPoint(plot.x0 + 100, plot.height / 2));
  ASSERT_TRUE(view.readout().has_value());
  const double mach = plot.XAt(plot.x0 + 100);
  EXPECT_EQ(view.readout()->coefficients,
            AeroCoefficients(viewer.data().database(), mach, -12.0 * kDegToRad));
  const QImage shown = view.grab().toImage();
  EXPECT_GT(Count(shown, QColor(0, 0, 255)), 100);
  EXPECT_EQ(shown.pixelColor(plot.x0 + 100, 30), smoke::Of(kReadoutColour));
}

using smoke::RunSnapshot;

TEST_F(DataViewerTest, SnapshotsOpenEachViewerWithItsFirstFilePlotted) {
  const std::string picture = tools::BmpBytes(tools::AtmosphereGradient(8, 8));
  for (std::string_view name : kStartupPictureFiles) {
    test::WriteFile(base / "graphics" / std::string(name), picture);
  }
  for (const char* command : {"32805", "32828"}) {
    const auto run = RunSnapshot(base.path(), {"viewer.png", "--command", command});
    ASSERT_EQ(run.status, 0) << run.err;
    const QImage image(QString::fromStdString((base / "viewer.png").string()));
    EXPECT_GT(image.width(), 300);
    // The first file's curve, in red.
    EXPECT_GT(Count(image, smoke::Red), 200) << command;
    EXPECT_TRUE(run.err.empty()) << run.err;
  }
}

}  // namespace
}  // namespace plumora::gui
