// The please-wait window.
#include "ui/status_form.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

TStatusForm::TStatusForm(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint) {
  L = new QLabel(QStringLiteral("Попълване на данните."), this);
  L->setObjectName(QStringLiteral("L"));
  L->setAlignment(Qt::AlignCenter);
  Label1 = new QLabel(QStringLiteral("Моля изчакайте .."), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setAlignment(Qt::AlignCenter);
  pbBar = new QProgressBar(this);
  pbBar->setObjectName(QStringLiteral("pbBar"));
  pbBar->setRange(0, 100);
  pbBar->setValue(0);
  pbBar->setTextVisible(false);  // a plain smooth bar, no percentage text
  pbBar->setFixedHeight(14);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(2);
  layout->addWidget(L);
  layout->addWidget(Label1);
  layout->addStretch();
  layout->addWidget(pbBar);

  setFixedSize(kDefaultWidth, kHeight);
}

void TStatusForm::Begin(const QString& caption, QWidget* centreOn, int width) {
  L->setText(caption);
  setFixedSize(std::max(width, kDefaultWidth), kHeight);
  tracker_.Reset();
  repaintCount_ = 0;
  pbBar->setValue(0);

  QPoint centre;
  if (centreOn != nullptr) {
    const QWidget* target = centreOn->window();
    centre = target->frameGeometry().center();
  } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    centre = screen->availableGeometry().center();
  }
  move(centre - QPoint(this->width() / 2, height() / 2));
  show();
  raise();
  repaint();  // the operation that follows lets no paint events through
}

void TStatusForm::Step(int k, int n) {
  if (!tracker_.Advance(k, n)) return;
  pbBar->setValue(std::clamp(tracker_.Position(), 0, 100));
  repaint();
  ++repaintCount_;
}

void TStatusForm::End() { hide(); }
