// The annual list over a real ranked list: year headers on each change, the count, the row
// numbers, the group digit and the cut group date; an empty list; a long name wrapping in its
// column; and the "Списък" command: nothing outside the ranking view, the title set before
// the preview, no question after a preview closed unprinted, the places stored after printing
// only when the user says Yes.
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "classification/ranking_criteria.h"
#include "core/clock.h"
#include "data/card_table.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"
#include "engine/report/report_layout.h"
#include "engine/ui/report_preview.h"
#include "engine/ui/report_seams.h"
#include "recording_messages.h"
#include "register/register_tabs.h"
#include "reports/annual_list_layout.h"
#include "reports/annual_list_rows.h"
#include "reports/print_form1.h"
#include "reports/ui/annual_list_print.h"
#include "temp_register.h"
#include "test_card.h"
#include "test_egn.h"

using namespace report;

namespace {
const QDateTime kNow(QDate(2026, 12, 9), QTime(11, 30));
const QString kTitle = QStringLiteral(
    "Единен годишен списък за 2026 г. на гражданите и техните семейства/домакинства, картотекирани за настаняване под "
    "наем в общински жилища - Община Тестова");

void AddCard(TDataModule1& data, int regNum, int pointsYear, const QString& name = QString(),
             const QDateTime& grupaDate = QDateTime(QDate(2009, 6, 15), QTime(14, 30))) {
  TestCard(regNum)
      .Set(card_table::kRegDate, QDate(2009, 1, 1))
      .Set(card_table::kDocIdTxt, QStringLiteral("ЖН-%1/2009").arg(regNum))
      .Set(card_table::kGrupa, 1)
      .Set(card_table::kGrupaDate, grupaDate)
      .Set(card_table::kAddUser, QStringLiteral("clerk"))
      .Set(card_table::kPointsYear, pointsYear)
      .Set(card_table::kPoints, 100 - regNum)
      .Set(card_table::kPointsDescr, QStringLiteral("Подгрупа %1").arg(regNum))
      .Person(name.isEmpty() ? QStringLiteral("Титуляр %1").arg(regNum) : name, EgnBornOn(QDate(1970, 1, 1), regNum))
      .Insert(data);
}

void ShowRankedList(RegisterTabs& tabs) {
  tabs.OpenAtStart();
  tabs.RankingOrder = RankingCriteriaList().OrderText();
  QVERIFY(tabs.ShowThirdTab(RegisterTabs::kRankingCaption));
}

LaidOutReport LaidOutList(TDataModule1& data, const QString& title = kTitle) {
  TPrintForm1 form;
  form.SetTitle(title);
  return LayOut(form.QRep(), ListQueryRows(data.MainQuery()));
}

QStringList Texts(const Page& page) {
  QStringList texts;
  for (const PlacedText& t : page.texts) texts << t.text;
  return texts;
}

const PlacedText* Find(const Page& page, const QString& text) {
  for (const PlacedText& t : page.texts)
    if (t.text == text) return &t;
  return nullptr;
}

// The seams a test of the command needs, taken away again at its end.
struct Seams {
  QTemporaryDir dir;
  std::function<void(TReportPreview&)> inPreview;
  int previews = 0;
  Seams() {
    SetPreviewRunner([this](TReportPreview& preview) {
      ++previews;
      if (inPreview) inPreview(preview);
    });
    SetPrinterChooser([this](QPrinter& printer, QWidget*) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(dir.filePath(QStringLiteral("printed.pdf")));
      return true;
    });
  }
  ~Seams() {
    SetPreviewRunner({});
    SetPrinterChooser({});
  }
};
}  // namespace

class TestAnnualList : public QObject {
  Q_OBJECT
 private slots:
  void yearHeadersCountAndDetailLine() {
    Clock::FixedNow now(kNow);
    TempRegister reg;
    TDataModule1& data = reg.Data();
    AddCard(data, 1, 2024);
    AddCard(data, 2, 2024);
    AddCard(data, 3, 2025);
    RegisterTabs tabs(data);
    ShowRankedList(tabs);
    const LaidOutReport laid = LaidOutList(data);
    QCOMPARE(laid.pages.size(), size_t(1));
    const Page& page = laid.pages[0];
    const QStringList texts = Texts(page);

    QCOMPARE(texts.count(QStringLiteral("Списък за")), 2);
    QVERIFY(Find(page, "2024")->top < Find(page, "Титуляр 1")->top);
    QVERIFY(Find(page, "Титуляр 2")->top < Find(page, "2025")->top);
    QVERIFY(Find(page, "2025")->top < Find(page, "Титуляр 3")->top);
    QCOMPARE(laid.recordCount, 3);
    QVERIFY(texts.contains(QStringLiteral("Списъкът съдържа общо 3 семейства/домакинства")));

    // The detail: the place (bold, right-aligned in its column), the application, the group's digit,
    // "от " and the group date without its time of day, the points' description.
    const PlacedText* place = nullptr;
    for (const PlacedText& t : page.texts)
      if (t.text == QStringLiteral("1") && t.top > 40) place = &t;  // not the page number
    QVERIFY(place != nullptr && place->bold);
    QVERIFY(qAbs(place->origin.x() + place->width - 21.0) < 1e-6);
    QCOMPARE(place->top, Find(page, "Титуляр 1")->top);
    for (const char* text : {"ЖН-1/2009", "2", "от 15.06.2009", "Подгрупа 1", "стр. 1", "Заявление №"})
      QVERIFY2(texts.contains(QString::fromUtf8(text)), text);
    QVERIFY(!texts.join(u' ').contains(QStringLiteral("14:30")));
    QCOMPARE(texts.count(QStringLiteral("от 15.06.2009")), 3);
    // The title, centred and wrapped, reads as set.
    QStringList titleLines;
    for (const PlacedText& t : page.texts)
      if (t.pointSize == 12) titleLines << t.text;
    QCOMPARE(titleLines.join(u' '), kTitle);
  }

  void emptyListPrintsTitleHeadersAndZero() {
    Clock::FixedNow now(kNow);
    TempRegister reg;
    TDataModule1& data = reg.Data();
    RegisterTabs tabs(data);
    ShowRankedList(tabs);
    const LaidOutReport laid = LaidOutList(data, QStringLiteral("Заглавие"));
    const QStringList texts = Texts(laid.pages[0]);
    for (const char* text : {"Заглавие", "Заявление №", "Име на титуляра", "Група", "Особености",
                             "Списъкът съдържа общо 0 семейства/домакинства"})
      QVERIFY2(texts.contains(QString::fromUtf8(text)), text);
    QVERIFY(!texts.contains(QStringLiteral("Списък за")));
    QVERIFY(!texts.contains(QStringLiteral("година")));
  }

  void longNameWrapsInItsColumn() {
    Clock::FixedNow now(kNow);
    TempRegister reg;
    TDataModule1& data = reg.Data();
    const QString longName = QStringLiteral(
        "Александрина Константинова Попхристодорова-Петкова Кръстева-Добрева Златанова Възкресенска");
    AddCard(data, 1, 2024, longName);
    AddCard(data, 2, 2024);
    RegisterTabs tabs(data);
    ShowRankedList(tabs);
    const LaidOutReport laid = LaidOutList(data);
    const Page& page = laid.pages[0];
    double firstTop = 1e9, lastTop = 0;
    int lines = 0;
    for (const PlacedText& t : page.texts) {
      if (!longName.contains(t.text) || t.origin.x() < 60) continue;
      ++lines;
      QVERIFY(t.origin.x() + t.width <= 10 + 134.9);  // stays left of the group column
      firstTop = std::min(firstTop, t.top);
      lastTop = std::max(lastTop, t.top);
    }
    QVERIFY(lines >= 2);
    // The line grew by its extra lines: the next row keeps the detail's 4.2 mm below the last.
    QVERIFY(lastTop > firstTop);
    QVERIFY(qAbs(Find(page, "Титуляр 2")->top - lastTop - 4.2) < 1e-6);
  }

  void commandOutsideTheRankingViewDoesNothing() {
    Clock::FixedNow now(kNow);
    TempRegister reg;
    TDataModule1& data = reg.Data();
    RegisterTabs tabs(data);
    tabs.OpenAtStart();
    Seams seams;
    RecordingMessages messages;
    TPrintForm1 form;
    PrintAnnualList(data, tabs, form, nullptr);
    QCOMPARE(seams.previews, 0);
    QVERIFY(messages.shown.empty());
    QCOMPARE(form.Title(), TPrintForm1::kPlaceholderTitle);
  }

  void previewClosedWithoutPrintingAsksNothing() {
    Clock::FixedNow now(kNow);
    TempRegister reg;
    TDataModule1& data = reg.Data();
    AddCard(data, 1, 2024);
    RegisterTabs tabs(data);
    ShowRankedList(tabs);
    Seams seams;
    RecordingMessages messages;
    TPrintForm1 form;
    form.QRepAfterPrint();  // a mark left from an earlier command is cleared first
    QStringList shownTexts;
    seams.inPreview = [&](TReportPreview& preview) { shownTexts = Texts(preview.Report().pages[0]); };
    PrintAnnualList(data, tabs, form, nullptr);
    QCOMPARE(seams.previews, 1);
    QCOMPARE(form.Title(), kTitle);
    QVERIFY(shownTexts.contains(QStringLiteral("Титуляр 1")));
    QVERIFY(!form.PrintedMark());
    QVERIFY(messages.shown.empty());
  }

  void printingOffersToStoreThePlaces() {
    Clock::FixedNow now(kNow);
    TempRegister reg;
    TDataModule1& data = reg.Data();
    AddCard(data, 1, 2024);
    AddCard(data, 2, 2025);
    RegisterTabs tabs(data);
    ShowRankedList(tabs);
    Seams seams;
    RecordingMessages messages;
    TPrintForm1 form;
    seams.inPreview = [](TReportPreview& preview) { preview.Print(); };
    auto classInfo = [&](int regNum) {
      Statement read(data.Db(), QStringLiteral("select CLASSINFO from RGS_CARD where REG_NUM = ?"));
      read.Bind(0, regNum);
      return read.ScalarValue();
    };

    messages.answers = {MessageAnswer::No};
    PrintAnnualList(data, tabs, form, nullptr);
    QVERIFY(form.PrintedMark());
    QCOMPARE(messages.shown.size(), size_t(1));
    QCOMPARE(messages.shown[0].text, QStringLiteral("Искате ли да запазите информацията за местата на класиране?"));
    QCOMPARE(messages.shown[0].caption, QStringLiteral("Запитване"));
    QCOMPARE(messages.shown[0].buttons, MessageButtons::YesNo);
    QCOMPARE(messages.shown[0].icon, MessageIcon::Question);
    QVERIFY(classInfo(1).isNull());

    // What went to the printer is the annual list.
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {seams.dir.filePath(QStringLiteral("printed.pdf")), QStringLiteral("-")});
    QVERIFY(pdftotext.waitForFinished(30000));
    const QString printed = QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();
    QVERIFY(printed.contains(QStringLiteral("Списък за 2024 година")));
    QVERIFY(printed.contains(QStringLiteral("Списък за 2025 година")));
    QVERIFY(printed.contains(QStringLiteral("Община Тестова")));

    messages.answers = {MessageAnswer::Yes};
    PrintAnnualList(data, tabs, form, nullptr);
    QCOMPARE(messages.shown.size(), size_t(2));
    QCOMPARE(classInfo(1).toString(), QStringLiteral("1-о място от 09.12.2026 - Група 2 от 15.06.2009, oсоб.:Подгрупа 1"));
    QCOMPARE(classInfo(2).toString(), QStringLiteral("2-о място от 09.12.2026 - Група 2 от 15.06.2009, oсоб.:Подгрупа 2"));
    QVERIFY(data.MainQuery().IsOpen());
    QCOMPARE(data.MainQuery().RowCount(), 2);
  }
};

QTEST_MAIN(TestAnnualList)
#include "test_annual_list.moc"
