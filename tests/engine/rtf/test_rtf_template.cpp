// The RTF template engine: escaping of values, fields found when an editor split them across
// groups and runs, fields in hidden destinations left alone, a template saved in the Cyrillic
// code page (escapes and raw bytes, tests/engine/rtf/cyrillic_1251.rtf), the engine's contract (a second
// value of one name, missing template, replacing the result, failing to open it).
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "core/desktop.h"
#include "engine/rtf/rtf_escape.h"
#include "engine/rtf/rtf_fields.h"
#include "engine/rtf/rtf_template.h"

namespace {
QByteArray Doc(const QByteArray& body) {
  return "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}}"
         "{\\info{\\title <<title>>}}\n" + body + "}";
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

QByteArray ReadFile(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}
}  // namespace

class TestRtfTemplate : public QObject {
  Q_OBJECT

 private slots:
  void escapesValues_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("rtf");
    QTest::newRow("plain") << QStringLiteral("Abc 12") << QByteArray("Abc 12");
    QTest::newRow("backslash and braces") << QStringLiteral("a\\b{c}") << QByteArray("a\\\\b\\{c\\}");
    QTest::newRow("an attempt at a control word") << QStringLiteral("}\\par{\\b x") << QByteArray("\\}\\\\par\\{\\\\b x");
    QTest::newRow("cyrillic") << QStringLiteral("Жк") << QByteArray("\\u1046?\\u1082?");
    QTest::newRow("above 32767") << QString(QChar(0xFF01)) << QByteArray("\\u-255?");
    QTest::newRow("line breaks") << QStringLiteral("a\r\nb\nc\rd") << QByteArray("a\\par b\\par c\\par d");
    QTest::newRow("tab and control characters") << QStringLiteral("a\tb\x01\x1f") << QByteArray("a\\tab b");
  }
  void escapesValues() {
    QFETCH(QString, value);
    QFETCH(QByteArray, rtf);
    QCOMPARE(RtfEscapeText(value), rtf);
  }

  // Editors split typed text into runs and groups; the field is read from the visible text.
  void findsFieldsSplitAcrossGroups() {
    const QByteArray rtf = Doc(
        "\\pard <<na{\\b me}>> and {<}{\\rtlch <}reg{\\i _}nomer>{>} then <{\\*\\bkmkstart x}<date\\'5fnow>>"
        " <<not a field>> <<<third>>\\par <<bro\\par ken>>");
    QCOMPARE(FindRtfFields(rtf), (QStringList{QStringLiteral("name"), QStringLiteral("reg_nomer"),
                                              QStringLiteral("date_now"), QStringLiteral("third")}));
  }

  void fieldsInHiddenDestinationsAreNotFilled() {
    const QByteArray rtf = Doc("{\\*\\generator <<name>>;}\\pard <<name>>\\par");
    QCOMPARE(FindRtfFields(rtf), QStringList{QStringLiteral("name")});
    const QByteArray filled = FillRtfFields(rtf, {{QStringLiteral("name"), QStringLiteral("X")}});
    QVERIFY(filled.contains("\\generator <<name>>"));
    QVERIFY(filled.contains("<<title>>"));  // the document information keeps its text
  }

  // The filled document reads back as the values, with nothing of the fields left, and stays
  // valid RTF whatever the values hold.
  void filledDocumentReadsAsTheValues() {
    const QByteArray rtf = Doc("\\pard\\b<<name>>\\b0  / {\\i <<ad}{dress>>}/\\b<<x>>y\\par {<}\\b<code>>z\\par");
    const QHash<QString, QString> values = {
        {QStringLiteral("name"), QStringLiteral("Иван {Петров}\\")},
        {QStringLiteral("address"), QStringLiteral("ул. „Роза“ 5\r\nвх. Б")},
        {QStringLiteral("x"), QStringLiteral("}}}{\\rtf1")},
        {QStringLiteral("code"), QStringLiteral("K")},
    };
    const QByteArray filled = FillRtfFields(rtf, values);
    QVERIFY(IsBalancedRtf(filled));
    QVERIFY(FindRtfFields(filled).isEmpty());
    const QString text = RtfPlainText(filled);
    QVERIFY2(text.endsWith(QStringLiteral("Иван {Петров}\\ / ул. „Роза“ 5\nвх. Б/}}}{\\rtf1y\nKz\n")),
             qPrintable(text));
    // A control word before a field keeps its own name: "\b" stays "\b", never "\bK...".
    QVERIFY(!filled.contains("\\bK"));
    QVERIFY(!filled.contains("\\bz"));
  }

  // Word processors save Cyrillic text in the document's code page: as "\\'e0" escapes and
  // as raw windows-1251 bytes. Both read as the right letters, before and after filling.
  void readsAndFillsATemplateSavedInTheCyrillicCodePage() {
    const QByteArray rtf = ReadFile(QStringLiteral(TESARO_RTF_FIXTURES "/cyrillic_1251.rtf"));
    QVERIFY(!rtf.isEmpty());
    QCOMPARE(FindRtfFields(rtf), (QStringList{QStringLiteral("name"), QStringLiteral("address"),
                                              QStringLiteral("born"), QStringLiteral("id_card")}));
    QCOMPARE(RtfPlainText(rtf), QStringLiteral("Име: <<name>>\nАдрес: <<address>>\n"
                                               "Роден на <<born>> г., лична карта №<<id_card>>\n„Ъгъл“ ёЯя\n"));
    const QByteArray filled = FillRtfFields(rtf, {{QStringLiteral("name"), QStringLiteral("Иван Петров")},
                                                  {QStringLiteral("address"), QStringLiteral("гр. София, ул. „Шипка“ 3")},
                                                  {QStringLiteral("born"), QStringLiteral("01.02.1990")},
                                                  {QStringLiteral("id_card"), QStringLiteral("645123456")}});
    QCOMPARE(RtfPlainText(filled), QStringLiteral("Име: Иван Петров\nАдрес: гр. София, ул. „Шипка“ 3\n"
                                                  "Роден на 01.02.1990 г., лична карта №645123456\n„Ъгъл“ ёЯя\n"));
  }

  void fieldWithoutValueStays() {
    const QByteArray filled = FillRtfFields(Doc("\\pard <<known>> <<unknown>>\\par"),
                                            {{QStringLiteral("known"), QStringLiteral("1")}});
    QCOMPARE(FindRtfFields(filled), QStringList{QStringLiteral("unknown")});
  }

  void refusesWhatIsNotRtf_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::newRow("plain text") << QByteArray("hello <<name>>");
    QTest::newRow("unclosed group") << QByteArray("{\\rtf1 {\\b <<name>>}");
    QTest::newRow("extra closing brace") << QByteArray("{\\rtf1 <<name>>}}");
    QTest::newRow("binary data longer than the document") << QByteArray("{\\rtf1 \\bin9223372036854775807 <<name>>}");
  }
  void refusesWhatIsNotRtf() {
    QFETCH(QByteArray, rtf);
    QVERIFY_THROWS_EXCEPTION(RtfError, FillRtfFields(rtf, {}));
    QVERIFY(!IsBalancedRtf(rtf));
  }

  void secondValueOfOneNameIsAnError() {
    RtfTemplateEngine engine;
    engine.AddValue(QStringLiteral("a"), QStringLiteral("1"));
    QVERIFY_THROWS_EXCEPTION(RtfError, engine.AddValue(QStringLiteral("a"), QStringLiteral("2")));
    QVERIFY_THROWS_EXCEPTION(RtfError, engine.AddValue(QStringLiteral("bad name"), QStringLiteral("2")));
    QCOMPARE(engine.Names(), QStringList{QStringLiteral("a")});
    engine.ClearValues();
    engine.AddValue(QStringLiteral("a"), QStringLiteral("3"));
    QCOMPARE(engine.Value(QStringLiteral("a")), QStringLiteral("3"));
  }

  void runWritesReplacesAndOpens() {
    QTemporaryDir dir;
    const QString templ = dir.filePath(QStringLiteral("form.rtf"));
    const QString result = dir.filePath(QStringLiteral("output.rtf"));
    WriteFile(templ, Doc("\\pard <<name>>\\par"));
    WriteFile(result, QByteArray(5000, 'x'));  // an older, longer result
    QStringList opened;
    SetAssociatedProgramOpener([&](const QString& path) {
      opened << path;
      return true;
    });
    RtfTemplateEngine engine;
    engine.SetTemplate(templ);
    engine.SetResultFile(result);
    engine.AddValue(QStringLiteral("name"), QStringLiteral("Мария"));
    engine.RunAndOpen();
    QCOMPARE(opened, QStringList{result});
    QCOMPARE(RtfPlainText(ReadFile(result)), QStringLiteral("Мария\n"));

    // Failing to open is an error; a missing template is an error that writes nothing.
    SetAssociatedProgramOpener([](const QString&) { return false; });
    QVERIFY_THROWS_EXCEPTION(RtfError, engine.RunAndOpen());
    QFile::remove(result);
    engine.SetTemplate(dir.filePath(QStringLiteral("missing.rtf")));
    QVERIFY_THROWS_EXCEPTION(RtfError, engine.RunAndOpen());
    QVERIFY(!QFile::exists(result));
    SetAssociatedProgramOpener({});
  }
};

QTEST_GUILESS_MAIN(TestRtfTemplate)
#include "test_rtf_template.moc"
