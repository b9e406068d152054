// The one transaction of a connection: Start, Commit, CommitRetaining, Rollback.
// A full commit or rollback first closes every data set attached to it (open cursors, the
// register list, ...); a commit that retains the transaction closes nothing.
#pragma once

#include <vector>

namespace Firebird {
class ITransaction;
}
class Database;

// Something that must close when the transaction ends (a cursor, a fetched list).
class TransactionObserver {
 public:
  virtual ~TransactionObserver() = default;
  virtual void TransactionEnding() = 0;
};

class Transaction {
 public:
  explicit Transaction(Database& database);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  void Start();
  void StartIfNeeded();
  void Commit();
  void CommitRetaining();
  void Rollback();
  bool IsActive() const { return handle_ != nullptr; }

  // Seconds to wait on a lock conflict before the server reports it; -1 waits without end
  // (the server's default), 0 reports it at once. Applies from the next Start.
  void SetLockTimeout(int seconds) { lockTimeout_ = seconds; }
  int LockTimeout() const { return lockTimeout_; }

  void Attach(TransactionObserver* observer);
  void Detach(TransactionObserver* observer);

  // The server's handle; starts the transaction when none is active.
  Firebird::ITransaction* Handle();
  Database& Owner() { return database_; }

 private:
  void CloseDataSets();

  Database& database_;
  Firebird::ITransaction* handle_ = nullptr;
  std::vector<TransactionObserver*> observers_;
  int lockTimeout_ = -1;
};
