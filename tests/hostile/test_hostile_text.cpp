// Hostile text through every path that stores or shows text: saving and loading a card and its
// members, the change history, the search by name and by notes, the settings, the three export
// formats and the card print. Each text is either stored and read back exactly or refused with
// a Bulgarian message that names the field, never stored changed.
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "card/card_history.h"
#include "card/card_load.h"
#include "card/card_save.h"
#include "card/members.h"
#include "card_forms.h"
#include "commands/options_settings.h"
#include "core/text_helpers.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"
#include "export_command.h"
#include "export_package_reader.h"
#include "recording_messages.h"
#include "reports/card_print_values.h"
#include "search/search_condition.h"
#include "temp_register.h"

namespace {
QStringList SearchRegNums(TDataModule1& data, int box, const QString& text) {
  SearchCriteria criteria;
  criteria.SetTicked(box, true);
  if (box == 2) criteria.sName = text;
  if (box == 12) criteria.sNotes = text;
  ListQuery& list = data.MainQuery();
  list.Close();
  list.SetCondition(
      BuildSearch(criteria, [&](const QString& l, const QString& n) { return data.NomCodeOf(l, n); }).condition);
  list.Open();
  QStringList regNums;
  for (int row = 0; row < list.RowCount(); ++row) regNums << list.Value(row, QStringLiteral("REG_NUM")).toString();
  list.Close();
  list.SetCondition(QString());
  return regNums;
}
}  // namespace

class TestHostileText : public QObject {
  Q_OBJECT

  std::unique_ptr<TempRegister> register_;
  QTemporaryDir dir_;
  TDataModule1& Data() { return register_->Data(); }

 private slots:
  void initTestCase() {
    register_ = std::make_unique<TempRegister>();
    Data().SetCurrentUser(QStringLiteral("clerk"), 1);
  }
  void cleanupTestCase() { register_.reset(); }

  void storedExactlyOrRefused_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("refusal");  // empty: stored and read back exactly
    QTest::newRow("apostrophes and quotes") << QStringLiteral("Д'Арк \"Ванката\" '' „“") << QString();
    QTest::newRow("backslashes") << QStringLiteral("C:\\път\\ \\par \\'e0") << QString();
    QTest::newRow("braces") << QStringLiteral("{скоби} {\\b x} }{") << QString();
    QTest::newRow("pattern characters") << QStringLiteral("50% _под_ %_") << QString();
    QTest::newRow("SQL") << QStringLiteral("x'); delete from RGS_CARD; --") << QString();
    QTest::newRow("one longer than its column")
        << QString(101, u'Я') << QStringLiteral("Полето \"Настоящ адрес\" може да съдържа най-много 100 знака, а съдържа 101.");
    QTest::newRow("outside windows-1251")
        << QStringLiteral("Иван 😀") << QStringLiteral("Полето \"Настоящ адрес\" съдържа знак, който не може да бъде записан: "
                                                       "\"😀\" (U+1F600).");
    QTest::newRow("NUL") << QStringLiteral("а%1б").arg(QChar(0))
                         << QStringLiteral("Полето \"Настоящ адрес\" съдържа знак, който не може да бъде записан: "
                                           "\"\" (U+0000).");
  }
  void storedExactlyOrRefused() {
    QFETCH(QString, text);
    QFETCH(QString, refusal);
    TDataModule1& data = Data();
    RecordingMessages messages;
    const int cardsBefore = Scalar(data, QStringLiteral("select count(*) from RGS_CARD")).toInt();

    // The card: its address, holder, notes and check's name.
    CardForm form = NewForm(data, text.left(100));
    form.ebAdress = text;
    form.mNotes = QStringList{text, text};
    form.ebCheck = text.left(100);
    const SaveOutcome saved = SaveCard(data, form, 0, true, 0, {}, nullptr);
    if (!refusal.isEmpty()) {
      QVERIFY(!saved.saved);
      QCOMPARE(messages.Texts(), QStringList{refusal});
      QCOMPARE(Scalar(data, QStringLiteral("select count(*) from RGS_CARD")).toInt(), cardsBefore);
      // The settings refuse it too, naming their field.
      messages.shown.clear();
      QVERIFY(!SaveOptions(data, {text, QStringLiteral("5"), QString(), NotePaper::A4}));
      QVERIFY2(messages.Texts().value(0).startsWith(QStringLiteral("Полето \"Община\"")),
               qPrintable(messages.Texts().value(0)));
      return;
    }
    QVERIFY2(saved.saved, qPrintable(messages.Texts().join(u'|')));
    Editing e = Load(data, saved.cardId);
    QCOMPARE(e.form.ebAdress, text);
    QCOMPARE(e.form.mNotes, (QStringList{text, text}));
    QCOMPARE(e.form.ebCheck, text);
    QCOMPARE(e.form.members.at(0).name, text);

    // The history of a change names the old and the new name as they are.
    e.form.members[0].name = QStringLiteral("Нов ") + text;
    QVERIFY(SaveCard(data, e.form, 1, true, saved.cardId, e.remembered, nullptr).saved);
    const std::vector<LogEntry> log = CardLog(data);
    QVERIFY(log.back().text.contains(CollapseSpaces(QStringLiteral("Променено име от ") + text + QStringLiteral(" на Нов ") +
                                                    text)));
    QCOMPARE(Load(data, saved.cardId).form.members.at(0).name, QStringLiteral("Нов ") + text);

    // The search finds the card by its holder's name and by its notes, and no other card.
    QCOMPARE(SearchRegNums(data, 2, QStringLiteral("нов ") + text), QStringList{saved.regNum});
    QCOMPARE(SearchRegNums(data, 12, text), QStringList{saved.regNum});

    // The settings keep the municipality's and the office's names as typed.
    QVERIFY(SaveOptions(data, {text.left(50), QStringLiteral("5"), text.left(50), NotePaper::A4}));
    QCOMPARE(LoadOptions(data).municipality, text.left(50));
    QCOMPARE(LoadOptions(data).office, text.left(50));
    data.Commit();

    // The exports write it as it is.
    const QString holder = QStringLiteral("Нов ") + text;
    auto exportAs = [&](const char* format) {
      const QString path = dir_.filePath(QStringLiteral("cards.") + QLatin1String(format));
      QString outText, errText;
      QTextStream out(&outText), err(&errText);
      [&] { QCOMPARE(RunExport({register_->Params().path, "--format", format, "--out", path}, out, err), 0); }();
      return path;
    };
    QFile txt(exportAs("txt"));
    QVERIFY(txt.open(QIODevice::ReadOnly));
    const QString exported = QStringDecoder("windows-1251").decode(txt.readAll());
    QVERIFY2(exported.contains(u'|' + holder + u'|'), qPrintable(exported));
    const DocxBody docx = ReadDocxBody(ReadPackagePart(exportAs("docx"), QStringLiteral("word/document.xml")));
    bool inDocx = false;
    for (const auto& row : docx.rows)
      for (const auto& cell : row) inDocx = inDocx || cell.text == holder;
    QVERIFY(inDocx);
    const SheetCells sheet =
        ReadSheetCells(ReadPackagePart(exportAs("xlsx"), QStringLiteral("xl/worksheets/sheet1.xml")));
    QVERIFY(sheet.text.values().contains(holder));

    // The card print fills its fields with the texts as stored.
    bool inPrint = false;
    for (const CardPrintValue& value : CardPrintValues(data, saved.cardId, QStringLiteral("clerk"), QDate(2026, 12, 10)))
      inPrint = inPrint || value.text.contains(text);
    QVERIFY(inPrint);
  }
};

QTEST_GUILESS_MAIN(TestHostileText)
#include "test_hostile_text.moc"
