// The search panel: the criteria grid and its rules (a user change ticks the box, ticked boxes
// highlight their controls, the registration-number and EGN searches stand alone).
#include "search/ui/search_panel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <tuple>

#include "core/clock.h"
#include "data/data_module.h"
#include "search/text_filter.h"
#include "ui/date_edit.h"
#include "ui/field_label.h"

namespace {

// A criterion's label: clicking it toggles the criterion's box, as the box's own caption would.
class BoxLabel : public QLabel {
 public:
  BoxLabel(const QString& text, QCheckBox* box, QWidget* parent) : QLabel(text, parent), box_(box) {
    LabelField(this, box);
  }

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) box_->toggle();
    QLabel::mouseReleaseEvent(event);
  }

 private:
  QCheckBox* box_;
};

// A small magnifying glass, so the button reads as "search" at a glance on every desktop.
QIcon SearchIcon(const QPalette& palette) {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(palette.color(QPalette::ButtonText), 3.5, Qt::SolidLine, Qt::RoundCap));
  painter.setBrush(QColor(170, 205, 240));
  painter.drawEllipse(QRectF(4, 4, 16, 16));
  painter.setPen(QPen(palette.color(QPalette::ButtonText), 5, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(18.5, 18.5), QPointF(27, 27));
  return QIcon(pixmap);
}

// Ticked criteria show their controls on the tooltip colour; unticked ones go back to the
// palette they inherit, so they follow the desktop's colours.
void Highlight(QWidget* control, bool on) {
  if (!on) {
    control->setPalette(QPalette());
    return;
  }
  const QColor tooltip = QApplication::palette(control).color(QPalette::ToolTipBase);
  QPalette palette;
  palette.setColor(QPalette::Base, tooltip);
  // A closed list is drawn as a button, so its button colour carries the highlight.
  if (qobject_cast<QComboBox*>(control)) palette.setColor(QPalette::Button, tooltip);
  control->setPalette(palette);
}

QLineEdit* NewEdit(QWidget* parent, const char* name, int minimumWidth = 0) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  if (minimumWidth > 0) edit->setMinimumWidth(minimumWidth);
  return edit;
}

QComboBox* NewList(QWidget* parent, const char* name) {
  auto* list = new QComboBox(parent);
  list->setObjectName(QString::fromLatin1(name));
  list->setEditable(false);
  list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  list->setMinimumContentsLength(10);
  return list;
}

TAODateTimePicker* NewDate(QWidget* parent, const char* name) {
  auto* date = new TAODateTimePicker(parent);
  date->setObjectName(QString::fromLatin1(name));
  return date;
}

QCheckBox* NewBox(QWidget* parent, int number) {
  auto* box = new QCheckBox(parent);
  box->setObjectName(QStringLiteral("CheckBox%1").arg(number));
  return box;
}

}  // namespace

TSearchPanel::TSearchPanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("SearchPanel"));
  CreateControls();
  LayOut();
  ConnectRules();
}

void TSearchPanel::CreateControls() {
  for (int n = 1; n <= SearchCriteria::kBoxCount; ++n) boxes_[n - 1] = NewBox(this, n);
  CheckBox1 = boxes_[0], CheckBox2 = boxes_[1], CheckBox3 = boxes_[2], CheckBox4 = boxes_[3], CheckBox5 = boxes_[4];
  CheckBox6 = boxes_[5], CheckBox7 = boxes_[6], CheckBox8 = boxes_[7], CheckBox9 = boxes_[8], CheckBox10 = boxes_[9];
  CheckBox11 = boxes_[10], CheckBox12 = boxes_[11], CheckBox13 = boxes_[12], CheckBox14 = boxes_[13];
  CheckBox15 = boxes_[14], CheckBox16 = boxes_[15], CheckBox17 = boxes_[16], CheckBox18 = boxes_[17];
  CheckBox19 = boxes_[18], CheckBox20 = boxes_[19];

  constexpr int kNumberWidth = 48;
  sRegNum = NewEdit(this, "sRegNum", kNumberWidth);
  sVhNom = NewEdit(this, "sVhNom", kNumberWidth);
  sName = NewEdit(this, "sName");
  sEGN = NewEdit(this, "sEGN");
  sMemFrom = NewEdit(this, "sMemFrom", kNumberWidth);
  sMemTo = NewEdit(this, "sMemTo", kNumberWidth);
  sDateFrom = NewDate(this, "sDateFrom");
  sDateTo = NewDate(this, "sDateTo");
  sGroup = NewList(this, "sGroup");
  sLData = NewList(this, "sLData");
  sStatus = NewList(this, "sStatus");
  dFrom = NewDate(this, "dFrom");
  dTo = NewDate(this, "dTo");
  sLReason = NewList(this, "sLReason");
  sSocGrupa = NewList(this, "sSocGrupa");
  sNotes = NewEdit(this, "sNotes");
  sMemNumbFrom = NewEdit(this, "sMemNumbFrom", kNumberWidth);
  sMemNumbTo = NewEdit(this, "sMemNumbTo", kNumberWidth);
  sNastVidApart = NewList(this, "sNastVidApart");
  sNastZap = NewEdit(this, "sNastZap");
  sNastBuy = NewEdit(this, "sNastBuy");
  sHasFirm = NewEdit(this, "sHasFirm");
  sTelkNum = NewEdit(this, "sTelkNum");
  sIncFrom = NewEdit(this, "sIncFrom", kNumberWidth);
  sIncTo = NewEdit(this, "sIncTo", kNumberWidth);
  sAgeOverFrom = NewEdit(this, "sAgeOverFrom", kNumberWidth);
  sAgeOverTo = NewEdit(this, "sAgeOverTo", kNumberWidth);

  sbSearch = new QPushButton(QStringLiteral("Търсене"), this);
  sbSearch->setObjectName(QStringLiteral("sbSearch"));
  sbSearch->setToolTip(QStringLiteral("Търси по избраните критерии"));
  sbSearch->setIcon(SearchIcon(palette()));
  sbSearch->setIconSize(QSize(16, 16));
  sbSearch->setAutoDefault(false);
}

void TSearchPanel::AddRow(QGridLayout* grid, int row, int column, int box, const QString& label, QWidget* first,
                          const QString& secondLabel, QWidget* second) {
  QCheckBox* checkBox = Box(box);
  grid->addWidget(checkBox, row, column);
  grid->addWidget(new BoxLabel(label, checkBox, this), row, column + 1);
  // The box and its fields share the caption; the second field of a "from ... to" pair is
  // named by the criterion and its own word ("По дата на регистриране до").
  NameControl(first, label);
  if (second != nullptr) {
    QString criterion = AccessibleNameOf(label);
    if (criterion.endsWith(QLatin1String(" от"))) criterion.chop(3);
    const QString secondName = secondLabel == QLatin1String("до") ? AccessibleNameOf(criterion) + u' ' + secondLabel
                                                                   : secondLabel;
    NameControl(second, secondName);
  }
  tabChain_.push_back(checkBox);
  if (second == nullptr) {
    grid->addWidget(first, row, column + 2, 1, 3);
  } else {
    grid->addWidget(first, row, column + 2);
    auto* middle = new QLabel(secondLabel, this);
    middle->setAlignment(Qt::AlignCenter);
    grid->addWidget(middle, row, column + 3);
    grid->addWidget(second, row, column + 4);
  }
  tabChain_.push_back(first);
  controls_[box - 1].push_back(first);
  if (second != nullptr) {
    tabChain_.push_back(second);
    controls_[box - 1].push_back(second);
  }
}

void TSearchPanel::LayOut() {
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(5);
  grid->setVerticalSpacing(4);

  // Two groups of five columns each (box, label, control, middle label, control), then the
  // button. Criteria run down the first group and on down the second, in the order the
  // search reads them, so the result's caption reads in the same order as the panel.
  constexpr int kLeft = 0;
  constexpr int kRight = 6;
  const QString to = QStringLiteral("до");
  AddRow(grid, 0, kLeft, 1, QStringLiteral("По рег.номер:"), sRegNum, QStringLiteral("Вх №"), sVhNom);
  AddRow(grid, 1, kLeft, 2, QStringLiteral("По име:"), sName);
  AddRow(grid, 2, kLeft, 3, QStringLiteral("По ЕГН:"), sEGN);
  AddRow(grid, 3, kLeft, 4, QStringLiteral("По брой деца до 18 год.:   от"), sMemFrom, to, sMemTo);
  AddRow(grid, 4, kLeft, 5, QStringLiteral("По дата на регистриране: от"), sDateFrom, to, sDateTo);
  AddRow(grid, 5, kLeft, 6, QStringLiteral("По група:"), sGroup);
  AddRow(grid, 6, kLeft, 7, QStringLiteral("По вид жилище:"), sLData);
  AddRow(grid, 7, kLeft, 8, QStringLiteral("По състояние:"), sStatus);
  AddRow(grid, 8, kLeft, 9, QStringLiteral("Без деклар. от"), dFrom, to, dTo);
  AddRow(grid, 9, kLeft, 10, QStringLiteral("По основание за обитаване: "), sLReason);
  AddRow(grid, 0, kRight, 11, QStringLiteral("По социална група:"), sSocGrupa);
  AddRow(grid, 1, kRight, 12, QStringLiteral("По бележки: "), sNotes);
  AddRow(grid, 2, kRight, 13, QStringLiteral("По брой членове на сем.: от "), sMemNumbFrom, to, sMemNumbTo);
  AddRow(grid, 3, kRight, 14, QStringLiteral("По настанен в жил:"), sNastVidApart);
  AddRow(grid, 4, kRight, 15, QStringLiteral("По наст.заповед:"), sNastZap);
  AddRow(grid, 5, kRight, 16, QStringLiteral("По искане за покупка: "), sNastBuy);
  AddRow(grid, 6, kRight, 17, QStringLiteral("По участ. в т.дружество:"), sHasFirm);
  AddRow(grid, 7, kRight, 18, QStringLiteral("По ТЕЛК:"), sTelkNum);
  AddRow(grid, 8, kRight, 19, QStringLiteral("По дох. на член от сем.:   от"), sIncFrom, to, sIncTo);
  AddRow(grid, 9, kRight, 20, QStringLiteral("По брой деца над 18год.: от"), sAgeOverFrom, to, sAgeOverTo);

  grid->setColumnMinimumWidth(kRight - 1, 6);  // the gutter between the two groups
  grid->addWidget(sbSearch, 9, kRight + 5, Qt::AlignBottom);
    for (int column : {kLeft + 2, kLeft + 4, kRight + 2, kRight + 4}) grid->setColumnStretch(column, 1);
  grid->setRowStretch(10, 1);  // extra height stays below the criteria

  tabChain_.push_back(sbSearch);
  for (std::size_t i = 1; i < tabChain_.size(); ++i) setTabOrder(tabChain_[i - 1], tabChain_[i]);
}

void TSearchPanel::ConnectRules() {
  for (int n = 1; n <= SearchCriteria::kBoxCount; ++n)
    connect(Box(n), &QCheckBox::toggled, this, [this, n](bool ticked) { CheckBoxClick(n, ticked); });

  const std::vector<std::tuple<int, QLineEdit*, Filter>> edits = {
      {1, sRegNum, Filter::None},          {1, sVhNom, Filter::None},           {2, sName, Filter::None},
      {3, sEGN, Filter::None},             {4, sMemFrom, Filter::Digits},       {4, sMemTo, Filter::Digits},
      {12, sNotes, Filter::None},          {13, sMemNumbFrom, Filter::Digits},  {13, sMemNumbTo, Filter::Digits},
      {15, sNastZap, Filter::None},        {16, sNastBuy, Filter::None},        {17, sHasFirm, Filter::None},
      {18, sTelkNum, Filter::None},        {19, sIncFrom, Filter::DigitsAndPoint},
      {19, sIncTo, Filter::DigitsAndPoint}, {20, sAgeOverFrom, Filter::Digits}, {20, sAgeOverTo, Filter::Digits},
  };
  // textEdited and activated report the user's changes only, so filling from code ticks nothing.
  for (const auto& [box, edit, filter] : edits)
    connect(edit, &QLineEdit::textEdited, this, [this, box, edit, filter] { TextEdited(box, edit, filter); });
  const std::vector<std::pair<int, QComboBox*>> lists = {{6, sGroup},     {7, sLData},     {8, sStatus},
                                                         {10, sLReason},  {11, sSocGrupa}, {14, sNastVidApart}};
  for (const auto& [box, list] : lists) connect(list, &QComboBox::activated, this, [this, box] { TickBox(box); });
  const std::vector<std::pair<int, TAODateTimePicker*>> dates = {{5, sDateFrom}, {5, sDateTo}, {9, dFrom}, {9, dTo}};
  for (const auto& [box, date] : dates)
    connect(date, &TAODateTimePicker::OnChange, this, [this, box] { TickBox(box); });

  for (QWidget* control : std::initializer_list<QWidget*>{
           sRegNum, sVhNom, sName, sEGN, sMemFrom, sMemTo, sGroup, sStatus, sLData, sNotes, sMemNumbFrom, sMemNumbTo,
           sNastZap, sNastBuy, sHasFirm, sTelkNum, sIncFrom, sIncTo, sAgeOverFrom, sAgeOverTo})
    control->installEventFilter(this);

  connect(sbSearch, &QPushButton::clicked, this, &TSearchPanel::SearchRequested);
}

bool TSearchPanel::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      emit SearchRequested();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TSearchPanel::CheckBoxClick(int box, bool ticked) {
  for (QWidget* control : controls_[box - 1]) Highlight(control, ticked);
  if (!ticked) return;
  // The registration-number and EGN searches stand alone; all other criteria combine.
  for (int other = 1; other <= SearchCriteria::kBoxCount; ++other) {
    if (other == box) continue;
    const bool untick = (box == 1 || box == 3) || other == 1 || other == 3;
    if (untick) Box(other)->setChecked(false);
  }
}

void TSearchPanel::TickBox(int box) { Box(box)->setChecked(true); }

void TSearchPanel::TextEdited(int box, QLineEdit* edit, Filter filter) {
  if (filter != Filter::None) {
    const FilteredText kept = KeepAllowedChars(
        edit->text(), edit->cursorPosition(), filter == Filter::Digits ? AllowedChars::Digits : AllowedChars::DigitsAndPoint);
    if (kept.text != edit->text()) {
      edit->setText(kept.text);
      edit->setCursorPosition(kept.cursor);
    }
  }
  TickBox(box);
  // An emptied TELK field searches for nothing in particular, so it switches itself off.
  if (edit == sTelkNum && edit->text().isEmpty()) Box(box)->setChecked(false);
}

void TSearchPanel::FillLists(TDataModule1& data) {
  const std::vector<std::pair<QComboBox*, QString>> lists = {
      {sGroup, QStringLiteral("GROUP1")},     {sLData, QStringLiteral("LDATA")},
      {sStatus, QStringLiteral("STATUS")},    {sLReason, QStringLiteral("LREASON")},
      {sSocGrupa, QStringLiteral("SOCGRUPA")}, {sNastVidApart, QStringLiteral("NAST_VID_APART")}};
  for (const auto& [list, column] : lists) {
    list->clear();
    // Code-list cells are fixed-width; the names come without the padding, which would
    // otherwise end up in the result tab's caption. The data module finds the code of a name
    // without its trailing blanks.
    for (const CodeListEntry& entry : data.CodeListEntries(column)) list->addItem(entry.name);
    list->setCurrentIndex(-1);
    // The open list is as wide as its longest name even when the closed one is narrower.
    list->view()->setMinimumWidth(list->view()->sizeHintForColumn(0) + 24);
  }
}

void TSearchPanel::SetDatesToday() {
  const DateTimeValue today = DateValue(Clock::Now().date());
  for (TAODateTimePicker* date : {sDateFrom, sDateTo, dFrom, dTo}) date->SetDateTime(today);
}

SearchCriteria TSearchPanel::Criteria() const {
  SearchCriteria c;
  for (int n = 1; n <= SearchCriteria::kBoxCount; ++n) c.SetTicked(n, Box(n)->isChecked());
  auto dateOf = [](const TAODateTimePicker* field) { return field->IsEmpty() ? QDate() : ToQDate(field->DateTime()); };
  c.sRegNum = sRegNum->text();
  c.sVhNom = sVhNom->text();
  c.sName = sName->text();
  c.sEGN = sEGN->text();
  c.sMemFrom = sMemFrom->text();
  c.sMemTo = sMemTo->text();
  c.sDateFrom = dateOf(sDateFrom);
  c.sDateTo = dateOf(sDateTo);
  c.sGroup = sGroup->currentText();
  c.sLData = sLData->currentText();
  c.sStatus = sStatus->currentText();
  c.dFrom = dateOf(dFrom);
  c.dTo = dateOf(dTo);
  c.sLReason = sLReason->currentText();
  c.sSocGrupa = sSocGrupa->currentText();
  c.sNotes = sNotes->text();
  c.sMemNumbFrom = sMemNumbFrom->text();
  c.sMemNumbTo = sMemNumbTo->text();
  c.sNastVidApart = sNastVidApart->currentText();
  c.sNastZap = sNastZap->text();
  c.sNastBuy = sNastBuy->text();
  c.sHasFirm = sHasFirm->text();
  c.sTelkNum = sTelkNum->text();
  c.sIncFrom = sIncFrom->text();
  c.sIncTo = sIncTo->text();
  c.sAgeOverFrom = sAgeOverFrom->text();
  c.sAgeOverTo = sAgeOverTo->text();
  return c;
}
