// The refresh command of the main window.
#include "commands/refresh.h"

#include "data/data_module.h"

void RefreshList(TDataModule1& data, const std::function<void()>& afterReopen) {
  ListQuery& list = data.MainQuery();
  const QVariant regNum =
      list.IsOpen() && list.CurrentRow() >= 0 ? list.CurrentValue(QStringLiteral("REG_NUM")) : QVariant();
  data.Commit();
  list.Close();
  list.Open();
  if (afterReopen) afterReopen();
  if (!regNum.isNull()) list.Locate(QStringLiteral("REG_NUM"), regNum);
}
