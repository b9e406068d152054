#include "data/list_query.h"

#include <QRegularExpression>
#include <algorithm>

#include "core/date_time.h"
#include "core/text_helpers.h"
#include "data/card_table.h"
#include "data/firebird/database.h"
#include "data/firebird/db_error.h"
#include "data/firebird/fb_api.h"
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
  rowsFromTransaction_ = transactionEnds_;
  rowOfCard_.clear();
  rowOfCardBuilt_ = false;
  blobIdsFrom_ = -1;
  blobIdsOfCard_.clear();
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
  rowOfCard_.clear();
  rowOfCardBuilt_ = false;
  blobIdsOfCard_.clear();
  blobIdsFrom_ = -1;
  current_ = -1;
  emit Closed();
}

ListQuery::KeepOverCommit::KeepOverCommit(ListQuery& list) : list_(list), keeps_(list.CanRereadCards()) {
  if (keeps_) ++list_.keepers_;
}

ListQuery::KeepOverCommit::~KeepOverCommit() {
  if (keeps_) --list_.keepers_;
}

void ListQuery::TransactionEnding() {
  if (keepers_ > 0 && open_) {
    ++transactionEnds_;
    return;
  }
  Close();
}

QVariant ListQuery::Value(int row, int field) const {
  const ListField& f = RegisterListFields().at(field);
  switch (f.source) {
    case ListField::Source::MemberCount:
      return MemberCount(row);
    case ListField::Source::Lookup: {
      const QVariant key = Value(row, lookupKeyField_[field]);
      if (key.isNull()) return {};
      // The code list closes with the transaction; rows kept over its end still name codes.
      nom_.OpenIfClosed();
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
  if (value.userType() != qMetaTypeId<BlobId>()) return value;
  if (rowsFromTransaction_ != transactionEnds_) return CurrentBlob(row, column);
  return statement_.ReadBlob(value.value<BlobId>());
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
  if (field.compare(card_table::kCardId, Qt::CaseInsensitive) == 0 && value.canConvert<int>() && !value.isNull()) {
    BuildRowOfCard();
    if (cardKeysUnique_) {
      bool ok = false;
      const int key = value.toInt(&ok);
      const int row = ok ? RowOfCard(key) : -1;
      if (row < 0) return false;
      SetCurrentRow(row);
      return true;
    }
  }
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

int ListQuery::ColumnOf(const QString& field) const { return columnOfField_.at(FieldIndex(field)); }

int ListQuery::CardIdAt(int row) const { return rows_.Value(row, ColumnOf(card_table::kCardId)).toInt(); }

int ListQuery::RegNumAt(int row) const { return rows_.Value(row, ColumnOf(card_table::kRegNum)).toInt(); }

void ListQuery::BuildRowOfCard() const {
  if (rowOfCardBuilt_) return;
  rowOfCard_.clear();
  rowOfCard_.reserve(static_cast<size_t>(rows_.RowCount()));
  cardKeysUnique_ = true;
  for (int row = 0; row < rows_.RowCount() && cardKeysUnique_; ++row)
    cardKeysUnique_ = rowOfCard_.emplace(CardIdAt(row), row).second;
  if (!cardKeysUnique_) rowOfCard_.clear();
  rowOfCardBuilt_ = true;
}

int ListQuery::RowOfCard(int cardId) const {
  if (!open_) return -1;
  BuildRowOfCard();
  if (!cardKeysUnique_) {
    for (int row = 0; row < rows_.RowCount(); ++row)
      if (CardIdAt(row) == cardId) return row;
    return -1;
  }
  const auto found = rowOfCard_.find(cardId);
  return found == rowOfCard_.end() ? -1 : found->second;
}

void ListQuery::RenumberFrom(int row) {
  if (!rowOfCardBuilt_ || !cardKeysUnique_) return;
  for (int r = row; r < rows_.RowCount(); ++r) rowOfCard_[CardIdAt(r)] = r;
}

bool ListQuery::CanRereadCards() const {
  static const QRegularExpression byRegNum(QStringLiteral("^\\s*order\\s+by\\s+reg_num(\\s+asc(ending)?)?\\s*$"),
                                           QRegularExpression::CaseInsensitiveOption);
  return open_ && !filter_ && byRegNum.match(lines_[2]).hasMatch();
}

void ListQuery::InsertRow(int row, const unsigned char* message) {
  emit RowAboutToBeInserted(row);
  rows_.Insert(row, message);
  if (rowOfCardBuilt_ && cardKeysUnique_) RenumberFrom(row);
  if (current_ >= row) ++current_;
  emit RowInserted(row);
}

void ListQuery::RemoveRow(int row) {
  emit RowAboutToBeRemoved(row);
  if (rowOfCardBuilt_ && cardKeysUnique_) rowOfCard_.erase(CardIdAt(row));
  rows_.Remove(row);
  RenumberFrom(row);
  // A removed current row hands its place to the card after it, as a reopen on the same
  // row number would.
  if (current_ > row || current_ >= rows_.RowCount()) current_ = rows_.RowCount() > 0 ? current_ - 1 : -1;
  if (current_ < 0 && rows_.RowCount() > 0) current_ = 0;
  emit RowRemoved(row);
}

int ListQuery::PlaceOfRegNum(int regNum) const {
  // The rows are in registration-number order: the first row with a higher number.
  int low = 0, high = rows_.RowCount();
  while (low < high) {
    const int middle = low + (high - low) / 2;
    if (RegNumAt(middle) <= regNum)
      low = middle + 1;
    else
      high = middle;
  }
  return low;
}

bool ListQuery::RereadCard(int cardId) {
  if (!CanRereadCards()) return false;
  // A card on several rows (several holders) is left to a whole opening: false, as when the
  // list cannot put a card in place at all.
  BuildRowOfCard();
  if (!cardKeysUnique_) return false;
  nom_.OpenIfClosed();
  // The list's own select and condition with the card's key: the row comes exactly as an
  // opening of the list would fetch it.
  const QString sql = lines_[0] + u'\n' + lines_[1] + QStringLiteral("\nand C.") + card_table::kCardId +
                      QStringLiteral(" = ?");
  if (!reread_) reread_ = std::make_unique<Statement>(database_);
  if (reread_->Sql() != sql) reread_->Prepare(sql);
  reread_->Bind(0, cardId);
  reread_->Open();
  const int previousCurrent = current_;
  const int countBefore = rows_.RowCount();
  try {
    const int keyColumn = reread_->ColumnIndex(QString(card_table::kCardId));
    const int regNumColumn = reread_->ColumnIndex(QString(card_table::kRegNum));
    bool found = false;
    // A condition with an "or" of its own may bring other cards along: only this key counts.
    while (!found && reread_->Next()) found = reread_->Value(keyColumn).toInt() == cardId;
    int row = RowOfCard(cardId);
    const int regNum = found ? reread_->Value(regNumColumn).toInt() : 0;
    if (row >= 0 && (!found || RegNumAt(row) != regNum)) {
      RemoveRow(row);
      row = -1;
    }
    if (found && row >= 0) {
      rows_.Replace(row, reread_->RowBuffer());
      emit RowReplaced(row);
    } else if (found) {
      InsertRow(PlaceOfRegNum(regNum), reread_->RowBuffer());
    }
  } catch (...) {
    reread_->Close();
    throw;
  }
  reread_->Close();
  // The card's blobs changed with it: ids read again by key are taken afresh.
  blobIdsFrom_ = -1;
  if (rows_.RowCount() != countBefore) emit RowCountChanged(rows_.RowCount());
  if (current_ != previousCurrent) emit CurrentRowChanged(current_);
  return true;
}

QVariant ListQuery::CurrentBlob(int row, int column) const {
  const Columns& columns = rows_.ColumnList();
  if (blobIdsFrom_ != transactionEnds_) {
    // One pass over the cards for the ids of every blob column the list shows, in the
    // transaction that runs now.
    blobColumns_.clear();
    QStringList names;
    for (size_t c = 0; c < columns.size(); ++c) {
      if (columns[c].type != fbapi::kBlob) continue;
      if (columns[c].relation.compare(card_table::kTable, Qt::CaseInsensitive) != 0)
        throw DbError(QStringLiteral("Списъкът не може да прочете отново полето %1.").arg(columns[c].name));
      blobColumns_.push_back(static_cast<int>(c));
      names << QStringLiteral("C.") + columns[c].field;
    }
    blobIdsOfCard_.clear();
    Statement read(database_, QStringLiteral("select C.") + card_table::kCardId + u',' + names.join(u',') +
                                  QStringLiteral(" from ") + card_table::kTable + QStringLiteral(" C"));
    read.Open();
    while (read.Next()) {
      std::vector<std::optional<BlobId>>& ids = blobIdsOfCard_[read.Value(0).toInt()];
      for (int i = 1; i <= static_cast<int>(blobColumns_.size()); ++i) {
        const QVariant id = DecodeField(read.ResultColumns()[static_cast<size_t>(i)], read.RowBuffer(), {});
        ids.push_back(id.isNull() ? std::nullopt : std::optional<BlobId>(id.value<BlobId>()));
      }
    }
    read.Close();
    blobIdsFrom_ = transactionEnds_;
  }
  const auto card = blobIdsOfCard_.find(CardIdAt(row));
  if (card == blobIdsOfCard_.end()) return {};  // deleted by another workstation since
  const auto place = std::find(blobColumns_.begin(), blobColumns_.end(), column);
  const std::optional<BlobId>& id = card->second.at(static_cast<size_t>(place - blobColumns_.begin()));
  if (!id) return {};
  return statement_.ReadBlob(*id);
}
