// The toolbar's pictures on scaled screens: drawn at the screen's own pixels, so at 150 % and
// 200 % they are as sharp as at 100 %, never a small picture stretched.
#include <QIcon>
#include <QImage>
#include <QtTest>

#include "app/toolbar_icons.h"

namespace {
constexpr int kSide = 50;

// Pixels neither fully clear nor fully covered: the soft rim a stretched picture widens.
int SoftPixels(const QImage& image) {
  int soft = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const int alpha = qAlpha(image.pixel(x, y));
      if (alpha > 0 && alpha < 255) ++soft;
    }
  return soft;
}

// Pixels whose colour differs clearly (more than a rounding step in any channel).
int DifferentPixels(const QImage& a, const QImage& b) {
  int different = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      if (std::abs(qRed(p) - qRed(q)) > 24 || std::abs(qGreen(p) - qGreen(q)) > 24 ||
          std::abs(qBlue(p) - qBlue(q)) > 24 || std::abs(qAlpha(p) - qAlpha(q)) > 24)
        ++different;
    }
  return different;
}

QImage Image(const QPixmap& pixmap) { return pixmap.toImage().convertToFormat(QImage::Format_ARGB32); }
}  // namespace

class TestToolbarIcons : public QObject {
  Q_OBJECT

 private slots:
  void drawnForTheScreensPixels_data() {
    QTest::addColumn<int>("picture");
    QTest::addColumn<qreal>("ratio");
    for (const qreal ratio : {1.5, 2.0})
      for (int picture = static_cast<int>(ToolbarPicture::Register); picture <= static_cast<int>(ToolbarPicture::Exit);
           ++picture)
        QTest::addRow("picture %d at %.1fx", picture, ratio) << picture << ratio;
  }

  void drawnForTheScreensPixels() {
    QFETCH(int, picture);
    QFETCH(qreal, ratio);
    const QIcon icon = ToolbarIcon(static_cast<ToolbarPicture>(picture));
    const QPixmap scaled = icon.pixmap(QSize(kSide, kSide), ratio);
    const int pixels = qRound(kSide * ratio);
    QCOMPARE(scaled.size(), QSize(pixels, pixels));
    QCOMPARE(scaled.devicePixelRatio(), ratio);

    // The same picture drawn at 100 % and stretched, as a single-size icon would be shown.
    const QImage stretched = Image(icon.pixmap(QSize(kSide, kSide), 1.0))
                                 .scaled(pixels, pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage sharp = Image(scaled);
    QVERIFY2(DifferentPixels(sharp, stretched) > pixels,
             qPrintable(QStringLiteral("only %1 pixels differ from the stretched picture")
                            .arg(DifferentPixels(sharp, stretched))));
    // Drawn at its own pixels the edges stay one pixel soft; stretched they smear.
    QVERIFY2(SoftPixels(sharp) < SoftPixels(stretched) * 0.8,
             qPrintable(QStringLiteral("%1 soft pixels against %2 stretched")
                            .arg(SoftPixels(sharp))
                            .arg(SoftPixels(stretched))));
  }

  void disabledPictureIsGreyedAtTheSameSize() {
    const QIcon icon = ToolbarIcon(ToolbarPicture::Export);
    const QPixmap normal = icon.pixmap(QSize(kSide, kSide), 2.0);
    const QPixmap disabled = icon.pixmap(QSize(kSide, kSide), 2.0, QIcon::Disabled);
    QCOMPARE(disabled.size(), normal.size());
    // A point on the export arrow: green when the command works, grey when it does not.
    const QPoint onArrow(42 * 2, 27 * 2);
    const QRgb green = Image(normal).pixel(onArrow);
    const QRgb grey = Image(disabled).pixel(onArrow);
    QVERIFY(qGreen(green) - qRed(green) > 80);
    QVERIFY(std::abs(qGreen(grey) - qRed(grey)) < 30);
  }
};

QTEST_MAIN(TestToolbarIcons)
#include "test_toolbar_icons.moc"
