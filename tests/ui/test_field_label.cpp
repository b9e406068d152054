// A caption tied to its control: the name a screen reader says, and Alt with the caption's
// letter moving to the control.
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include "ui/field_label.h"

class FieldLabelTest : public QObject {
  Q_OBJECT

 private slots:
  void nameOfACaption_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("name");
    QTest::newRow("mark and colon") << QStringLiteral("&Община:") << QStringLiteral("Община");
    QTest::newRow("mark inside") << QStringLiteral("Сп&равки") << QStringLiteral("Справки");
    QTest::newRow("shown ampersand") << QStringLiteral("Ред && ключ") << QStringLiteral("Ред & ключ");
    QTest::newRow("colon and blanks") << QStringLiteral("Наст. заповед № :") << QStringLiteral("Наст. заповед №");
    QTest::newRow("inner colon stays") << QStringLiteral("По брой деца до 18 год.:   от")
                                       << QStringLiteral("По брой деца до 18 год.: от");
    QTest::newRow("no colon") << QStringLiteral("Соц. група") << QStringLiteral("Соц. група");
  }

  void nameOfACaption() {
    QFETCH(QString, caption);
    QFETCH(QString, name);
    QCOMPARE(AccessibleNameOf(caption), name);
  }

  void labelledFieldTakesTheNameAndTheLetter() {
    QWidget window;
    auto* other = new QLineEdit(&window);
    auto* label = new QLabel(QStringLiteral("&Служба:"), &window);
    auto* field = new QLineEdit(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(other);
    layout->addWidget(label);
    layout->addWidget(field);
    QCOMPARE(LabelField(label, field), label);
    QCOMPARE(field->accessibleName(), QStringLiteral("Служба"));
    QCOMPARE(label->text(), QStringLiteral("&Служба:"));  // the caption itself is unchanged
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    QTest::sendKeyEvent(QTest::Click, other, static_cast<Qt::Key>(QChar(u'С').unicode()), QStringLiteral("С"),
                        Qt::AltModifier);
    QTRY_VERIFY(field->hasFocus());
  }
};

QTEST_MAIN(FieldLabelTest)
#include "test_field_label.moc"
