// Help (the guide beside the program, opened through the desktop seam; the failure message)
// and the about box.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "commands/help.h"
#include "commands/ui/about_form.h"
#include "controls.h"
#include "core/desktop.h"
#include "recording_messages.h"

class TestCommandsHelpAbout : public QObject {
  Q_OBJECT
 private slots:
  void cleanup() { SetAssociatedProgramOpener({}); }

  void helpOpensGuideBesideProgram() {
    QStringList opened;
    SetAssociatedProgramOpener([&](const QString& path) {
      opened << path;
      return true;
    });
    RecordingMessages messages;
    QVERIFY(hlpbtnClick(nullptr));
    QCOMPARE(opened, QStringList{QCoreApplication::applicationDirPath() + QStringLiteral("/Tesaro.pdf")});
    QVERIFY(messages.shown.empty());
  }

  void helpFailureIsReported() {
    SetAssociatedProgramOpener([](const QString&) { return false; });
    RecordingMessages messages;
    QVERIFY(!hlpbtnClick(nullptr));
    QCOMPARE(messages.shown.size(), size_t(1));
    QCOMPARE(messages.shown[0].text, QStringLiteral("Couldn't execute the application"));
    QCOMPARE(messages.shown[0].caption, QStringLiteral("Error"));
    QCOMPARE(messages.shown[0].icon, MessageIcon::Warning);
    QCOMPARE(messages.shown[0].buttons, MessageButtons::Ok);
  }

  void aboutBoxIsModalAndClosesWithOk() {
    bool checked = false;
    auto check = [&](TAboutForm* form) {
      QCOMPARE(form->windowTitle(), QStringLiteral("За Velmora Жилищнa Картотека"));
      auto* name = Control<QLabel>(form, "ProductName");
      auto* version = Control<QLabel>(form, "Version");
      QCOMPARE(name->text().split(u'\n'), QStringList({"Velmora", "Жилищна", "Картотека"}));
      QVERIFY(name->font().bold());
      QVERIFY(name->font().pointSizeF() > version->font().pointSizeF());
      QCOMPARE(version->text(), QStringLiteral("Версия 3.00"));
      QVERIFY(!Control<QLabel>(form, "ProgramIcon")->pixmap().isNull());
      QCOMPARE(Control<QPushButton>(form, "OKButton")->text(), QStringLiteral("OK"));
      checked = true;
    };
    QTimer::singleShot(0, [&] {
      auto* form = qobject_cast<TAboutForm*>(QApplication::activeModalWidget());
      QVERIFY2(form, "the about box is not shown");
      check(form);
      Control<QPushButton>(form, "OKButton")->click();
    });
    mAboutClick(nullptr);
    QVERIFY(checked);
  }
};

QTEST_MAIN(TestCommandsHelpAbout)
#include "test_commands_help_about.moc"
