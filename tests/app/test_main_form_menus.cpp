// The main menu from the keyboard: every menu and every command has its own Alt-letter,
// the captions read as they always did, and the function keys are where they were.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

#include "app/main_form.h"
#include "data/data_module.h"
#include "session/login_record.h"

namespace {
struct Entry {
  QString caption;  // as the clerk reads it, without the access-key mark
  QKeySequence shortcut;
};
struct Menu {
  QString caption;
  QList<Entry> entries;
};

QString Visible(const QString& text) { return QString(text).remove(u'&'); }

// The letter Alt opens the entry with, upper case; empty when the caption has none. A
// caption with two marks would leave one of them unreachable, so it counts as none.
QString AccessKey(const QString& text) {
  const qsizetype at = text.indexOf(u'&');
  if (at < 0 || at + 1 >= text.size() || text.indexOf(u'&', at + 1) >= 0) return {};
  const QChar letter = text.at(at + 1);
  return letter.isLetterOrNumber() ? QString(letter.toUpper()) : QString();
}
}  // namespace

class TestMainFormMenus : public QObject {
  Q_OBJECT
  QTemporaryDir userFolder_;

 private slots:
  void initTestCase() { qputenv("USERPROFILE", userFolder_.path().toUtf8()); }

  void everyMenuAndCommandHasItsOwnAccessKey() {
    const QList<Menu> expected = {
        {QStringLiteral("Системни"),
         {{QStringLiteral("Настройки"), QKeySequence(Qt::Key_F11)},
          {QStringLiteral("Номенклатури"), {}},
          {QStringLiteral("Промяна на паролата"), {}},
          {QStringLiteral("Изход"), QKeySequence(Qt::Key_F12)}}},
        {QStringLiteral("Картотека"),
         {{QStringLiteral("Регистрация"), QKeySequence(Qt::Key_F2)},
          {QStringLiteral("Актуализация"), QKeySequence(Qt::Key_F3)},
          {QStringLiteral("Търсене"), QKeySequence(Qt::Key_F4)},
          {QStringLiteral("Закриване"), {}},
          {QStringLiteral("Спиране"), {}},
          {QStringLiteral("Сортиране..."), {}},
          {QStringLiteral("Изтриване"), {}},
          {QStringLiteral("Опресняване"), QKeySequence(Qt::Key_F5)}}},
        {QStringLiteral("Справки"),
         {{QStringLiteral("Невалидни ЕГН-та"), QKeySequence(Qt::Key_F9)},
          {QStringLiteral("Имена от ЛБД..."), QKeySequence(Qt::Key_F10)},
          {QStringLiteral("Сл. Бележка"), QKeySequence(Qt::Key_F6)},
          {QStringLiteral("Експорт"), QKeySequence(Qt::Key_F7)},
          {QStringLiteral("Класиране..."), QKeySequence(Qt::Key_F8)},
          {QStringLiteral("Списък"), {}},
          {QStringLiteral("История на действията"), {}}}},
        {QStringLiteral("Помощ"),
         {{QStringLiteral("За програмата"), QKeySequence(Qt::Key_F1)}, {QStringLiteral("Помощ"), {}}}},
    };

    TDataModule1 data;
    TLogInfoRec record;
    TMainForm form(data, record);
    const QList<QAction*> menus = form.menuBar()->actions();
    QCOMPARE(menus.size(), expected.size());
    QStringList menuKeys;
    for (int m = 0; m < menus.size(); ++m) {
      QCOMPARE(Visible(menus[m]->text()), expected[m].caption);
      const QString menuKey = AccessKey(menus[m]->text());
      QVERIFY2(!menuKey.isEmpty(), qPrintable(menus[m]->text()));
      QVERIFY2(!menuKeys.contains(menuKey), qPrintable(menus[m]->text()));
      menuKeys << menuKey;

      QList<QAction*> commands;
      for (QAction* action : menus[m]->menu()->actions())
        if (!action->isSeparator()) commands << action;
      QCOMPARE(commands.size(), expected[m].entries.size());
      // Hidden commands count too: their letters stay free for the day they are shown.
      QStringList keys;
      for (int c = 0; c < commands.size(); ++c) {
        const QString text = commands[c]->text();
        QCOMPARE(Visible(text), expected[m].entries[c].caption);
        QCOMPARE(commands[c]->shortcut(), expected[m].entries[c].shortcut);
        const QString key = AccessKey(text);
        QVERIFY2(!key.isEmpty(), qPrintable(expected[m].caption + QStringLiteral(": ") + text));
        QVERIFY2(!keys.contains(key), qPrintable(expected[m].caption + QStringLiteral(": ") + text + QStringLiteral(" repeats ") + key));
        keys << key;
      }
    }
  }
};

QTEST_MAIN(TestMainFormMenus)
#include "test_main_form_menus.moc"
