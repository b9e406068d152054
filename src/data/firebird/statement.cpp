#include "data/firebird/statement.h"

#include <cstring>

#include "data/firebird/blob.h"
#include "data/firebird/cp1251.h"
#include "data/firebird/database.h"
#include "data/firebird/fb_api.h"

using namespace Firebird;

namespace {
constexpr unsigned kDialect = 1;

template <typename T>
void Store(unsigned char* p, T value) {
  std::memcpy(p, &value, sizeof value);
}

// The kind of a bound value decides the message type the parameter is sent as.
enum class Kind { Null, Int32, Int64, Double, Text, Blob, Timestamp };

Kind KindOf(const QVariant& value, unsigned declaredType) {
  if (!value.isValid() || value.isNull()) return Kind::Null;
  switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Bool:
      return Kind::Int32;
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong: {
      const qlonglong v = value.toLongLong();
      return (v >= INT32_MIN && v <= INT32_MAX) ? Kind::Int32 : Kind::Int64;
    }
    case QMetaType::Double:
    case QMetaType::Float:
      return Kind::Double;
    case QMetaType::QDateTime:
    case QMetaType::QDate:
      return Kind::Timestamp;
    case QMetaType::QString:
    case QMetaType::QByteArray:
      return declaredType == fbapi::kBlob ? Kind::Blob : Kind::Text;
    default:
      throw DbError(QStringLiteral("Неподдържан вид стойност на параметър: %1.")
                        .arg(QString::fromLatin1(value.typeName())));
  }
}

QDateTime AsDateTime(const QVariant& value) {
  if (value.typeId() == QMetaType::QDate) return QDateTime(value.toDate(), QTime(0, 0));
  return value.toDateTime();
}
}  // namespace

Statement::Statement(Database& database) : database_(database) { database_.Register(this); }

Statement::Statement(Database& database, const QString& sql) : Statement(database) { sql_ = sql; }

Statement::~Statement() {
  ReleaseHandles();
  database_.Unregister(this);
}

void Statement::ReleaseInputLayouts() {
  for (auto& [signature, layout] : inputLayouts_)
    if (layout) layout->release();
  inputLayouts_.clear();
}

void Statement::ReleaseHandles() {
  database_.DefaultTransaction().Detach(this);
  if (cursor_) {
    fbapi::CloseQuietly(cursor_, [this](ThrowStatusWrapper* s) { cursor_->close(s); });
    cursor_ = nullptr;
  }
  ReleaseInputLayouts();
  if (inMeta_) inMeta_->release(), inMeta_ = nullptr;
  if (outMeta_) outMeta_->release(), outMeta_ = nullptr;
  if (handle_) {
    fbapi::CloseQuietly(handle_, [this](ThrowStatusWrapper* s) { handle_->free(s); });
    handle_ = nullptr;
  }
  hasRow_ = false;
}

void Statement::Prepare(const QString& sql) {
  ReleaseHandles();
  sql_ = sql;
  params_.clear();
  columns_.clear();
  EnsurePrepared();
}

QString Statement::Plan() {
  EnsurePrepared();
  const char* plan = fbapi::Call([&](ThrowStatusWrapper* s) { return handle_->getPlan(s, false); });
  return plan ? QString::fromLatin1(plan).trimmed() : QString();
}

void Statement::EnsurePrepared() {
  if (handle_) return;
  if (sql_.trimmed().isEmpty()) throw DbError(QStringLiteral("Празна SQL заявка."));
  const QByteArray text = EncodeCp1251(sql_);
  IAttachment* attachment = database_.Handle();
  ITransaction* tra = database_.DefaultTransaction().Handle();
  fbapi::Call([&](ThrowStatusWrapper* s) {
    handle_ = attachment->prepare(s, tra, static_cast<unsigned>(text.size()), text.constData(), kDialect,
                                  IStatement::PREPARE_PREFETCH_METADATA);
    statementType_ = handle_->getType(s);
    inMeta_ = handle_->getInputMetadata(s);
    outMeta_ = handle_->getOutputMetadata(s);
  });
  const int count = static_cast<int>(fbapi::Call([&](ThrowStatusWrapper* s) { return inMeta_->getCount(s); }));
  params_.resize(count);
  ReadOutputColumns();
}

void Statement::ReadOutputColumns() {
  columns_.clear();
  fbapi::Call([&](ThrowStatusWrapper* s) {
    const unsigned count = outMeta_->getCount(s);
    columns_.reserve(count);
    for (unsigned i = 0; i < count; ++i) {
      Column c;
      c.name = QString::fromUtf8(outMeta_->getAlias(s, i));
      c.field = QString::fromUtf8(outMeta_->getField(s, i));
      c.relation = QString::fromUtf8(outMeta_->getRelation(s, i));
      c.type = outMeta_->getType(s, i);
      c.subType = outMeta_->getSubType(s, i);
      c.length = outMeta_->getLength(s, i);
      c.scale = outMeta_->getScale(s, i);
      c.charSet = outMeta_->getCharSet(s, i);
      c.offset = outMeta_->getOffset(s, i);
      c.nullOffset = outMeta_->getNullOffset(s, i);
      columns_.push_back(c);
    }
    outBuffer_.assign(outMeta_->getMessageLength(s), 0);
  });
}

int Statement::ParameterCount() {
  EnsurePrepared();
  return static_cast<int>(params_.size());
}

void Statement::Bind(int index, const QVariant& value) {
  EnsurePrepared();
  if (index < 0 || index >= static_cast<int>(params_.size()))
    throw DbError(QStringLiteral("Няма параметър с номер %1 в заявката.").arg(index + 1));
  params_[index] = value;
}

void Statement::BindAll(std::initializer_list<QVariant> values) {
  int i = 0;
  for (const QVariant& v : values) Bind(i++, v);
}

IMessageMetadata* Statement::BuildInput(std::vector<unsigned char>& buffer) {
  if (params_.empty()) return nullptr;
  IAttachment* attachment = database_.Handle();
  ITransaction* tra = database_.DefaultTransaction().Handle();

  // Encode the values first: text that the code page cannot hold is refused before anything runs.
  std::vector<Kind> kinds(params_.size());
  std::vector<QByteArray> texts(params_.size());
  QString signature;
  fbapi::Call([&](ThrowStatusWrapper* s) {
    for (size_t i = 0; i < params_.size(); ++i) {
      kinds[i] = KindOf(params_[i], inMeta_->getType(s, static_cast<unsigned>(i)));
      if (kinds[i] == Kind::Text || kinds[i] == Kind::Blob) {
        texts[i] = params_[i].typeId() == QMetaType::QByteArray ? params_[i].toByteArray()
                                                                 : EncodeCp1251(params_[i].toString());
      }
      signature += QChar(u'a' + static_cast<int>(kinds[i]));
      if (kinds[i] == Kind::Text) signature += QString::number(texts[i].size()) + u',';
    }
  });

  // Texts of ever new lengths would grow the set without end; it starts again instead.
  if (inputLayouts_.size() >= kMaxInputLayouts && !inputLayouts_.count(signature)) ReleaseInputLayouts();
  IMessageMetadata*& boundMeta = inputLayouts_[signature];
  if (!boundMeta) {
    boundMeta = fbapi::Call([&](ThrowStatusWrapper* s) {
      IMetadataBuilder* builder = inMeta_->getBuilder(s);
      for (size_t i = 0; i < params_.size(); ++i) {
        const unsigned u = static_cast<unsigned>(i);
        switch (kinds[i]) {
          case Kind::Null:
          case Kind::Blob:
            break;  // keep the declared type
          case Kind::Int32:
            builder->setType(s, u, fbapi::kLong + 1);
            builder->setLength(s, u, 4);
            builder->setScale(s, u, 0);
            break;
          case Kind::Int64:
            builder->setType(s, u, fbapi::kInt64 + 1);
            builder->setLength(s, u, 8);
            builder->setScale(s, u, 0);
            break;
          case Kind::Double:
            builder->setType(s, u, fbapi::kDouble + 1);
            builder->setLength(s, u, 8);
            builder->setScale(s, u, 0);
            break;
          case Kind::Timestamp:
            builder->setType(s, u, fbapi::kTimestamp + 1);
            builder->setLength(s, u, 8);
            break;
          case Kind::Text:
            builder->setType(s, u, fbapi::kVarying + 1);
            builder->setLength(s, u, static_cast<unsigned>(qMax<qsizetype>(texts[i].size(), 1)));
            builder->setCharSet(s, u, fbapi::kCharsetWin1251);
            break;
        }
      }
      IMessageMetadata* meta = builder->getMetadata(s);
      builder->release();
      return meta;
    });
  }

  fbapi::Call([&](ThrowStatusWrapper* s) {
    buffer.assign(boundMeta->getMessageLength(s), 0);
    for (size_t i = 0; i < params_.size(); ++i) {
      const unsigned u = static_cast<unsigned>(i);
      unsigned char* p = buffer.data() + boundMeta->getOffset(s, u);
      Store<short>(buffer.data() + boundMeta->getNullOffset(s, u), kinds[i] == Kind::Null ? -1 : 0);
      const QVariant& v = params_[i];
      switch (kinds[i]) {
        case Kind::Null:
          break;
        case Kind::Int32:
          Store<qint32>(p, static_cast<qint32>(v.toLongLong()));
          break;
        case Kind::Int64:
          Store<qint64>(p, v.toLongLong());
          break;
        case Kind::Double:
          Store<double>(p, v.toDouble());
          break;
        case Kind::Timestamp: {
          int date = 0;
          unsigned time = 0;
          QDateTimeToTimestamp(AsDateTime(v), &date, &time);
          Store<qint32>(p, date);
          Store<quint32>(p + 4, time);
          break;
        }
        case Kind::Text:
          Store<quint16>(p, static_cast<quint16>(texts[i].size()));
          std::memcpy(p + 2, texts[i].constData(), texts[i].size());
          break;
        case Kind::Blob: {
          const BlobId id = WriteBlobBytes(attachment, tra, texts[i]);
          Store<quint32>(p, id.high);
          Store<quint32>(p + 4, id.low);
          break;
        }
      }
    }
  });
  return boundMeta;
}

void Statement::Execute() {
  Close();
  EnsurePrepared();
  std::vector<unsigned char> input;
  IMessageMetadata* inMeta = BuildInput(input);
  ITransaction* tra = database_.DefaultTransaction().Handle();
  const bool returnsRow = !columns_.empty() && statementType_ != isc_info_sql_stmt_select &&
                          statementType_ != isc_info_sql_stmt_select_for_upd;
  fbapi::Call([&](ThrowStatusWrapper* s) {
    handle_->execute(s, tra, inMeta, inMeta ? input.data() : nullptr, returnsRow ? outMeta_ : nullptr,
                     returnsRow ? outBuffer_.data() : nullptr);
  });
  hasRow_ = returnsRow;
}

void Statement::Open() {
  Close();
  EnsurePrepared();
  std::vector<unsigned char> input;
  IMessageMetadata* inMeta = BuildInput(input);
  Transaction& transaction = database_.DefaultTransaction();
  ITransaction* tra = transaction.Handle();
  cursor_ = fbapi::Call([&](ThrowStatusWrapper* s) {
    return handle_->openCursor(s, tra, inMeta, inMeta ? input.data() : nullptr, outMeta_, 0);
  });
  transaction.Attach(this);
}

bool Statement::Next() {
  if (!cursor_) throw DbError(QStringLiteral("Заявката не е отворена."));
  const int rc = fbapi::Call([&](ThrowStatusWrapper* s) { return cursor_->fetchNext(s, outBuffer_.data()); });
  hasRow_ = rc == IStatus::RESULT_OK;
  return hasRow_;
}

void Statement::Close() {
  database_.DefaultTransaction().Detach(this);
  if (!cursor_) return;
  IResultSet* cursor = cursor_;
  cursor_ = nullptr;
  hasRow_ = false;
  fbapi::Call([&](ThrowStatusWrapper* s) { cursor->close(s); });
}

QVariant Statement::ScalarValue() {
  Open();
  QVariant result;
  if (Next() && !columns_.empty()) result = Value(0);
  Close();
  return result;
}

const Columns& Statement::ResultColumns() {
  EnsurePrepared();
  return columns_;
}

int Statement::ColumnIndex(const QString& name) {
  EnsurePrepared();
  for (size_t i = 0; i < columns_.size(); ++i)
    if (columns_[i].name.compare(name, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
  return -1;
}

bool Statement::IsNull(int column) const {
  if (!hasRow_) throw DbError(QStringLiteral("Няма текущ ред."));
  short flag;
  std::memcpy(&flag, outBuffer_.data() + columns_.at(column).nullOffset, sizeof flag);
  return flag != 0;
}

QVariant Statement::Value(int column) const {
  if (!hasRow_) throw DbError(QStringLiteral("Няма текущ ред."));
  return DecodeField(columns_.at(column), outBuffer_.data(), [this](const BlobId& id) { return ReadBlob(id); });
}

QVariant Statement::ValueOf(const QString& name) {
  const int index = ColumnIndex(name);
  if (index < 0) throw DbError(QStringLiteral("Няма колона %1 в резултата.").arg(name));
  return Value(index);
}

QString Statement::ReadBlob(const BlobId& id) const {
  return DecodeCp1251(ReadBlobBytes(database_.Handle(), database_.DefaultTransaction().Handle(), id));
}
