// Taking over a register kept by an older program, end to end: a register made from the data
// model's table definitions alone and filled in the old conventions is backed up with gbak,
// adopted (and from its database file too), converted to euro, then opened, searched, ranked
// and saved by the program. Adoptions that cannot keep every value stop and leave nothing.
#include <QCryptographicHash>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "admin_exit.h"
#include "admin_process.h"
#include "backup_command.h"
#include "card/card_save.h"
#include "card_forms.h"
#include "classification/ranking_criteria.h"
#include "classification/ranking_progress.h"
#include "classification/refresh_classifications.h"
#include "classification/store_ranking_places.h"
#include "data/data_module.h"
#include "data/firebird/database.h"
#include "data/firebird/statement.h"
#include "data/register_settings.h"
#include "data/schema/sql_script.h"
#include "recording_messages.h"
#include "register/register_tabs.h"
#include "search/search_condition.h"

namespace {
QString ScriptText(const QString& name) {
  QFile file(QStringLiteral(TESARO_OLD_REGISTER_DIR "/") + name);
  if (!file.open(QIODevice::ReadOnly)) qFatal("The old register's script %s is missing", qPrintable(name));
  return QString::fromUtf8(file.readAll());
}

// The older register at `path`, made from its two scripts, then `changes` (statements run on it).
void MakeOldRegister(const QString& path, const QStringList& changes = {}) {
  Database database;
  database.Create({path, QStringLiteral("SYSDBA"), {}});
  QStringList statements = SplitSqlScript(ScriptText(QStringLiteral("old_schema.sql")));
  statements += SplitSqlScript(ScriptText(QStringLiteral("old_fill.sql")));
  statements += changes;
  for (const QString& statement : statements) {
    database.ExecuteImmediate(statement);
    database.DefaultTransaction().Commit();
  }
  database.Detach();
}

QString BackUp(const QString& database, const QString& backup) {
  QString said;
  QTextStream err(&said);
  if (!RunGbak({QStringLiteral("-b"), database, backup}, {database, QStringLiteral("SYSDBA"), {}}, err)) {
    err.flush();
    return said;
  }
  return {};
}

QByteArray Digest(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

QVariant Scalar(const QString& path, const QString& sql) {
  Database database;
  database.Attach({path, QStringLiteral("SYSDBA"), {}});
  Statement query(database, sql);
  return query.ScalarValue();
}

QList<int> Found(TDataModule1& data, const SearchCriteria& criteria) {
  const SearchOutcome outcome = BuildSearch(criteria, [&data](const QString& list, const QString& name) {
    return data.NomCodeOf(list, name);
  });
  data.MainQuery().Close();
  data.MainQuery().SetCondition(outcome.condition);
  data.MainQuery().Open();
  QList<int> found;
  for (int row = 0; row < data.MainQuery().RowCount(); ++row)
    found << data.MainQuery().Value(row, QStringLiteral("REG_NUM")).toInt();
  std::sort(found.begin(), found.end());
  return found;
}
}  // namespace

class TestAdoptOldRegister : public QObject {
  Q_OBJECT
  QTemporaryDir dir_;
  QString oldDatabase_;
  QString backup_;

  QString Path(const QString& name) const { return dir_.filePath(name); }

 private slots:
  void initTestCase() {
    oldDatabase_ = Path(QStringLiteral("old.gdb"));
    backup_ = Path(QStringLiteral("old.gbk"));
    MakeOldRegister(oldDatabase_);
    const QString failed = BackUp(oldDatabase_, backup_);
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
  }

  void adoptsConvertsAndWorksWithTheOldRegister() {
    const QByteArray before = Digest(backup_);
    const QString adopted = Path(QStringLiteral("adopted.fdb"));
    const QString report = Path(QStringLiteral("adoption.pdf"));
    AdminRun run = RunAdmin({QStringLiteral("adopt"), backup_, adopted, QStringLiteral("--report"), report});
    QVERIFY2(run.exitCode == kExitOk, qPrintable(run.err + run.out));
    QCOMPARE(Digest(backup_), before);
    for (const char* said : {"Картони: 300", "Членове: 752", "Редове в историята на действията: 3",
                             "Добавен тригер RGS_CARD_BI.", "Добавен генератор GEN_RGS_PERSON_ID.",
                             "Направен индекс RGS_PERSON_EGN на RGS_PERSON (EGN).",
                             "Направен уникален индекс UQ_USERS_NAME на USERS (NAME).",
                             "Добавена колона USERS.FULL_NAME VARCHAR(100)",
                             "Колоната RGS_CARD.REASON_COMMENT е разширена от VARCHAR(200) на VARCHAR(250)",
                             "Колоната NOM.NAST_VID_APART е разширена от VARCHAR(50) на VARCHAR(100)",
                             "Колоната USERS.PASS (VARCHAR(20)) не е на програмата; оставена е",
                             "Индексът PK_USERS на USERS (USER_ID) е под името RDB$PRIMARY",
                             "Генераторът GEN_RGS_CARD_ID е преместен от 5 на 300",
                             "Добавени редове 9 с началните номенклатури", "Грешен в 23 картона",
                             "Картони без титуляр (не се виждат в списъка): 1", "Рег. номер 1050",
                             "Рег. номер 1100: 2 титуляри", "Останал без картон (ключ 752, картон 9999)",
                             "Рег. номер 1077: Титуляр 77 Георгиев, ЕГН „7713450000“",
                             "RGS_CARD.L_DATA = 7 (номенклатура LDATA), редове: 1",
                             "Рег. номер 1150: LASTDEK_DATE = 01.01.2031", "Сумите са в лева",
                             "Регистърът е приет: "})
      QVERIFY2(run.out.contains(QString::fromUtf8(said)), qPrintable(QString::fromUtf8(said) + u'\n' + run.out));
    QVERIFY(QFile(report).size() > 1000);
    QFile pdf(report);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5) == "%PDF-");
    QCOMPARE(QFile::permissions(adopted) & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());
    QCOMPARE(Scalar(adopted, QStringLiteral("select count(*) from RGS_CARD C where C.FAMILY_MEMBER_COUNT <> "
                                            "(select count(*) from RGS_PERSON P where P.CARD_ID = C.CARD_ID)")).toInt(), 0);

    const double perPersonInLeva = Scalar(adopted, QStringLiteral("select INCOME_PER_PERSON from RGS_CARD where REG_NUM = 1010")).toDouble();
    run = RunAdmin({QStringLiteral("euro"), adopted});
    QVERIFY2(run.exitCode == kExitOk, qPrintable(run.err + run.out));
    // Card 1150's declaration is dated after the euro came: its amounts are euro already.
    QVERIFY2(run.out.contains(QStringLiteral("в 299 картона")), qPrintable(run.out));
    QVERIFY2(run.out.contains(QStringLiteral("Рег. номер 1150: декларация от 01.01.2031")), qPrintable(run.out));
    run = RunAdmin({QStringLiteral("euro"), adopted});
    QVERIFY2(run.exitCode == kExitOk && run.out.contains(QStringLiteral("вече са в евро")), qPrintable(run.out));

    RecordingMessages messages;
    TDataModule1 data;
    data.Connect({adopted, QStringLiteral("SYSDBA"), {}});
    data.SetCurrentUser(QStringLiteral("admin"), 1);
    QVERIFY(AmountsConvertedToEuro(data));
    data.MainQuery().Open();
    QCOMPARE(data.MainQuery().RowCount(), 300);  // 1050 without a holder is missing, 1100 is there twice

    SearchCriteria byName;
    byName.SetTicked(2, true);
    byName.sName = QStringLiteral("Титуляр 77 ");
    QCOMPARE(Found(data, byName), (QList<int>{1077}));
    SearchCriteria byIncome;
    byIncome.SetTicked(19, true);
    const QString euro = QString::number(std::round(perPersonInLeva / 1.95583 * 100) / 100, 'f', 2);
    byIncome.sIncFrom = euro;
    byIncome.sIncTo = euro;
    QVERIFY(Found(data, byIncome).contains(1010));

    NoRankingProgress progress;
    RefreshAllClassifications(data, progress);
    RegisterTabs tabs(data);
    tabs.OpenAtStart();
    tabs.RankingOrder = RankingCriteriaList().OrderText();
    QVERIFY(tabs.ShowThirdTab(RegisterTabs::kRankingCaption));
    const int ranked = data.MainQuery().RowCount();
    QVERIFY2(ranked > 100, qPrintable(QString::number(ranked)));
    QCOMPARE(StoreRankingPlaces(data, progress), ranked);
    QCOMPARE(Scalar(data, QStringLiteral("select count(*) from RGS_CARD where CLASSINFO like '%място%'")).toInt(), ranked);

    CardForm form = NewForm(data);
    const SaveOutcome saved = SaveCard(data, form, 0, true, 0, {}, nullptr);
    QVERIFY2(saved.saved, qPrintable(messages.Texts().join(u'\n')));
    QCOMPARE(saved.cardId, 301);
    QCOMPARE(saved.regNum, QStringLiteral("1301"));
    QCOMPARE(Scalar(data, QStringLiteral("select FAMILY_MEMBER_COUNT from RGS_CARD where CARD_ID = 301")).toInt(), 3);
    QVERIFY(Scalar(data, QStringLiteral("select min(PERSON_ID) from RGS_PERSON where CARD_ID = 301")).toInt() > 752);

    Editing editing = Load(data, 10);
    editing.form.ebAdress = QStringLiteral("гр. Старопланинск, ул. Нова 1");
    QVERIFY(SaveCard(data, editing.form, 1, true, 10, editing.remembered, nullptr).saved);
    data.Disconnect();
  }

  // A database file (not only a backup) is adopted from a copy: not one byte of it changes.
  void adoptsFromTheDatabaseFileLeavingItAsItWas() {
    const QByteArray before = Digest(oldDatabase_);
    const QString adopted = Path(QStringLiteral("from_database.fdb"));
    const AdminRun run = RunAdmin({QStringLiteral("adopt"), oldDatabase_, adopted, QStringLiteral("--euro")});
    QVERIFY2(run.exitCode == kExitOk, qPrintable(run.err + run.out));
    QCOMPARE(Digest(oldDatabase_), before);
    QVERIFY2(run.out.contains(QStringLiteral("Сумите са превърнати в евро")), qPrintable(run.out));
    QCOMPARE(Scalar(adopted, QStringLiteral("select count(*) from INF_LOG where TYPE_T = 'RGS_CARD' and USER_ID = 0")).toInt(), 299);

    // Adopted once more, a register already in euro is said to be so, not to be in leva.
    const AdminRun again = RunAdmin({QStringLiteral("adopt"), adopted, Path(QStringLiteral("again.fdb"))});
    QVERIFY2(again.exitCode == kExitOk, qPrintable(again.err + again.out));
    QVERIFY2(again.out.contains(QStringLiteral("Сумите в регистъра вече са в евро.")), qPrintable(again.out));
  }

  // What cannot be adopted without changing a value stops with what to do, and leaves no file.
  void refusesWhatWouldChangeValues_data() {
    QTest::addColumn<QStringList>("changes");
    QTest::addColumn<QString>("said");
    QTest::newRow("duplicate registration numbers") << QStringList{
        QStringLiteral("DROP INDEX RGS_CARD_IDX1"), QStringLiteral("UPDATE RGS_CARD SET REG_NUM = 1002 WHERE REG_NUM = 1003")}
        << QStringLiteral("повтарят се 1002 (2 пъти)");
    QTest::newRow("a column of another type") << QStringList{
        QStringLiteral("ALTER TABLE RGS_CARD DROP INCOME"), QStringLiteral("ALTER TABLE RGS_CARD ADD INCOME VARCHAR(20)")}
        << QStringLiteral("Колоната RGS_CARD.INCOME е VARCHAR(20), а програмата очаква DOUBLE PRECISION");
    QTest::newRow("a required column missing") << QStringList{QStringLiteral("ALTER TABLE RGS_CARD DROP ADD_USER")}
        << QStringLiteral("Липсва задължителната колона RGS_CARD.ADD_USER");
  }
  void refusesWhatWouldChangeValues() {
    QFETCH(QStringList, changes);
    QFETCH(QString, said);
    QTemporaryDir folder;
    const QString source = folder.filePath(QStringLiteral("odd.gdb"));
    MakeOldRegister(source, changes);
    const QString adopted = folder.filePath(QStringLiteral("adopted.fdb"));
    const AdminRun run = RunAdmin({QStringLiteral("adopt"), source, adopted});
    QCOMPARE(run.exitCode, kExitFailure);
    QVERIFY2(run.err.contains(said), qPrintable(run.err));
    QVERIFY2(run.err.contains(QStringLiteral("е премахнат")), qPrintable(run.err));
    QVERIFY(!QFile::exists(adopted));
  }

  // A database in dialect 3 keeps dates without their time of day: it is refused, not converted.
  void refusesAnotherDialect() {
    QTemporaryDir folder;
    const QString source = folder.filePath(QStringLiteral("dialect3.gdb"));
    MakeOldRegister(source);
    QProcess gfix;
    gfix.start(QStandardPaths::findExecutable(QStringLiteral("gfix")),
               {QStringLiteral("-sql_dialect"), QStringLiteral("3"), QStringLiteral("-user"), QStringLiteral("SYSDBA"),
                source});
    QVERIFY(gfix.waitForFinished(60000));
    QVERIFY2(gfix.exitCode() == 0, gfix.readAllStandardError().constData());
    const QString adopted = folder.filePath(QStringLiteral("adopted.fdb"));
    const AdminRun run = RunAdmin({QStringLiteral("adopt"), source, adopted});
    QCOMPARE(run.exitCode, kExitFailure);
    QVERIFY2(run.err.contains(QStringLiteral("Базата е в SQL диалект 3")), qPrintable(run.err));
    QVERIFY(!QFile::exists(adopted));
  }

  void neverOverwritesARegister() {
    const QString existing = Path(QStringLiteral("existing.fdb"));
    QFile file(existing);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("mine");
    file.close();
    const AdminRun run = RunAdmin({QStringLiteral("adopt"), backup_, existing});
    QCOMPARE(run.exitCode, kExitFailure);
    QVERIFY(run.err.contains(QStringLiteral("вече съществува")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("mine"));
  }
};

QTEST_GUILESS_MAIN(TestAdoptOldRegister)
#include "test_adopt_old_register.moc"
