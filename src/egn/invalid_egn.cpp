#include "egn/invalid_egn.h"

#include "data/data_module.h"
#include "register/register_tabs.h"

QString InvalidEgnCountText(int count) { return QString::number(count) + QStringLiteral(" невалидни ЕГН-та"); }

void mInvalidClick(TDataModule1& data, RegisterTabs& tabs) {
  tabs.ShowThirdTab(RegisterTabs::kInvalidEgnCaption);
  ListQuery& list = data.MainQuery();
  list.Close();
  // Only the condition goes: the fixed select already limits the rows to holders.
  list.SetCondition(QString());
  data.AttachInvalidEgnFilter();
  data.InvalidCount = 0;
  try {
    list.Open();
  } catch (...) {
    data.InvalidCount = -1;
    throw;
  }
  // The filter counted every admitted row while the list was fetched.
  emit data.RecordCountChanged(InvalidEgnCountText(data.InvalidCount));
  data.InvalidCount = -1;
}
