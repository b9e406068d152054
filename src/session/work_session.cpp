// Signing the user in to the register and out of it.
#include "session/work_session.h"

#include "core/messages.h"
#include "core/user_directory.h"
#include "data/action_log.h"
#include "data/data_module.h"
#include "data/firebird/statement.h"
#include "data/schema/register_roles.h"
#include "session/login_record.h"
#include "session/settings_file.h"

namespace {
// The user's USER_ID in table users, or -1 when the name is not there. The name is bound, never
// pasted into the statement, so a name with an apostrophe is looked up like any other.
int LookUpUserId(TDataModule1& data, const QString& name) {
  Statement query(data.Db(), QStringLiteral("select * from users where name = ?"));
  query.Bind(0, name);
  query.Open();
  int userId = -1;
  if (query.Next()) {
    const int column = query.ColumnIndex(QStringLiteral("USER_ID"));
    if (!query.IsNull(column)) userId = query.Value(column).toInt();
  }
  query.Close();
  return userId;
}
}  // namespace

ConnectionParams ConnectionFromRecord(const TLogInfoRec& record) {
  ConnectionParams params;
  params.path = record.DatabasePath();
  params.user = record.DatabaseUser();
  params.password = record.DatabasePassword();
  // On a server the clerk's own account works under their group's role; a role the account
  // does not hold gives nothing, so the record cannot raise the clerk's rights.
  if (IsServerPath(params.path)) params.role = RegisterRoleOf(record.RightsGroup());
  params.pageCacheLimitMb = PageCacheLimitMb(kDefaultPageCacheLimitMb);
  return params;
}

bool SignIn(TDataModule1& data, const TLogInfoRec& record, QWidget* parent) {
  const QString name = record.UserName();
  WriteLastUser(record.UserLogin(), parent);
  const int userId = LookUpUserId(data, name);
  if (userId < 0) {
    ShowMessage(parent, QString::fromUtf8(kUnknownUserMessage), QStringLiteral("Грешка"), MessageIcon::Error);
    return false;
  }
  data.SetCurrentUser(name, userId);
  LogAction(data, userId, QString::fromLatin1(kLogKindSystem), QStringLiteral("Влизане на потребител с име ") + name);
  // The open register list stays open: a retaining commit closes no data set.
  data.CommitRetaining();
  return true;
}

void SignOut(TDataModule1& data) {
  if (data.HasCurrentUser())
    LogAction(data, data.CurrentUserId(), QString::fromLatin1(kLogKindSystem),
              QStringLiteral("Излизане на потребител с име ") + data.CurrentUserName());
  data.Disconnect();
}
