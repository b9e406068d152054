// The ranking window's controls; the moving rule lives in RankingCriteriaList.
#include "classification/ui/klas_form.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTextLayout>
#include <QtMath>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/field_label.h"

namespace {
// The lines a text takes wrapped at a width, as the text box wraps it (at word boundaries).
int WrappedLineCount(const QString& text, const QFont& font, int width) {
  int lines = 0;
  for (const QString& paragraph : text.split(u'\n')) {
    QTextLayout layout(paragraph, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(width);
      ++lines;
    }
    layout.endLayout();
  }
  return lines;
}
}  // namespace

TKlasForm::TKlasForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("KlasForm"));
  setWindowTitle(QStringLiteral("Класиране"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  criteria_.SetBounds(2, 9);

  KlasInfo = new QPlainTextEdit(this);
  KlasInfo->setObjectName(QStringLiteral("KlasInfo"));
  NameControl(KlasInfo, QStringLiteral("Условия на класирането"));
  KlasInfo->setReadOnly(true);
  KlasInfo->setPlainText(QStringLiteral("В класирането участват семейства, които притежават група и имат \n"
                                        "състояние \"вписан в картотеката\".\n"
                                        "То се сортира по следните критерии в следната последователност:"));

  ClassList = new QListWidget(this);
  ClassList->setObjectName(QStringLiteral("ClassList"));
  NameControl(ClassList, QStringLiteral("Критерии за класиране"));
  ClassList->setSelectionMode(QAbstractItemView::SingleSelection);
  ClassList->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ClassList->setMinimumHeight(ClassList->fontMetrics().lineSpacing() * 10);
  FillList();

  sbUp = new QToolButton(this);
  sbUp->setObjectName(QStringLiteral("sbUp"));
  sbUp->setArrowType(Qt::UpArrow);
  sbDown = new QToolButton(this);
  sbDown->setObjectName(QStringLiteral("sbDown"));
  sbDown->setArrowType(Qt::DownArrow);
  connect(sbUp, &QToolButton::clicked, this, &TKlasForm::sbUpClick);
  connect(sbDown, &QToolButton::clicked, this, &TKlasForm::sbDownClick);

  // Always ticked and not to be changed: the ranking always works on fresh data.
  cbRefreshInfo = new QCheckBox(QStringLiteral("Опресняване на базата данни съгласно днешна дата"), this);
  cbRefreshInfo->setObjectName(QStringLiteral("cbRefreshInfo"));
  cbRefreshInfo->setChecked(true);
  cbRefreshInfo->setEnabled(false);

  bOK = new QPushButton(QStringLiteral("Класиране >>"), this);
  bOK->setObjectName(QStringLiteral("bOK"));
  bOK->setDefault(true);
  bCancel = new QPushButton(QStringLiteral("Отказ"), this);
  bCancel->setObjectName(QStringLiteral("bCancel"));
  connect(bOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(bCancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* arrows = new QVBoxLayout;
  arrows->addStretch();
  arrows->addWidget(sbUp);
  arrows->addWidget(sbDown);
  arrows->addStretch();
  auto* listRow = new QHBoxLayout;
  listRow->addWidget(ClassList, 1);
  listRow->addLayout(arrows);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(bOK);
  buttons->addWidget(bCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(KlasInfo);
  layout->addLayout(listRow);
  layout->addWidget(cbRefreshInfo);
  layout->addLayout(buttons);

  // The explanation is shown whole, wrapped at the window's width, without a scroll bar: its
  // lines are counted at the width the laid-out box has, less a scroll bar, since the box lays
  // its text out that narrow before it knows that it needs none.
  resize(480, sizeHint().height());
  layout->activate();
  const int margin = qCeil(KlasInfo->document()->documentMargin());
  const int textWidth = KlasInfo->width() - 2 * KlasInfo->frameWidth() - 2 * margin -
                        style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  KlasInfo->setFixedHeight(WrappedLineCount(KlasInfo->toPlainText(), KlasInfo->font(), textWidth) *
                               KlasInfo->fontMetrics().lineSpacing() +
                           2 * KlasInfo->frameWidth() + 2 * margin + 2);
  resize(480, sizeHint().height());
  setFixedSize(size());
}

void TKlasForm::FillList() {
  ClassList->clear();
  for (const RankingCriterion& criterion : criteria_.Rows()) {
    auto* item = new QListWidgetItem(criterion.caption, ClassList);
    item->setData(Qt::UserRole, criterion.sortTerm);
  }
}

void TKlasForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  ClassList->setCurrentRow(2);
  ClassList->setFocus();
}

bool TKlasForm::RefreshRequested() const { return cbRefreshInfo->isChecked(); }

void TKlasForm::sbUpClick() {
  const int row = ClassList->currentRow();
  if (row < 0 || ClassList->currentItem() == nullptr || !ClassList->currentItem()->isSelected()) return;
  const int moved = criteria_.MoveUp(row);
  if (moved == row) return;
  ClassList->insertItem(moved, ClassList->takeItem(row));
  ClassList->setCurrentRow(moved);
}

void TKlasForm::sbDownClick() {
  const int row = ClassList->currentRow();
  if (row < 0 || ClassList->currentItem() == nullptr || !ClassList->currentItem()->isSelected()) return;
  const int moved = criteria_.MoveDown(row);
  if (moved == row) return;
  ClassList->insertItem(moved, ClassList->takeItem(row));
  ClassList->setCurrentRow(moved);
}

QString TKlasForm::RankingOrder() const {
  QStringList terms;
  for (int row = 0; row < ClassList->count(); ++row) terms << ClassList->item(row)->data(Qt::UserRole).toString();
  return RankingOrderText(terms);
}
