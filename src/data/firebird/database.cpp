#include "data/firebird/database.h"

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <QTextStream>

#include "data/firebird/cp1251.h"
#include "data/firebird/fb_api.h"
#include "data/firebird/statement.h"

using namespace Firebird;

namespace {
constexpr int kDialect = 1;

// Connection parameters shared by attach and create.
IXpbBuilder* MakeDpb(ThrowStatusWrapper* s, const ConnectionParams& params) {
  IXpbBuilder* dpb = fbapi::Util()->getXpbBuilder(s, IXpbBuilder::DPB, nullptr, 0);
  dpb->insertString(s, isc_dpb_user_name, EncodeCp1251(params.user).constData());
  dpb->insertString(s, isc_dpb_password, EncodeCp1251(params.password).constData());
  dpb->insertString(s, isc_dpb_lc_ctype, "WIN1251");
  dpb->insertInt(s, isc_dpb_sql_dialect, kDialect);
  if (!params.role.isEmpty()) dpb->insertString(s, isc_dpb_sql_role_name, EncodeCp1251(params.role).constData());
  return dpb;
}

constexpr int kEngineDefaultCachePages = 2048;

// The page size written in a database file's header page (a 16-bit number after the 16 bytes
// every page starts with); 0 when the file cannot be read or holds no usable size.
int HeaderPageSize(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return 0;
  const QByteArray header = file.read(18);
  if (header.size() < 18) return 0;
  const int size = static_cast<unsigned char>(header[16]) | (static_cast<unsigned char>(header[17]) << 8);
  const bool powerOfTwo = size >= 1024 && size <= 32768 && (size & (size - 1)) == 0;
  return powerOfTwo ? size : 0;
}
}  // namespace

int PageCachePagesFor(const QString& path, int limitMb) {
  if (IsServerPath(path) || limitMb <= 0) return 0;
  const int pageSize = HeaderPageSize(path);
  if (pageSize == 0) return 0;
  const qint64 pages = QFileInfo(path).size() / pageSize;
  const qint64 limit = static_cast<qint64>(limitMb) * 1024 * 1024 / pageSize;
  const qint64 wanted = std::min(pages + pages / 4, limit);
  return wanted > kEngineDefaultCachePages ? static_cast<int>(wanted) : 0;
}

bool IsServerPath(const QString& path) {
  const qsizetype colon = path.indexOf(u':');
  return colon > 1 && !path.startsWith(u'/');
}

Database::Database() : transaction_(*this) {}

Database::~Database() {
  try {
    Detach();
  } catch (const DbError& error) {
    QTextStream(stderr) << "Базата данни не можа да бъде затворена: " << error.Message() << '\n';
  }
}

IAttachment* Database::Handle() const {
  if (!attachment_) throw DbError(QStringLiteral("Няма връзка с базата данни."));
  return attachment_;
}

void Database::Attach(const ConnectionParams& params) {
  if (attachment_) Detach();
  const QByteArray path = QFile::encodeName(params.path);
  attachment_ = fbapi::Call([&](ThrowStatusWrapper* s) {
    IXpbBuilder* dpb = MakeDpb(s, params);
    if (const int pages = PageCachePagesFor(params.path, params.pageCacheLimitMb); pages > 0)
      dpb->insertInt(s, isc_dpb_num_buffers, pages);
    IAttachment* a = fbapi::Provider()->attachDatabase(s, path.constData(), dpb->getBufferLength(s), dpb->getBuffer(s));
    dpb->dispose();
    return a;
  });
  params_ = params;
}

void MakeRegisterFilePrivate(const QString& path) {
  // A file system without permissions has nothing to narrow.
  if (!IsServerPath(path)) ::chmod(QFile::encodeName(path).constData(), S_IRUSR | S_IWUSR);
}

void Database::Create(const ConnectionParams& params, int pageSize) {
  if (attachment_) Detach();
  const QByteArray path = QFile::encodeName(params.path);
  attachment_ = fbapi::Call([&](ThrowStatusWrapper* s) {
    IXpbBuilder* dpb = MakeDpb(s, params);
    dpb->insertInt(s, isc_dpb_page_size, pageSize);
    dpb->insertString(s, isc_dpb_set_db_charset, "WIN1251");
    IAttachment* a = fbapi::Provider()->createDatabase(s, path.constData(), dpb->getBufferLength(s), dpb->getBuffer(s));
    dpb->dispose();
    return a;
  });
  params_ = params;
  MakeRegisterFilePrivate(params.path);
}

void Database::ReleaseStatements() {
  for (Statement* statement : statements_) statement->ReleaseHandles();
}

void Database::Detach() {
  if (!attachment_) return;
  transaction_.Commit();
  ReleaseStatements();
  fbapi::Call([&](ThrowStatusWrapper* s) { attachment_->detach(s); });
  attachment_ = nullptr;
}

void Database::Drop() {
  if (!attachment_) return;
  transaction_.Rollback();
  ReleaseStatements();
  fbapi::Call([&](ThrowStatusWrapper* s) { attachment_->dropDatabase(s); });
  attachment_ = nullptr;
}

void Database::ExecuteImmediate(const QString& sql) {
  const QByteArray text = EncodeCp1251(sql);
  ITransaction* tra = transaction_.Handle();
  fbapi::Call([&](ThrowStatusWrapper* s) {
    attachment_->execute(s, tra, static_cast<unsigned>(text.size()), text.constData(), kDialect, nullptr, nullptr,
                         nullptr, nullptr);
  });
}
