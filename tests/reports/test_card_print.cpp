// The card print over a real register: the 29 values of a fixture card in order, the member
// lines with every optional phrase and the lifelong rule, the code and flag cases, and the
// print itself through the shipped template (filled, opened, or the one failure message).
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <QPushButton>
#include "card/card_load.h"
#include "card/ui/view_kart.h"
#include "controls.h"
#include "core/desktop.h"
#include "data/firebird/statement.h"
#include "engine/rtf/rtf_fields.h"
#include "recording_messages.h"
#include "reports/card_print_values.h"
#include "reports/ui/card_print.h"
#include "temp_register.h"

namespace {
int InsertFixtureCard(TDataModule1& data) {
  Statement card(data.Db(), QStringLiteral(
      "insert into RGS_CARD (REG_NUM, REGDATE, DOC_IDTXT, ADRESS, ADRESS_DATE, L_DATA, L_CONDITIONS, L_REASON, "
      "GROUP1, GRUPA, GRUPA_DATE, GROUP2, KART, STATUS, GOT_HOUSE, ASSETS, DEALS, INCOME, CHECK_DATE, CHECK_NAME, "
      "ADD_USER, ALONE_PARENT, HARD_LIFE, CLASSINFO, PROT_ID, PROT_DATE, LASTDEK_ID, LASTDEK_DATE, NOTES) values "
      "(17, '05.03.2021', ' В-12 ', 'ул. „Мир“ 3', '01.02.2020', 3, 'влажно', 2, 3, 2, '10.03.2021', 0, 0, 1, "
      "NULL, 'кола', 'няма', 1234.5, NULL, 'Петрова', 'clerk', 2, -1, '2024: място 5', 'П-7', '12.03.2021', "
      "'Д-1', '15.01.2024', ?) returning CARD_ID"));
  card.Bind(0, QStringLiteral("ред 1\r\nред {2}"));
  card.Execute();
  const int cardId = card.Value(0).toInt();
  Statement person(data.Db(), QStringLiteral(
      "insert into RGS_PERSON (CARD_ID, NAME, EGN, PERSON_TYPE, SOCGRUPA, NOTES, INV_PROC, INV_DATE, TELK_NUM) "
      "values (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
  const QVariant null;
  const QList<QVariantList> members = {
      {QStringLiteral("Иван Иванов"), QStringLiteral("8001010000"), 0, 0, null, null, null, null},
      {QStringLiteral("Мария Иванова"), QStringLiteral("8202020000"), 2, 3, null, 75, QStringLiteral("01.01.5000"),
       QStringLiteral("123/2020")},
      {QStringLiteral("Петър Иванов"), QStringLiteral("1503030000"), 3, 7, QStringLiteral("има \"куче\""), 50,
       QStringLiteral("15.06.5026"), null},
      {QStringLiteral("Стоян Иванов"), QStringLiteral("5004040000"), 4, null, null, null,
       QStringLiteral("01.01.2030"), QStringLiteral("9/2019")},
      {QStringLiteral("Ана Иванова"), QStringLiteral("1205050000"), 3, 5, null, 30, null, null},
  };
  for (const QVariantList& m : members) {
    person.Bind(0, cardId);
    for (int i = 0; i < m.size(); ++i) person.Bind(i + 1, m[i]);
    person.Execute();
  }
  return cardId;
}

QString ValueOf(const std::vector<CardPrintValue>& values, const QString& name) {
  for (const CardPrintValue& v : values)
    if (v.name == name) return v.text;
  return QStringLiteral("<missing>");
}

QByteArray ReadFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}  // namespace

class TestCardPrint : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TempRegister> register_;
  int cardId_ = 0;
  TDataModule1& Data() { return register_->Data(); }
  void Set(const QString& assignment) {
    Data().Db().ExecuteImmediate(QStringLiteral("update RGS_CARD set %1 where CARD_ID = %2").arg(assignment).arg(cardId_));
  }

 private slots:
  void initTestCase() { register_ = std::make_unique<TempRegister>(); }
  void cleanupTestCase() { register_.reset(); }
  // Every case starts from the fixture card as inserted.
  void init() {
    Data().Db().ExecuteImmediate(QStringLiteral("delete from RGS_PERSON"));
    Data().Db().ExecuteImmediate(QStringLiteral("delete from RGS_CARD"));
    cardId_ = InsertFixtureCard(Data());
  }
  void cleanup() { SetAssociatedProgramOpener({}); }

  void valuesOfAFixtureCardInOrder() {
    const auto values = CardPrintValues(Data(), cardId_, QStringLiteral("clerk"), QDate(2026, 12, 10));
    const std::vector<CardPrintValue> expected = {
        {"reg_nomer", "17"},
        {"reg_date", "05.03.2021г."},
        {"address", "ул. „Мир“ 3"},
        {"add_date", "01.02.2020г."},
        {"vh_nom", "В-12"},
        {"group", "3.не заемащи жил. площ поне 1г."},  // GROUP1 3: the name at row 2
        {"group_date", "10.03.2021г."},
        {"cond", "Включен в списъка"},
        {"cond_info", ""},
        {"hard_life", "Да"},
        {"check_hard_date", ""},  // no date stored: nothing printed
        {"check_hard_prs", "Петрова"},
        {"alone", "Да"},
        {"ap_type", "3.Къща"},
        {"ap_notes", "влажно"},
        {"obit_type", "2.При родители"},
        {"dohod", "1234.50"},
        {"kartotekiran", "Няма данни"},  // KART 0: the card's own category, as the card window shows it
        {"nedv_sdelki", "няма"},
        {"dr_im", "кола"},
        {"last_dekl_num", "Д-1"},
        {"last_dekl_date", "15.01.2024г."},
        {"prot_num", "П-7"},
        {"prot_date", "12.03.2021г."},
        {"notes", "2024: място 5"},
        {"notes1", "ред 1\r\nред {2}"},
        {"chlenove",
         "Титуляр с име Иван Иванов и ЕГН 8001010000, Социална група: Работещ;\r\n"
         "Съпруга с име Мария Иванова и ЕГН 8202020000, Социална група: С увреждане (ТЕЛК/НЕЛК), Инвалид със "
         "процент на инвалидност 75 % до дата 01.01.5000, експертно решение на ТЕЛК 123/2020;\r\n"
         "Дете с име Петър Иванов и ЕГН 1503030000, Инвалид със процент на инвалидност 50 % Пожизнена , "
         "Бележки: \"има \"куче\"\";\r\n"
         "Друг с име Стоян Иванов и ЕГН 5004040000;\r\n"
         "Дете с име Ана Иванова и ЕГН 1205050000, Социална група: Дете, Инвалид със процент на инвалидност 30 % "
         "Пожизнена ;"},
        {"date_now", "10.12.2026 г."},
        {"podpis_name", "/clerk/"},
    };
    QCOMPARE(values.size(), size_t(29));
    for (size_t i = 0; i < expected.size(); ++i) {
      QCOMPARE(values[i].name, expected[i].name);
      QVERIFY2(values[i].text == expected[i].text, qPrintable(values[i].text + QStringLiteral(" <> ") + expected[i].text));
    }
  }

  // Flags, codes and money as the card's cells vary.
  void cardCellCases_data() {
    QTest::addColumn<QString>("assignment");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("alone NULL") << "ALONE_PARENT = NULL" << "alone" << "Не";
    QTest::newRow("alone 1") << "ALONE_PARENT = 1" << "alone" << "Не";
    QTest::newRow("hard life 1") << "HARD_LIFE = 1" << "hard_life" << "Да";
    QTest::newRow("hard life 0") << "HARD_LIFE = 0" << "hard_life" << "Не";
    QTest::newRow("hard life NULL") << "HARD_LIFE = NULL" << "hard_life" << "Не";
    QTest::newRow("income NULL") << "INCOME = NULL" << "dohod" << "0.00";
    QTest::newRow("income rounded") << "INCOME = 99.999" << "dohod" << "100.00";
    QTest::newRow("kart NULL counts as 0") << "KART = NULL" << "kartotekiran" << "Няма данни";
    QTest::newRow("kart 2") << "KART = 2" << "kartotekiran" << "Наемане на резервно жилище";
    QTest::newRow("kart 3, the last name") << "KART = 3" << "kartotekiran" << "Закупуване на общинско жилище";
    QTest::newRow("kart without a name") << "KART = 4" << "kartotekiran" << "";
    QTest::newRow("group 1") << "GROUP1 = 1" << "group" << "1.възстановяване на бивш. собств.";
    QTest::newRow("state without a name") << "STATUS = 9" << "cond" << "";
    QTest::newRow("blank padded text") << "CHECK_NAME = '  Петрова  '" << "check_hard_prs" << "Петрова";
    QTest::newRow("control characters trimmed") << "GOT_HOUSE = '\t2019'" << "cond_info" << "2019";
  }
  void cardCellCases() {
    QFETCH(QString, assignment);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    Set(assignment);
    QCOMPARE(ValueOf(CardPrintValues(Data(), cardId_, QStringLiteral("u"), QDate(2026, 1, 1)), name), expected);
  }

  // The print states the category the card window shows in "Картотекиран за", also where the
  // code list has a gap (the window lists only the names there are).
  void categoryIsWhatTheCardWindowShows() {
    Data().Db().ExecuteImmediate(QStringLiteral("update NOM set KARTFOR = NULL where N = 1"));
    Data().Nom().Close();
    for (int kart = 0; kart <= 3; ++kart) {
      Set(QStringLiteral("KART = %1").arg(kart));
      CardForm form;
      LoadCardForm(Data(), cardId_, form);
      QCOMPARE(ValueOf(CardPrintValues(Data(), cardId_, QStringLiteral("u"), QDate(2026, 1, 1)), "kartotekiran"),
               form.cbKart.text);
    }
    QCOMPARE(ValueOf(CardPrintValues(Data(), cardId_, QStringLiteral("u"), QDate(2026, 1, 1)), "kartotekiran"), QString());
    Set(QStringLiteral("KART = 1"));
    QCOMPARE(ValueOf(CardPrintValues(Data(), cardId_, QStringLiteral("u"), QDate(2026, 1, 1)), "kartotekiran"),
             QStringLiteral("Наемане на резервно жилище"));
    Data().Db().ExecuteImmediate(QStringLiteral("update NOM set KARTFOR = 'Наемане на общинско жилище' where N = 1"));
    Data().Nom().Close();  // the next cases read the whole list again
  }

  void missingCardIsAnError() {
    QVERIFY_THROWS_EXCEPTION(DbError, CardPrintValues(Data(), cardId_ + 100, QStringLiteral("u"), QDate(2026, 1, 1)));
  }

  void printFillsTheShippedTemplateAndOpensIt() {
    QTemporaryDir dir;
    const QString result = dir.filePath(QStringLiteral("output.rtf"));
    QStringList opened;
    SetAssociatedProgramOpener([&](const QString& path) {
      opened << path;
      return true;
    });
    RecordingMessages messages;
    QVERIFY(PrintCard(Data(), cardId_, QStringLiteral("clerk"), QDate(2026, 12, 10),
                      QStringLiteral(TESARO_CARD_TEMPLATE), result, nullptr));
    QCOMPARE(opened, QStringList{result});
    QVERIFY(messages.shown.empty());
    const QByteArray filled = ReadFile(result);
    QVERIFY(IsBalancedRtf(filled));
    QVERIFY(FindRtfFields(filled).isEmpty());
    const QString text = RtfPlainText(filled);
    for (const QString& piece : {QStringLiteral("ул. „Мир“ 3"), QStringLiteral("ред 1\nред {2}"),
                                 QStringLiteral("Титуляр с име Иван Иванов и ЕГН 8001010000, Социална група: Работещ;\n"
                                                "Съпруга с име Мария Иванова"),
                                 QStringLiteral("10.12.2026 г."), QStringLiteral("/clerk/")})
      QVERIFY2(text.contains(piece), qPrintable(piece));
  }

  // "Бланка" in the card window prints the card shown, as stored, for the signed-in user: the
  // template from the working folder, the result in the user's folder.
  void printButtonOfTheCardWindow() {
    QTemporaryDir work;
    QVERIFY(QFile::copy(QStringLiteral(TESARO_CARD_TEMPLATE), work.filePath(QString::fromLatin1(kCardTemplateName))));
    const QString oldDir = QDir::currentPath();
    QDir::setCurrent(work.path());
    const QByteArray oldProfile = qgetenv("USERPROFILE");
    qputenv("USERPROFILE", work.path().toLocal8Bit());
    QStringList opened;
    SetAssociatedProgramOpener([&](const QString& path) {
      opened << path;
      return true;
    });
    Data().SetCurrentUser(QStringLiteral("ivanova"), 1);
    Data().MainQuery().SetCondition(QStringLiteral("and P.PERSON_TYPE = 0"));
    Data().MainQuery().Open();
    Data().MainQuery().SetCurrentRow(0);
    {
      TViewKart kart(Data());
      QObject::connect(&kart, &TViewKart::PrintCardRequested, &kart, [&kart, this] { PrintOpenCard(kart, Data()); });
      kart.PrepareShow(1, false);
      kart.show();
      RecordingMessages messages;
      Control<QPushButton>(kart, "ButtonPrint")->click();
      QCOMPARE(messages.Texts(), QStringList());
      Control<QPushButton>(kart, "Cancel")->click();
    }
    QDir::setCurrent(oldDir);
    qputenv("USERPROFILE", oldProfile);
    QCOMPARE(opened.size(), 1);
    QCOMPARE(QFileInfo(opened.value(0)).absoluteFilePath(),
             QFileInfo(work.filePath(QStringLiteral("output.rtf"))).absoluteFilePath());
    const QString text = RtfPlainText(ReadFile(opened.value(0)));
    QVERIFY(text.contains(QStringLiteral("/ivanova/")));
    QVERIFY(text.contains(QStringLiteral("Титуляр с име Иван Иванов")));
  }

  // Every failure ends in the one message and opens nothing.
  void failuresShowTheMessage_data() {
    QTest::addColumn<QString>("templateName");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<int>("cardOffset");
    QTest::newRow("template missing") << "missing.rtf" << true << 0;
    QTest::newRow("no program opens it") << TESARO_CARD_TEMPLATE << false << 0;
    QTest::newRow("card not found") << TESARO_CARD_TEMPLATE << true << 100;
  }
  void failuresShowTheMessage() {
    QFETCH(QString, templateName);
    QFETCH(bool, opens);
    QFETCH(int, cardOffset);
    QTemporaryDir dir;
    int openCalls = 0;
    SetAssociatedProgramOpener([&](const QString&) {
      ++openCalls;
      return opens;
    });
    RecordingMessages messages;
    QVERIFY(!PrintCard(Data(), cardId_ + cardOffset, QStringLiteral("clerk"), QDate(2026, 12, 10),
                       QDir(dir.path()).absoluteFilePath(templateName), dir.filePath(QStringLiteral("output.rtf")),
                       nullptr));
    QCOMPARE(messages.Texts(), QStringList{QString::fromUtf8(kCardPrintFailedMessage)});
    QCOMPARE(openCalls, opens ? 0 : 1);
  }
};

QTEST_MAIN(TestCardPrint)
#include "test_card_print.moc"
