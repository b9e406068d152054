// The service note: printed at once for the selected card with the register's settings (the
// issuing office, its default, the paper), the whole name and address on the page with nothing
// covering anything on A4 and Letter, Cyrillic letters only, the list narrowed only while
// printing and restored with the same card after a print, a cancelled printer dialog and a
// failed print; nothing printed for an empty list. With TESARO_REPORT_OUTPUT set to a folder,
// the notes of the longest values are also copied there to be looked at.
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "commands/options_settings.h"
#include "core/clock.h"
#include "data/card_table.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"
#include "data/person_table.h"
#include "engine/report/report_layout.h"
#include "engine/report/report_painter.h"
#include "engine/ui/report_seams.h"
#include "pdf_words.h"
#include "recording_messages.h"
#include "register/register_tabs.h"
#include "reports/service_note_layout.h"
#include "reports/ui/service_note_print.h"
#include "temp_register.h"
#include "test_card.h"
#include "test_egn.h"

namespace {
const QDateTime kNow(QDate(2026, 12, 9), QTime(11, 30));
const QString kLongName = QStringLiteral("Александрина Константинова Попхристодорова-Петкова");
const QString kLongAddress = QStringLiteral("гр. Смолян, ж.к. Нов център, бл. 12, вх. Б, ет. 4, ап. 17");
const QString kDefaultOffice = QStringLiteral("Служба \"Жилищно настаняване\" при Община Тестова");

// Texts as long as their columns hold: words of a name, an address with blanks and one without.
QString FilledTo(const QString& start, int length) {
  QString text = start;
  for (int i = 0; text.size() < length; ++i) text += QStringLiteral(", ап. %1").arg(i);
  return text.left(length);
}
const QString kLongestName = FilledTo(
    QStringLiteral("Анастасия-Александрина Константинова-Параскевова Попхристодорова-Хаджипетрова Живкова"),
    person_table::kNameLength);
const QString kLongestAddress = FilledTo(
    QStringLiteral("гр. Смолян, ж.к. Нов център, ул. „Генерал Владимир Заимов“, бл. 160, вх. Б, ет. 12"),
    card_table::kAdressLength);
const QString kAddressWithoutBlanks =
    FilledTo(QStringLiteral("гр.Смолян,ж.к.Нов-център,ул.Генерал-Владимир-Заимов,бл.160,вх.Б,ет.12"),
             card_table::kAdressLength)
        .remove(u' ');

void AddCard(TDataModule1& data, int regNum, int grupa, const QString& name, const QString& address,
             const QDateTime& grupaDate) {
  TestCard(regNum)
      .Set(card_table::kRegDate, QDate(2009, 1, 1))
      .Set(card_table::kAdress, address)
      .Set(card_table::kGroup1, grupa + 1)
      .Set(card_table::kGrupa, grupa)
      .Set(card_table::kGrupaDate, grupaDate)
      .Set(card_table::kStatus, 0)
      .Set(card_table::kAddUser, QStringLiteral("clerk"))
      .Person(name, EgnBornOn(QDate(1970, 1, 1), regNum))
      .Insert(data);
}

QString WithoutBlanks(QString text) { return text.remove(QRegularExpression(QStringLiteral("\\s"))); }

QList<int> ListedRegNums(TDataModule1& data) {
  QList<int> numbers;
  ListQuery& list = data.MainQuery();
  for (int row = 0; row < list.RowCount(); ++row) numbers << list.Value(row, QStringLiteral("REG_NUM")).toInt();
  return numbers;
}

// With TESARO_REPORT_OUTPUT set to a folder, a note is also copied there to be looked at.
void KeepForLooking(const QString& path, const QString& name) {
  const QString folder = qEnvironmentVariable("TESARO_REPORT_OUTPUT");
  if (folder.isEmpty()) return;
  const QString copy = QDir(folder).filePath(name);
  QFile::remove(copy);
  QFile::copy(path, copy);
}

// Pages in points, as pdftotext gives them.
QSizeF PaperPoints(NotePaper paper) { return paper == NotePaper::Letter ? QSizeF(612, 792) : QSizeF(595.28, 841.89); }

// No line of the laid-out note runs through a text: the lines for handwriting and signing lie
// beside or under the words, never across them.
QString LineThroughText(const report::Page& page) {
  for (const report::PlacedLine& line : page.lines)
    for (const report::PlacedText& text : page.texts) {
      const double bottom = text.origin.y() + text.pointSize * 0.3528 * 0.25;  // below the baseline
      const bool acrossHeight = line.line.y1() > text.top && line.line.y1() < bottom;
      const bool acrossWidth =
          line.line.x1() < text.origin.x() + text.width && line.line.x2() > text.origin.x();
      if (acrossHeight && acrossWidth) return QStringLiteral("a line runs through „%1“").arg(text.text);
    }
  return {};
}
}  // namespace

class TestServiceNote : public QObject {
  Q_OBJECT
  std::unique_ptr<TempRegister> reg_;
  std::unique_ptr<RegisterTabs> tabs_;
  QTemporaryDir dir_;
  QString pdf_;
  bool acceptPrinter_ = true;
  QList<int> listedWhilePrinting_;
  QPageSize::PageSizeId offeredPaper_ = QPageSize::Custom;

  std::vector<PdfPage> PrintSelectedNote() {
    RecordingMessages messages;
    PrintServiceNote(reg_->Data(), nullptr);
    [&] { QVERIFY2(messages.shown.empty(), qPrintable(messages.Texts().join(u'\n'))); }();
    return PdfPages(pdf_);
  }

 private slots:
  void init() {
    reg_ = std::make_unique<TempRegister>(QStringLiteral("Община Тестова"));
    TDataModule1& data = reg_->Data();
    AddCard(data, 1, 0, QStringLiteral("Иван Петров"), QStringLiteral("ул. Първа 1"), QDateTime(QDate(2010, 1, 2), QTime()));
    AddCard(data, 2, 2, kLongName, kLongAddress, QDateTime(QDate(2009, 6, 15), QTime(14, 30)));
    AddCard(data, 3, 1, QStringLiteral("Мария Иванова"), QStringLiteral("ул. Трета 3"), QDateTime(QDate(2011, 3, 4), QTime()));
    data.Commit();
    tabs_ = std::make_unique<RegisterTabs>(data);
    tabs_->OpenAtStart();
    QVERIFY(tabs_->SetCurrent(0));  // the whole register's condition, "and person_type=0"
    data.MainQuery().SetCurrentRow(1);
    pdf_ = dir_.filePath(QStringLiteral("note%1.pdf").arg(QTest::currentTestFunction()));
    acceptPrinter_ = true;
    listedWhilePrinting_.clear();
    report::SetPrinterChooser([this](QPrinter& printer, QWidget*) {
      listedWhilePrinting_ = ListedRegNums(reg_->Data());
      offeredPaper_ = printer.pageLayout().pageSize().id();
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(pdf_);
      return acceptPrinter_;
    });
  }
  void cleanup() {
    report::SetPrinterChooser({});
    tabs_.reset();
    reg_.reset();
  }

  // The selected card's note, with the default office of the municipality on A4; the list is
  // narrowed to the card only while printing.
  void printsTheSelectedCardsNoteAndRestoresTheList() {
    Clock::FixedNow now(kNow);
    TDataModule1& data = reg_->Data();
    const QString condition = data.MainQuery().Line(1);
    const std::vector<PdfPage> pages = PrintSelectedNote();
    QCOMPARE(listedWhilePrinting_, QList<int>({2}));
    QCOMPARE(offeredPaper_, QPageSize::A4);

    QCOMPARE(pages.size(), size_t(1));
    QCOMPARE(pages[0].size.toSize(), PaperPoints(NotePaper::A4).toSize());
    const QString text = WordsWithoutBlanks(pages[0]);
    for (const QString& expected :
         {QStringLiteral("Община Тестова"), QStringLiteral("СЛУЖЕБНА БЕЛЕЖКА"), kDefaultOffice, kLongName, kLongAddress,
          // the registration number, the group date without its time of day, the stored GROUP1
          // (group position 2 prints 3)
          QStringLiteral("под номер 2 от 15.06.2009 г. в група 3, съгласно"),
          QStringLiteral("се издава, за да послужи пред"), QStringLiteral("Дата: 09.12.2026 г."),
          QStringLiteral("Гл.Специалист:")})
      QVERIFY2(text.contains(WithoutBlanks(expected)), qPrintable(expected));
    QVERIFY(!text.contains(QStringLiteral("14:30")));
    QVERIFY2(FirstOverlap(pages[0]).isEmpty(), qPrintable(FirstOverlap(pages[0])));

    QCOMPARE(data.MainQuery().Line(1), condition);
    QCOMPARE(ListedRegNums(data), QList<int>({1, 2, 3}));
    QCOMPARE(data.MainQuery().CurrentValue(QStringLiteral("REG_NUM")).toInt(), 2);
  }

  // The office and the paper stored in the settings reach the printed note and the printer dialog.
  void printsWithTheStoredOfficeAndPaper() {
    Clock::FixedNow now(kNow);
    const QString office = QStringLiteral("Дирекция \"Общинска собственост\" при Община Тестова");
    QVERIFY(SaveOptions(reg_->Data(), {QStringLiteral("Община Тестова"), QStringLiteral("5"), office, NotePaper::Letter}));
    const std::vector<PdfPage> pages = PrintSelectedNote();
    QCOMPARE(offeredPaper_, QPageSize::Letter);
    QCOMPARE(pages.size(), size_t(1));
    QCOMPARE(pages[0].size.toSize(), PaperPoints(NotePaper::Letter).toSize());
    const QString text = WordsWithoutBlanks(pages[0]);
    QVERIFY(text.contains(WithoutBlanks(office + QStringLiteral(" дава настоящата служебна бележка на"))));
    QVERIFY(!text.contains(WithoutBlanks(kDefaultOffice)));
  }

  // Registers made before the office and the paper were settings (or whose rows 1 and 2 are
  // gone) print with the default office on A4; a stored office wins over the default.
  void settingsOfTheNote_data() {
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("office");
    QTest::addColumn<int>("paper");
    QTest::newRow("as made") << QString() << kDefaultOffice << int(NotePaper::A4);
    QTest::newRow("rows 1 and 2 missing") << "delete from NOM where N in (1, 2)" << kDefaultOffice << int(NotePaper::A4);
    QTest::newRow("office stored") << "update NOM set S_INFO = 'Отдел \"Жилищна политика\"' where N = 1"
                                   << "Отдел \"Жилищна политика\"" << int(NotePaper::A4);
    QTest::newRow("blank office") << "update NOM set S_INFO = '   ' where N = 1" << kDefaultOffice << int(NotePaper::A4);
    QTest::newRow("letter") << "update NOM set S_INFO = 'letter ' where N = 2" << kDefaultOffice << int(NotePaper::Letter);
    QTest::newRow("unknown paper") << "update NOM set S_INFO = 'A5' where N = 2" << kDefaultOffice << int(NotePaper::A4);
  }
  void settingsOfTheNote() {
    QFETCH(QString, statement);
    QFETCH(QString, office);
    QFETCH(int, paper);
    TDataModule1& data = reg_->Data();
    if (!statement.isEmpty()) data.Db().ExecuteImmediate(statement);
    data.Nom().Close();
    const ServiceNoteSettings settings = ServiceNoteSettingsOf(data);
    QCOMPARE(settings.municipality, QStringLiteral("Община Тестова"));
    QCOMPARE(settings.office, office);
    QCOMPARE(int(settings.paper), paper);
  }

  void defaultOffice_data() {
    QTest::addColumn<QString>("municipality");
    QTest::addColumn<QString>("office");
    QTest::newRow("Община Примерна") << "Община Примерна" << "Служба \"Жилищно настаняване\" при Община Примерна";
    QTest::newRow("capitals") << "ОБЩИНА ПРИМЕРНА" << "Служба \"Жилищно настаняване\" при ОБЩИНА ПРИМЕРНА";
    QTest::newRow("Столична община") << "Столична община" << "Служба \"Жилищно настаняване\" при Столична община";
    QTest::newRow("the place only") << " Примерна " << "Служба \"Жилищно настаняване\" при Община Примерна";
    QTest::newRow("none") << "" << "Служба \"Жилищно настаняване\"";
  }
  void defaultOffice() {
    QFETCH(QString, municipality);
    QFETCH(QString, office);
    QCOMPARE(DefaultIssuingOffice(municipality), office);
  }

  // Names and addresses as long as their columns hold, a six-digit number: on both papers the
  // note keeps to one page inside its margins, shows every value whole, in Cyrillic letters
  // only, and no word covers another, nor a line a word.
  void wholeValuesOnBothPapers_data() {
    QTest::addColumn<int>("paper");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("address");
    QTest::addColumn<int>("regNum");
    for (const NotePaper paper : {NotePaper::A4, NotePaper::Letter}) {
      const QString size = paper == NotePaper::A4 ? QStringLiteral("A4") : QStringLiteral("Letter");
      QTest::addRow("%s, longest values", qPrintable(size)) << int(paper) << kLongestName << kLongestAddress << 999999;
      QTest::addRow("%s, address without blanks", qPrintable(size))
          << int(paper) << kLongestName << kAddressWithoutBlanks << 123456;
      QTest::addRow("%s, short values", qPrintable(size))
          << int(paper) << QStringLiteral("Ив Ив") << QStringLiteral("с. Ь") << 7;
    }
  }
  void wholeValuesOnBothPapers() {
    QFETCH(int, paper);
    QFETCH(QString, name);
    QFETCH(QString, address);
    QFETCH(int, regNum);
    QCOMPARE(kLongestName.size(), person_table::kNameLength);
    QCOMPARE(kLongestAddress.size(), card_table::kAdressLength);
    const ServiceNoteSettings settings{QString(50, u'Ж'), QString(50, u'Щ'), NotePaper(paper)};
    const report::LaidOutReport laid = report::LayOut(
        ServiceNoteLayout(settings, {name, address, regNum, QDate(2009, 6, 15), 5}, QDate(2026, 12, 9)),
        report::TableRows({}));
    QCOMPARE(laid.pages.size(), size_t(1));
    QVERIFY2(LineThroughText(laid.pages[0]).isEmpty(), qPrintable(LineThroughText(laid.pages[0])));
    report::WritePdf(laid, pdf_);
    KeepForLooking(pdf_, QStringLiteral("note %1.pdf").arg(QString::fromLatin1(QTest::currentDataTag())));

    const std::vector<PdfPage> pages = PdfPages(pdf_);
    QCOMPARE(pages.size(), size_t(1));
    const PdfPage& page = pages[0];
    QCOMPARE(page.size.toSize(), PaperPoints(NotePaper(paper)).toSize());
    QVERIFY2(FirstOverlap(page).isEmpty(), qPrintable(FirstOverlap(page)));
    const double mm = 72 / 25.4;
    const QRectF inside(QPointF(25 * mm - 0.5, 20 * mm - 0.5),
                        QPointF(page.size.width() - 20 * mm + 0.5, page.size.height() - 20 * mm + 0.5));
    for (const PdfWord& word : page.words)
      QVERIFY2(inside.contains(word.box), qPrintable(word.text + QStringLiteral(" lies outside the margins")));

    const QString text = WordsWithoutBlanks(page);
    for (const QString& expected :
         {settings.municipality, settings.office, name, address,
          QStringLiteral("под номер %1 от 15.06.2009 г. в група 5,").arg(regNum)})
      QVERIFY2(text.contains(WithoutBlanks(expected)), qPrintable(expected));
    static const QRegularExpression latin(QStringLiteral("[A-Za-z]"));
    QVERIFY2(!text.contains(latin), qPrintable(text));
  }

  // Without a stored group date the note says nothing of one rather than a date of nothing.
  void noGroupDateLeavesTheDateOut() {
    const report::LaidOutReport laid = report::LayOut(
        ServiceNoteLayout({QStringLiteral("Община Тестова"), kDefaultOffice, NotePaper::A4},
                          {QStringLiteral("Иван Петров"), QStringLiteral("ул. Първа 1"), 12, QDate(), 1}, QDate(2026, 12, 9)),
        report::TableRows({}));
    report::WritePdf(laid, pdf_);
    const QString text = WordsWithoutBlanks(PdfPages(pdf_).at(0));
    QVERIFY2(text.contains(QStringLiteral("подномер12вгрупа1,")), qPrintable(text));
  }

  void cancelledPrinterDialogLeavesTheListAsItWas() {
    TDataModule1& data = reg_->Data();
    const QString condition = data.MainQuery().Line(1);
    acceptPrinter_ = false;
    RecordingMessages messages;
    PrintServiceNote(data, nullptr);
    QVERIFY(messages.shown.empty());
    QVERIFY(!QFileInfo::exists(pdf_));
    QCOMPARE(data.MainQuery().Line(1), condition);
    QCOMPARE(ListedRegNums(data), QList<int>({1, 2, 3}));
    QCOMPARE(data.MainQuery().CurrentValue(QStringLiteral("REG_NUM")).toInt(), 2);
  }

  void failedPrintSaysSoAndRestoresTheList() {
    TDataModule1& data = reg_->Data();
    pdf_ = dir_.filePath(QStringLiteral("no/such/folder/note.pdf"));
    RecordingMessages messages;
    PrintServiceNote(data, nullptr);
    QCOMPARE(messages.shown.size(), size_t(1));
    QCOMPARE(messages.shown[0].text, QStringLiteral("Файлът „%1“ не може да бъде записан: папката „%2“ не съществува.")
                                         .arg(pdf_, QFileInfo(pdf_).absolutePath()));
    QCOMPARE(ListedRegNums(data), QList<int>({1, 2, 3}));
    QCOMPARE(data.MainQuery().CurrentValue(QStringLiteral("REG_NUM")).toInt(), 2);
  }

  // The selected card deleted by another workstation before the print: said, nothing printed.
  void cardGoneMeanwhilePrintsNothing() {
    TDataModule1& data = reg_->Data();
    data.Db().ExecuteImmediate(QStringLiteral("delete from RGS_PERSON where CARD_ID in (select CARD_ID from RGS_CARD where REG_NUM = 2)"));
    data.Db().ExecuteImmediate(QStringLiteral("delete from RGS_CARD where REG_NUM = 2"));
    RecordingMessages messages;
    PrintServiceNote(data, nullptr);
    QCOMPARE(messages.Texts(), QStringList{QStringLiteral("Картонът вече не е в регистъра; бележка не е отпечатана.")});
    QVERIFY(listedWhilePrinting_.isEmpty());  // no printer dialog
    QVERIFY(!QFileInfo::exists(pdf_));
    QCOMPARE(ListedRegNums(data), QList<int>({1, 3}));
  }

  void emptyListPrintsNothing() {
    TDataModule1& data = reg_->Data();
    tabs_->Search(QStringLiteral("and P.NAME = 'Никой'"), QStringLiteral("Търсене:Никой"), true);
    QCOMPARE(data.MainQuery().RowCount(), 0);
    RecordingMessages messages;
    PrintServiceNote(data, nullptr);
    QCOMPARE(messages.Texts(), QStringList{QStringLiteral("Няма избрано домакинство, за което да се издаде служебна бележка.")});
    QVERIFY(listedWhilePrinting_.isEmpty());  // no printer dialog
    QVERIFY(!QFileInfo::exists(pdf_));
  }
};

QTEST_MAIN(TestServiceNote)
#include "test_service_note.moc"
