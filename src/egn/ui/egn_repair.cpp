#include "egn/ui/egn_repair.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/error_display.h"
#include "core/messages.h"
#include "data/data_module.h"
#include "data/person_table.h"
#include "egn/egn_repair_rules.h"
#include "ui/field_label.h"

namespace {
const QString kCaption = QStringLiteral("Редактиране на ЕГН");
const QString kInvalidCaption = QStringLiteral("Невалидно ЕГН");
}  // namespace

TEGNRepair::TEGNRepair(TDataModule1& data, QWidget* parent) : QDialog(parent), data_(data) {
  setObjectName(QStringLiteral("EGNRepair"));
  setWindowTitle(kCaption);
  setWindowFlag(Qt::Tool);

  auto* layout = new QVBoxLayout(this);
  auto* nameRow = new QHBoxLayout;
  Label1 = new QLabel(QStringLiteral("Име:"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  DBText1 = new QLabel(this);
  DBText1->setObjectName(QStringLiteral("DBText1"));
  DBText1->setMinimumWidth(260);
  nameRow->addWidget(Label1);
  nameRow->addWidget(DBText1, 1);
  layout->addLayout(nameRow);

  auto* egnRow = new QHBoxLayout;
  Label3 = new QLabel(QStringLiteral("ЕГН:"), this);
  Label3->setObjectName(QStringLiteral("Label3"));
  EgnEdit = new QLineEdit(this);
  EgnEdit->setObjectName(QStringLiteral("EgnEdit"));
  EgnEdit->setMaxLength(person_table::kEgnLength);
  EgnEdit->installEventFilter(this);
  LabelField(Label3, EgnEdit);
  egnRow->addWidget(Label3);
  egnRow->addWidget(EgnEdit, 1);
  layout->addLayout(egnRow);

  auto* buttonRow = new QHBoxLayout;
  Nav = new QWidget(this);
  Nav->setObjectName(QStringLiteral("Nav"));
  auto* navLayout = new QHBoxLayout(Nav);
  navLayout->setContentsMargins(0, 0, 0, 0);
  navLayout->setSpacing(0);
  const Qt::ArrowType arrows[4] = {Qt::UpArrow, Qt::LeftArrow, Qt::RightArrow, Qt::DownArrow};
  const char* hints[4] = {"Първи", "Предишен", "Следващ", "Последен"};
  const char* names[4] = {"nbFirst", "nbPrior", "nbNext", "nbLast"};
  for (int i = 0; i < 4; ++i) {
    navButtons[i] = new QToolButton(Nav);
    navButtons[i]->setObjectName(QString::fromLatin1(names[i]));
    navButtons[i]->setArrowType(arrows[i]);
    navButtons[i]->setToolTip(QString::fromUtf8(hints[i]));
    navButtons[i]->setFocusPolicy(Qt::NoFocus);
    connect(navButtons[i], &QToolButton::clicked, this, [this, i] { NavClick(i); });
    navLayout->addWidget(navButtons[i]);
  }
  buttonRow->addWidget(Nav);
  SpeedButton1 = new QToolButton(this);
  SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
  SpeedButton1->setText(QStringLiteral("Редактиране"));
  SpeedButton1->setFocusPolicy(Qt::NoFocus);
  connect(SpeedButton1, &QToolButton::clicked, this, &TEGNRepair::OKClick);
  buttonRow->addWidget(SpeedButton1);
  buttonRow->addStretch();
  SpeedButton2 = new QToolButton(this);
  SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
  SpeedButton2->setText(QStringLiteral("OK"));
  SpeedButton2->setToolTip(QStringLiteral("Отваряне на картона"));
  SpeedButton2->setFocusPolicy(Qt::NoFocus);
  connect(SpeedButton2, &QToolButton::clicked, this, &QDialog::accept);
  buttonRow->addWidget(SpeedButton2);
  layout->addLayout(buttonRow);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TEGNRepair::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  try {
    LoadCurrent();
  } catch (const std::exception& error) {
    ShowErrorDisplay(this, error);
  }
}

void TEGNRepair::FocusEgn() {
  EgnEdit->setFocus();
  EgnEdit->selectAll();
}

void TEGNRepair::LoadCurrent() {
  ListQuery& list = data_.MainQuery();
  personId_ = -1;
  DBText1->clear();
  EgnEdit->clear();
  if (list.IsOpen() && list.CurrentRow() >= 0) {
    DBText1->setText(list.CurrentValue(QStringLiteral("NAME")).toString().trimmed());
    const int personId = list.CurrentValue(QStringLiteral("PERSON_ID")).toInt();
    // A holder deleted since the list was read shows nothing, never another person's number.
    if (const auto egn = LoadPersonEgn(data_, personId)) {
      personId_ = personId;
      EgnEdit->setText(*egn);
    }
  }
  FocusEgn();
}

void TEGNRepair::NavClick(int button) {
  ListQuery& list = data_.MainQuery();
  if (!list.IsOpen() || list.RowCount() == 0) return;
  const int last = list.RowCount() - 1;
  const int row = list.CurrentRow();
  switch (button) {
    case nbFirst: list.SetCurrentRow(0); break;
    case nbPrior: list.SetCurrentRow(qMax(0, row - 1)); break;
    case nbNext: list.SetCurrentRow(qMin(last, row + 1)); break;
    case nbLast: list.SetCurrentRow(last); break;
    default: return;
  }
  try {
    LoadCurrent();
  } catch (const std::exception& error) {
    ShowErrorDisplay(this, error);
  }
}

void TEGNRepair::OKClick() {
  const QString text = EgnEdit->text();
  const CorrectedEgnCheck check = CheckCorrectedEgn(text);
  bool save = true;
  if (check == CorrectedEgnCheck::NotTenDigits) {
    ShowMessage(this, QStringLiteral("ЕГН-то не е 10 цифри!"), kInvalidCaption);
    save = false;
  } else if (check == CorrectedEgnCheck::NoValidDate) {
    save = AskYesNo(this, QStringLiteral("ЕГН-то не отговаря на валидна дата.Желаете ли го запишете?"), kInvalidCaption,
                    false);
  }
  if (save) {
    try {
      if (personId_ >= 0 && SavePersonEgn(data_, personId_, text))
        ShowMessage(this, QStringLiteral("ЕГН-то е сменено."), kCaption);
      else
        ShowMessage(this, QStringLiteral("Лицето вече не е в базата данни. ЕГН-то не е записано."), kCaption,
                    MessageIcon::Warning);
    } catch (const std::exception& error) {
      ShowErrorDisplay(this, error);
    }
  }
  FocusEgn();
}

bool TEGNRepair::eventFilter(QObject* watched, QEvent* event) {
  if (watched == EgnEdit && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
        OKClick();
        return true;
      case Qt::Key_Escape:
        reject();
        return true;
      case Qt::Key_Less:
      case Qt::Key_Down:
        NavClick(nbNext);
        return true;
      case Qt::Key_Up:
        NavClick(nbPrior);
        return true;
      default:
        break;
    }
    // "<" typed on a keyboard whose layout gives it another key code.
    if (key->text() == QLatin1String("<")) {
      NavClick(nbNext);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TEGNRepair::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Less || event->text() == QLatin1String("<")) {
    NavClick(nbNext);
    return;
  }
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return;  // no default button
  QDialog::keyPressEvent(event);  // Esc closes
}

void ShowEgnRepair(TEGNRepair& window, const std::function<void()>& openCard) {
  if (window.exec() == QDialog::Accepted && openCard) openCard();
}
