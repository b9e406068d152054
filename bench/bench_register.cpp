// Making or finding the benchmark register.
#include "bench_register.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdlib>

#include "data/schema/register_setup.h"
#include "seed_writer.h"

namespace {
int CardsWanted() {
  const char* text = std::getenv("TESARO_BENCH_CARDS");
  if (!text || !*text) return 100000;
  bool ok = false;
  const int cards = QString::fromLocal8Bit(text).toInt(&ok);
  if (!ok || cards <= 0) {
    QTextStream(stderr) << "TESARO_BENCH_CARDS must be a positive whole number; using 100000.\n";
    return 100000;
  }
  return cards;
}

ConnectionParams Make() {
  ConnectionParams params;
  if (const char* path = std::getenv("TESARO_BENCH_DB"); path && *path) {
    params.path = QString::fromLocal8Bit(path);
    // A register on a server ("host:/path") takes the credentials of ISC_USER / ISC_PASSWORD.
    if (const char* user = std::getenv("ISC_USER"); user && *user) params.user = QString::fromLocal8Bit(user);
    if (const char* password = std::getenv("ISC_PASSWORD")) params.password = QString::fromLocal8Bit(password);
    QTextStream(stderr) << "Benchmark register: " << params.path << '\n';
    return params;
  }
  static QTemporaryDir folder;
  params.path = folder.filePath(QStringLiteral("bench.fdb"));
  const int cards = CardsWanted();
  QElapsedTimer timer;
  timer.start();
  Database database;
  CreateRegister(database, params, QStringLiteral("Община Пловдив"));
  SeedRequest request;
  request.cards = cards;
  request.seed = 1;
  const SeedSummary summary = SeedRegister(database, request);
  database.Detach();
  QTextStream(stderr) << "Benchmark register: " << summary.cards << " cards, " << summary.members
                      << " members, made in " << timer.elapsed() << " ms at " << params.path << '\n';
  return params;
}
}  // namespace

const ConnectionParams& BenchRegister() {
  static const ConnectionParams params = Make();
  return params;
}

QString SeededRegisterFile(int cards) {
  static QTemporaryDir runFolder;
  const char* kept = std::getenv("TESARO_BENCH_SEEDED_DIR");
  const QString folder = kept && *kept ? QString::fromLocal8Bit(kept) : runFolder.path();
  QDir().mkpath(folder);
  const QString path = QDir(folder).filePath(QStringLiteral("seeded-%1.fdb").arg(cards));
  if (QFile::exists(path)) return path;
  const QString making = path + QStringLiteral(".making");
  QFile::remove(making);
  QElapsedTimer timer;
  timer.start();
  ConnectionParams params;
  params.path = making;
  Database database;
  CreateRegister(database, params, QStringLiteral("Община Пловдив"));
  SeedRequest request;
  request.cards = cards;
  request.seed = 1;
  SeedRegister(database, request);
  database.Detach();
  // Only a whole register is kept for the next run.
  QFile::rename(making, path);
  QTextStream(stderr) << "Seeded register of " << cards << " cards made in " << timer.elapsed() << " ms at " << path
                      << '\n';
  return path;
}
