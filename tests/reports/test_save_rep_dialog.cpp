// The export dialog offscreen over a real register list: controls and defaults, the column
// list from the grid, ticking and dragging, the format options, writing each format through
// the prompts seam, every refusal, and the four saved-view operations.
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QStringDecoder>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <deque>

#include "controls.h"
#include "core/desktop.h"
#include "data/firebird/statement.h"
#include "export_cards.h"
#include "export_package_reader.h"
#include "recording_messages.h"
#include "core/clock.h"
#include "core/date_time.h"
#include "data/register_settings.h"
#include "register/register_grid_model.h"
#include "register/register_tabs.h"
#include "reports/annual_list_layout.h"
#include "reports/docx_table_fit.h"
#include "reports/export_list_source.h"
#include "reports/ui/save_rep_dialog.h"
#include "reports/ui/save_rep_prompts.h"
#include "temp_register.h"

namespace {
// Answers the export dialog's prompts from queues and records what they were asked.
class RecordingPrompts {
 public:
  RecordingPrompts() {
    SetSaveFileNameAsker([this](QWidget*, const SaveFileRequest& request) { return SaveFileName(request); });
    SetTextAsker([this](QWidget*, const QString& caption, const QString& prompt, const QString&) {
      return Text(caption, prompt);
    });
  }
  ~RecordingPrompts() {
    SetSaveFileNameAsker({});
    SetTextAsker({});
  }
  RecordingPrompts(const RecordingPrompts&) = delete;
  RecordingPrompts& operator=(const RecordingPrompts&) = delete;

  QString SaveFileName(const SaveFileRequest& request) {
    requests.push_back(request);
    if (files.empty()) return {};
    const QString f = files.front();
    files.pop_front();
    return f;
  }
  std::optional<QString> Text(const QString& caption, const QString& prompt) {
    textPrompts << caption + u'|' + prompt;
    if (texts.empty()) return std::nullopt;
    const auto t = texts.front();
    texts.pop_front();
    return t;
  }
  std::deque<QString> files;
  std::deque<std::optional<QString>> texts;
  std::vector<SaveFileRequest> requests;
  QStringList textPrompts;
};

QStringList TextLines(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  const QString text = QStringDecoder("windows-1251").decode(f.readAll());
  return text.split(QStringLiteral("\r\n"));
}
}  // namespace

class TestSaveRepDialog : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TempRegister> register_;
  std::unique_ptr<ListExportSource> source_;
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<TfrmSaveRep> dialog_;
  QStringList opened_;

  TfrmSaveRep& Open(const QString& totals = QString()) {
    dialog_ = std::make_unique<TfrmSaveRep>(*source_, QStringLiteral("Списък на картотеката - 10.12.2026"), QString(),
                                            totals, dir_->filePath(QStringLiteral("tesaro_views.ini")),
                                            QStringLiteral("clerk"));
    return *dialog_;
  }
  QString FilePath(const char* name) { return dir_->filePath(QString::fromLatin1(name)); }
  static void TickOnly(TfrmSaveRep& d, const QStringList& captions) {
    auto columns = d.Columns();
    for (ExportColumn& c : columns) c.ticked = captions.contains(c.caption);
    d.SetColumns(columns);
  }

 private slots:
  void initTestCase() {
    register_ = std::make_unique<TempRegister>();
    TDataModule1& data = register_->Data();
    InsertExportCard(data, 1, QStringLiteral("Иван Петров"), QStringLiteral("8001010000"));
    InsertExportCard(data, 2, QStringLiteral("Мария | Георгиева"), QStringLiteral("8202020000"));
    InsertExportCard(data, 3, QStringLiteral("Петър Иванов"), QStringLiteral("8303030000"));
    ListQuery& list = data.MainQuery();
    list.SetCondition(QStringLiteral("and P.PERSON_TYPE = 0"));
    list.SetOrdering(QStringLiteral("order by REG_NUM"));
    list.Open();
    source_ = std::make_unique<ListExportSource>(list, RegisterExportColumns());
  }
  void cleanupTestCase() {
    source_.reset();
    register_.reset();
  }
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    register_->Data().MainQuery().SetCurrentRow(0);
    opened_.clear();
    SetAssociatedProgramOpener([this](const QString& path) {
      opened_ << path;
      return true;
    });
  }
  void cleanup() {
    dialog_.reset();
    SetAssociatedProgramOpener({});
  }

  void controlsAndDefaults() {
    TfrmSaveRep& d = Open();
    auto* excel = Control<QRadioButton>(d, "MSExcel_RB");
    auto* word = Control<QRadioButton>(d, "MSWord_RB");
    auto* delimiter = Control<QLineEdit>(d, "Delim_ed");
    auto* layout = Control<QComboBox>(d, "Layout_CB");
    auto* font = Control<QComboBox>(d, "Font_CB");
    QCOMPARE(d.windowTitle(), QStringLiteral("Избор на колони за запис"));
    QCOMPARE(Control<QPlainTextEdit>(d, "Memo1")->toPlainText(), QStringLiteral("Списък на картотеката - 10.12.2026"));
    QVERIFY(word->isChecked());
    QCOMPARE(word->text(), QStringLiteral("MS Word"));
    QCOMPARE(excel->text(), QStringLiteral("MS Excel"));
    QCOMPARE(layout->currentText(), QStringLiteral("Пейзаж"));
    QCOMPARE(font->currentText(), QStringLiteral("По подразбиране"));
    QCOMPARE(font->count(), 14);
    QCOMPARE(font->itemText(13), QStringLiteral("20"));
    QCOMPARE(delimiter->text(), QStringLiteral("|"));
    QCOMPARE(Control<QComboBox>(d, "cbSavedViews")->currentText(), QStringLiteral("Няма"));

    // The grid's 18 visible columns: "  №" unticked, every other one ticked; hidden ones not offered.
    const auto columns = d.Columns();
    QCOMPARE(columns.size(), size_t(18));
    QCOMPARE(columns[0].caption, QStringLiteral("  №"));
    QVERIFY(!columns[0].ticked);
    for (size_t i = 1; i < columns.size(); ++i) QVERIFY2(columns[i].ticked, qPrintable(columns[i].caption));
    for (const ExportColumn& c : columns) QVERIFY(c.caption != QStringLiteral("Протокол N:"));

    // Options follow the format, their captions with them.
    const auto shownCaptions = [&d] {
      QStringList shown;
      for (const char* name : {"Delim_L", "Layout_L", "Font_L"})
        if (Control<QLabel>(d, QString::fromLatin1(name))->isVisible()) shown << QString::fromLatin1(name);
      return shown;
    };
    d.show();
    QVERIFY(layout->isVisible() && font->isVisible() && !delimiter->isVisible());
    QCOMPARE(shownCaptions(), (QStringList{"Layout_L", "Font_L"}));
    Control<QRadioButton>(d, "rbTextFile")->setChecked(true);
    QVERIFY(!layout->isVisible() && !font->isVisible() && delimiter->isVisible());
    QCOMPARE(shownCaptions(), QStringList{"Delim_L"});
    excel->setChecked(true);
    QVERIFY(layout->isVisible() && !delimiter->isVisible());
    QCOMPARE(shownCaptions(), (QStringList{"Layout_L", "Font_L"}));
  }

  // The grid as the main window shows it: a column the user hid is not offered, a moved one
  // is offered where it stands.
  void columnsFollowTheGrid() {
    RegisterGridModel model(register_->Data().MainQuery());
    QTableView grid;
    grid.setModel(&model);
    for (int c = 0; c < model.columnCount(); ++c) grid.setColumnHidden(c, RegisterGridColumns()[c].hidden);
    grid.setColumnHidden(4, true);               // "ЕГН"
    grid.setColumnHidden(15, false);             // "Протокол N:", hidden by default
    grid.horizontalHeader()->moveSection(3, 0);  // "Име" first
    const auto source = RegisterGridSource(grid, register_->Data());
    const auto columns = ExportColumnsFromSource(*source);
    QCOMPARE(columns.size(), size_t(18));
    QVERIFY(std::any_of(columns.begin(), columns.end(), [](const ExportColumn& c) { return c.caption == "Протокол N:"; }));
    QCOMPARE(columns[0].caption, QStringLiteral("Име"));
    QCOMPARE(columns[1].caption, QStringLiteral("  №"));
    QVERIFY(!columns[1].ticked);
    for (const ExportColumn& c : columns) QVERIFY(c.caption != QStringLiteral("ЕГН"));
    QCOMPARE(source->CellText(1, 0), QStringLiteral("Мария | Георгиева"));
    QCOMPARE(source->CellText(1, 1), QStringLiteral("2"));
  }

  void tickButtons() {
    TfrmSaveRep& d = Open();
    d.InvertSel_SBClick();
    QCOMPARE(TickedCount(d.Columns()), 1);
    QVERIFY(d.Columns()[0].ticked);
    d.SelectAll_SBClick();
    QCOMPARE(TickedCount(d.Columns()), 18);
    d.DeselectAll_SBClick();
    QCOMPARE(TickedCount(d.Columns()), 0);
  }

  // Dropping below the last entry moves the dragged entry to the top, keeping its tick.
  void dragToTop() {
    TfrmSaveRep& d = Open(QStringLiteral("a;b;c;"));
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    auto* list = Control<ColumnListWidget>(d, "CLB");
    const QRect last = list->visualItemRect(list->item(list->count() - 1));
    QCOMPARE(list->DropRow(QPoint(last.center().x(), list->viewport()->height() - 1)), -1);
    QCOMPARE(list->DropRow(list->visualItemRect(list->item(1)).center()), 1);
    d.CLBDragDrop(3, -1);
    const auto columns = d.Columns();
    QCOMPARE(columns[0].caption, QStringLiteral("Име"));
    QCOMPARE(columns[0].field, QStringLiteral("NAME"));
    QVERIFY(columns[0].ticked);
    QCOMPARE(columns[1].caption, QStringLiteral("  №"));
    QCOMPARE(d.Totals(), (QStringList{"a", "b", "c"}));  // position 3 has no totals entry
    d.CLBDragDrop(1, 0);
    QCOMPARE(d.Totals(), (QStringList{"b", "a", "c"}));
  }

  void textExportLinesAndMessage() {
    TfrmSaveRep& d = Open();
    Control<QRadioButton>(d, "rbTextFile")->setChecked(true);
    TickOnly(d, {QStringLiteral("Рег.номер"), QStringLiteral("Име")});
    RecordingPrompts prompts;
    prompts.files = {FilePath("register")};  // the default extension is added
    RecordingMessages messages;
    d.Save_SBClick();
    QCOMPARE(prompts.requests.size(), size_t(1));
    QCOMPARE(prompts.requests[0].filter, QStringLiteral("Текстов файл|*.txt|Всички|*.*"));
    QCOMPARE(TextLines(FilePath("register.txt")),
             (QStringList{"Рег.номер|Име", "1|Иван Петров", "2|Мария | Георгиева", "3|Петър Иванов", ""}));
    QCOMPARE(messages.Texts(), QStringList{QString::fromUtf8(kSavedMessage)});
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(register_->Data().MainQuery().CurrentRow(), 2);  // left on the last row
    QCOMPARE(Control<QProgressBar>(d, "FillProgress")->value(), 3);
    QVERIFY(opened_.isEmpty());
  }

  void refusalsKeepTheDialogOpen_data() {
    QTest::addColumn<int>("format");
    QTest::newRow("word") << int(ExportFormat::Word);
    QTest::newRow("excel") << int(ExportFormat::Excel);
    QTest::newRow("text") << int(ExportFormat::Text);
  }
  void refusalsKeepTheDialogOpen() {
    QFETCH(int, format);
    TfrmSaveRep& d = Open();
    const char* button = format == int(ExportFormat::Excel)  ? "MSExcel_RB"
                         : format == int(ExportFormat::Text) ? "rbTextFile"
                                                             : "MSWord_RB";
    Control<QRadioButton>(d, QString::fromLatin1(button))->setChecked(true);
    RecordingPrompts prompts;
    RecordingMessages messages;
    d.DeselectAll_SBClick();
    d.Save_SBClick();
    QCOMPARE(messages.Texts(), QStringList{QString::fromUtf8(kNoColumnsMessage)});
    QVERIFY(prompts.requests.empty());  // no file is asked for
    d.SelectAll_SBClick();
    d.Save_SBClick();  // the file dialog cancelled
    QCOMPARE(prompts.requests.size(), size_t(1));
    QCOMPARE(messages.shown.size(), size_t(1));
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QVERIFY(QDir(dir_->path()).isEmpty());
  }

  void overwriteQuestion() {
    TfrmSaveRep& d = Open();
    Control<QRadioButton>(d, "rbTextFile")->setChecked(true);
    QFile old(FilePath("old.txt"));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("keep");
    old.close();
    RecordingPrompts prompts;
    prompts.files = {FilePath("old.txt"), FilePath("old.txt")};
    RecordingMessages messages;
    messages.answers = {MessageAnswer::No};
    d.Save_SBClick();
    QCOMPARE(TextLines(FilePath("old.txt")), QStringList{"keep"});
    QCOMPARE(messages.shown.size(), size_t(1));
    QCOMPARE(messages.shown[0].buttons, MessageButtons::YesNo);
    messages.answers = {MessageAnswer::Yes};
    d.Save_SBClick();
    QCOMPARE(TextLines(FilePath("old.txt")).size(), 5);
  }

  // The documents are written as the dialog says and opened with their program.
  void wordAndExcelExports() {
    TfrmSaveRep& d = Open();
    TickOnly(d, {QStringLiteral("Рег.номер"), QStringLiteral("Име"), QStringLiteral("ЕГН")});
    Control<QPlainTextEdit>(d, "Footer_M")->setPlainText(QStringLiteral("Край"));
    Control<QComboBox>(d, "Layout_CB")->setCurrentIndex(0);
    Control<QComboBox>(d, "Font_CB")->setCurrentText(QStringLiteral("10"));
    RecordingPrompts prompts;
    RecordingMessages messages;
    prompts.files = {FilePath("list.docx")};
    d.Save_SBClick();
    QCOMPARE(opened_, QStringList{FilePath("list.docx")});
    QVERIFY(messages.shown.empty());
    const DocxBody body = ReadDocxBody(ReadPackagePart(FilePath("list.docx"), QStringLiteral("word/document.xml")));
    QCOMPARE(body.rows.size(), size_t(4));
    QCOMPARE(body.rows[2][1].text, QStringLiteral("Мария | Георгиева"));
    QCOMPARE(body.before[0].text, QStringLiteral("Списък на картотеката - 10.12.2026"));
    QCOMPARE(body.after.back().text, QStringLiteral("Край"));

    TfrmSaveRep& e = Open();
    TickOnly(e, {QStringLiteral("Име"), QStringLiteral("ЕГН")});
    Control<QRadioButton>(e, "MSExcel_RB")->setChecked(true);
    prompts.files = {FilePath("list")};
    e.Save_SBClick();
    QCOMPARE(prompts.requests.back().defaultExtension, QStringLiteral("xlsx"));
    const SheetCells cells =
        ReadSheetCells(ReadPackagePart(FilePath("list.xlsx"), QStringLiteral("xl/worksheets/sheet1.xml")));
    QCOMPARE(cells.text.value("A3"), QStringLiteral("Име"));
    QCOMPARE(cells.text.value("B6"), QStringLiteral("8303030000"));
    QVERIFY(cells.merges.contains(QStringLiteral("A1:B1")));
  }

  // A document whose columns cannot keep their words whole even at 7 pt is refused before a
  // file is asked for, and the dialog stays open; a chosen size too large for the table is
  // named with the one the table gets.
  void wordTableMustFitThePage() {
    TfrmSaveRep& d = Open();
    d.SelectAll_SBClick();
    Control<QComboBox>(d, "Layout_CB")->setCurrentIndex(0);  // "Портрет"
    RecordingPrompts prompts;
    RecordingMessages messages;
    prompts.files = {FilePath("all.docx")};
    d.Save_SBClick();
    QCOMPARE(messages.Texts(), QStringList{DocxTooWideMessage(false)});
    QVERIFY(messages.Texts().first().contains(QStringLiteral("„Пейзаж“")));
    QCOMPARE(messages.shown[0].icon, MessageIcon::Warning);
    QVERIFY(prompts.requests.empty());
    QCOMPARE(d.result(), 0);
    QVERIFY(QDir(dir_->path()).isEmpty());

    Control<QComboBox>(d, "Layout_CB")->setCurrentIndex(1);  // "Пейзаж"
    Control<QComboBox>(d, "Font_CB")->setCurrentText(QStringLiteral("20"));
    messages.shown.clear();
    d.Save_SBClick();
    QCOMPARE(messages.shown.size(), size_t(1));
    QVERIFY2(messages.Texts().first().startsWith(QStringLiteral("С шрифт 20 пункта избраните колони не се събират")),
             qPrintable(messages.Texts().first()));
    QCOMPARE(messages.shown[0].icon, MessageIcon::Information);
    QCOMPARE(opened_, QStringList{FilePath("all.docx")});
  }

  // On the ranking tab the export offers the ranked list as the annual list: its title and the
  // place column "№" (the row number) ticked; on the other tabs the register list as before.
  void rankingTabExportsTheAnnualList() {
    TDataModule1& data = register_->Data();
    Statement(data.Db(), QStringLiteral("update RGS_CARD set POINTS_YEAR = 2020")).Execute();
    RegisterGridModel model(data.MainQuery());
    QTableView grid;
    grid.setModel(&model);
    for (int c = 0; c < model.columnCount(); ++c) grid.setColumnHidden(c, RegisterGridColumns()[c].hidden);
    RegisterTabs tabs(data);

    RegisterExportDialog plain = MakeRegisterExportDialog(nullptr, grid, data, tabs);
    QCOMPARE(Control<QPlainTextEdit>(*plain.dialog, "Memo1")->toPlainText(),
             QStringLiteral("Списък на картотеката - ") + FormatShortDate(Clock::Now().date()));
    QCOMPARE(plain.dialog->Columns()[0], (ExportColumn{QStringLiteral("  №"), QStringLiteral("CARD_ID"), false}));

    tabs.RankingOrder = QStringLiteral("order by POINTS_YEAR, REG_NUM DESC");
    QVERIFY(tabs.ShowThirdTab(RegisterTabs::kRankingCaption));
    RegisterExportDialog ranked = MakeRegisterExportDialog(nullptr, grid, data, tabs);
    TfrmSaveRep& d = *ranked.dialog;
    const QString title = Control<QPlainTextEdit>(d, "Memo1")->toPlainText();
    QCOMPARE(title, AnnualListTitle(Clock::Now().date().year(), MunicipalityName(data)));
    QVERIFY(title.contains(QString::number(Clock::Now().date().year())));
    QCOMPARE(d.Columns()[0], (ExportColumn{QStringLiteral("№"), QStringLiteral("CARD_ID"), true}));
    QCOMPARE(TickedCount(d.Columns()), 18);

    auto columns = d.Columns();
    for (ExportColumn& c : columns) c.ticked = c.caption == QStringLiteral("№") || c.caption == QStringLiteral("Рег.номер");
    d.SetColumns(columns);
    Control<QRadioButton>(d, "rbTextFile")->setChecked(true);
    RecordingPrompts prompts;
    RecordingMessages messages;
    prompts.files = {FilePath("ranked.txt")};
    d.Save_SBClick();
    QCOMPARE(TextLines(FilePath("ranked.txt")), (QStringList{"№|Рег.номер", "1|3", "2|2", "3|1", ""}));

    QVERIFY(tabs.SetCurrent(0));  // the list as the other tests know it
    Statement(data.Db(), QStringLiteral("update RGS_CARD set POINTS_YEAR = null")).Execute();
  }

  void writeFailureIsReported() {
    TfrmSaveRep& d = Open();
    RecordingPrompts prompts;
    RecordingMessages messages;
    prompts.files = {FilePath("missing/list.docx")};
    d.Save_SBClick();
    QCOMPARE(messages.shown.size(), size_t(1));
    QVERIFY(messages.shown[0].text.startsWith(QString::fromUtf8(kWriteFailedMessage) + u'\n'));
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QVERIFY(opened_.isEmpty());
  }

  // A name too long or with a line break is refused, saying why, and asked for again; any
  // other text is kept exactly, also by a dialog that reads the views file again.
  void viewNamesKeptOrRefused() {
    TfrmSaveRep& d = Open();
    RecordingPrompts prompts;
    RecordingMessages messages;
    const QString hostile = QStringLiteral("Имена с ' \" % _ \\ {} [x] =1 😀");
    prompts.texts = {QString(101, u'И'), QStringLiteral("ред\nред"), hostile};
    d.NewView_SBClick();
    QCOMPARE(prompts.textPrompts.size(), 3);
    QCOMPARE(messages.Texts(),
             (QStringList{QStringLiteral("Името на изгледа може да съдържа най-много 100 знака, а съдържа 101."),
                          QStringLiteral("Името на изгледа не може да съдържа нов ред или друг управляващ знак.")}));
    TfrmSaveRep& again = Open();
    auto* views = Control<QComboBox>(again, "cbSavedViews");
    QCOMPARE(views->count(), 2);
    QCOMPARE(views->itemText(1), hostile);
  }

  void savedViewOperations() {
    TfrmSaveRep& d = Open();
    auto* views = Control<QComboBox>(d, "cbSavedViews");
    RecordingPrompts prompts;
    RecordingMessages messages;
    // An empty name asks again; the view takes the current ticks.
    TickOnly(d, {QStringLiteral("Име")});
    prompts.texts = {QStringLiteral("  "), QStringLiteral("Само имена")};
    d.NewView_SBClick();
    QCOMPARE(prompts.textPrompts, (QStringList{"Създаване на нов изглед|Име на изглед",
                                               "Създаване на нов изглед|Име на изглед"}));
    QCOMPARE(views->currentText(), QStringLiteral("Само имена"));
    const int id = views->currentData().toInt();
    QCOMPARE(id, 1);

    // "Няма" ticks everything; choosing the view again brings its ticks back.
    views->setCurrentIndex(0);
    d.cbSavedViewsChange();
    QCOMPARE(TickedCount(d.Columns()), 18);
    views->setCurrentIndex(1);
    d.cbSavedViewsChange();
    QCOMPARE(TickedCount(d.Columns()), 1);

    // Saving stores the current ticks into the chosen view; a new dialog offers it.
    TickOnly(d, {QStringLiteral("Име"), QStringLiteral("ЕГН")});
    d.SaveView_SBClick();
    TfrmSaveRep& again = Open();
    auto* againViews = Control<QComboBox>(again, "cbSavedViews");
    QCOMPARE(againViews->count(), 2);
    againViews->setCurrentIndex(1);
    again.cbSavedViewsChange();
    QCOMPARE(TickedCount(again.Columns()), 2);

    // Erasing asks first; No keeps the view, Yes removes it and ticks every column.
    messages.answers = {MessageAnswer::No, MessageAnswer::Yes};
    again.EraseView_SBClick();
    QCOMPARE(againViews->count(), 2);
    QCOMPARE(messages.shown.back().text, QStringLiteral("Сигурнили сте, че изкате да изтриете избрания поглед?"));
    again.EraseView_SBClick();
    QCOMPARE(againViews->count(), 1);
    QCOMPARE(againViews->currentText(), QStringLiteral("Няма"));
    QCOMPARE(TickedCount(again.Columns()), 18);

    // With "Няма" chosen, saving makes a new view; its id is never the erased one.
    prompts.texts = {QStringLiteral("Втори")};
    again.SaveView_SBClick();
    QCOMPARE(againViews->currentData().toInt(), 2);
  }
};

QTEST_MAIN(TestSaveRepDialog)
#include "test_save_rep_dialog.moc"
