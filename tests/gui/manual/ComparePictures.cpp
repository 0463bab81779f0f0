// Compares the pictures of a reference folder with the same pictures drawn anew, allowing for
// the small differences of Mesa's software renderer between runs and builds:
//   compare-pictures REFERENCE_DIR NEW_DIR TOLERANCE MAX_FRACTION
// A pixel differs when one of its channels differs by more than TOLERANCE (0 to 255); a picture
// matches when it has the same size and at most MAX_FRACTION of its pixels differ. Every
// picture of either folder is reported with its largest channel difference and the fraction of
// differing pixels. Exit status 0 when all match, 1 when one does not, 2 on bad usage.
#include <QDir>
#include <QImage>
#include <QSet>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

struct Difference {
  int largest = 0;        // the largest difference of a channel
  double fraction = 0.0;  // the fraction of pixels differing by more than the tolerance
};

Difference Compare(const QImage& a, const QImage& b, int tolerance) {
  Difference result;
  long differing = 0;
  for (int y = 0; y < a.height(); ++y) {
    const auto* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
    const auto* rowB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
    for (int x = 0; x < a.width(); ++x) {
      const int d = std::max({std::abs(qRed(rowA[x]) - qRed(rowB[x])),
                              std::abs(qGreen(rowA[x]) - qGreen(rowB[x])),
                              std::abs(qBlue(rowA[x]) - qBlue(rowB[x]))});
      result.largest = std::max(result.largest, d);
      if (d > tolerance) ++differing;
    }
  }
  const double pixels = static_cast<double>(a.width()) * a.height();
  result.fraction = pixels > 0 ? static_cast<double>(differing) / pixels : 0.0;
  return result;
}

QStringList Pictures(const QDir& folder) {
  return folder.entryList({"*.png"}, QDir::Files, QDir::Name);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: compare-pictures REFERENCE_DIR NEW_DIR TOLERANCE MAX_FRACTION\n");
    return 2;
  }
  const QDir reference(QString::fromLocal8Bit(argv[1]));
  const QDir drawn(QString::fromLocal8Bit(argv[2]));
  char* end = nullptr;
  const long tolerance = std::strtol(argv[3], &end, 10);
  if (*end || tolerance < 0 || tolerance > 255) {
    std::fprintf(stderr, "compare-pictures: bad tolerance %s\n", argv[3]);
    return 2;
  }
  const double maxFraction = std::strtod(argv[4], &end);
  if (*end || !(maxFraction >= 0.0 && maxFraction <= 1.0)) {
    std::fprintf(stderr, "compare-pictures: bad fraction %s\n", argv[4]);
    return 2;
  }

  QStringList names = Pictures(reference);
  for (const QString& name : Pictures(drawn)) {
    if (!names.contains(name)) names.append(name);
  }
  bool allMatch = true;
  for (const QString& name : names) {
    const QString refPath = reference.filePath(name);
    const QString newPath = drawn.filePath(name);
    const QByteArray label = name.toLocal8Bit();
    QImage a(refPath);
    QImage b(newPath);
    if (a.isNull() || b.isNull()) {
      std::printf("%s: %s\n", label.constData(),
                  a.isNull() ? "drawn but not in the reference folder, or unreadable there"
                             : "in the reference folder but not drawn, or unreadable there");
      allMatch = false;
      continue;
    }
    if (a.size() != b.size()) {
      std::printf("%s: %dx%d in the manual, %dx%d drawn now\n", label.constData(), a.width(),
                  a.height(), b.width(), b.height());
      allMatch = false;
      continue;
    }
    a = a.convertToFormat(QImage::Format_RGB32);
    b = b.convertToFormat(QImage::Format_RGB32);
    const Difference d = Compare(a, b, static_cast<int>(tolerance));
    const bool match = d.fraction <= maxFraction;
    std::printf("%s: largest difference %d, %.6f of the pixels beyond %ld%s\n", label.constData(),
                d.largest, d.fraction, tolerance, match ? "" : "  DIFFERS");
    allMatch = allMatch && match;
  }
  return allMatch ? 0 : 1;
}
