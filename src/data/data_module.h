// The data module: the one connection and transaction of the program, the nomenclature,
// the register list and the commit policy every operation follows. Windows reach the
// database only through it; it tells them about the list through signals, never widgets.
#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <vector>

#include "data/firebird/database.h"
#include "data/list_query.h"
#include "data/nom_table.h"

// One named code of a code list, as the lists and menus offer it.
struct CodeListEntry {
  int code = 0;
  QString name;  // without trailing blanks
};

class TDataModule1 : public QObject {
  Q_OBJECT
 public:
  explicit TDataModule1(QObject* parent = nullptr);  // DataModuleCreate
  ~TDataModule1() override;                          // closes the connection with a commit

  // Seconds a statement waits on a record locked by another workstation's open transaction.
  static constexpr int kLockWaitSeconds = 10;
  void Connect(const ConnectionParams& params);
  void Disconnect();  // commits, closing every data set
  bool IsConnected() const { return database_.IsConnected(); }
  Database& Db() { return database_; }
  Transaction& Tr() { return database_.DefaultTransaction(); }

  // Commit policy. A full commit or rollback closes every data set (list, NOM, cursors);
  // commit-retaining closes none and keeps every position.
  void Commit() { Tr().Commit(); }
  void Rollback() { Tr().Rollback(); }
  void CommitRetaining() { Tr().CommitRetaining(); }
  // Before writing several rows: commit-retaining when a transaction runs, else start one.
  void BeginWrite();

  ListQuery& MainQuery() { return mainQuery_; }
  NomTable& Nom() { return nom_; }

  // Name of `code` in code list `list` (a NOM column), or "false" when the row or the
  // cell is missing (a cell reading "false" counts as missing too). Opens NOM if closed.
  QString NomCodeName(const QString& list, int code);
  // The entries a code-list display offers: codes 0 to 9 in order, each with its name without
  // trailing blanks; a code whose name is missing or reads "false" is left out. Opens NOM if closed.
  std::vector<CodeListEntry> CodeListEntries(const QString& list);
  // Code of the last row whose cell equals `name` (trailing blanks ignored), or -1.
  int NomCodeOf(const QString& list, const QString& name);

  // Display text of the list's member-count field N for a row.
  QString MainQueryNGetText(int row);

  // The invalid-personal-number filter: admits the rows whose holder EGN encodes no
  // valid date and counts them in InvalidCount.
  bool InvalidEgnFilter(const Statement& row);
  void AttachInvalidEgnFilter();
  void DetachInvalidEgnFilter();
  int InvalidCount = -1;

  // The signed-in user, recorded with every history record.
  void SetCurrentUser(const QString& name, int userId);
  const QString& CurrentUserName() const { return currentUserName_; }
  int CurrentUserId() const { return currentUserId_; }
  bool HasCurrentUser() const { return currentUserId_ >= 0; }

  // The count followed by " записа", as the status bar shows it.
  static QString RecordCountText(int rowCount);

 signals:
  // After every opening of the register list, and when a saved card came into it or left it:
  // "<count> записа".
  void RecordCountChanged(const QString& text);

 private:
  void MainQueryAfterOpen(int rowCount);

  Database database_;
  NomTable nom_;
  ListQuery mainQuery_;
  QString currentUserName_;
  int currentUserId_ = -1;
};
