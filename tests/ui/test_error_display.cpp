// The general error display: an exception thrown by an event handler is shown with its own
// text (the server's message for database errors) and the program goes on.
#include <QPushButton>
#include <QtTest>

#include "core/error_display.h"
#include "data/firebird/database.h"
#include "recording_messages.h"
#include "ui/tesaro_application.h"

class TestErrorDisplay : public QObject {
  Q_OBJECT
 private slots:
  void errorsFromHandlersAreShownWithTheirOwnText() {
    RecordingMessages messages;
    QPushButton button;
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] {
      ++clicks;
      if (clicks == 1) {
        ConnectionParams missing;
        missing.path = QStringLiteral("/no/such/register.fdb");
        Database db;
        db.Attach(missing);  // fails with the server's own text
      }
      throw std::runtime_error("plain failure");
    });
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(clicks, 2);
    QCOMPARE(messages.shown.size(), size_t(2));
    QVERIFY2(messages.shown[0].text.contains(QStringLiteral("/no/such/register.fdb")), qPrintable(messages.shown[0].text));
    QCOMPARE(messages.shown[0].caption, QStringLiteral("Грешка"));
    QCOMPARE(messages.shown[0].icon, MessageIcon::Error);
    QCOMPARE(messages.shown[1].text, QStringLiteral("plain failure"));
  }
};

int main(int argc, char** argv) {
  TesaroApplication app(argc, argv);
  TestErrorDisplay test;
  return QTest::qExec(&test, argc, argv);
}
#include "test_error_display.moc"
