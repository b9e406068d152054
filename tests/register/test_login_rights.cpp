// Rights levels from the rights group and the test each command makes of the level.
#include <QtTest>

#include "recording_messages.h"
#include "register/rights.h"

class TestLoginRights : public QObject {
  Q_OBJECT
 private slots:
  void levelsAndCommands_data() {
    QTest::addColumn<QString>("group");
    QTest::addColumn<int>("level");
    // register, rank, compare names, edit cards, settings, correct EGN
    QTest::addColumn<QString>("allowed");
    QTest::newRow("USER1") << "USER1" << 1 << "RKNESG";
    QTest::newRow("USER2") << "USER2" << 2 << "RKNE-G";
    QTest::newRow("USER3") << "USER3" << 3 << "RK----";
    QTest::newRow("USER4") << "USER4" << 4 << "R-----";
    QTest::newRow("USER6") << "USER6" << 6 << "------";
    QTest::newRow("USER5 is no group") << "USER5" << 0 << "RKNE-G";
    QTest::newRow("empty") << "" << 0 << "RKNE-G";
    QTest::newRow("lower case") << "user1" << 0 << "RKNE-G";
    QTest::newRow("trailing blank") << "USER1 " << 0 << "RKNE-G";
  }
  void levelsAndCommands() {
    QFETCH(QString, group);
    QFETCH(int, level);
    QFETCH(QString, allowed);
    QCOMPARE(RightsLevelOf(group), level);
    const QString actual = QString(CanRegister(level) ? u'R' : u'-') + (CanRank(level) ? u'K' : u'-') +
                           (CanCompareNames(level) ? u'N' : u'-') + (CanEditCards(level) ? u'E' : u'-') +
                           (CanEditSettings(level) ? u'S' : u'-') + (CanCorrectEgn(level) ? u'G' : u'-');
    QCOMPARE(actual, allowed);
  }

  void levelFiveMayRegisterOnly() {
    QVERIFY(CanRegister(5));
    QVERIFY(!CanRank(5));
    QVERIFY(!CanEditCards(5));
  }

  void refusalMessage() {
    RecordingMessages messages;
    ShowNoRightsMessage(nullptr);
    QCOMPARE(messages.shown.size(), size_t(1));
    QCOMPARE(messages.shown[0].text, QStringLiteral("Потребителят не разполага с достатъчно права"));
    QCOMPARE(messages.shown[0].caption, QStringLiteral("Грешка"));
    QCOMPARE(messages.shown[0].buttons, MessageButtons::Ok);
  }
};

QTEST_MAIN(TestLoginRights)
#include "test_login_rights.moc"
