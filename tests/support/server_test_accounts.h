// Accounts that a test makes on the loopback server: accounts are the server's, shared by every
// register and every run on it, so each gets a name no other run uses and is dropped at the end.
// For tests that link the login library's logic.
#pragma once

#include <QRandomGenerator>
#include <QStringList>
#include <QtDebug>
#include <unistd.h>

#include "server_accounts.h"

// "t_<what>_<process>_<random>", within the server's rules for a name.
inline QString UniqueServerLogin(const QString& what) {
  return QStringLiteral("t_%1_%2_%3").arg(what.toLower()).arg(getpid()).arg(QRandomGenerator::global()->bounded(1 << 20));
}

// Drops every account of `logins` that exists, through the administrator's connection, then
// detaches it. An account that cannot be dropped is reported and left: the run goes on.
inline void DropTestAccounts(Database& admin, const QStringList& logins) {
  if (!admin.IsConnected()) return;
  for (const QString& login : logins) {
    if (!ServerLoginProblem(login).isEmpty()) continue;  // refused names were never made
    try {
      if (ServerAccountExists(admin, login)) DropServerAccount(admin, login);
    } catch (const std::exception& error) {
      qWarning() << "account" << login << "left on the server:" << error.what();
    }
  }
  admin.Detach();
}
