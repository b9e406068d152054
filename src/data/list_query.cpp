#include "data/list_query.h"

#include "core/date_time.h"
#include "core/text_helpers.h"
#include "data/card_table.h"
#include "data/firebird/database.h"
#include "data/firebird/db_error.h"
#include "data/nom_table.h"

// The register list's statement, shown and copied as it stands.
const QString ListQuery::kBaseStatement = QStringLiteral(
    "select CARD_ID,KIDS,REG_NUM, REGDATE, GROUP1, GROUP2, GRUPA,GRUPA_DATE,STATUS,ADRESS,ADRESS_DATE,HARD_LIFE, "
    "C.NOTES, N_INVALIDS, DOC_IDTXT,LASTDEK_ID,LASTDEK_DATE,PROT_ID,PROT_DATE, POINTS_YEAR,POINTS,POINTS_DESCR,"
    "CLASSINFO,ONLY_PARENT, YOUNG_FAMILY, KIDS_AGE, PERSON_ID,NAME,EGN,INV_PROC,INV_DATE,TELK_NUM,SYS_NOTES from "
    "RGS_CARD C,RGS_PERSON  P where C.CARD_ID=P.CARD_ID and P.PERSON_TYPE = 0");

ListQuery::ListQuery(Database& database, NomTable& nom, QObject* parent)
    : QObject(parent),
      database_(database),
      nom_(nom),
      lines_{kBaseStatement, QString(), QString()},
      statement_(database) {
  for (const ListField& field : RegisterListFields())
    lookupKeyField_.push_back(field.source == ListField::Source::Lookup ? FieldIndex(field.keyField) : -1);
}

ListQuery::~ListQuery() { database_.DefaultTransaction().Detach(this); }

int ListQuery::FieldIndex(const QString& name) const {
  const auto& fields = RegisterListFields();
  for (size_t i = 0; i < fields.size(); ++i)
    if (fields[i].name.compare(name, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
  return -1;
}

void ListQuery::Open() {
  if (open_) return;
  nom_.OpenIfClosed();
  const QString sql = Sql();
  if (statement_.Sql() != sql) statement_.Prepare(sql);
  statement_.Open();

  lookupNomColumn_.clear();
  for (const ListField& field : RegisterListFields()) {
    const bool lookup = field.source == ListField::Source::Lookup;
    lookupNomColumn_.push_back(lookup ? nom_.ColumnIndex(field.nomColumn) : -1);
  }

  const Columns& columns = statement_.ResultColumns();
  rows_.Reset(columns);
  columnOfField_.assign(RegisterListFields().size(), -1);
  for (size_t f = 0; f < RegisterListFields().size(); ++f) {
    const ListField& field = RegisterListFields()[f];
    if (field.source != ListField::Source::Column) continue;
    for (size_t c = 0; c < columns.size(); ++c)
      if (columns[c].name.compare(field.name, Qt::CaseInsensitive) == 0) columnOfField_[f] = static_cast<int>(c);
  }

  try {
    while (statement_.Next())
      if (!filter_ || filter_(statement_)) rows_.Append(statement_.RowBuffer());
  } catch (...) {
    statement_.Close();
    rows_.Clear();
    throw;
  }
  // The rows are all here; blobs stay readable by id for the life of the transaction.
  statement_.Close();
  open_ = true;
  current_ = rows_.RowCount() > 0 ? 0 : -1;
  database_.DefaultTransaction().Attach(this);
  emit Opened(rows_.RowCount());
  emit CurrentRowChanged(current_);
}

void ListQuery::Close() {
  database_.DefaultTransaction().Detach(this);
  if (!open_) return;
  open_ = false;
  rows_.Clear();
  current_ = -1;
  emit Closed();
}

QVariant ListQuery::Value(int row, int field) const {
  const ListField& f = RegisterListFields().at(field);
  switch (f.source) {
    case ListField::Source::MemberCount:
      return MemberCount(row);
    case ListField::Source::Lookup: {
      const QVariant key = Value(row, lookupKeyField_[field]);
      if (key.isNull()) return {};
      const QVariant cell = nom_.CellAt(lookupNomColumn_[field], key.toInt());
      if (cell.isNull()) return {};
      return WithoutTrailingBlanks(cell.toString().left(f.size));
    }
    case ListField::Source::Column:
      break;
  }
  const int column = columnOfField_.at(field);
  if (column < 0) return {};
  QVariant value = rows_.Value(row, column);
  if (value.userType() == qMetaTypeId<BlobId>()) return statement_.ReadBlob(value.value<BlobId>());
  return value;
}

QVariant ListQuery::Value(int row, const QString& field) const {
  const int index = FieldIndex(field);
  if (index < 0) throw DbError(QStringLiteral("Списъкът няма поле %1.").arg(field));
  return Value(row, index);
}

QString ListQuery::DisplayText(int row, int field) const {
  const ListField& f = RegisterListFields().at(field);
  if (f.name == card_table::kCardId) return QString::number(row + 1);
  const QVariant value = Value(row, field);
  if (value.isNull()) return {};
  if (value.typeId() == QMetaType::QDateTime) {
    const QDateTime dt = value.toDateTime();
    return dt.time() == QTime(0, 0) ? FormatShortDate(dt.date()) : FormatDateTimeDropMidnight(dt);
  }
  if (value.typeId() == QMetaType::Double) return QString::number(value.toDouble(), 'g', 15);
  return value.toString();
}

void ListQuery::SetCurrentRow(int row) {
  if (row < -1 || row >= rows_.RowCount()) return;
  if (row == current_) return;
  current_ = row;
  emit CurrentRowChanged(current_);
}

QVariant ListQuery::CurrentValue(const QString& field) const {
  if (current_ < 0) return {};
  return Value(current_, field);
}

bool ListQuery::Locate(const QString& field, const QVariant& value) {
  const int index = FieldIndex(field);
  if (index < 0) throw DbError(QStringLiteral("Списъкът няма поле %1.").arg(field));
  for (int row = 0; row < rows_.RowCount(); ++row) {
    if (Value(row, index) == value) {
      SetCurrentRow(row);
      return true;
    }
  }
  return false;
}

int ListQuery::MemberCount(int row) const {
  const QVariant cardId = Value(row, FieldIndex(card_table::kCardId));
  if (!memberCount_) {
    auto* self = const_cast<ListQuery*>(this);
    self->memberCount_ = std::make_unique<Statement>(
        database_, QStringLiteral("select count(*) from rgs_person p where p.card_id=?"));
  }
  memberCount_->Bind(0, cardId);
  return memberCount_->ScalarValue().toInt();
}
