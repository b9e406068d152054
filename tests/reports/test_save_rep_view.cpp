// Saved export views: the key filter and grid key, the file's layout and write order, loading
// with defaults and other programs' sections left alone, ids never reused, applying a view.
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "reports/save_rep_view.h"

namespace {
QStringList FileLines(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
  return QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

void WriteText(const QString& path, const QString& text) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Text));
  f.write(text.toUtf8());
}

std::vector<SavedViewColumn> Columns(std::initializer_list<std::pair<const char*, bool>> list) {
  std::vector<SavedViewColumn> out;
  for (const auto& [caption, ticked] : list) out.push_back({QString::fromUtf8(caption), ticked});
  return out;
}

const QString kGrid = QStringLiteral("FamilyGrid");
const QString kParent = QStringLiteral("GroupBox1");
const QString kOwner = QStringLiteral("MainForm");
}  // namespace

class TestSaveRepView : public QObject {
  Q_OBJECT

 private slots:
  void keyFilter_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("key");
    QTest::newRow("blanks, digits kept") << "Main Form_1" << "MAINFORM1";
    QTest::newRow("cyrillic capitals") << "списък" << "СПИСЪК";
    QTest::newRow("every dropped sign") << "a!\"#'*+,-./:;?\\_b" << "AB";
    QTest::newRow("others kept") << "x(1)=Ё%ё" << "X(1)=Ё%ё";
  }
  void keyFilter() {
    QFETCH(QString, text);
    QFETCH(QString, key);
    QCOMPARE(KeyFilter(text), key);
  }

  void gridKeyOfTheRegisterGrid() {
    QCOMPARE(GridKey(kOwner, kParent, kGrid, QString(), QStringLiteral("U"), 18, 0),
             QStringLiteral("VLMView_MAINFORM_GROUPBOX1_FAMILYGRID_NONAME_U_18_0"));
    QCOMPARE(GridKey(kOwner, kParent, kGrid, QStringLiteral("det grid"), QStringLiteral("u v"), 3, 2),
             QStringLiteral("VLMView_MAINFORM_GROUPBOX1_FAMILYGRID_DETGRID_u v_3_2"));
  }

  // The keys in their order, other sections left as they were, the counter last.
  void writesTheLayoutInOrder() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("views.ini"));
    WriteText(file, QStringLiteral("[Other]\nKey=Стойност\n\n"));
    TSaveRepViewSettings store;
    store.LoadViews(file, QStringLiteral("clerk"));
    const int id = store.CreateView(QStringLiteral("Кратък"), kGrid, kParent, kOwner, QStringLiteral("clerk"),
                                    Columns({{"Рег.номер", true}, {"Име", false}}));
    QCOMPARE(id, 1);
    QCOMPARE(FileLines(file),
             (QStringList{"[Other]", "Key=Стойност", "[VLMView_MAINFORM_GROUPBOX1_FAMILYGRID_NONAME_clerk_2_0_1]",
                          "GridColCount=2", "COL_NAME_0=Рег.номер", "COL_VIS_0=1", "COL_NAME_1=Име", "COL_VIS_1=0",
                          "User=clerk", "ViewName=Кратък", "[VLMViewMain]", "SectionCount=1"}));
  }

  void loadsViewsWithDefaults() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("views.ini"));
    WriteText(file, QStringLiteral("[VLMViewMain]\nSectionCount=7\n"
                                   "[VLMView_A_B_C_NONAME_u_2_0_4]\nGridColCount=2\nCOL_NAME_0=Име\nCOL_VIS_0=1\n"
                                   "[vlmview_broken_x]\n"
                                   "[Unrelated_5]\nGridColCount=1\n"));
    TSaveRepViewSettings store;
    store.LoadViews(file, QStringLiteral("u"));
    QCOMPARE(store.SectionCount, 7);
    QCOMPARE(store.Views().size(), size_t(2));
    const TSaveRepView& full = *store.Views()[0];
    QCOMPARE(full.Key, QStringLiteral("VLMView_A_B_C_NONAME_u_2_0"));
    QCOMPARE(full.Id, 4);
    QCOMPARE(full.Columns, Columns({{"Име", true}, {"NONAME", false}}));
    QCOMPARE(full.ViewName, QStringLiteral("NONAME"));
    QCOMPARE(full.User, QStringLiteral("NOUSER"));
    QVERIFY(!full.HasDetail());
    const TSaveRepView& broken = *store.Views()[1];
    QCOMPARE(broken.Key, QStringLiteral("vlmview_broken"));
    QCOMPARE(broken.Id, -1);
    QVERIFY(broken.Columns.empty());
  }

  // Two views of one name are both kept and offered, only for their key and user; erasing
  // never frees an id; a reloaded store sees the same.
  void viewsForKeyAndIds() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("views.ini"));
    const auto eighteen = std::vector<SavedViewColumn>(18, {QStringLiteral("c"), true});
    TSaveRepViewSettings store;
    store.LoadViews(file, QStringLiteral("Clerk"));
    QCOMPARE(store.CreateView("Моят", kGrid, kParent, kOwner, "Clerk", eighteen), 1);
    QCOMPARE(store.CreateView("Моят", kGrid, kParent, kOwner, "Clerk", eighteen), 2);
    QCOMPARE(store.CreateView("Трети", kGrid, kParent, kOwner, "Clerk", eighteen), 3);
    QCOMPARE(store.CreateView("Чужд", kGrid, kParent, kOwner, "Other", eighteen), 4);
    QCOMPARE(store.CreateView("Седемнадесет", kGrid, kParent, kOwner, "Clerk",
                              std::vector<SavedViewColumn>(17, {QStringLiteral("c"), true})),
             5);

    const QString key = GridKey(kOwner, kParent, kGrid, QString(), "Clerk", 18, 0);
    const std::vector<ViewListEntry> expected = {{"Няма", -1}, {"Моят", 1}, {"Моят", 2}, {"Трети", 3}};
    QCOMPARE(store.ViewsForKey(key, "clerk"), expected);  // the user without regard to case
    QCOMPARE(store.ViewsForKey(key.toLower(), "CLERK"), expected);
    // A column shown or hidden in the grid changes the key: the 18-column views are not offered.
    QCOMPARE(store.ViewsForKey(GridKey(kOwner, kParent, kGrid, QString(), "Clerk", 17, 0), "Clerk").size(), size_t(2));

    QVERIFY(store.EraseView(3));
    TSaveRepViewSettings reloaded;
    reloaded.LoadViews(file, QStringLiteral("Clerk"));
    QCOMPARE(reloaded.SectionCount, 5);
    QCOMPARE(reloaded.ViewsForKey(key, "Clerk").size(), size_t(3));
    QCOMPARE(reloaded.CreateView("Нов", kGrid, kParent, kOwner, "Clerk", eighteen), 6);

    // A name with line breaks stays one value and adds no section of its own.
    QCOMPARE(reloaded.CreateView("Ред\n[Чужда]\r\nViewCount=99", kGrid, kParent, kOwner, "Clerk", eighteen), 7);
    TSaveRepViewSettings again;
    again.LoadViews(file, QStringLiteral("Clerk"));
    QCOMPARE(again.SectionCount, 7);
    QCOMPARE(again.ViewsForKey(key, "Clerk").back(), (ViewListEntry{"Ред [Чужда] ViewCount=99", 7}));
  }

  void updateReplacesColumnsAndKeepsTheCounter() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("views.ini"));
    TSaveRepViewSettings store;
    store.LoadViews(file, QStringLiteral("u"));
    const int id = store.CreateView("V", kGrid, kParent, kOwner, "u", Columns({{"A", true}, {"B", true}, {"C", true}}));
    store.CreateView("W", kGrid, kParent, kOwner, "u", Columns({{"A", true}}));
    store.UpdateView(*store.FindView(id), Columns({{"B", false}, {"A", true}}));
    TSaveRepViewSettings reloaded;
    reloaded.LoadViews(file, QStringLiteral("u"));
    QCOMPARE(reloaded.SectionCount, 2);
    QCOMPARE(reloaded.FindView(id)->Columns, Columns({{"B", false}, {"A", true}}));
    QVERIFY(!FileLines(file).contains(QStringLiteral("COL_NAME_2=C")));
  }

  void writingToAnUnwritableFileIsSwallowed() {
    TSaveRepViewSettings store;
    store.LoadViews(QStringLiteral("/nonexistent/folder/views.ini"), QStringLiteral("u"));
    QCOMPARE(store.CreateView("V", kGrid, kParent, kOwner, "u", Columns({{"A", true}})), 1);
    QVERIFY(store.FindView(1));  // the view lives on in the store
  }

  // Captions match without regard to case; unnamed entries keep their ticks and the order stays.
  void applyingAView() {
    TSaveRepView view;
    view.Columns = Columns({{"име", false}, {"Старо", true}, {"ЕГН", true}});
    std::vector<ExportColumn> list = {{"ЕГН", "EGN", false}, {"Име", "NAME", true}, {"Адрес", "ADRESS", false}};
    QVERIFY(ApplyView(view, list));
    QCOMPARE(list[0].caption, QStringLiteral("ЕГН"));
    QVERIFY(list[0].ticked);
    QVERIFY(!list[1].ticked);
    QVERIFY(!list[2].ticked);
    list.pop_back();
    const auto before = list;
    QVERIFY(!ApplyView(view, list));  // a different number of columns changes nothing
    QCOMPARE(list, before);
  }
};

QTEST_GUILESS_MAIN(TestSaveRepView)
#include "test_save_rep_view.moc"
