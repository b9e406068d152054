// The settings window: loading and saving the municipality, the issuing office, the note's paper
// and the minimum years (a whole number, 10 when left empty, nothing committed), refused values
// named and the window kept open, the database's refusal, missing rows, and the rights rule of
// the window.
#include <QApplication>
#include <QComboBox>
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
    QTest::newRow("empty years, empty name") << QString() << QString() << QVariant() << 10;
    QTest::newRow("fifty letters") << QString(50, u'Я') << QStringLiteral("99") << QVariant(QString(50, u'Я')) << 99;
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
    QVERIFY(SaveOptions(data, {municipality, years, QString(), NotePaper::A4}));
    QVERIFY(messages.shown.empty());
    QCOMPARE(Cell(data, QStringLiteral("S_INFO"), 0), storedName);
    QCOMPARE(Cell(data, QStringLiteral("COUNTER"), 3).toInt(), storedYears);
    QVERIFY(!Cell(data, QStringLiteral("COUNTER"), 3).isNull());
    data.Rollback();
    QCOMPARE(Cell(data, QStringLiteral("S_INFO"), 0).toString(), QStringLiteral("Община Стара"));
    QCOMPARE(Cell(data, QStringLiteral("COUNTER"), 3).toInt(), kDefaultRegistrationYears);
  }

  // The office and the paper go to S_INFO of rows 1 and 2, beside the municipality, and come back
  // as saved; an empty office is stored as none (the note then names the default office).
  void savesOfficeAndPaper_data() {
    QTest::addColumn<QString>("office");
    QTest::addColumn<int>("paper");
    QTest::addColumn<QVariant>("storedOffice");
    QTest::addColumn<QString>("storedPaper");
    QTest::newRow("office, Letter") << QStringLiteral("Служба „Общински жилища“ при Община Д'Оро") << int(NotePaper::Letter)
                                    << QVariant(QStringLiteral("Служба „Общински жилища“ при Община Д'Оро"))
                                    << QStringLiteral("Letter");
    QTest::newRow("no office, A4") << QString() << int(NotePaper::A4) << QVariant() << QStringLiteral("A4");
    QTest::newRow("fifty letters") << QString(50, u'Щ') << int(NotePaper::A4) << QVariant(QString(50, u'Щ'))
                                   << QStringLiteral("A4");
  }
  void savesOfficeAndPaper() {
    QFETCH(QString, office);
    QFETCH(int, paper);
    QFETCH(QVariant, storedOffice);
    QFETCH(QString, storedPaper);
    TempRegister reg(QStringLiteral("Община Стара"));
    TDataModule1& data = reg.Data();
    data.Nom().Open();
    RecordingMessages messages;
    QVERIFY(SaveOptions(data, {QStringLiteral("Община Стара"), QStringLiteral("5"), office, NotePaper(paper)}));
    QVERIFY(messages.shown.empty());
    QCOMPARE(Cell(data, QStringLiteral("S_INFO"), 1), storedOffice);
    QCOMPARE(Cell(data, QStringLiteral("S_INFO"), 2).toString(), storedPaper);
    QCOMPARE(data.NomCodeName(QStringLiteral("STATUS"), 1).trimmed(), QStringLiteral("Включен в списъка"));  // the row's codes kept
    const OptionsValues loaded = LoadOptions(data);
    QCOMPARE(loaded.office, office);
    QCOMPARE(int(loaded.paper), paper);
    QCOMPARE(StoredIssuingOffice(data), office);  // what the note reads
    QCOMPARE(int(StoredNotePaper(data)), paper);
  }

  // The nomenclature in memory follows a saved municipality, for document titles.
  void savedNameReachesNomenclature() {
    TempRegister reg;
    TDataModule1& data = reg.Data();
    data.Nom().Open();
    QVERIFY(SaveOptions(data, {QStringLiteral("Община Нова"), QStringLiteral("3"), QString(), NotePaper::A4}));
    QCOMPARE(data.Nom().Cell(QStringLiteral("S_INFO"), 0).toString(), QStringLiteral("Община Нова"));
  }

  // Values that cannot be stored are refused naming the field, and nothing is stored.
  void wrongInputShowsMessage_data() {
    QTest::addColumn<QString>("municipality");
    QTest::addColumn<QString>("years");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("office");
    const QString years = QStringLiteral("Броят години трябва да е цяло число от 0 до 99, а е въведено \"%1\".");
    const QString character = QStringLiteral("Полето \"Община\" съдържа знак, който не може да бъде записан: %1.");
    QTest::newRow("longer than 50") << QString(51, u'Я') << "8"
                                    << QStringLiteral("Полето \"Община\" може да съдържа най-много 50 знака, а съдържа 51.") << QString();
    QTest::newRow("outside the code page") << QStringLiteral("Град 城市") << "8" << character.arg(QStringLiteral("\"城\" (U+57CE)")) << QString();
    QTest::newRow("emoji") << QStringLiteral("Община 😀") << "8" << character.arg(QStringLiteral("\"😀\" (U+1F600)")) << QString();
    QTest::newRow("years with a unit") << QStringLiteral("Община Нова") << "3 г." << years.arg(QStringLiteral("3 г.")) << QString();
    QTest::newRow("years in words") << QStringLiteral("Община Нова") << "три" << years.arg(QStringLiteral("три")) << QString();
    QTest::newRow("digits then letters") << QStringLiteral("Община Нова") << "12a" << years.arg(QStringLiteral("12a")) << QString();
    QTest::newRow("negative") << QStringLiteral("Община Нова") << "-1" << years.arg(QStringLiteral("-1")) << QString();
    QTest::newRow("beyond a whole number") << QStringLiteral("Община Нова") << "99999999999"
                                           << years.arg(QStringLiteral("99999999999")) << QString();
    QTest::newRow("office longer than 50")
        << QStringLiteral("Община Нова") << "8"
        << QStringLiteral("Полето \"Служба\" може да съдържа най-много 50 знака, а съдържа 51.") << QString(51, u'С');
    QTest::newRow("office outside the code page")
        << QStringLiteral("Община Нова") << "8"
        << QStringLiteral("Полето \"Служба\" съдържа знак, който не може да бъде записан: \"Ő\" (U+0150).")
        << QStringLiteral("Служба при Őrség");
  }
  void wrongInputShowsMessage() {
    QFETCH(QString, municipality);
    QFETCH(QString, years);
    QFETCH(QString, message);
    QFETCH(QString, office);
    TempRegister reg(QStringLiteral("Община Стара"));
    TDataModule1& data = reg.Data();
    RecordingMessages messages;
    QVERIFY(!SaveOptions(data, {municipality, years, office, NotePaper::A4}));
    QCOMPARE(messages.Texts(), QStringList{message});
    QCOMPARE(messages.shown.front().caption, QStringLiteral("Настройки"));
    QCOMPARE(Cell(data, QStringLiteral("S_INFO"), 0).toString(), QStringLiteral("Община Стара"));
    QVERIFY(Cell(data, QStringLiteral("S_INFO"), 1).isNull());
    QCOMPARE(Cell(data, QStringLiteral("COUNTER"), 3).toInt(), kDefaultRegistrationYears);
  }

  // The register refusing the values shows the one general message and stores nothing.
  void databaseRefusalShowsMessage() {
    TempRegister reg(QStringLiteral("Община Стара"));
    TDataModule1& data = reg.Data();
    for (const char* ddl : {"create exception SETTINGS_LOCKED 'locked'",
                            "create trigger NOM_LOCKED for NOM before update as begin exception SETTINGS_LOCKED; end"}) {
      Statement statement(data.Db(), QString::fromLatin1(ddl));
      statement.Execute();
      data.Commit();
    }
    RecordingMessages messages;
    QVERIFY(!SaveOptions(data, {QStringLiteral("Община Нова"), QStringLiteral("8"), QString(), NotePaper::A4}));
    QCOMPARE(messages.Texts(), QStringList{QStringLiteral("Грешно въведени данни")});
  }

  // A refused value keeps the window open with what was typed; put right, "ОК" saves and closes.
  void refusedValueKeepsTheWindowOpen() {
    TempRegister reg(QStringLiteral("Община Стара"));
    TDataModule1& data = reg.Data();
    RecordingMessages messages;
    bool stayedOpen = false;
    QString kept;
    WhenOptionsShown([&](TOptionsForm& form) {
      auto* municipality = Control<QLineEdit>(form, "edSob");
      QCOMPARE(municipality->maxLength(), 50);
      municipality->setText(QStringLiteral("Община 😀"));
      Control<QPushButton>(form, "btnOk")->click();
      stayedOpen = form.isVisible();
      kept = municipality->text();
      municipality->setText(QStringLiteral("Община Нова"));
      Control<QPushButton>(form, "btnOk")->click();
    });
    QVERIFY(mOptionsClick(data, 1, nullptr));
    QVERIFY(stayedOpen);
    QCOMPARE(kept, QStringLiteral("Община 😀"));
    QCOMPARE(messages.shown.size(), size_t(1));
    QCOMPARE(Cell(data, QStringLiteral("S_INFO"), 0).toString(), QStringLiteral("Община Нова"));
  }

  // Without rows 0 and 3 the window opens empty and saving creates them.
  void missingRowsAreCreated() {
    TempRegister reg;
    TDataModule1& data = reg.Data();
    Statement remove(data.Db(), QStringLiteral("delete from NOM where N in (0, 1, 2, 3)"));
    remove.Execute();
    const OptionsValues loaded = LoadOptions(data);
    QVERIFY(loaded.municipality.isEmpty() && loaded.minimumYears.isEmpty());

    RecordingMessages messages;
    QVERIFY(SaveOptions(data, {QStringLiteral("Община Нова"), QStringLiteral("4"), QString(), NotePaper::A4}));
    QCOMPARE(Cell(data, QStringLiteral("S_INFO"), 0).toString(), QStringLiteral("Община Нова"));
    QCOMPARE(Cell(data, QStringLiteral("COUNTER"), 3).toInt(), 4);
    QVERIFY(Cell(data, QStringLiteral("S_INFO"), 3).isNull());
    QCOMPARE(Cell(data, QStringLiteral("S_INFO"), 2).toString(), QStringLiteral("A4"));
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
      auto* office = Control<QLineEdit>(form, "edOffice");
      auto* paper = Control<QComboBox>(form, "cbPaper");
      editable = municipality->isEnabled() && years->isEnabled();
      QCOMPARE(municipality->isEnabled(), years->isEnabled());
      QCOMPARE(office->isEnabled(), editable);
      QCOMPARE(paper->isEnabled(), editable);
      shown = form.Values();
      municipality->setText(QStringLiteral("Община Нова"));
      years->setText(QStringLiteral("12"));
      office->setText(QStringLiteral("Отдел \"Жилища\""));
      paper->setCurrentIndex(paper->findText(QStringLiteral("Letter (САЩ)")));
      (pressOk ? Control<QPushButton>(form, "btnOk") : Control<QPushButton>(form, "btnCancel"))->click();
    });
    QCOMPARE(mOptionsClick(data, rightsLevel, nullptr), saved);
    QCOMPARE(editable, rightsLevel == 1);
    QCOMPARE(shown.municipality, QStringLiteral("Община Стара"));
    QCOMPARE(shown.minimumYears, QString::number(kDefaultRegistrationYears));
    QCOMPARE(Cell(data, QStringLiteral("S_INFO"), 0).toString(),
             saved ? QStringLiteral("Община Нова") : QStringLiteral("Община Стара"));
    QCOMPARE(Cell(data, QStringLiteral("COUNTER"), 3).toInt(), saved ? 12 : kDefaultRegistrationYears);
    QCOMPARE(Cell(data, QStringLiteral("S_INFO"), 1), saved ? QVariant(QStringLiteral("Отдел \"Жилища\"")) : QVariant());
    QCOMPARE(Cell(data, QStringLiteral("S_INFO"), 2), saved ? QVariant(QStringLiteral("Letter")) : QVariant());
  }

  // The window shows the stored office and paper; an empty office shows, greyed, the default the
  // note will name, following the municipality as it is typed.
  void windowShowsOfficeAndPaper() {
    TempRegister reg(QStringLiteral("Община Стара"));
    TDataModule1& data = reg.Data();
    data.Db().ExecuteImmediate(QStringLiteral("update NOM set S_INFO = 'Letter' where N = 2"));
    QString placeholder, typedPlaceholder, paperShown;
    QStringList papers;
    WhenOptionsShown([&](TOptionsForm& form) {
      auto* office = Control<QLineEdit>(form, "edOffice");
      auto* paper = Control<QComboBox>(form, "cbPaper");
      QVERIFY(office->text().isEmpty());
      QCOMPARE(office->maxLength(), 50);
      placeholder = office->placeholderText();
      Control<QLineEdit>(form, "edSob")->setText(QStringLiteral("Столична община"));
      typedPlaceholder = office->placeholderText();
      paperShown = paper->currentText();
      for (int i = 0; i < paper->count(); ++i) papers << paper->itemText(i);
      form.reject();
    });
    QVERIFY(!mOptionsClick(data, 1, nullptr));
    QCOMPARE(placeholder, QStringLiteral("Служба \"Жилищно настаняване\" при Община Стара"));
    QCOMPARE(typedPlaceholder, QStringLiteral("Служба \"Жилищно настаняване\" при Столична община"));
    QCOMPARE(paperShown, QStringLiteral("Letter (САЩ)"));
    QCOMPARE(papers, QStringList({QStringLiteral("A4"), QStringLiteral("Letter (САЩ)")}));
  }
};

QTEST_MAIN(TestCommandsSettings)
#include "test_commands_settings.moc"
