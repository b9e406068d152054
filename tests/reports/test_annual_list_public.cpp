// The public annual list's pieces without a register: initials made from names of one, two and
// more parts, double names, stray signs and Latin letters; the rows that let only the published
// fields through; and the web page, which stays well-formed and shows hostile text as text.
#include <QXmlStreamReader>
#include <QtTest>

#include "engine/report/row_source.h"
#include "reports/annual_list_public_html.h"
#include "reports/holder_initials.h"
#include "reports/public_list_rows.h"

namespace {
struct ParsedPage {
  QString error;
  QMap<QString, QString> htmlAttributes;
  QStringList elements;
  QStringList headers;  // the th texts
  QStringList scopes;   // the th scope attributes
  QList<QStringList> rows;  // the td texts of each tbody row
  QString title, caption;
};

ParsedPage Parse(const QString& html) {
  ParsedPage page;
  QXmlStreamReader xml(html);
  QString* text = nullptr;
  QString cell;
  bool inBody = false;
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement()) {
      const QString name = xml.name().toString();
      page.elements << name;
      if (name == QLatin1String("html"))
        for (const QXmlStreamAttribute& a : xml.attributes()) page.htmlAttributes[a.name().toString()] = a.value().toString();
      if (name == QLatin1String("tbody")) inBody = true;
      if (name == QLatin1String("tr") && inBody) page.rows.append(QStringList());
      if (name == QLatin1String("th")) page.scopes << xml.attributes().value(QStringLiteral("scope")).toString();
      if (name == QLatin1String("title") || name == QLatin1String("caption") || name == QLatin1String("th") ||
          name == QLatin1String("td")) {
        cell.clear();
        text = &cell;
      }
    } else if (xml.isCharacters() && text != nullptr) {
      *text += xml.text();
    } else if (xml.isEndElement()) {
      const QString name = xml.name().toString();
      if (name == QLatin1String("title")) page.title = cell;
      if (name == QLatin1String("caption")) page.caption = cell;
      if (name == QLatin1String("th")) page.headers << cell;
      if (name == QLatin1String("td")) page.rows.last() << cell;
      text = nullptr;
    }
  }
  if (xml.hasError()) page.error = xml.errorString() + QStringLiteral(" at line %1").arg(xml.lineNumber());
  return page;
}
}  // namespace

class TestAnnualListPublic : public QObject {
  Q_OBJECT
 private slots:
  void initialsOfNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("initials");
    QTest::newRow("three parts") << "Иван Петров Димитров" << "И. П. Д.";
    QTest::newRow("one part") << "Иван" << "И.";
    QTest::newRow("two parts") << "Мария Попова" << "М. П.";
    QTest::newRow("many parts") << "Анна Мария Иванова Петрова Георгиева" << "А. М. И. П. Г.";
    QTest::newRow("double name") << "Мария Попова-Петкова" << "М. П.-П.";
    QTest::newRow("small letters, blanks, a tab") << "  иван\tпетров   димитров " << "И. П. Д.";
    QTest::newRow("letters with a sign first") << "Жан \"Пиер\" (Жак)" << "Ж. П. Ж.";
    QTest::newRow("a lone dash or sign") << "Иван - Петров &" << "И. П.";
    QTest::newRow("Latin") << "Jean-Luc Picard" << "J.-L. P.";
    QTest::newRow("empty") << "" << "";
  }
  void initialsOfNames() {
    QFETCH(QString, name);
    QFETCH(QString, initials);
    QCOMPARE(HolderInitials(name), initials);
  }

  // Only the published fields come through; a layout that asks for any other gets nothing.
  void onlyPublishedFieldsPass() {
    report::TableRows ranked({"CARD_ID", "REG_NUM", "NAME", "EGN", "ADRESS", "DOC_IDTXT", "grupa11", "POINTS_YEAR",
                              "POINTS_DESCR"});
    ranked.Append({"1", "417", "Иван Петров Димитров", "7501010010", "ул. Роза 5", "ЖН-3/2009", "2", "2025",
                   "Подгрупа 1"});
    const PublicListRows rows(ranked);
    QCOMPARE(rows.RowCount(), 1);
    QCOMPARE(rows.Text(0, "CARD_ID"), QStringLiteral("1"));
    QCOMPARE(rows.Text(0, "REG_NUM"), QStringLiteral("417"));
    QCOMPARE(rows.Text(0, PublicListRows::kInitials), QStringLiteral("И. П. Д."));
    QCOMPARE(rows.Text(0, "grupa11"), QStringLiteral("2"));
    QCOMPARE(rows.Text(0, "POINTS_YEAR"), QStringLiteral("2025"));
    for (const char* hidden : {"NAME", "EGN", "ADRESS", "DOC_IDTXT", "POINTS_DESCR", "name"})
      QVERIFY2(rows.Text(0, hidden).isEmpty(), hidden);
  }

  void webPageIsWellFormedAndEscapesEveryValue() {
    const QString hostile = QStringLiteral("Община „Три & Две“ <script>alert('x')</script> \"кавички\" ]]> &amp;");
    report::TableRows ranked({"CARD_ID", "REG_NUM", "NAME", "grupa11", "POINTS_YEAR"});
    ranked.Append({"1", "12<b>", "<script>alert(1)</script> O'Брайън", "2 & 3", "2025\""});
    ranked.Append({"2", "13", "Мария Попова-Петкова", "3", "2026"});
    const PublicListRows rows(ranked);
    const QString html = PublicListHtml(hostile, rows);

    const ParsedPage page = Parse(html);
    QVERIFY2(page.error.isEmpty(), qPrintable(page.error));
    QCOMPARE(page.htmlAttributes.value("lang"), QStringLiteral("bg"));
    QCOMPARE(page.title, hostile);
    QVERIFY(!page.caption.isEmpty());
    QCOMPARE(page.headers,
             (QStringList{"Място", "Рег. №", "Инициали на титуляра", "Група", "Година на включване"}));
    QCOMPARE(page.scopes, QStringList(5, QStringLiteral("col")));
    QCOMPARE(page.rows.size(), 2);
    QCOMPARE(page.rows[0], (QStringList{"1", "12<b>", "S. O.", "2 & 3", "2025\""}));
    QCOMPARE(page.rows[1], (QStringList{"2", "13", "М. П.-П.", "3", "2026"}));
    // Nothing that runs or is fetched from elsewhere; the page states its encoding and fits a phone.
    for (const char* element : {"script", "link", "img", "iframe", "object"})
      QVERIFY2(!page.elements.contains(QString::fromLatin1(element)), element);
    for (const char* outside : {"src=", "href=", "url(", "@import"})
      QVERIFY2(!html.contains(QString::fromLatin1(outside)), outside);
    QVERIFY(html.contains(QStringLiteral("<meta charset=\"utf-8\"/>")));
    QVERIFY(html.contains(QStringLiteral("name=\"viewport\"")));
    QVERIFY(html.contains(QStringLiteral("Списъкът съдържа общо 2 семейства/домакинства")));
  }
};

QTEST_MAIN(TestAnnualListPublic)
#include "test_annual_list_public.moc"
