// Every control a clerk fills in or reads in every window has a name a screen reader can say:
// line edits, lists, date fields, check boxes, number fields, tables and text boxes.
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>
#include <memory>

#include "app/main_form.h"
#include "card/ui/members_page.h"
#include "card/ui/view_kart.h"
#include "classification/ui/klas_form.h"
#include "commands/ui/options_form.h"
#include "egn/ui/egn_repair.h"
#include "lbd/ui/lbd_form.h"
#include "lbd/ui/lbd_names_form.h"
#include "reports/export_list_source.h"
#include "reports/ui/save_rep_dialog.h"
#include "search/ui/search_panel.h"
#include "session/login_record.h"
#include "temp_register.h"
#include "window_controls.h"
#include "viewers/ui/log_form.h"
#include "viewers/ui/memo_form.h"
#include "viewers/ui/nom_form.h"

namespace {
bool IsControl(const QWidget* w) {
  return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
         qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QCheckBox*>(w) ||
         qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
         qobject_cast<const QTextEdit*>(w);
}


// The object names (or class names) of the window's controls that a screen reader cannot name,
// or names with a caption's access-key mark or colon left in.
QStringList Unnamed(QWidget* window) {
  QStringList unnamed;
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (!IsControl(w) || IsPartOfAnotherControl(w, window)) continue;
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(w);
    const QString name = accessible != nullptr ? accessible->text(QAccessible::Name).trimmed() : QString();
    const QString control = w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
    if (name.isEmpty()) unnamed << control;
    else if (name.contains(u'&') || name.endsWith(u':')) unnamed << QStringLiteral("%1 (\"%2\")").arg(control, name);
  }
  return unnamed;
}

// Fails naming the window and each unnamed control; a window without controls is a fault of
// the test, not a pass.
void ExpectAllNamed(QWidget& window, const char* what) {
  window.show();
  int controls = 0;
  for (QWidget* w : window.findChildren<QWidget*>())
    if (IsControl(w) && !IsPartOfAnotherControl(w, &window)) ++controls;
  QVERIFY2(controls > 0, what);
  const QStringList unnamed = Unnamed(&window);
  QVERIFY2(unnamed.isEmpty(), qPrintable(QString::fromUtf8(what) + QStringLiteral(": ") + unnamed.join(QStringLiteral(", "))));
}
}  // namespace

class TestAccessibleNames : public QObject {
  Q_OBJECT
  QTemporaryDir userFolder_;
  std::unique_ptr<TempRegister> register_;

 private slots:
  void initTestCase() {
    qputenv("USERPROFILE", userFolder_.path().toUtf8());
    register_ = std::make_unique<TempRegister>();
  }
  void cleanupTestCase() { register_.reset(); }

  void mainWindowAndSearchPanel() {
    TLogInfoRec record;
    TMainForm form(register_->Data(), record);
    ExpectAllNamed(form, "главният прозорец");
    TSearchPanel panel;
    ExpectAllNamed(panel, "търсенето");
  }

  void cardEditorOnEveryPage() {
    TDataModule1& data = register_->Data();
    TViewKart card(data);
    card.PrepareShow(0, true);
    card.show();
    auto* pages = card.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    QVERIFY(pages != nullptr);
    QVERIFY(pages->count() > 1);
    for (int page = 0; page < pages->count(); ++page) {
      pages->setCurrentIndex(page);
      const QByteArray what = "картонът, страница " + pages->tabText(page).toUtf8();
      QStringList unnamed;
      for (const QString& name : Unnamed(pages->widget(page))) unnamed << name;
      QVERIFY2(unnamed.isEmpty(), qPrintable(QString::fromUtf8(what) + QStringLiteral(": ") + unnamed.join(QStringLiteral(", "))));
    }
    ExpectAllNamed(card, "картонът");
    TMembersPage members;
    ExpectAllNamed(members, "членовете на семейството");
  }

  void dialogs() {
    TDataModule1& data = register_->Data();
    {
      TOptionsForm options;
      ExpectAllNamed(options, "настройките");
    }
    {
      TEGNRepair repair(data);
      ExpectAllNamed(repair, "поправката на ЕГН");
    }
    {
      TLBDForm lbd;
      ExpectAllNamed(lbd, "данните от ЛБД");
    }
    {
      TLbdNamesForm names(data);
      ExpectAllNamed(names, "имената от ЛБД");
    }
    {
      TNomForm nom(data);
      ExpectAllNamed(nom, "номенклатурите");
    }
    {
      TLogF log(data);
      ExpectAllNamed(log, "историята на действията");
    }
    {
      TfrmuMemo memo(QStringLiteral("Текст"));
      ExpectAllNamed(memo, "текстът на действието");
    }
    {
      TKlasForm ranking;
      ExpectAllNamed(ranking, "класирането");
    }
  }

  void exportDialog() {
    TDataModule1& data = register_->Data();
    ListQuery& list = data.MainQuery();
    list.Open();
    ListExportSource source(list, RegisterExportColumns());
    TfrmSaveRep dialog(source, QStringLiteral("Списък"), QString(), QString(),
                       userFolder_.filePath(QStringLiteral("views.ini")), QStringLiteral("clerk"));
    ExpectAllNamed(dialog, "експортът");
  }
};

QTEST_MAIN(TestAccessibleNames)
#include "test_accessible_names.moc"
