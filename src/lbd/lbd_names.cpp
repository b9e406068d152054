#include "lbd/lbd_names.h"

#include "core/text_helpers.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"
#include "data/person_table.h"
#include "lbd/person_info.h"

bool LbdNameDiffers(const QString& storedName, const TPersonInfo& person) {
  const qsizetype length = person.FirstName.size() + person.MiddleName.size() + person.LastName.size() + 2;
  if (storedName.size() < length) return true;
  const QStringView view(storedName);
  qsizetype at = 0;
  for (const QString* part : {&person.FirstName, &person.MiddleName, &person.LastName}) {
    if (at > 0) {
      if (view[at] != u' ') return true;
      ++at;
    }
    if (view.sliced(at, part->size()) != *part) return true;
    at += part->size();
  }
  return false;
}

bool LbdNameDiffers(const QString& storedName, const QString& fullName) {
  return QStringView(storedName).left(fullName.size()) != fullName;
}

std::vector<LbdNameRow> FindDifferingNames(TDataModule1& data, TPersonInfo& person,
                                           const std::function<void(int k, int n)>& progress) {
  using namespace person_table;
  int total = 0;
  if (progress) {
    Statement count(data.Db(), QStringLiteral("select count(*) from ") + kTable);
    total = count.ScalarValue().toInt();
  }
  std::vector<LbdNameRow> rows;
  const PersonSelect select{kPersonId, kEgn, kName};
  Statement persons(data.Db(), QStringLiteral("select ") + select.List() + QStringLiteral(" from ") + kTable);
  persons.Open();
  int k = 0;
  while (persons.Next()) {
    const StoredPersonRow stored = select.Read(persons);
    // The blanks that pad the fixed-width column are not part of the number.
    const QString egn = WithoutTrailingBlanks(stored.egn.value_or(QString()));
    if (person.LoadNamesByEGN(egn)) {
      // Compared as stored, padding included.
      const QString name = stored.name.value_or(QString());
      if (LbdNameDiffers(name, person))
        rows.push_back({stored.personId.value_or(0), egn, WithoutTrailingBlanks(name), person.FullName()});
    }
    if (progress) progress(++k, total);
  }
  persons.Close();
  return rows;
}

LbdNameSave SaveLbdName(TDataModule1& data, TPersonInfo& person, const LbdNameRow& row) {
  using namespace person_table;
  Statement current(data.Db(), QStringLiteral("select ") + kEgn + QStringLiteral(" from ") + kTable +
                                   QStringLiteral(" where ") + kPersonId + QStringLiteral(" = ?"));
  current.Bind(0, row.personId);
  const QVariant egn = current.ScalarValue();
  if (egn.isNull()) return LbdNameSave::PersonGone;
  if (WithoutTrailingBlanks(egn.toString()) != row.egn) return LbdNameSave::EgnChanged;
  if (!person.LoadByEGN(row.egn)) return LbdNameSave::NotInLbd;
  const QString fullName = person.FullName();
  if (fullName.trimmed().isEmpty()) return LbdNameSave::NoLbdName;
  if (fullName.size() > kNameLength) return LbdNameSave::NameTooLong;

  Statement update(data.Db(), QStringLiteral("update ") + kTable + QStringLiteral(" set ") + kName +
                                  QStringLiteral(" = ? where ") + kPersonId + QStringLiteral(" = ?"));
  update.BindAll({fullName, row.personId});
  update.Execute();
  data.CommitRetaining();
  return LbdNameSave::Saved;
}

QString LbdNameSaveMessage(LbdNameSave outcome) {
  switch (outcome) {
    case LbdNameSave::Saved:
      return QStringLiteral("Името е променено!");
    case LbdNameSave::PersonGone:
      return QStringLiteral("Лицето вече не е в базата данни. Името не е променено.");
    case LbdNameSave::EgnChanged:
      return QStringLiteral("ЕГН-то на лицето е променено междувременно. Името не е променено.");
    case LbdNameSave::NotInLbd:
      return QStringLiteral("Лице с това ЕГН не фигурира в Локална База Данни. Името не е променено.");
    case LbdNameSave::NoLbdName:
      return QStringLiteral("Локална База Данни не дава име за това ЕГН. Името не е променено.");
    case LbdNameSave::NameTooLong:
      return QStringLiteral("Името от Локална База Данни е по-дълго от %1 знака. Името не е променено.")
          .arg(person_table::kNameLength);
  }
  return QString();
}
