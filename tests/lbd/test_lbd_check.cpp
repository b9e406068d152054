// The member check of the card editor: the check window's lines (addresses, identity card,
// dates), the copy rules into the card, and the "ЛБД" button over the real library offscreen.
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "card/ui/members_page.h"
#include "card/ui/view_kart.h"
#include "controls.h"
#include "lbd/lbd_check_values.h"
#include "lbd/person_info.h"
#include "lbd/ui/lbd_check.h"
#include "lbd/ui/lbd_form.h"
#include "population_fixture.h"
#include "recording_messages.h"
#include "temp_register.h"
#include "ui/date_edit.h"

namespace {
const QString kNotFound = QStringLiteral("Лице с това ЕГН не фигурира в Локална База Данни");

// Answers the check window once it is shown: sets the ticks and presses a button.
struct CheckWindowAnswer {
  bool shown = false;
  void Schedule(TLBDForm& form, std::function<void()> tick, bool accept) {
    QTimer::singleShot(0, &form, [this, &form, tick, accept] {
      if (!form.isVisible()) return;
      shown = true;
      if (tick) tick();
      (accept ? Control<QPushButton>(form, "Button1") : Control<QPushButton>(form, "Button2"))->click();
    });
  }
};
}  // namespace

class TestLbdCheck : public QObject {
  Q_OBJECT

 private slots:
  void addressLine_data() {
    QTest::addColumn<QStringList>("parts");  // place, street, number, entrance, floor, apartment
    QTest::addColumn<QString>("line");
    QTest::newRow("three parts only") << QStringList{"гр. Тестово", "ул. Първа", "5", "", "", ""}
                                      << "гр. Тестово ул. Първа 5";
    QTest::newRow("empty street and number keep their blanks") << QStringList{"с. Ново", "", "", "", "", ""}
                                                               << "с. Ново  ";
    QTest::newRow("entrance, floor, apartment") << QStringList{"гр. Т", "ж.к. Изток", "12", "Б", "4", "17"}
                                                << "гр. Т ж.к. Изток 12 вх.Б ет.4 ап.17";
    QTest::newRow("floor only") << QStringList{"гр. Т", "ул. А", "1", "", "2", ""} << "гр. Т ул. А 1 ет.2";
  }
  void addressLine() {
    QFETCH(QStringList, parts);
    QFETCH(QString, line);
    QCOMPARE(LbdAddressLine(parts[0], parts[1], parts[2], parts[3], parts[4], parts[5]), line);
  }

  void identityCardLine_data() {
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("rpu");
    QTest::addColumn<QString>("rdvr");
    QTest::addColumn<QString>("line");
    QTest::newRow("office and place") << "640123456" << "20200102" << "МВР" << "" << "№640123456 от 02.01.2020,издаден от МВР гр. Т";
    QTest::newRow("with RDVR") << "1" << "20200102" << "МВР" << "5" << "№1 от 02.01.2020,издаден от МВР РДВР-5 гр. Т";
    QTest::newRow("RDVR without office") << "1" << "20200102" << "" << "5" << "№1 от 02.01.2020,издаден от  РДВР-5 гр. Т";
    QTest::newRow("no office at all") << "1" << "20200102" << "" << "" << "№1 от 02.01.2020 гр. Т";
    QTest::newRow("no date") << "1" << "" << "МВР" << "5" << "";
    QTest::newRow("not a date") << "1" << "20201302" << "МВР" << "" << "";
    QTest::newRow("no number") << "" << "20200102" << "МВР" << "" << "";
  }
  void identityCardLine() {
    QFETCH(QString, number);
    QFETCH(QString, date);
    QFETCH(QString, rpu);
    QFETCH(QString, rdvr);
    QFETCH(QString, line);
    TPersonInfo person(nullptr);
    person.IdDocNumber = number;
    person.IdDocDate = LbdTextToDate(date);
    person.IdDocRPU = rpu;
    person.IdDocRDVR = rdvr;
    person.IdDocPopulatedPlace = QStringLiteral("гр. Т");
    QCOMPARE(LbdIdCardLine(person), line);
  }

  void copyRules_data() {
    QTest::addColumn<int>("ticks");  // bits: 1 name, 2 CB3, 4 CB4, 8 CB5, 16 CB6, 32 CB7
    QTest::addColumn<QString>("idInfo");
    QTest::addColumn<QString>("addrReg2");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("notes");
    QTest::addColumn<QString>("memberNotes");
    const QString id = QStringLiteral("№1 от 02.01.2020 гр. Т");
    QTest::newRow("nothing ticked") << 0 << id << "01.02.2003" << "стар" << "стар адрес" << QDate(1999, 9, 9)
                                    << "бележка" << "лична";
    QTest::newRow("name") << 1 << id << "" << "Иван Петров Иванов" << "стар адрес" << QDate(1999, 9, 9) << "бележка"
                          << "лична";
    QTest::newRow("CB4 without CB3 copies nothing") << 4 << id << "" << "стар" << "стар адрес" << QDate(1999, 9, 9)
                                                    << "бележка" << "лична";
    QTest::newRow("CB3 and CB4") << 6 << id << "" << "стар" << "стар адрес" << QDate(1999, 9, 9)
                                 << "бележка; Постоянен адрес: гр. П ул. П 1, адр.рег от дата 05.04.2010" << "лична";
    QTest::newRow("current address and its date") << 24 << id << "01.02.2003" << "стар" << "гр. Н ул. Н 2"
                                                  << QDate(2003, 2, 1) << "бележка" << "лична";
    QTest::newRow("CB6 without a date keeps the card's") << 16 << id << "" << "стар" << "стар адрес"
                                                         << QDate(1999, 9, 9) << "бележка" << "лична";
    QTest::newRow("identity card") << 32 << id << "" << "стар" << "стар адрес" << QDate(1999, 9, 9) << "бележка"
                                   << "лична; Лична карта №1 от 02.01.2020 гр. Т";
    QTest::newRow("no identity card adds only the separator") << 32 << "" << "" << "стар" << "стар адрес"
                                                              << QDate(1999, 9, 9) << "бележка" << "лична; ";
  }
  void copyRules() {
    QFETCH(int, ticks);
    QFETCH(QString, idInfo);
    QFETCH(QString, addrReg2);
    LbdCheckValues values{QStringLiteral("Иван Петров Иванов"), QStringLiteral("7501010010"),
                          QStringLiteral("гр. П ул. П 1"), QStringLiteral("05.04.2010"), QStringLiteral("гр. Н ул. Н 2"),
                          addrReg2, idInfo};
    LbdCopyTicks copy;
    copy.name = ticks & 1;
    copy.address1 = ticks & 2;
    copy.addrReg1 = ticks & 4;
    copy.address2 = ticks & 8;
    copy.addrReg2 = ticks & 16;
    copy.idInfo = ticks & 32;
    LbdCardFields fields{QStringLiteral("стар"), QStringLiteral("стар адрес"), DateValue(QDate(1999, 9, 9)),
                         QStringLiteral("бележка"), QStringLiteral("лична")};
    ApplyLbdCopy(values, copy, fields);
    QTEST(fields.memberName, "name");
    QTEST(fields.currentAddress, "address");
    QTEST(ToQDate(fields.currentAddressDate), "date");
    QTEST(fields.notes, "notes");
    QTEST(fields.memberNotes, "memberNotes");
  }

  // Empty notes get no separator before the permanent address.
  void emptyNotesTakeTheAddressAlone() {
    LbdCheckValues values;
    values.address1 = QStringLiteral("гр. П ул. П 1");
    LbdCopyTicks copy;
    copy.address1 = true;
    LbdCardFields fields{};
    ApplyLbdCopy(values, copy, fields);
    QCOMPARE(fields.notes, QStringLiteral("Постоянен адрес: гр. П ул. П 1"));
  }

  void memberCheckInTheCardEditor() {
    TempRegister reg;
    PopulationFixture store;
    store.Add(QStringLiteral("7501010010"),
              {{u"FirstName", QStringLiteral("Иван")}, {u"MiddleName", QStringLiteral("Петров")},
               {u"LastName", QStringLiteral("Иванов")}, {u"PAddrPopulatedPlace", QStringLiteral("гр. П")},
               {u"PAddrStreet", QStringLiteral("ул. П")}, {u"PAddrNumber", QStringLiteral("1")},
               {u"PAddrDate", QStringLiteral("20100405")}, {u"CAddrPopulatedPlace", QStringLiteral("гр. Н")},
               {u"CAddrStreet", QStringLiteral("ул. Н")}, {u"CAddrNumber", QStringLiteral("2")},
               {u"CAddrEntrance", QStringLiteral("А")}, {u"CAddrDate", QStringLiteral("20030201")},
               {u"IdDocNumber", QStringLiteral("640123456")}, {u"IdDocDate", QStringLiteral("20200102")},
               {u"IdDocRPU", QStringLiteral("МВР")}, {u"IdDocPopulatedPlace", QStringLiteral("гр. П")}});
    store.AddName(QStringLiteral("8002020020"), QStringLiteral("Мария"), QStringLiteral("Иванова"),
                  QStringLiteral("Петрова"));
    TViewKart kart(reg.Data());
    TLBDForm form;
    RecordingMessages messages;
    Control<QLineEdit>(kart, "PersonEGN")->setText(QStringLiteral("7501010010"));
    Control<QLineEdit>(kart, "FirstName")->setText(QStringLiteral("Иван Иванов"));
    Control<QLineEdit>(kart, "PersonNotes")->clear();
    Control<QPlainTextEdit>(kart, "mNotes")->setPlainText(QStringLiteral("бележка"));
    Control<QLineEdit>(kart, "ebAdress")->setText(QStringLiteral("стар"));

    CheckWindowAnswer answer;
    answer.Schedule(
        form,
        [&] {
          QCOMPARE(Control<QLineEdit>(form, "Name")->text(), QStringLiteral("Иван Петров Иванов"));
          QCOMPARE(Control<QLineEdit>(form, "EGN")->text(), QStringLiteral("7501010010"));
          QCOMPARE(Control<QLineEdit>(form, "Address2")->text(), QStringLiteral("гр. Н ул. Н 2 вх.А"));
          QCOMPARE(Control<QLineEdit>(form, "AddrReg1")->text(), QStringLiteral("05.04.2010"));
          QCOMPARE(Control<QLineEdit>(form, "IDInfo")->text(),
                   QStringLiteral("№640123456 от 02.01.2020,издаден от МВР гр. П"));
          QVERIFY(Control<QCheckBox>(form, "CB1")->isChecked() && Control<QCheckBox>(form, "CB2")->isChecked() &&
                  !Control<QCheckBox>(form, "CB2")->isEnabled());
          for (QCheckBox* tick :
               {Control<QCheckBox>(form, "CB3"), Control<QCheckBox>(form, "CB4"), Control<QCheckBox>(form, "CB5"),
                Control<QCheckBox>(form, "CB6"), Control<QCheckBox>(form, "CB7")})
            QVERIFY(!tick->isChecked());
          for (QCheckBox* tick :
               {Control<QCheckBox>(form, "CB3"), Control<QCheckBox>(form, "CB4"), Control<QCheckBox>(form, "CB5"),
                Control<QCheckBox>(form, "CB6"), Control<QCheckBox>(form, "CB7")})
            tick->setChecked(true);
        },
        true);
    CheckMemberInPopulationDatabase(kart, form);
    QVERIFY(answer.shown);
    QVERIFY(messages.shown.empty());
    QCOMPARE(Control<QLineEdit>(kart, "FirstName")->text(), QStringLiteral("Иван Петров Иванов"));
    QCOMPARE(Control<QLineEdit>(kart, "ebAdress")->text(), QStringLiteral("гр. Н ул. Н 2 вх.А"));
    QCOMPARE(ToQDate(Control<TAODateTimePicker>(kart, "dtAdress")->DateTime()), QDate(2003, 2, 1));
    QCOMPARE(Control<QPlainTextEdit>(kart, "mNotes")->toPlainText(),
             QStringLiteral("бележка; Постоянен адрес: гр. П ул. П 1, адр.рег от дата 05.04.2010"));
    QCOMPARE(Control<QLineEdit>(kart, "PersonNotes")->text(),
             QStringLiteral("Лична карта №640123456 от 02.01.2020,издаден от МВР гр. П"));

    // A second person: no leftovers of the first; the ticks stay as they were left. Cancel
    // copies nothing.
    Control<QLineEdit>(kart, "PersonEGN")->setText(QStringLiteral("8002020020"));
    CheckWindowAnswer second;
    second.Schedule(
        form,
        [&] {
          QCOMPARE(Control<QLineEdit>(form, "Name")->text(), QStringLiteral("Мария Иванова Петрова"));
          QCOMPARE(Control<QLineEdit>(form, "Address1")->text(), QStringLiteral("  "));
          QVERIFY(Control<QLineEdit>(form, "AddrReg1")->text().isEmpty() &&
                  Control<QLineEdit>(form, "AddrReg2")->text().isEmpty() &&
                  Control<QLineEdit>(form, "IDInfo")->text().isEmpty());
          QVERIFY(Control<QCheckBox>(form, "CB3")->isChecked() && Control<QCheckBox>(form, "CB7")->isChecked());
        },
        false);
    CheckMemberInPopulationDatabase(kart, form);
    QVERIFY(second.shown);
    QCOMPARE(Control<QLineEdit>(kart, "FirstName")->text(), QStringLiteral("Иван Петров Иванов"));

    // The number as typed, a leading blank included, is not found: the message, no window.
    Control<QLineEdit>(kart, "PersonEGN")->setText(QStringLiteral(" 800202002"));
    CheckWindowAnswer third;
    third.Schedule(form, {}, true);
    CheckMemberInPopulationDatabase(kart, form);
    QCoreApplication::processEvents();
    QVERIFY(!third.shown);
    QCOMPARE(messages.Texts(), QStringList{kNotFound});
  }

  void missingLibraryLeavesTheEditorAsItWas() {
    TempRegister reg;
    PopulationFixture store;
    qputenv("TESARO_POPULATION_LIBRARY", "/nonexistent/libPersInfoLib.so");
    TViewKart kart(reg.Data());
    TLBDForm form;
    RecordingMessages messages;
    Control<QLineEdit>(kart, "PersonEGN")->setText(QStringLiteral("7501010010"));
    Control<QLineEdit>(kart, "FirstName")->setText(QStringLiteral("Иван"));
    CheckMemberInPopulationDatabase(kart, form);
    QCOMPARE(messages.Texts(), QStringList{QStringLiteral("НЯМА ВРЪЗКА С ЛБД!")});
    QCOMPARE(messages.shown.front().caption, QStringLiteral("Грешка"));
    QCOMPARE(Control<QLineEdit>(kart, "FirstName")->text(), QStringLiteral("Иван"));
  }
};

QTEST_MAIN(TestLbdCheck)
#include "test_lbd_check.moc"
