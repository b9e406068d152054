#include "data/firebird/transaction.h"

#include <algorithm>

#include "data/firebird/database.h"
#include "data/firebird/fb_api.h"

using namespace Firebird;

Transaction::Transaction(Database& database) : database_(database) {}

Transaction::~Transaction() {
  if (handle_) fbapi::CloseQuietly(handle_, [this](ThrowStatusWrapper* s) { handle_->rollback(s); });
  handle_ = nullptr;
}

void Transaction::Start() {
  if (handle_) throw DbError(QStringLiteral("Транзакцията вече е започната."));
  IAttachment* attachment = database_.Handle();
  handle_ = fbapi::Call([&](ThrowStatusWrapper* s) {
    // Snapshot isolation, read-write, waiting on lock conflicts: the server's default,
    // with an optional bound on the wait.
    IXpbBuilder* tpb = fbapi::Util()->getXpbBuilder(s, IXpbBuilder::TPB, nullptr, 0);
    tpb->insertTag(s, isc_tpb_concurrency);
    tpb->insertTag(s, isc_tpb_write);
    if (lockTimeout_ == 0) {
      tpb->insertTag(s, isc_tpb_nowait);
    } else {
      tpb->insertTag(s, isc_tpb_wait);
      if (lockTimeout_ > 0) tpb->insertInt(s, isc_tpb_lock_timeout, lockTimeout_);
    }
    ITransaction* t = attachment->startTransaction(s, tpb->getBufferLength(s), tpb->getBuffer(s));
    tpb->dispose();
    return t;
  });
}

void Transaction::StartIfNeeded() {
  if (!handle_) Start();
}

ITransaction* Transaction::Handle() {
  StartIfNeeded();
  return handle_;
}

void Transaction::CloseDataSets() {
  // Observers detach themselves while closing, so walk a copy.
  const auto observers = observers_;
  for (TransactionObserver* observer : observers)
    if (std::find(observers_.begin(), observers_.end(), observer) != observers_.end()) observer->TransactionEnding();
}

void Transaction::Commit() {
  CloseDataSets();
  if (!handle_) return;
  fbapi::Call([&](ThrowStatusWrapper* s) { handle_->commit(s); });
  handle_ = nullptr;
}

void Transaction::CommitRetaining() {
  if (!handle_) throw DbError(QStringLiteral("Няма активна транзакция."));
  fbapi::Call([&](ThrowStatusWrapper* s) { handle_->commitRetaining(s); });
}

void Transaction::Rollback() {
  CloseDataSets();
  if (!handle_) return;
  fbapi::Call([&](ThrowStatusWrapper* s) { handle_->rollback(s); });
  handle_ = nullptr;
}

void Transaction::Attach(TransactionObserver* observer) {
  if (std::find(observers_.begin(), observers_.end(), observer) == observers_.end()) observers_.push_back(observer);
}

void Transaction::Detach(TransactionObserver* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}
