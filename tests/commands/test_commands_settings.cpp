// The settings window: loading and saving the municipality and the minimum years (text read
// as a whole number or 10, nothing committed), the error message, missing rows, and the
// rights rule of the window.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "commands/ui/options_form.h"
#include "controls.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"
#include "data/schema/register_setup.h"
#include "recording_messages.h"
#include "temp_register.h"

namespace {
QVariant Cell(TDataModule1& data, const QString& column, int row) {
  Statement query(data.Db(), QStringLiteral("select %1 from NOM where N = ?").arg(column));
  query.Bind(0, row);
  return query.ScalarValue();
}

// Runs `act` on the settings window once it is shown modally; a window a failed check left
// open is closed so the test cannot hang.
void WhenOptionsShown(const std::function<void(TOptionsForm&)>& act) {
  QTimer::singleShot(0, [act] {
    auto* form = qobject_cast<TOptionsForm*>(QApplication::activeModalWidget());
    QVERIFY2(form, "the settings window is not shown");
    act(*form);
    if (form->isVisible()) form->reject();
  });
}
}  // namespace

class TestCommandsSettings : public QObject {
  Q_OBJECT
 private slots:
  void loadsStoredSettings() {
    TempRegister reg(QStringLiteral("Община Бяла"));
    const OptionsValues values = LoadOptions(reg.Data());
    QCOMPARE(values.municipality, QStringLiteral("Община Бяла"));
    QCOMPARE(values.minimumYears, QString::number(kDefaultRegistrationYears));
  }

  void savesTexts_data() {
    QTest::addColumn<QString>("municipality");
    QTest::addColumn<QString>("years");
    QTest::addColumn<QVariant>("storedName");
    QTest::addColumn<int>("storedYears");
    QTest::newRow("number") << QStringLiteral("Община Д'Оро") << QStringLiteral("7") << QVariant(QStringLiteral("Община Д'Оро")) << 7;
    QTest::newRow("not a number") << QStringLiteral("Община Нова") << QStringLiteral("три") << QVariant(QStringLiteral("Община Нова")) << 10;
    QTest::newRow("digits then letters") << QStringLiteral("А") << QStringLiteral("12a") << QVariant(QStringLiteral("А")) << 10;
    QTest::newRow("empty years, empty name") << QString() << QString() << QVariant() << 10;
    QTest::newRow("beyond a whole number") << QStringLiteral("Б") << QStringLiteral("99999999999") << QVariant(QStringLiteral("Б")) << 10;
    QTest::newRow("zero") << QStringLiteral("В") << QStringLiteral("0") << QVariant(QStringLiteral("В")) << 0;
  }
  // Saved values are in the open transaction only: a rollback brings the old ones back.
  void savesTexts() {
    QFETCH(QString, municipality);
    QFETCH(QString, years);
    QFETCH(QVariant, storedName);
    QFETCH(int, storedYears);
    TempRegister reg(QStringLiteral("Община Стара"));
    TDataModule1& data = reg.Data();
    RecordingMessages messages;
    QVERIFY(SaveOptions(data, {municipality, years}));
    QVERIFY(messages.shown.empty());
    QCOMPARE(Cell(data, QStringLiteral("S_INFO"), 0), storedName);
    QCOMPARE(Cell(data, QStringLiteral("COUNTER"), 3).toInt(), storedYears);
    QVERIFY(!Cell(data, QStringLiteral("COUNTER"), 3).isNull());
    data.Rollback();
    QCOMPARE(Cell(data, QStringLiteral("S_INFO"), 0).toString(), QStringLiteral("Община Стара"));
    QCOMPARE(Cell(data, QStringLiteral("COUNTER"), 3).toInt(), kDefaultRegistrationYears);
  }

  // The nomenclature in memory follows a saved municipality, for document titles.
  void savedNameReachesNomenclature() {
    TempRegister reg;
    TDataModule1& data = reg.Data();
    data.Nom().Open();
    QVERIFY(SaveOptions(data, {QStringLiteral("Община Нова"), QStringLiteral("3")}));
    QCOMPARE(data.Nom().Cell(QStringLiteral("S_INFO"), 0).toString(), QStringLiteral("Община Нова"));
  }

  void wrongInputShowsMessage_data() {
    QTest::addColumn<QString>("municipality");
    QTest::newRow("longer than 50") << QString(51, u'Я');
    QTest::newRow("outside the code page") << QStringLiteral("城市");
  }
  void wrongInputShowsMessage() {
    QFETCH(QString, municipality);
    TempRegister reg(QStringLiteral("Община Стара"));
    TDataModule1& data = reg.Data();
    RecordingMessages messages;
    QVERIFY(!SaveOptions(data, {municipality, QStringLiteral("8")}));
    QCOMPARE(messages.Texts(), QStringList{QStringLiteral("Грешно въведени данни")});
    QCOMPARE(Cell(data, QStringLiteral("S_INFO"), 0).toString(), QStringLiteral("Община Стара"));
    QCOMPARE(Cell(data, QStringLiteral("COUNTER"), 3).toInt(), kDefaultRegistrationYears);  // nothing further saved
  }

  // Without rows 0 and 3 the window opens empty and saving creates them.
  void missingRowsAreCreated() {
    TempRegister reg;
    TDataModule1& data = reg.Data();
    Statement remove(data.Db(), QStringLiteral("delete from NOM where N in (0, 3)"));
    remove.Execute();
    const OptionsValues loaded = LoadOptions(data);
    QVERIFY(loaded.municipality.isEmpty() && loaded.minimumYears.isEmpty());

    RecordingMessages messages;
    QVERIFY(SaveOptions(data, {QStringLiteral("Община Нова"), QStringLiteral("4")}));
    QCOMPARE(Cell(data, QStringLiteral("S_INFO"), 0).toString(), QStringLiteral("Община Нова"));
    QCOMPARE(Cell(data, QStringLiteral("COUNTER"), 3).toInt(), 4);
    QVERIFY(Cell(data, QStringLiteral("S_INFO"), 3).isNull());
    QCOMPARE(data.NomCodeName(QStringLiteral("STATUS"), 3), QStringLiteral("false"));  // no code-list entries made
    QCOMPARE(LoadOptions(data).minimumYears, QStringLiteral("4"));
  }

  void windowFollowsRights_data() {
    QTest::addColumn<int>("rightsLevel");
    QTest::addColumn<bool>("pressOk");
    QTest::addColumn<bool>("saved");
    QTest::newRow("level 1, OK") << 1 << true << true;
    QTest::newRow("level 1, cancel") << 1 << false << false;
    QTest::newRow("level 2, OK") << 2 << true << false;
    QTest::newRow("level 3, OK") << 3 << true << false;
  }
  void windowFollowsRights() {
    QFETCH(int, rightsLevel);
    QFETCH(bool, pressOk);
    QFETCH(bool, saved);
    TempRegister reg(QStringLiteral("Община Стара"));
    TDataModule1& data = reg.Data();
    bool editable = false;
    OptionsValues shown;
    WhenOptionsShown([&](TOptionsForm& form) {
      QCOMPARE(form.windowTitle(), QStringLiteral("Настройки"));
      auto* municipality = Control<QLineEdit>(form, "edSob");
      auto* years = Control<QLineEdit>(form, "DateNum");
      QVERIFY(Control<QPushButton>(form, "btnOk")->isDefault());
      QCOMPARE(Control<QPushButton>(form, "btnOk")->text(), QStringLiteral("ОК"));
      QCOMPARE(Control<QPushButton>(form, "btnCancel")->text(), QStringLiteral("Отказ"));
      editable = municipality->isEnabled() && years->isEnabled();
      QCOMPARE(municipality->isEnabled(), years->isEnabled());
      shown = form.Values();
      municipality->setText(QStringLiteral("Община Нова"));
      years->setText(QStringLiteral("абв"));
      (pressOk ? Control<QPushButton>(form, "btnOk") : Control<QPushButton>(form, "btnCancel"))->click();
    });
    QCOMPARE(mOptionsClick(data, rightsLevel, nullptr), saved);
    QCOMPARE(editable, rightsLevel == 1);
    QCOMPARE(shown.municipality, QStringLiteral("Община Стара"));
    QCOMPARE(shown.minimumYears, QString::number(kDefaultRegistrationYears));
    QCOMPARE(Cell(data, QStringLiteral("S_INFO"), 0).toString(),
             saved ? QStringLiteral("Община Нова") : QStringLiteral("Община Стара"));
    QCOMPARE(Cell(data, QStringLiteral("COUNTER"), 3).toInt(), saved ? 10 : kDefaultRegistrationYears);
  }
};

QTEST_MAIN(TestCommandsSettings)
#include "test_commands_settings.moc"
