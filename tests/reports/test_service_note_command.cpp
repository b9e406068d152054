// tesaro-admin service-note with the register's settings: the stored office and paper, the
// default office of a register that has none, --paper overriding the stored paper, a six-digit
// registration number with the whole name and address, and a paper it does not know refused.
#include <QTemporaryDir>
#include <QtTest>

#include "admin_exit.h"
#include "commands/options_settings.h"
#include "core/clock.h"
#include "data/card_table.h"
#include "data/data_module.h"
#include "pdf_words.h"
#include "service_note_command.h"
#include "temp_register.h"
#include "test_card.h"
#include "test_egn.h"

namespace {
const QString kName = QStringLiteral("Анастасия-Александрина Константинова Попхристодорова-Хаджипетрова");
const QString kAddress = QStringLiteral(
    "гр. Смолян, ж.к. Нов център, ул. „Генерал Владимир Заимов“ № 18, бл. 160, вх. Б, ет. 12, ап. 148");

struct Run {
  int code = 0;
  QString out;
  QString err;
};

Run RunNote(const QStringList& args) {
  Run run;
  QTextStream out(&run.out);
  QTextStream err(&run.err);
  run.code = RunServiceNote(args, out, err);
  out.flush();
  err.flush();
  return run;
}

QString WithoutBlanks(QString text) { return text.remove(u' '); }
}  // namespace

class TestServiceNoteCommand : public QObject {
  Q_OBJECT
  QTemporaryDir out_;

 private slots:
  void settingsReachTheNote_data() {
    QTest::addColumn<QString>("office");
    QTest::addColumn<int>("storedPaper");
    QTest::addColumn<QStringList>("paperOption");
    QTest::addColumn<QString>("printedOffice");
    QTest::addColumn<QSize>("pagePoints");
    const QSize a4(595, 842), letter(612, 792);
    const QString stored = QStringLiteral("Дирекция \"Жилищна политика\" при Община Смолян");
    const QString byDefault = QStringLiteral("Служба \"Жилищно настаняване\" при Община Смолян");
    QTest::newRow("stored office, Letter") << stored << int(NotePaper::Letter) << QStringList() << stored << letter;
    QTest::newRow("no office, A4") << QString() << int(NotePaper::A4) << QStringList() << byDefault << a4;
    QTest::newRow("--paper a4 over Letter") << stored << int(NotePaper::Letter)
                                            << QStringList{QStringLiteral("--paper"), QStringLiteral("a4")} << stored << a4;
    QTest::newRow("--paper LETTER over A4") << QString() << int(NotePaper::A4)
                                           << QStringList{QStringLiteral("--paper=LETTER")} << byDefault << letter;
  }
  void settingsReachTheNote() {
    QFETCH(QString, office);
    QFETCH(int, storedPaper);
    QFETCH(QStringList, paperOption);
    QFETCH(QString, printedOffice);
    QFETCH(QSize, pagePoints);
    Clock::FixedNow now(QDateTime(QDate(2026, 12, 10), QTime(10, 0)));
    TempRegister reg(QStringLiteral("Община Смолян"));
    {
      TDataModule1& data = reg.Data();
      TestCard(654321)
          .Set(card_table::kAdress, kAddress)
          .Set(card_table::kGroup1, 4)
          .Set(card_table::kGrupa, 3)
          .Set(card_table::kGrupaDate, QDate(2019, 4, 1))
          .Person(kName, EgnBornOn(QDate(1980, 2, 3), 1))
          .Insert(data);
      QVERIFY(SaveOptions(data, {QStringLiteral("Община Смолян"), QStringLiteral("5"), office, NotePaper(storedPaper)}));
      data.Commit();
    }
    const QString pdf = out_.filePath(QStringLiteral("%1.pdf").arg(QTest::currentDataTag()));
    const Run run = RunNote(QStringList{reg.Params().path, QStringLiteral("--reg-num"), QStringLiteral("654321"),
                                        QStringLiteral("--pdf"), pdf} +
                            paperOption);
    QVERIFY2(run.code == kExitOk, qPrintable(run.err));
    const std::vector<PdfPage> pages = PdfPages(pdf);
    QCOMPARE(pages.size(), size_t(1));
    QCOMPARE(pages[0].size.toSize(), pagePoints);
    QVERIFY2(FirstOverlap(pages[0]).isEmpty(), qPrintable(FirstOverlap(pages[0])));
    const QString text = WordsWithoutBlanks(pages[0]);
    for (const QString& expected :
         {printedOffice + QStringLiteral(" дава настоящата служебна бележка на"), kName, kAddress,
          QStringLiteral("под номер 654321 от 01.04.2019 г. в група 4,"), QStringLiteral("Дата: 10.12.2026 г.")})
      QVERIFY2(text.contains(WithoutBlanks(expected)), qPrintable(expected));
  }

  void unknownPaperIsRefused() {
    TempRegister reg;
    const QString pdf = out_.filePath(QStringLiteral("refused.pdf"));
    const Run run = RunNote({reg.Params().path, QStringLiteral("--reg-num"), QStringLiteral("1"), QStringLiteral("--pdf"),
                             pdf, QStringLiteral("--paper"), QStringLiteral("a5")});
    QCOMPARE(run.code, kExitUsage);
    QVERIFY2(run.err.contains(QStringLiteral("„--paper“")) && run.err.contains(QStringLiteral("a4, letter")),
             qPrintable(run.err));
    QVERIFY(!QFileInfo::exists(pdf));
  }
};

QTEST_MAIN(TestServiceNoteCommand)
#include "test_service_note_command.moc"
