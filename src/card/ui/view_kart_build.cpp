// The card window's controls and their arrangement: the header, the four pages and the
// bottom row of buttons.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "card/card_text_fields.h"
#include "card/ui/members_page.h"
#include "card/ui/view_kart.h"
#include "ui/date_edit.h"
#include "ui/field_label.h"

namespace {
QLabel* Caption(const QString& text, QWidget* buddy) {
  auto* label = LabelField(new QLabel(text), buddy);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return label;
}

// The "от" before a date that belongs to the field before it: the date is named after that
// field ("Група от"), as "от" alone would tell a screen reader's user nothing.
QLabel* DateCaption(const QString& text, QWidget* date, const QString& ofCaption) {
  QLabel* label = Caption(text, date);
  NameControl(date, AccessibleNameOf(ofCaption) + u' ' + AccessibleNameOf(text));
  return label;
}

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

QLineEdit* Edit(QWidget* parent, const char* name) { return Named(new QLineEdit(parent), name); }
// A page scrolls when the screen is smaller than it (the member panel open on a 1 280 × 720
// screen), so the window always fits the screen.
QScrollArea* Scrolled(QWidget* page) {
  auto* area = new QScrollArea;
  area->setWidget(page);
  area->setWidgetResizable(true);
  area->setFrameShape(QFrame::NoFrame);
  // The tab's own pane shows through, as it does behind a page without scrolling.
  area->viewport()->setAutoFillBackground(false);
  page->setAutoFillBackground(false);
  return area;
}
QComboBox* List(QWidget* parent, const char* name) {
  auto* list = Named(new QComboBox(parent), name);
  list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  list->setMinimumContentsLength(18);
  return list;
}
TAODateTimePicker* DateField(QWidget* parent, const char* name) {
  auto* field = Named(new TAODateTimePicker(parent), name);
  field->setMinimumWidth(110);
  field->setMaximumWidth(140);
  return field;
}
QPlainTextEdit* Memo(QWidget* parent, const char* name) { return Named(new QPlainTextEdit(parent), name); }

// A grid of captions in even columns and fields in odd ones, the fields taking the width.
QGridLayout* FieldGrid(QWidget* owner, int pairs) {
  auto* grid = new QGridLayout(owner);
  for (int pair = 0; pair < pairs; ++pair) grid->setColumnStretch(pair * 2 + 1, 1);
  return grid;
}
}  // namespace

void TViewKart::BuildControls() {
  auto* layout = new QVBoxLayout(this);

  // The header above the pages.
  auto* header = new QHBoxLayout;
  ebRegNum = Edit(this, "ebRegNum");
  ebRegNum->setMaximumWidth(90);
  Load = Named(new QPushButton(QStringLiteral("Зареждане"), this), "Load");
  doctxt = Edit(this, "doctxt");
  AddDate = DateField(this, "AddDate");
  header->addWidget(Caption(QStringLiteral("Регистрационен номер:"), ebRegNum));
  header->addWidget(ebRegNum);
  header->addWidget(Load);
  header->addSpacing(24);
  header->addWidget(Caption(QStringLiteral("Заявление входящ. № :"), doctxt));
  header->addWidget(doctxt, 1);
  header->addWidget(DateCaption(QStringLiteral("от"), AddDate, QStringLiteral("Заявление входящ. №")));
  header->addWidget(AddDate);
  layout->addLayout(header);

  PageControl1 = Named(new QTabWidget(this), "PageControl1");
  PageControl1->addTab(Scrolled(BuildFamilyPage()), QStringLiteral("Данни за семейството и класиране"));
  PageControl1->addTab(Scrolled(BuildAddressPage()), QStringLiteral("Местоживеене и материално състояние"));
  PageControl1->addTab(Scrolled(BuildNotesPage()), QStringLiteral("Бележки"));
  PageControl1->addTab(Scrolled(BuildPlacementPage()), QStringLiteral("Данни за настаняване"));
  layout->addWidget(PageControl1, 1);

  auto* bottom = new QHBoxLayout;
  BuildBottomRow(bottom);
  layout->addLayout(bottom);
  resize(1060, 740);

  // Each text field takes its column's length: a longer text could never be saved.
  for (const CardTextField& field : CardTextFields())
    if (auto* edit = findChild<QLineEdit*>(QString::fromLatin1(field.control)); edit && field.length > 0)
      edit->setMaxLength(field.length);
}

QWidget* TViewKart::BuildFamilyPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* top = new QHBoxLayout;

  auto* features = Named(new QGroupBox(QStringLiteral("Особености при класиране"), page), "GroupBox1");
  auto* grid = FieldGrid(features, 2);
  grid->setColumnStretch(1, 3);  // the group names are long; the right column holds dates and short lists
  grid->setColumnStretch(3, 2);
  cbGroup = List(features, "cbGroup");
  dtGrupaDate = DateField(features, "dtGrupaDate");
  cbsubGroup = List(features, "cbsubGroup");
  cbStatus = List(features, "cbStatus");
  ebGot = Edit(features, "ebGot");
  pr = Edit(features, "pr");
  protDate = DateField(features, "protDate");
  dek_id = Edit(features, "dek_id");
  dek_dat = DateField(features, "dek_dat");
  cbKart = List(features, "cbKart");
  grid->addWidget(Caption(QStringLiteral("Група"), cbGroup), 0, 0);
  grid->addWidget(cbGroup, 0, 1);
  grid->addWidget(DateCaption(QStringLiteral("от "), dtGrupaDate, QStringLiteral("Група")), 0, 2);
  grid->addWidget(dtGrupaDate, 0, 3);
  grid->addWidget(Caption(QStringLiteral("Подгрупа"), cbsubGroup), 1, 0);
  grid->addWidget(cbsubGroup, 1, 1);
  grid->addWidget(Caption(QStringLiteral("Картотекиран за:"), cbKart), 1, 2);
  grid->addWidget(cbKart, 1, 3);
  grid->addWidget(Caption(QStringLiteral("Съст. на картона"), cbStatus), 2, 0);
  grid->addWidget(cbStatus, 2, 1);
  grid->addWidget(Caption(QStringLiteral("Инф. за състоянието"), ebGot), 2, 2);
  grid->addWidget(ebGot, 2, 3);
  grid->addWidget(Caption(QStringLiteral("Прот.от комисия №"), pr), 3, 0);
  grid->addWidget(pr, 3, 1);
  grid->addWidget(DateCaption(QStringLiteral("от "), protDate, QStringLiteral("Прот.от комисия №")), 3, 2);
  grid->addWidget(protDate, 3, 3);
  grid->addWidget(Caption(QStringLiteral("Последнa дек. №"), dek_id), 4, 0);  // the "a" is Latin, as the form has it
  grid->addWidget(dek_id, 4, 1);
  grid->addWidget(DateCaption(QStringLiteral("от "), dek_dat, QStringLiteral("Последнa дек. №")), 4, 2);
  grid->addWidget(dek_dat, 4, 3);

  // Kept on the card and written back unchanged, never shown.
  HardLife = Named(new QCheckBox(QStringLiteral("Тежки жилищни условия"), features), "HardLife");
  CheckBoxAloneParent = Named(new QCheckBox(QStringLiteral("Самотен родител"), features), "CheckBoxAloneParent");
  edYearsNoDeclr = Edit(features, "edYearsNoDeclr");
  lbYearBezDeklr = Named(Caption(QStringLiteral("Бр. гoдини без подадена декл."), edYearsNoDeclr), "lbYearBezDeklr");
  lbYearBezDeklr->setParent(features);  // in no layout, so the box must own it
  for (QWidget* hidden : std::initializer_list<QWidget*>{HardLife, CheckBoxAloneParent, lbYearBezDeklr, edYearsNoDeclr})
    hidden->hide();
  top->addWidget(features, 3);

  gbClassInfo = Named(new QGroupBox(QStringLiteral("Информация за класиране"), page), "gbClassInfo");
  gbClassInfo->setStyleSheet(QStringLiteral("QGroupBox#gbClassInfo { color: red; font-weight: bold; }"));
  gbClassInfo->setToolTip(QStringLiteral(
      "Информация за класиране се попълва ръчно само за стари картони, за нови се попълва автоматично при "
      "класиране!!!"));
  PopupMenu1 = Named(new QMenu(gbClassInfo), "PopupMenu1");
  N1 = PopupMenu1->addAction(QStringLiteral("Изчисти информация за класиране"));
  N1->setObjectName(QStringLiteral("N1"));
  N1->setEnabled(false);
  gbClassInfo->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(gbClassInfo, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenu1->popup(gbClassInfo->mapToGlobal(at)); });
  auto* classGrid = new QGridLayout(gbClassInfo);
  edYear = Edit(gbClassInfo, "edYear");
  edYear->setMaxLength(4);
  edYear->setMaximumWidth(60);
  edPoints = Edit(gbClassInfo, "edPoints");
  edPoints->setEnabled(false);
  edPointsDescr = Edit(gbClassInfo, "edPointsDescr");
  edPointsDescr->setEnabled(false);
  edPointsDescr->setMinimumWidth(edPointsDescr->fontMetrics().horizontalAdvance(QStringLiteral("Подгрупа 2, група 5")));
  auto* yearRow = new QHBoxLayout;
  yearRow->addWidget(edYear);
  yearRow->addWidget(new QLabel(QStringLiteral("г.")));
  yearRow->addStretch(1);
  classGrid->addWidget(Caption(QStringLiteral("Вкл. в списъка за:"), edYear), 0, 0);
  classGrid->addLayout(yearRow, 0, 1);
  classGrid->addWidget(Caption(QStringLiteral("Тежест/точки:"), edPoints), 1, 0);
  classGrid->addWidget(edPoints, 1, 1);
  classGrid->addWidget(Caption(QStringLiteral("Пояснения:"), edPointsDescr), 2, 0);
  classGrid->addWidget(edPointsDescr, 2, 1);
  classGrid->setRowStretch(3, 1);
  top->addWidget(gbClassInfo, 1);
  layout->addLayout(top);

  members = Named(new TMembersPage(page), "members");
  layout->addWidget(members, 1);
  return page;
}

QWidget* TViewKart::BuildAddressPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);

  auto* residence = Named(new QGroupBox(QStringLiteral("Местоживеене:"), page), "GroupBox3");
  auto* grid = FieldGrid(residence, 2);
  dtAdress = DateField(residence, "dtAdress");
  ebAdress = Edit(residence, "ebAdress");
  cbLData = List(residence, "cbLData");
  ebLCond = Edit(residence, "ebLCond");
  cbLReason = List(residence, "cbLReason");
  edReasonComment = Edit(residence, "edReasonComment");
  dtCheck = DateField(residence, "dtCheck");
  ebCheck = Edit(residence, "ebCheck");
  auto* firstRegistration = new QHBoxLayout;
  firstRegistration->addWidget(dtAdress);
  firstRegistration->addStretch(1);
  grid->addWidget(
      Caption(QStringLiteral("Дата на първа постоянна регистрация на територията на общината:"), dtAdress), 0, 0, 1,
      3);
  grid->addLayout(firstRegistration, 0, 3);
  grid->addWidget(Caption(QStringLiteral("Настоящ адрес:"), ebAdress), 1, 0);
  grid->addWidget(ebAdress, 1, 1, 1, 3);
  grid->addWidget(Caption(QStringLiteral("Вид на жилището:"), cbLData), 2, 0);
  grid->addWidget(cbLData, 2, 1);
  grid->addWidget(Caption(QStringLiteral("Основание за обит.:"), cbLReason), 2, 2);
  grid->addWidget(cbLReason, 2, 3);
  grid->addWidget(Caption(QStringLiteral("Коментар за жилището"), ebLCond), 3, 0);
  grid->addWidget(ebLCond, 3, 1, 1, 3);
  grid->addWidget(Caption(QStringLiteral("Комент. към основание"), edReasonComment), 4, 0);
  grid->addWidget(edReasonComment, 4, 1, 1, 3);
  grid->addWidget(Caption(QStringLiteral("Проверка на място:"), dtCheck), 5, 0);
  auto* checkRow = new QHBoxLayout;
  checkRow->addWidget(dtCheck);
  checkRow->addStretch(1);
  grid->addLayout(checkRow, 5, 1);
  grid->addWidget(Caption(QStringLiteral("Проверил:"), ebCheck), 5, 2);
  grid->addWidget(ebCheck, 5, 3);
  layout->addWidget(residence);

  auto* wealth = Named(new QGroupBox(QStringLiteral("Материално състояние"), page), "GroupBox4");
  auto* money = FieldGrid(wealth, 2);
  ebIncome = Edit(wealth, "ebIncome");
  ebIncomeHalfYear = Edit(wealth, "ebIncomeHalfYear");
  ebIncPerPerson = Edit(wealth, "ebIncPerPerson");
  ebAssets = Edit(wealth, "ebAssets");
  ebDeals = Edit(wealth, "ebDeals");
  edHasFirm = Edit(wealth, "edHasFirm");
  // The design's texts; every load puts the net-income texts in their place.
  lbIncome = Named(Caption(QStringLiteral("Брутен годишен доход:"), ebIncome), "lbIncome");
  lbIncomeHalfYear = Named(Caption(QStringLiteral("Брутен доход за 6 месеца: "), ebIncomeHalfYear), "lbIncomeHalfYear");
  money->addWidget(lbIncome, 0, 0);
  money->addWidget(ebIncome, 0, 1);
  money->addWidget(lbIncomeHalfYear, 0, 2);
  money->addWidget(ebIncomeHalfYear, 0, 3);
  money->addWidget(Caption(QStringLiteral("Доход на член от семейството: "), ebIncPerPerson), 1, 0);
  money->addWidget(ebIncPerPerson, 1, 1);
  money->addWidget(Caption(QStringLiteral("Собств. и/или др. вещни права:"), ebAssets), 2, 0);
  money->addWidget(ebAssets, 2, 1, 1, 3);
  money->addWidget(Caption(QStringLiteral("Сделки с недвиж. имоти,  отказ от наследство:"), ebDeals), 3, 0);
  money->addWidget(ebDeals, 3, 1, 1, 3);
  money->addWidget(Caption(QStringLiteral("Участие в търг. друж. или ЕТ:"), edHasFirm), 4, 0);
  money->addWidget(edHasFirm, 4, 1, 1, 3);
  layout->addWidget(wealth);
  layout->addStretch(1);
  return page;
}

QWidget* TViewKart::BuildNotesPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* notes = Named(new QGroupBox(QStringLiteral("Бележки"), page), "GroupBox6");
  mNotes = Memo(notes, "mNotes");
  NameControl(mNotes, notes->title());
  (new QVBoxLayout(notes))->addWidget(mNotes);
  auto* system = Named(new QGroupBox(QStringLiteral("Системни съобщения"), page), "GroupBox7");
  mSYSNotes = Memo(system, "mSYSNotes");
  mSYSNotes->setReadOnly(true);
  NameControl(mSYSNotes, system->title());
  (new QVBoxLayout(system))->addWidget(mSYSNotes);
  layout->addWidget(notes, 2);
  layout->addWidget(system, 1);
  return page;
}

QWidget* TViewKart::BuildPlacementPage() {
  auto* page = new QWidget;
  auto* grid = FieldGrid(page, 2);
  edNastZap = Edit(page, "edNastZap");
  dtNastZap = DateField(page, "dtNastZap");
  cbNastVidApart = List(page, "cbNastVidApart");
  edNasAdrApart = Edit(page, "edNasAdrApart");
  cbTerm = List(page, "cbTerm");
  edIskaKupi = Edit(page, "edIskaKupi");
  edZapOut = Edit(page, "edZapOut");
  mZapHistory = Memo(page, "mZapHistory");
  mZapHistory->setReadOnly(true);

  grid->addWidget(Caption(QStringLiteral("Наст. заповед № :"), edNastZap), 0, 0);
  grid->addWidget(edNastZap, 0, 1);
  grid->addWidget(DateCaption(QStringLiteral("от "), dtNastZap, QStringLiteral("Наст. заповед №")), 0, 2);
  auto* dateRow = new QHBoxLayout;
  dateRow->addWidget(dtNastZap);
  dateRow->addStretch(1);
  grid->addLayout(dateRow, 0, 3);
  grid->addWidget(Caption(QStringLiteral("Настанен в жилище :"), cbNastVidApart), 1, 0);
  grid->addWidget(cbNastVidApart, 1, 1);
  grid->addWidget(edNasAdrApart, 1, 2, 1, 2);
  NameControl(edNasAdrApart, QStringLiteral("Адрес на жилището за настаняване"));
  grid->addWidget(Caption(QStringLiteral("Срок:"), cbTerm), 2, 0);
  grid->addWidget(cbTerm, 2, 1);
  grid->addWidget(Caption(QStringLiteral("Искане за покупка:"), edIskaKupi), 3, 0);
  grid->addWidget(edIskaKupi, 3, 1, 1, 3);
  grid->addWidget(Caption(QStringLiteral("Зап. за прекратяване:"), edZapOut), 4, 0);
  grid->addWidget(edZapOut, 4, 1, 1, 3);
  auto* historyCaption = Caption(QStringLiteral("История на наст.зап. :"), mZapHistory);
  historyCaption->setAlignment(Qt::AlignRight | Qt::AlignTop);
  grid->addWidget(historyCaption, 5, 0);
  grid->addWidget(mZapHistory, 5, 1, 1, 3);
  grid->setRowStretch(5, 1);
  return page;
}

void TViewKart::BuildBottomRow(QHBoxLayout* row) {
  DBNavigator1 = Named(new QWidget(this), "DBNavigator1");
  auto* navigator = new QHBoxLayout(DBNavigator1);
  navigator->setContentsMargins(0, 0, 0, 0);
  navigator->setSpacing(2);
  const QStyle::StandardPixmap icons[] = {QStyle::SP_MediaSkipBackward, QStyle::SP_MediaSeekBackward,
                                          QStyle::SP_MediaSeekForward, QStyle::SP_MediaSkipForward};
  const QString hints[] = {QStringLiteral("Пръв картон"), QStringLiteral("Предишен картон"),
                           QStringLiteral("Следващ картон"), QStringLiteral("Последен картон")};
  const char* const names[] = {"nbFirst", "nbPrior", "nbNext", "nbLast"};
  for (int button = nbFirst; button <= nbLast; ++button) {
    navButtons[button] = Named(new QToolButton(DBNavigator1), names[button]);
    navButtons[button]->setIcon(style()->standardIcon(icons[button]));
    navButtons[button]->setToolTip(hints[button]);
    navigator->addWidget(navButtons[button]);
    connect(navButtons[button], &QToolButton::clicked, this, [this, button] { DBNavigator1Click(button); });
  }
  row->addWidget(DBNavigator1);
  row->addStretch(1);

  ButtonPrint = Named(new QPushButton(QStringLiteral("Бланка"), this), "ButtonPrint");
  ButtonPrint->setToolTip(QStringLiteral("Извеждане на бланка с информация от картона"));
  sbPrintForm = Named(new QToolButton(this), "sbPrintForm");
  sbPrintForm->setIcon(style()->standardIcon(QStyle::SP_DesktopIcon));
  sbPrintForm->setToolTip(QStringLiteral("Разпечатва екранна снимка на формата"));
  OK = Named(new QPushButton(QStringLiteral("Запис"), this), "OK");
  OK->setDefault(true);
  OK->setToolTip(QStringLiteral("Запис на промените по картона"));
  Cancel = Named(new QPushButton(QStringLiteral("Изход"), this), "Cancel");
  row->addWidget(ButtonPrint);
  row->addWidget(sbPrintForm);
  row->addSpacing(16);
  row->addWidget(OK);
  row->addWidget(Cancel);
}
