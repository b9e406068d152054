// Loading the login library by name and calling it as the sign-in requires, against stand-in
// libraries that trace every call they receive.
#include <dlfcn.h>

#include <QtTest>

#include "data/firebird/cp1251.h"
#include "session/library_login.h"
#include "session/login_record.h"

namespace {
void SetEnv(const char* name, const QString& value) { qputenv(name, value.toLocal8Bit()); }

// Every line of the trace, split into its fields, texts decoded from code page 1251.
QList<QStringList> ReadTrace(const QString& path) {
  QFile file(path);
  QList<QStringList> lines;
  if (!file.open(QIODevice::ReadOnly)) return lines;
  for (const QByteArray& line : file.readAll().split('\n')) {
    if (line.isEmpty()) continue;
    QStringList fields;
    for (const QByteArray& field : line.split('\t')) fields << DecodeCp1251(field);
    lines << fields;
  }
  return lines;
}

QStringList CallNames(const QList<QStringList>& trace) {
  QStringList names;
  for (const QStringList& line : trace) names << line.first();
  return names;
}

bool IsLoaded(const char* path) {
  void* handle = dlopen(path, RTLD_LAZY | RTLD_NOLOAD);
  if (handle) dlclose(handle);
  return handle != nullptr;
}

QString ShortStringIn(const QByteArray& element) {
  return QString::fromLatin1(element.mid(1, static_cast<unsigned char>(element.at(0))));
}
}  // namespace

class TestLoginLibrary : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString trace_;

 private slots:
  void init() {
    trace_ = dir_.filePath(QStringLiteral("trace-%1.txt").arg(QTest::currentTestFunction()));
    QFile::remove(trace_);
    SetEnv("LOGIN_PROBE_TRACE", trace_);
    SetEnv("TESARO_LOGIN_LIBRARY", QStringLiteral(LOGIN_PROBE));
    for (const char* name : {"LOGIN_PROBE_RESULT", "LOGIN_PROBE_USERS", "LOGIN_PROBE_RIGHTS", "LOGIN_PROBE_THROW"})
      qunsetenv(name);
  }

  void signInCallsInOrderWithItsArguments() {
    SetEnv("LOGIN_PROBE_USERS", QStringLiteral("3"));
    SetEnv("LOGIN_PROBE_RIGHTS", QStringLiteral("2"));
    TLogInfoRec record;
    QVERIFY(LibraryLogin(QStringLiteral("Tesaro"), QStringLiteral("ZIRE"), 1, 1, record, 77));

    const QList<QStringList> trace = ReadTrace(trace_);
    QCOMPARE(CallNames(trace), (QStringList{"SetClientNames", "ExternalLogin", "GetUserRights", "GetAppUsersList"}));
    QCOMPARE(trace[0], (QStringList{"SetClientNames", "(null)", "(null)"}));
    // Window, application code, database identifier, the two flags, and both counts at -1.
    QCOMPARE(trace[1], (QStringList{"ExternalLogin", "77", "Tesaro", "ZIRE", "1", "1", "-1", "-1"}));

    // Each list sized to its count; the library wrote every element.
    QCOMPARE(record.RightsListLength(), 2);
    QCOMPARE(record.UsersListLength(), 3);
    for (int i = 0; i < 2; ++i) {
      QCOMPARE(ShortStringIn(record.RightsElement(i)), QStringLiteral("R%1").arg(i));
      QCOMPARE(uchar(record.RightsElement(i).at(254)), uchar(0xA5));
    }
    for (int i = 0; i < 3; ++i) {
      QCOMPARE(ShortStringIn(record.UsersElement(i)), QStringLiteral("U%1").arg(i));
      QCOMPARE(uchar(record.UsersElement(i).at(107)), uchar(0x5A));
    }
    // The record's own list slots stay zero; the library is unloaded again.
    for (int offset : {1920, 1928})
      QCOMPARE(QByteArray(reinterpret_cast<const char*>(record.Data()) + offset, 4), QByteArray(4, '\0'));
    QVERIFY(!IsLoaded(LOGIN_PROBE));
  }

  void listsAskedForOnlyWhenCounted_data() {
    QTest::addColumn<QString>("users");  // empty: the library leaves the count at -1
    QTest::addColumn<QString>("rights");
    QTest::addColumn<QStringList>("calls");
    QTest::newRow("both left at -1") << ""
                                     << "" << QStringList{"SetClientNames", "ExternalLogin"};
    QTest::newRow("both 0") << "0"
                            << "0" << QStringList{"SetClientNames", "ExternalLogin"};
    QTest::newRow("users only") << "1"
                                << "0" << QStringList{"SetClientNames", "ExternalLogin", "GetAppUsersList"};
    QTest::newRow("rights only") << ""
                                 << "4" << QStringList{"SetClientNames", "ExternalLogin", "GetUserRights"};
  }
  void listsAskedForOnlyWhenCounted() {
    QFETCH(QString, users);
    QFETCH(QString, rights);
    QFETCH(QStringList, calls);
    if (!users.isEmpty()) SetEnv("LOGIN_PROBE_USERS", users);
    if (!rights.isEmpty()) SetEnv("LOGIN_PROBE_RIGHTS", rights);
    TLogInfoRec record;
    QVERIFY(LibraryLogin(QStringLiteral("Tesaro"), QStringLiteral("ZIRE"), 1, 1, record, 0));
    QCOMPARE(CallNames(ReadTrace(trace_)), calls);
    QCOMPARE(record.UsersListLength(), qMax(0, users.toInt()));
    QCOMPARE(record.RightsListLength(), qMax(0, rights.toInt()));
  }

  void refusedSignIn() {
    SetEnv("LOGIN_PROBE_RESULT", QStringLiteral("0"));
    TLogInfoRec record;
    QVERIFY(!LibraryLogin(QStringLiteral("Tesaro"), QStringLiteral("ZIRE"), 1, 1, record, 0));
    QCOMPARE(CallNames(ReadTrace(trace_)), (QStringList{"SetClientNames", "ExternalLogin"}));
  }

  void missingEntryPointRefusesWithoutCalls_data() {
    QTest::addColumn<QString>("library");
    QTest::newRow("ExternalLogin") << LOGIN_PROBE_NO_LOGIN;
    QTest::newRow("GetUserRights") << LOGIN_PROBE_NO_RIGHTS;
    QTest::newRow("GetAppUsersList") << LOGIN_PROBE_NO_USERS;
    QTest::newRow("SetClientNames") << LOGIN_PROBE_NO_CLIENT_NAMES;
  }
  void missingEntryPointRefusesWithoutCalls() {
    QFETCH(QString, library);
    SetEnv("TESARO_LOGIN_LIBRARY", library);
    TLogInfoRec record;
    QVERIFY(!LibraryLogin(QStringLiteral("Tesaro"), QStringLiteral("ZIRE"), 1, 1, record, 0));
    QVERIFY(ReadTrace(trace_).isEmpty());
    QVERIFY(!IsLoaded(library.toLocal8Bit().constData()));
  }

  void missingLibrary() {
    qunsetenv("TESARO_LOGIN_LIBRARY");
    const QString local = QCoreApplication::applicationDirPath() + QStringLiteral("/libVlmLogin.so");
    QVERIFY2(!QFile::exists(local), qPrintable(local));
    QLibrary installed(QStringLiteral("VlmLogin"));
    if (installed.load()) {
      installed.unload();
      QSKIP("a libVlmLogin.so is installed on this system");
    }
    TLogInfoRec record;
    try {
      LibraryLogin(QStringLiteral("Tesaro"), QStringLiteral("ZIRE"), 1, 1, record, 0);
      QFAIL("no error for a missing library");
    } catch (const LoginLibraryError& error) {
      QCOMPARE(error.Message(), QStringLiteral("Missing libVlmLogin.so."));
    }
    // The password change ignores a missing library.
    LibraryChangePassword(QStringLiteral("Tesaro"), QString(), QStringLiteral("иван"), QStringLiteral("t"), 0);
  }

  void namedLibraryMissing() {
    SetEnv("TESARO_LOGIN_LIBRARY", dir_.filePath(QStringLiteral("няма.so")));
    TLogInfoRec record;
    QVERIFY_THROWS_EXCEPTION(LoginLibraryError,
                             LibraryLogin(QStringLiteral("Tesaro"), QStringLiteral("ZIRE"), 1, 1, record, 0));
  }

  void programFolderComesFirst() {
    qunsetenv("TESARO_LOGIN_LIBRARY");
    const QString local = QCoreApplication::applicationDirPath() + QStringLiteral("/libVlmLogin.so");
    QVERIFY(QFile::copy(QStringLiteral(LOGIN_PROBE), local));
    const auto cleanup = qScopeGuard([&] { QFile::remove(local); });
    TLogInfoRec record;
    QVERIFY(LibraryLogin(QStringLiteral("Tesaro"), QStringLiteral("ZIRE"), 1, 1, record, 0));
    QCOMPARE(CallNames(ReadTrace(trace_)), (QStringList{"SetClientNames", "ExternalLogin"}));
  }

  void unloadedAlsoWhenACallThrows() {
    SetEnv("LOGIN_PROBE_THROW", QStringLiteral("1"));
    TLogInfoRec record;
    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                             LibraryLogin(QStringLiteral("Tesaro"), QStringLiteral("ZIRE"), 1, 1, record, 0));
    QVERIFY(!IsLoaded(LOGIN_PROBE));
  }

  void impossibleListSizeIsAnError() {
    SetEnv("LOGIN_PROBE_USERS", QStringLiteral("2000000000"));
    TLogInfoRec record;
    QVERIFY_THROWS_EXCEPTION(LoginLibraryError,
                             LibraryLogin(QStringLiteral("Tesaro"), QStringLiteral("ZIRE"), 1, 1, record, 0));
    QCOMPARE(record.UsersListLength(), 0);
  }

  void passwordChangePassesItsTexts() {
    LibraryChangePassword(QStringLiteral("Tesaro"), QStringLiteral("/път/login.ini"), QStringLiteral("иван"),
                          QStringLiteral("Velmora Tesaro"), 4242);
    QCOMPARE(ReadTrace(trace_),
             (QList<QStringList>{{"ExternalChangePWD", "4242", "Tesaro", "/път/login.ini", "иван", "Velmora Tesaro"}}));
    QVERIFY(!IsLoaded(LOGIN_PROBE));
  }

  void passwordChangeWithoutEntryPointIsIgnored() {
    SetEnv("TESARO_LOGIN_LIBRARY", QStringLiteral(LOGIN_PROBE_NO_CHANGE));
    LibraryChangePassword(QStringLiteral("Tesaro"), QString(), QStringLiteral("иван"), QStringLiteral("t"), 0);
    QVERIFY(ReadTrace(trace_).isEmpty());
  }
};

QTEST_GUILESS_MAIN(TestLoginLibrary)
#include "test_login_library.moc"
