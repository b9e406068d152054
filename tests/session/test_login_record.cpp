// The login record's layout: every text field at its offset in code page 1251, cut to its space
// without touching its neighbours, the two counts, and the list slots that stay zero.
#include <QtTest>

#include "data/firebird/db_error.h"
#include "session/login_record.h"

namespace {
using Setter = void (TLogInfoRec::*)(const QString&);
using Getter = QString (TLogInfoRec::*)() const;

struct Field {
  Setter set;
  Getter get;
};

QByteArray Raw(const TLogInfoRec& record, int offset, int length) {
  return QByteArray(reinterpret_cast<const char*>(record.Data()) + offset, length);
}

bool AllZeroOutside(const TLogInfoRec& record, int offset, int space) {
  for (int i = 0; i < TLogInfoRec::kSize; ++i)
    if ((i < offset || i >= offset + space) && record.Data()[i] != 0) return false;
  return true;
}
}  // namespace

Q_DECLARE_METATYPE(Field)

class TestLoginRecord : public QObject {
  Q_OBJECT
 private slots:
  void startsZeroFilled() {
    TLogInfoRec record;
    QVERIFY(AllZeroOutside(record, 0, 0));
    QCOMPARE(record.UsersListLength(), 0);
  }

  void textFields_data() {
    QTest::addColumn<Field>("field");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("space");
    QTest::newRow("database path") << Field{&TLogInfoRec::SetDatabasePath, &TLogInfoRec::DatabasePath} << 0 << 251;
    QTest::newRow("text 251") << Field{&TLogInfoRec::SetText251, &TLogInfoRec::Text251} << 251 << 251;
    QTest::newRow("database user") << Field{&TLogInfoRec::SetDatabaseUser, &TLogInfoRec::DatabaseUser} << 502 << 51;
    QTest::newRow("database password") << Field{&TLogInfoRec::SetDatabasePassword, &TLogInfoRec::DatabasePassword}
                                       << 553 << 55;
    QTest::newRow("user name") << Field{&TLogInfoRec::SetUserName, &TLogInfoRec::UserName} << 608 << 51;
    QTest::newRow("user login") << Field{&TLogInfoRec::SetUserLogin, &TLogInfoRec::UserLogin} << 659 << 101;
    QTest::newRow("rights group") << Field{&TLogInfoRec::SetRightsGroup, &TLogInfoRec::RightsGroup} << 761 << 1155;
  }
  void textFields() {
    QFETCH(Field, field);
    QFETCH(int, offset);
    QFETCH(int, space);
    TLogInfoRec record;
    (record.*field.set)(QStringLiteral("Иван O'Neil"));
    // One length byte, then code page 1251: И=C8 в=E2 а=E0 н=ED.
    QCOMPARE(Raw(record, offset, 12), QByteArray("\x0b\xc8\xe2\xe0\xed O'Neil", 12));
    QVERIFY(AllZeroOutside(record, offset, space));
    QCOMPARE((record.*field.get)(), QStringLiteral("Иван O'Neil"));

    // A text longer than the space is cut to it; the next field stays untouched. A short
    // string never holds more than 255 characters, whatever the space.
    const int capacity = qMin(space - 1, 255);
    (record.*field.set)(QString(400, u'Я'));
    QCOMPARE(int(record.Data()[offset]), capacity);
    QCOMPARE(Raw(record, offset + 1, capacity), QByteArray(capacity, '\xdf'));
    QVERIFY(AllZeroOutside(record, offset, space));
    QCOMPARE((record.*field.get)(), QString(capacity, u'Я'));

    // A shorter text after a longer one leaves nothing of it behind.
    (record.*field.set)(QStringLiteral("ab"));
    QCOMPARE(Raw(record, offset, 4), QByteArray("\x02"
                                                "ab\0",
                                                4));
    QCOMPARE((record.*field.get)(), QStringLiteral("ab"));
  }

  void readingNeverPassesTheSpace() {
    // A library that writes a length byte larger than the field's space.
    TLogInfoRec record;
    record.Data()[608] = 200;
    for (int i = 609; i < 761; ++i) record.Data()[i] = 'x';
    QCOMPARE(record.UserName(), QString(50, u'x'));
  }

  void refusesTextOutsideTheCodePage() {
    TLogInfoRec record;
    QVERIFY_THROWS_EXCEPTION(DbError, record.SetUserName(QStringLiteral("東京")));
    QCOMPARE(int(record.Data()[608]), 0);
  }

  void countsAndListSlots() {
    TLogInfoRec record;
    record.SetUsersCount(-1);
    record.SetRightsCount(0x01020304);
    QCOMPARE(Raw(record, 1916, 4), QByteArray("\xff\xff\xff\xff", 4));
    QCOMPARE(Raw(record, 1924, 4), QByteArray("\x04\x03\x02\x01", 4));  // this platform is little-endian
    QCOMPARE(record.UsersCount(), -1);
    QCOMPARE(record.RightsCount(), 0x01020304);
    QCOMPARE(Raw(record, 1920, 4), QByteArray(4, '\0'));
    QCOMPARE(Raw(record, 1928, 4), QByteArray(4, '\0'));

    record.ResizeUsersList(3);
    record.ResizeRightsList(2);
    QCOMPARE(record.UsersListLength(), 3);
    QCOMPARE(record.RightsListLength(), 2);
    QCOMPARE(record.UsersElement(2), QByteArray(108, '\0'));
    QCOMPARE(record.RightsElement(1), QByteArray(255, '\0'));
    QVERIFY(record.UsersElement(3).isEmpty());

    record.SetUserName(QStringLiteral("x"));
    record.Clear();
    QVERIFY(AllZeroOutside(record, 0, 0));
    QCOMPARE(record.UsersListLength(), 0);
  }
};

QTEST_GUILESS_MAIN(TestLoginRecord)
#include "test_login_record.moc"
