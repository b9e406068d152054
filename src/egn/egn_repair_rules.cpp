#include "egn/egn_repair_rules.h"

#include "core/egn_rules.h"
#include "core/text_helpers.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"

CorrectedEgnCheck CheckCorrectedEgn(const QString& text) {
  if (text.size() != 10 || !IsAllDigits(text)) return CorrectedEgnCheck::NotTenDigits;
  if (EGNDateAfterYears(text, 0) == 0) return CorrectedEgnCheck::NoValidDate;
  return CorrectedEgnCheck::Valid;
}

std::optional<QString> LoadPersonEgn(TDataModule1& data, int personId) {
  Statement query(data.Db(), QStringLiteral("select EGN from RGS_PERSON where PERSON_ID = ?"));
  query.Bind(0, personId);
  query.Open();
  if (!query.Next()) return std::nullopt;
  const QString egn = WithoutTrailingBlanks(query.Value(0).toString());
  query.Close();
  return egn;
}

bool SavePersonEgn(TDataModule1& data, int personId, const QString& egn) {
  if (!LoadPersonEgn(data, personId)) return false;
  Statement update(data.Db(), QStringLiteral("update RGS_PERSON set EGN = ? where PERSON_ID = ?"));
  update.BindAll({egn, personId});
  update.Execute();
  data.CommitRetaining();
  return true;
}
