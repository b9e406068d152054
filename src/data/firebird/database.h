// One connection to a register database (embedded for a plain path, a server for
// "host:/path"), in SQL dialect 1 with the WIN1251 character set, and its one transaction.
#pragma once

#include <QString>
#include <memory>
#include <set>

#include "data/firebird/db_error.h"
#include "data/firebird/transaction.h"

namespace Firebird {
class IAttachment;
}
class Statement;

// The most memory the page cache of a register on this machine may take unless the settings
// say otherwise: enough for the whole of a register of several hundred thousand cards.
inline constexpr int kDefaultPageCacheLimitMb = 512;

struct ConnectionParams {
  QString path;  // "/abs/file.fdb" opens embedded; "host:/abs/file.fdb" goes to a server
  QString user = QStringLiteral("SYSDBA");
  QString password;
  // The SQL role the connection works under on a server (the clerk's rights group); empty for none.
  QString role = {};
  // A register on this machine gets a page cache of its own size (never below the engine's
  // 2 048 pages) up to this many megabytes: a register that outgrows the engine's default
  // cache would otherwise read and write pages to disk over and over while one pass over the
  // cards cleans up old record versions. A server's cache is the server's own setting.
  int pageCacheLimitMb = kDefaultPageCacheLimitMb;
};

// The page cache, in pages, a connection to a register file asks for: the file's pages with a
// quarter more to grow into, at least the engine's default and within `limitMb`; 0 (the
// engine's default) for a server path or a file that cannot be read.
int PageCachePagesFor(const QString& path, int limitMb);

// True for "host:/path" (a server), false for a local file ("/path", "C:\\path").
bool IsServerPath(const QString& path);

// Makes a register file on this machine readable and writable by its owner only: it holds
// personal data, and the engine would give its group access too. Nothing for a server path.
void MakeRegisterFilePrivate(const QString& path);

class Database {
 public:
  Database();
  ~Database();  // closes with a commit, like Detach
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  // Creates a new, empty dialect-1 WIN1251 database and leaves this object attached to it. A
  // file on this machine is the owner's only (MakeRegisterFilePrivate).
  void Create(const ConnectionParams& params, int pageSize = 8192);
  void Attach(const ConnectionParams& params);
  // Commits the open transaction (closing every data set) and closes the connection.
  void Detach();
  // Deletes the attached database (its transaction rolled back first) and closes the connection.
  void Drop();
  bool IsConnected() const { return attachment_ != nullptr; }
  const ConnectionParams& Params() const { return params_; }

  Transaction& DefaultTransaction() { return transaction_; }

  // Runs a statement without results in the default transaction.
  void ExecuteImmediate(const QString& sql);

  Firebird::IAttachment* Handle() const;

 private:
  friend class Statement;
  void Register(Statement* statement) { statements_.insert(statement); }
  void Unregister(Statement* statement) { statements_.erase(statement); }
  void ReleaseStatements();

  Firebird::IAttachment* attachment_ = nullptr;
  ConnectionParams params_;
  Transaction transaction_;
  std::set<Statement*> statements_;
};
