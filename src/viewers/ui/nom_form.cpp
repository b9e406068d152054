#include "viewers/ui/nom_form.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "core/error_display.h"
#include "core/messages.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"
#include "ui/field_label.h"
#include "viewers/nom_form_model.h"

TNomForm::TNomForm(TDataModule1& data, QWidget* parent) : QDialog(parent), data_(data) {
  setObjectName(QStringLiteral("NomForm"));
  setWindowTitle(QStringLiteral("Номенклатури"));
  resize(520, 380);
  auto* layout = new QVBoxLayout(this);
  NomGrid = new QTableView(this);
  NomGrid->setObjectName(QStringLiteral("NomGrid"));
  NameControl(NomGrid, windowTitle());
  model_ = new NomGridModel(data_.Nom(), this);
  NomGrid->setModel(model_);
  NomGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  NomGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
  NomGrid->setSelectionMode(QAbstractItemView::SingleSelection);
  NomGrid->verticalHeader()->hide();
  NomGrid->horizontalHeader()->setStretchLastSection(true);
  NomGrid->setColumnWidth(0, 50);  // "Номер" is narrow
  NomGrid->installEventFilter(this);
  layout->addWidget(NomGrid, 1);

  auto* buttons = new QHBoxLayout;
  bPrev = new QPushButton(QStringLiteral("Предишна"), this);
  bPrev->setObjectName(QStringLiteral("bPrev"));
  bNext = new QPushButton(QStringLiteral("Следваща"), this);
  bNext->setObjectName(QStringLiteral("bNext"));
  SpeedButton3 = new QPushButton(QStringLiteral("Изход"), this);
  SpeedButton3->setObjectName(QStringLiteral("SpeedButton3"));
  buttons->addWidget(bPrev);
  buttons->addWidget(bNext);
  buttons->addStretch();
  buttons->addWidget(SpeedButton3);
  layout->addLayout(buttons);
  connect(bPrev, &QPushButton::clicked, this, &TNomForm::bPrevClick);
  connect(bNext, &QPushButton::clicked, this, &TNomForm::bNextClick);
  connect(SpeedButton3, &QPushButton::clicked, this, &TNomForm::SpeedButton3Click);
  ShowOnly(kFirstList);
}

void TNomForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TNomForm::FormShow() {
  try {
    model_->Reload();
  } catch (const std::exception& error) {
    ShowErrorDisplay(this, error);
  }
  ShowOnly(kFirstList);
}

void TNomForm::ShowOnly(int index) {
  index_ = index;
  for (int column = kFirstList; column <= kLastList; ++column) NomGrid->setColumnHidden(column, column != index_);
}

void TNomForm::bPrevClick() { ShowOnly(index_ > kFirstList ? index_ - 1 : index_); }

void TNomForm::bNextClick() { ShowOnly(index_ < kLastList ? index_ + 1 : index_); }

void TNomForm::SpeedButton3Click() { accept(); }

void TNomForm::DeleteCurrentRow() {
  const QModelIndex current = NomGrid->currentIndex();
  if (!current.isValid()) return;
  MessageRequest request;
  request.text = QStringLiteral("Delete record?");
  request.caption = QStringLiteral("Потвърждение");
  request.icon = MessageIcon::Question;
  request.buttons = MessageButtons::OkCancel;
  request.defaultAnswer = MessageAnswer::Cancel;
  if (AskMessage(this, request) != MessageAnswer::Ok) return;
  try {
    Statement remove(data_.Db(), QStringLiteral("delete from NOM where N = ?"));
    remove.Bind(0, model_->CodeAt(current.row()));
    remove.Execute();
    // The code lists held in memory are read again, so every window sees the row gone.
    data_.Nom().Close();
    model_->Reload();
  } catch (const std::exception& error) {
    ShowErrorDisplay(this, error);
  }
  ShowOnly(index_);
}

bool TNomForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == NomGrid && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Delete && (key->modifiers() & Qt::ControlModifier)) {
      DeleteCurrentRow();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}
