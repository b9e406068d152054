#include "data/data_module.h"

#include "core/egn_rules.h"
#include "core/text_helpers.h"
#include "data/schema/register_indexes.h"

TDataModule1::TDataModule1(QObject* parent) : QObject(parent), nom_(database_), mainQuery_(database_, nom_) {
  InvalidCount = -1;
  connect(&mainQuery_, &ListQuery::Opened, this, &TDataModule1::MainQueryAfterOpen);
  connect(&mainQuery_, &ListQuery::RowCountChanged, this, &TDataModule1::MainQueryAfterOpen);
}

TDataModule1::~TDataModule1() {
  try {
    Disconnect();
  } catch (const DbError&) {
    // The database's own destructor reports a failing close.
  }
}

void TDataModule1::Connect(const ConnectionParams& params) {
  database_.Attach(params);
  AddMissingRegisterIndexes(database_);
  // A workstation that meets a record another one has changed but not yet committed waits
  // this long for it, then reports the conflict instead of hanging.
  Tr().SetLockTimeout(kLockWaitSeconds);
}

void TDataModule1::Disconnect() { database_.Detach(); }

void TDataModule1::BeginWrite() {
  if (Tr().IsActive())
    Tr().CommitRetaining();
  else
    Tr().Start();
}

QString TDataModule1::RecordCountText(int rowCount) { return QString::number(rowCount) + QStringLiteral(" записа"); }

void TDataModule1::MainQueryAfterOpen(int rowCount) { emit RecordCountChanged(RecordCountText(rowCount)); }

QString TDataModule1::NomCodeName(const QString& list, int code) {
  nom_.OpenIfClosed();
  const QVariant cell = nom_.Cell(list, code);
  if (cell.isNull()) return QStringLiteral("false");
  const QString name = cell.toString();
  if (name.trimmed() == QLatin1String("false")) return QStringLiteral("false");
  return name;
}

std::vector<CodeListEntry> TDataModule1::CodeListEntries(const QString& list) {
  std::vector<CodeListEntry> entries;
  for (int code = 0; code <= 9; ++code) {
    const QString name = NomCodeName(list, code);
    if (name != QLatin1String("false")) entries.push_back({code, WithoutTrailingBlanks(name)});
  }
  return entries;
}

int TDataModule1::NomCodeOf(const QString& list, const QString& name) {
  nom_.OpenIfClosed();
  const QString wanted = WithoutTrailingBlanks(name);
  int found = -1;
  for (int code : nom_.Codes()) {
    const QVariant cell = nom_.Cell(list, code);
    if (!cell.isNull() && WithoutTrailingBlanks(cell.toString()) == wanted) found = code;
  }
  return found;
}

QString TDataModule1::MainQueryNGetText(int row) {
  return mainQuery_.DisplayText(row, mainQuery_.FieldIndex(QStringLiteral("N")));
}

bool TDataModule1::InvalidEgnFilter(const Statement& row) {
  const QVariant egn = row.Value(const_cast<Statement&>(row).ColumnIndex(QStringLiteral("EGN")));
  const QString text = WithoutTrailingBlanks(egn.toString());
  if (EGNDateAfterYears(text, 0) != 0) return false;
  ++InvalidCount;
  return true;
}

void TDataModule1::AttachInvalidEgnFilter() {
  mainQuery_.SetFilter([this](const Statement& row) { return InvalidEgnFilter(row); });
}

void TDataModule1::DetachInvalidEgnFilter() { mainQuery_.SetFilter({}); }

void TDataModule1::SetCurrentUser(const QString& name, int userId) {
  currentUserName_ = name;
  currentUserId_ = userId;
}
