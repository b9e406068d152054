// The service note command: the note printed at once for the selected card with its fields
// in place (name and address cut, the stored GROUP1 as the group, the municipality as the
// header), the list narrowed only while printing and restored with the same card after a
// print, a cancelled printer dialog and a failed print; nothing printed for an empty list.
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "core/clock.h"
#include "data/card_table.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"
#include "engine/report/report_layout.h"
#include "engine/report/text_measure.h"
#include "engine/ui/report_seams.h"
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

QString PdfText(const QString& path) {
  QProcess pdftotext;
  pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), path, QStringLiteral("-")});
  pdftotext.waitForFinished(30000);
  return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

QList<int> ListedRegNums(TDataModule1& data) {
  QList<int> numbers;
  ListQuery& list = data.MainQuery();
  for (int row = 0; row < list.RowCount(); ++row) numbers << list.Value(row, QStringLiteral("REG_NUM")).toInt();
  return numbers;
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

  void printsTheSelectedCardsNoteAndRestoresTheList() {
    Clock::FixedNow now(kNow);
    TDataModule1& data = reg_->Data();
    const QString condition = data.MainQuery().Line(1);
    RecordingMessages messages;
    PrintServiceNote(data, nullptr);
    QVERIFY(messages.shown.empty());
    QCOMPARE(listedWhilePrinting_, QList<int>({2}));

    const QString text = PdfText(pdf_);
    QVERIFY(text.contains(QStringLiteral("Община Тестова")));
    QVERIFY(text.contains(QStringLiteral("СЛУЖЕБНА БЕЛЕЖКА")));
    QVERIFY(text.contains(kLongName.left(40)));
    QVERIFY(!text.contains(kLongName.left(41)));
    QVERIFY(text.contains(kLongAddress.left(45)));
    QVERIFY(!text.contains(kLongAddress.left(46)));
    // On the number line: REG_NUM, 13 characters of the group date with its time, the stored
    // GROUP1 (group position 2 prints 3).
    QVERIFY2(text.contains(QStringLiteral("\n2 15.06.2009 14 3\n")), qPrintable(text));
    QVERIFY(!text.contains(QStringLiteral("14:30")));
    QVERIFY(text.contains(QStringLiteral("09.12.2026")));  // today
    QVERIFY(text.contains(QStringLiteral("Гл.Специалист:")));

    QCOMPARE(data.MainQuery().Line(1), condition);
    QCOMPARE(ListedRegNums(data), QList<int>({1, 2, 3}));
    QCOMPARE(data.MainQuery().CurrentValue(QStringLiteral("REG_NUM")).toInt(), 2);
  }

  void groupIsTheStoredGroup1AndFieldsSitInTheirBlanks() {
    Clock::FixedNow now(kNow);
    TSlBelForm note;
    note.SetHeaderLine(QStringLiteral("Община Тестова"));
    report::TableRows rows({QStringLiteral("NAME"), QStringLiteral("ADRESS"), QStringLiteral("REG_NUM"),
                            QStringLiteral("GRUPA_DATE"), QStringLiteral("GROUP1")});
    rows.Append({kLongName, kLongAddress, QStringLiteral("2"), QStringLiteral("15.06.2009"), QStringLiteral("3")});
    const report::LaidOutReport laid = report::LayOut(note.QRep(), rows);
    QCOMPARE(laid.pages.size(), size_t(1));
    const report::Page& page = laid.pages[0];
    auto find = [&](const QString& text) -> const report::PlacedText* {
      for (const report::PlacedText& t : page.texts)
        if (t.text == text) return &t;
      return nullptr;
    };
    QVERIFY(find(QStringLiteral("3")) != nullptr);
    QCOMPARE(find(QStringLiteral("3"))->origin.x(), 10 + 97.9);
    QCOMPARE(find(kLongName.left(40))->origin.x(), 10 + 18.5);
    QCOMPARE(find(kLongAddress.left(45))->origin.x(), 10 + 2.1);
    // The text block keeps its eleven lines (nothing wrapped) and each field falls inside the
    // blanks left for it: after the words before it ends, before the words after it begin.
    const QStringList block = ServiceNoteText().split(u'\n');
    QCOMPARE(block.size(), 11);
    for (const QString& line : block) {
      QString shown = line;
      while (shown.endsWith(u' ')) shown.chop(1);
      if (!shown.isEmpty()) QVERIFY2(find(shown) != nullptr, qPrintable(shown));
    }
    auto measureUpTo = [&](const QString& line, const QString& word) {
      const report::PlacedText* placed = find(line);
      report::TextMeasure m(laid.fontFamilies, 8, false, laid.fontStretch);
      return placed->origin.x() + m.Width(line.left(line.indexOf(word) + word.size()));
    };
    auto startOf = [&](const QString& line, const QString& word) {
      const report::PlacedText* placed = find(line);
      report::TextMeasure m(laid.fontFamilies, 8, false, laid.fontStretch);
      return placed->origin.x() + m.Width(line.left(line.indexOf(word)));
    };
    const QString line2 = block[1];
    const QString line4 = block[3];
    QVERIFY(measureUpTo(line2, QStringLiteral("на")) < 10 + 18.5);
    QVERIFY(find(kLongName.left(40))->origin.x() + find(kLongName.left(40))->width < startOf(line2, QStringLiteral("живущ")));
    QVERIFY(measureUpTo(line4, QStringLiteral("номер")) < 10 + 59.0);
    QVERIFY(measureUpTo(line4, QStringLiteral("от")) < 10 + 70.4);
    QVERIFY(find(QStringLiteral("15.06.2009"))->origin.x() + find(QStringLiteral("15.06.2009"))->width <
            startOf(line4, QStringLiteral("в група")));
    QVERIFY(measureUpTo(line4, QStringLiteral("група")) < 10 + 97.9);
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
