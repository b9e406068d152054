#include "export_options.h"

#include <QFileInfo>

#include "reports/export_source.h"
#include "reports/register_export_request.h"
#include "reports/save_rep_view.h"

namespace {
const QString kView = QStringLiteral("view");
const QString kViewUser = QStringLiteral("view-user");
const QString kViewsFile = QStringLiteral("views-file");
const QString kTitle = QStringLiteral("title");
const QString kFooter = QStringLiteral("footer");
const QString kFontSize = QStringLiteral("font-size");
const QString kOrientation = QStringLiteral("orientation");

// The key the export dialog keeps the source's views under for `user`.
QString ViewKey(const ExportSource& source, const QString& user, int columnCount) {
  return GridKey(source.OwnerName(), source.ParentName(), source.GridName(), QString(), user, columnCount, 0);
}

QString Quoted(const QString& text) { return u'„' + text + u'“'; }
}  // namespace

std::vector<OptionRule> ExportDialogOptionRules() {
  QStringList sizes;
  for (int size = 7; size <= 20; ++size) sizes << QString::number(size);
  return {{kView, OptionKind::Name},
          {kViewUser, OptionKind::Name},
          {kViewsFile, OptionKind::Path},
          {kTitle, OptionKind::Text},
          {kFooter, OptionKind::Text},
          {kFontSize, OptionKind::Choice, sizes},
          {kOrientation, OptionKind::Choice, {QStringLiteral("landscape"), QStringLiteral("portrait")}}};
}

QStringList OptionLines(const QString& value) { return value.split(QStringLiteral("\\n")); }

ExportLayout ExportLayoutFromOptions(const ParsedArgs& parsed, const QString& defaultTitle) {
  ExportLayout layout;
  layout.title = parsed.Has(kTitle) ? OptionLines(parsed.Option(kTitle)) : QStringList{defaultTitle};
  if (parsed.Has(kTitle) && parsed.Option(kTitle).isEmpty()) layout.title.clear();
  layout.footer = OptionLines(parsed.Option(kFooter)).join(u'\n');
  layout.landscape = parsed.Option(kOrientation, QStringLiteral("landscape")) == QLatin1String("landscape");
  layout.fontSize = parsed.Has(kFontSize) ? parsed.Option(kFontSize).toInt() : 0;
  return layout;
}

QString PageOptionGivenForText(const ParsedArgs& parsed) {
  for (const QString& name : {kTitle, kFooter, kFontSize, kOrientation})
    if (parsed.Has(name))
      return QStringLiteral("Параметърът „--%1“ се отнася за документ или таблица (docx, xlsx); текстовият "
                            "файл няма заглавие, долен текст и оформление.")
          .arg(name);
  return {};
}

QString ApplyViewOption(const ParsedArgs& parsed, const ExportSource& source, std::vector<ExportColumn>& columns) {
  if (!parsed.Has(kView)) {
    for (const QString& name : {kViewUser, kViewsFile})
      if (parsed.Has(name)) return QStringLiteral("Параметърът „--%1“ се дава само заедно с „--view“.").arg(name);
    return {};
  }
  const QString file = parsed.Option(kViewsFile, ExportViewsFile());
  if (parsed.Has(kViewsFile) && !QFileInfo(file).isFile())
    return QStringLiteral("Файлът с изгледи %1 не съществува.").arg(file);
  TSaveRepViewSettings store;
  store.LoadViews(file, QString());

  // The register list's views with the command's columns, of the user asked for or of any.
  const int columnCount = static_cast<int>(columns.size());
  std::vector<const TSaveRepView*> offered;
  for (const auto& view : store.Views()) {
    if (view->Key.compare(ViewKey(source, view->User, columnCount), Qt::CaseInsensitive) != 0) continue;
    if (parsed.Has(kViewUser) && view->User.compare(parsed.Option(kViewUser), Qt::CaseInsensitive) != 0) continue;
    offered.push_back(view.get());
  }
  std::vector<const TSaveRepView*> named;
  for (const TSaveRepView* view : offered)
    if (view->ViewName == parsed.Option(kView)) named.push_back(view);

  if (named.empty()) {
    QStringList names;
    for (const TSaveRepView* view : offered) names << Quoted(view->ViewName) + QStringLiteral(" (%1)").arg(view->User);
    const QString where = QStringLiteral("Изглед %1 на списъка на регистъра няма в %2.")
                              .arg(Quoted(parsed.Option(kView)), file);
    return names.isEmpty() ? where + QStringLiteral(" Там няма записани изгледи на списъка.")
                           : where + QStringLiteral(" Записани изгледи (потребител): ") + names.join(QStringLiteral(", ")) +
                                 u'.';
  }
  if (named.size() > 1) {
    QStringList users;
    for (const TSaveRepView* view : named) users << Quoted(view->User);
    return QStringLiteral("Изглед %1 имат няколко потребители (%2); посочете един с „--view-user“.")
        .arg(Quoted(parsed.Option(kView)), users.join(QStringLiteral(", ")));
  }
  ApplyView(*named.front(), columns);
  return {};
}
