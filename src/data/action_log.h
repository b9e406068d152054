// The action history writer: one INF_LOG record per sign-in, sign-out and card change,
// inside the shared transaction (it does not commit).
#pragma once

#include <QDateTime>
#include <QString>

class TDataModule1;

// Kinds of object a record is about.
inline constexpr const char* kLogKindSystem = "SYSTEM";
inline constexpr const char* kLogKindCard = "RGS_CARD";
inline constexpr const char* kLogKindPerson = "RGS_PERSON";

// The insert statement of one record. Every text is a quoted literal with its apostrophes
// doubled, so a name like O'Neil is stored rather than lost; the action text has its runs
// of blanks collapsed; the client time is "dd.mm.yyyy hh:mm:ss", or the date alone at midnight.
QString ComposeLogActionSql(const QString& userName, int userId, const QString& kind, qint64 objectKey,
                            const QString& action, const QDateTime& clientNow);

// Writes one record for the signed-in user; an error if nobody has signed in.
void LogAction(TDataModule1& data, qint64 objectKey, const QString& kind, const QString& action);
