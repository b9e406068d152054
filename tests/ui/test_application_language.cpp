// The application object makes the program Bulgarian: dates and numbers in the Bulgarian form,
// Qt's own buttons and dialogs translated, and no name of its own added to the captions.
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "ui/tesaro_application.h"

class TestApplicationLanguage : public QObject {
  Q_OBJECT
 private slots:
  void localeIsBulgarian() {
    QCOMPARE(QLocale().language(), QLocale::Bulgarian);
    QCOMPARE(QLocale().toString(2.5, 'f', 1), QStringLiteral("2,5"));
    QCOMPARE(QLocale().monthName(12), QStringLiteral("декември"));
  }

  void qtDialogsSpeakBulgarian() {
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Save);
    QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text().remove(u'&'), QStringLiteral("Отказ"));
    QCOMPARE(buttons.button(QDialogButtonBox::Save)->text().remove(u'&'), QStringLiteral("Запазване"));

    // Qt's own file dialog (the one used where no desktop dialog is available).
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) labels << label->text();
    QVERIFY2(labels.contains(QStringLiteral("Преглед на:")), qPrintable(labels.join(u'|')));
  }

  // A display name would be added by the desktop to every caption ("Грешка — …").
  void noDisplayNameAddedToCaptions() {
    QCOMPARE(QGuiApplication::applicationDisplayName(), QGuiApplication::applicationName());
    QCOMPARE(QGuiApplication::applicationName(), QStringLiteral("Tesaro"));
  }
};

int main(int argc, char** argv) {
  TesaroApplication app(argc, argv);
  TestApplicationLanguage test;
  return QTest::qExec(&test, argc, argv);
}
#include "test_application_language.moc"
