// The saved export views and their file.
#include "reports/save_rep_view.h"

#include "reports/save_rep_view_ini.h"

const QString TSaveRepViewSettings::kMainSection = QStringLiteral("VLMViewMain");
const QString TSaveRepViewSettings::kNone = QStringLiteral("Няма");

namespace {
const QString kNoName = QStringLiteral("NONAME");

void WriteColumns(ViewIniFile& ini, const QString& section, const std::vector<SavedViewColumn>& columns,
                  const char* nameKey, const char* visKey) {
  for (size_t i = 0; i < columns.size(); ++i) {
    const QString n = QString::number(i);
    ini.SetValue(section, QLatin1String(nameKey) + n, columns[i].caption);
    ini.SetValue(section, QLatin1String(visKey) + n, columns[i].ticked ? QStringLiteral("1") : QStringLiteral("0"));
  }
}

std::vector<SavedViewColumn> ReadColumns(const ViewIniFile& ini, const QString& section, int count,
                                         const char* nameKey, const char* visKey) {
  std::vector<SavedViewColumn> columns;
  for (int i = 0; i < count; ++i) {
    const QString n = QString::number(i);
    columns.push_back({ini.Value(section, QLatin1String(nameKey) + n, kNoName),
                       ini.IntValue(section, QLatin1String(visKey) + n, 0) != 0});
  }
  return columns;
}
}  // namespace

QString TSaveRepView::SectionName() const { return QStringLiteral("%1_%2").arg(Key).arg(Id); }

QString KeyFilter(const QString& text) {
  static const QString kDropped = QStringLiteral(" !\"#'*+,-./:;?\\_");
  QString out;
  for (const QChar ch : text) {
    if (kDropped.contains(ch)) continue;
    const char16_t c = ch.unicode();
    if (c >= u'a' && c <= u'z')
      out += QChar(c - 32);
    else if (c >= 0x0430 && c <= 0x044F)  // а..я, codes 224..255 of the Cyrillic code page
      out += QChar(c - 32);
    else
      out += ch;
  }
  return out;
}

QString GridKey(const QString& ownerName, const QString& parentName, const QString& gridName,
                const QString& detailName, const QString& user, int columnCount, int detailColumnCount) {
  return QStringLiteral("VLMView_%1_%2_%3_%4_%5_%6_%7")
      .arg(KeyFilter(ownerName), KeyFilter(parentName), KeyFilter(gridName),
           KeyFilter(detailName.isEmpty() ? kNoName : detailName), user)
      .arg(columnCount)
      .arg(detailColumnCount);
}

std::vector<SavedViewColumn> ViewColumnsOf(const std::vector<ExportColumn>& columns) {
  std::vector<SavedViewColumn> out;
  for (const ExportColumn& c : columns) out.push_back({c.caption, c.ticked});
  return out;
}

bool ApplyView(const TSaveRepView& view, std::vector<ExportColumn>& columns) {
  if (view.Columns.size() != columns.size()) return false;
  for (const SavedViewColumn& saved : view.Columns)
    for (ExportColumn& c : columns)
      if (c.caption.compare(saved.caption, Qt::CaseInsensitive) == 0) {
        c.ticked = saved.ticked;
        break;
      }
  return true;
}

void TSaveRepViewSettings::LoadViews(const QString& fileName, const QString& userName) {
  fileName_ = fileName;
  userName_ = userName;
  views_.clear();
  SectionCount = 0;
  ViewIniFile ini;
  if (!ini.Load(fileName)) return;
  SectionCount = ini.IntValue(kMainSection, QStringLiteral("SectionCount"), 0);
  for (const QString& section : ini.Sections()) {
    if (section.left(7).compare(QLatin1String("VLMView"), Qt::CaseInsensitive) != 0) continue;
    if (section.compare(kMainSection, Qt::CaseInsensitive) == 0) continue;
    auto view = std::make_unique<TSaveRepView>();
    const qsizetype underscore = section.lastIndexOf(u'_');
    view->Key = underscore < 0 ? section : section.left(underscore);
    bool ok = false;
    const int id = underscore < 0 ? -1 : section.mid(underscore + 1).toInt(&ok);
    view->Id = ok ? id : -1;
    const int count = std::max(0, ini.IntValue(section, QStringLiteral("GridColCount"), 0));
    view->Columns = ReadColumns(ini, section, count, "COL_NAME_", "COL_VIS_");
    const int detailCount = std::max(0, ini.IntValue(section, QStringLiteral("GridColCountD"), 0));
    view->DetailColumns = ReadColumns(ini, section, detailCount, "COL_NAMED_", "COL_VISD_");
    view->ViewName = ini.Value(section, QStringLiteral("ViewName"), kNoName);
    view->User = ini.Value(section, QStringLiteral("User"), QStringLiteral("NOUSER"));
    views_.push_back(std::move(view));
  }
}

TSaveRepView* TSaveRepViewSettings::FindView(int id) const {
  for (const auto& v : views_)
    if (v->Id == id) return v.get();
  return nullptr;
}

std::vector<ViewListEntry> TSaveRepViewSettings::ViewsForKey(const QString& gridKey, const QString& user) const {
  std::vector<ViewListEntry> entries{{kNone, -1}};
  for (const auto& v : views_)
    if (v->Key.compare(gridKey, Qt::CaseInsensitive) == 0 && v->User.compare(user, Qt::CaseInsensitive) == 0)
      entries.push_back({v->ViewName, v->Id});
  return entries;
}

int TSaveRepViewSettings::CreateView(const QString& name, const QString& gridName, const QString& parentName,
                                     const QString& ownerName, const QString& user,
                                     const std::vector<SavedViewColumn>& columns,
                                     const std::vector<SavedViewColumn>& detailColumns) {
  auto view = std::make_unique<TSaveRepView>();
  view->ViewName = name;
  view->GridName = gridName;
  view->ParentName = parentName;
  view->OwnerName = ownerName;
  view->DetailName = kNoName;
  view->User = user;
  view->Columns = columns;
  view->DetailColumns = detailColumns;
  ++SectionCount;
  view->Id = SectionCount;
  view->Key = GridKey(ownerName, parentName, gridName, view->DetailName, user, static_cast<int>(columns.size()),
                      static_cast<int>(detailColumns.size()));
  WriteView(*view);
  views_.push_back(std::move(view));
  return SectionCount;
}

void TSaveRepViewSettings::UpdateView(TSaveRepView& view, const std::vector<SavedViewColumn>& columns,
                                      const std::vector<SavedViewColumn>& detailColumns) {
  view.Columns = columns;
  view.DetailColumns = detailColumns;
  WriteView(view);
}

bool TSaveRepViewSettings::WriteView(const TSaveRepView& view) {
  ViewIniFile ini;
  if (fileName_.isEmpty() || !ini.Load(fileName_)) return false;
  const QString section = view.SectionName();
  // Written afresh, so the keys stand in their order and no key of a longer old list remains.
  ini.EraseSection(section);
  ini.SetValue(section, QStringLiteral("GridColCount"), QString::number(view.Columns.size()));
  WriteColumns(ini, section, view.Columns, "COL_NAME_", "COL_VIS_");
  if (view.HasDetail()) {
    ini.SetValue(section, QStringLiteral("GridColCountD"), QString::number(view.DetailColumns.size()));
    WriteColumns(ini, section, view.DetailColumns, "COL_NAMED_", "COL_VISD_");
  }
  ini.SetValue(section, QStringLiteral("User"), view.User);
  ini.SetValue(section, QStringLiteral("ViewName"), view.ViewName);
  ini.SetValue(kMainSection, QStringLiteral("SectionCount"), QString::number(SectionCount));
  return ini.Save(fileName_);
}

bool TSaveRepViewSettings::EraseView(int id) {
  TSaveRepView* view = FindView(id);
  if (!view) return false;
  bool written = false;
  ViewIniFile ini;
  if (!fileName_.isEmpty() && ini.Load(fileName_)) {
    ini.EraseSection(view->SectionName());
    written = ini.Save(fileName_);
  }
  std::erase_if(views_, [id](const auto& v) { return v->Id == id; });
  return written;
}

QString ViewNameProblem(const QString& name) {
  if (name.size() > kViewNameLength)
    return QStringLiteral("Името на изгледа може да съдържа най-много %1 знака, а съдържа %2.")
        .arg(kViewNameLength)
        .arg(name.size());
  for (QChar c : name)
    if (c.category() == QChar::Other_Control)
      return QStringLiteral("Името на изгледа не може да съдържа нов ред или друг управляващ знак.");
  return {};
}
