#include "engine/ui/window_placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QObject>
#include <QScreen>
#include <QWidget>

#include "core/window_placement_store.h"

namespace {
// A window not yet shown has no frame; this is the room a title bar and borders take on the
// clerks' desktops, so that the framed window still fits.
constexpr int kAssumedTitleHeight = 32;
constexpr int kAssumedBorderWidth = 4;

QScreen* ScreenOf(const QWidget* window) {
  if (QScreen* screen = QGuiApplication::screenAt(window->frameGeometry().center())) return screen;
  if (window->parentWidget()) return window->parentWidget()->screen();
  return QGuiApplication::primaryScreen();
}

// The room the frame takes around the client area, measured once the window has one.
QMargins FrameMargins(const QWidget* window) {
  const QRect frame = window->frameGeometry();
  const QRect client = window->geometry();
  if (window->isVisible() && frame != client)
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
  return {kAssumedBorderWidth, kAssumedTitleHeight, kAssumedBorderWidth, kAssumedBorderWidth};
}

class PlacementKeeper : public QObject {
 public:
  PlacementKeeper(QWidget* window, QString windowName)
      : QObject(window), window_(window), windowName_(std::move(windowName)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == window_ && (event->type() == QEvent::Hide || event->type() == QEvent::Close) &&
        !window_->isMinimized())
      StoreWindowPlacement(windowName_, window_->saveGeometry());
    return false;
  }

 private:
  QWidget* window_;
  QString windowName_;
};

bool LiesOnAScreen(const QWidget* window) {
  const QRect frame = window->frameGeometry();
  for (const QScreen* screen : QGuiApplication::screens())
    if (screen->availableGeometry().intersected(frame).width() >= frame.width() / 2 &&
        screen->availableGeometry().contains(frame.topLeft() + QPoint(frame.width() / 2, 8)))
      return true;
  return false;
}
}  // namespace

void FitIntoAvailableScreen(QWidget* window, bool centre) {
  const QScreen* screen = ScreenOf(window);
  if (!screen || window->isMaximized() || window->isFullScreen()) return;
  const QRect area = screen->availableGeometry();
  const QMargins frame = FrameMargins(window);
  const QSize room(area.width() - frame.left() - frame.right(), area.height() - frame.top() - frame.bottom());
  const QSize size = window->size().boundedTo(room).expandedTo(window->minimumSize().boundedTo(room));
  if (size != window->size()) window->resize(size);
  QRect framed(window->pos(), size.grownBy(frame));
  if (centre) framed.moveCenter(area.center());
  framed.moveRight(qMin(framed.right(), area.right()));
  framed.moveBottom(qMin(framed.bottom(), area.bottom()));
  framed.moveLeft(qMax(framed.left(), area.left()));
  framed.moveTop(qMax(framed.top(), area.top()));
  window->move(framed.topLeft());
}

void RememberWindowPlacement(QWidget* window, const QString& windowName) {
  const QByteArray kept = StoredWindowPlacement(windowName);
  const bool restored = !kept.isEmpty() && window->restoreGeometry(kept) && LiesOnAScreen(window);
  FitIntoAvailableScreen(window, !restored);
  window->installEventFilter(new PlacementKeeper(window, windowName));
}
