// What a clerk waits for at the card, against the size of the register: saving an existing
// card, saving a new one, and opening the ranked list right after the refresh of every card.
// Each runs on its own copy of a seeded register of 10 000 cards and of each larger size, the
// sizes taking turns in every repeat; each figure is the median of the repeats with its
// spread (lowest to highest). Goals: a save at every size within 1.5x of the same save at
// 10 000 cards; the ranked-list open per card within 1.5x of its cost per card at 10 000.
// Sizes: 10 000 and 100 000; --with-300000 adds 300 000; --repeats N (at least 5, default 7).
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "bench_register.h"
#include "card/card_load.h"
#include "card/card_save.h"
#include "card/members.h"
#include "classification/ranking_criteria.h"
#include "classification/ranking_progress.h"
#include "classification/refresh_classifications.h"
#include "core/clock.h"
#include "core/messages.h"
#include "data/data_module.h"

namespace {
constexpr int kReference = 10000;
constexpr double kGoal = 1.5;

struct Figures {
  std::vector<double> savedExisting, savedNew, refresh, rankedOpen;
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

QString Spread(const std::vector<double>& values) {
  const auto [low, high] = std::minmax_element(values.begin(), values.end());
  return QStringLiteral("%1 ms (%2–%3)").arg(Median(values), 0, 'f', 1).arg(*low, 0, 'f', 1).arg(*high, 0, 'f', 1);
}

// A register of `cards` copied afresh into `folder`, so that every run starts from the same state.
ConnectionParams FreshCopy(int cards, const QTemporaryDir& folder, const QString& name) {
  ConnectionParams params;
  params.path = folder.filePath(name);
  QFile::remove(params.path);
  if (!QFile::copy(SeededRegisterFile(cards), params.path)) {
    QTextStream(stderr) << "Cannot copy the seeded register to " << params.path << '\n';
    std::exit(1);
  }
  QFile(params.path).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  return params;
}

// A clerk's session on one register: the list opened as the program opens it at start.
class Session {
 public:
  Session(int cards, const QTemporaryDir& folder) {
    data_.Connect(FreshCopy(cards, folder, QStringLiteral("save-%1.fdb").arg(cards)));
    data_.SetCurrentUser(QStringLiteral("bench"), 1);
    ListQuery& list = data_.MainQuery();
    list.SetCondition(QStringLiteral("and P.PERSON_TYPE = 0 "));
    list.SetOrdering(QStringLiteral(" order by Reg_Num"));
    list.Open();
    // The same card in every size: the generator makes the first cards of every register alike,
    // so the saves compare the same household, not households of different sizes.
    list.SetCurrentRow(std::min(list.RowCount() / 2, kReference / 2));
    cardId_ = list.CurrentValue(QStringLiteral("CARD_ID")).toInt();
    SaveExisting();  // prepares what the first save prepares, as a clerk's first save does
    SaveNew();
  }

  double SaveExisting() {
    CardForm form;
    const RememberedCardState remembered = LoadCardForm(data_, cardId_, form);
    form.members = LoadMemberRows(data_, cardId_);
    form.MembersEmpty = form.members.empty();
    form.ebAdress = QStringLiteral("ул. Пробна %1").arg(++edits_);
    QElapsedTimer timer;
    timer.start();
    const SaveOutcome outcome = SaveCard(data_, form, 1, true, cardId_, remembered, nullptr);
    const double ms = timer.nsecsElapsed() / 1e6;
    Check(outcome.saved);
    return ms;
  }

  // The loaded card saved as a new one: the same household under the next number.
  double SaveNew() {
    CardForm form;
    LoadCardForm(data_, cardId_, form);
    form.members = LoadMemberRows(data_, cardId_);
    form.MembersEmpty = form.members.empty();
    QElapsedTimer timer;
    timer.start();
    const SaveOutcome outcome = SaveCard(data_, form, 0, true, 0, {}, nullptr);
    const double ms = timer.nsecsElapsed() / 1e6;
    Check(outcome.saved);
    return ms;
  }

 private:
  static void Check(bool saved) {
    if (saved) return;
    QTextStream(stderr) << "A save failed; the figures would mean nothing.\n";
    std::exit(1);
  }
  TDataModule1 data_;
  int cardId_ = 0;
  int edits_ = 0;
};

// A fresh copy refreshed as the ranking run refreshes it, then the ranked list opened.
void RefreshThenOpenRankedList(int cards, const QTemporaryDir& folder, Figures& figures) {
  TDataModule1 data;
  data.Connect(FreshCopy(cards, folder, QStringLiteral("ranking-%1.fdb").arg(cards)));
  NoRankingProgress progress;
  QElapsedTimer timer;
  timer.start();
  RefreshAllClassifications(data, progress);
  figures.refresh.push_back(timer.nsecsElapsed() / 1e6);
  ListQuery& list = data.MainQuery();
  timer.restart();
  list.SetCondition(RankedListCondition(Clock::Now().date().year()));
  list.SetOrdering(RankingCriteriaList().OrderText());
  list.Open();
  figures.rankedOpen.push_back(timer.nsecsElapsed() / 1e6);
  data.Disconnect();
  QFile::remove(data.Db().Params().path);
}

bool PrintRatio(const QString& what, double ratio) {
  const bool met = ratio <= kGoal;
  QTextStream(stdout) << "  " << what << ": ratio " << QString::number(ratio, 'f', 2) << " (goal <= " << kGoal << ", "
                      << (met ? "met" : "NOT met") << ")\n";
  return met;
}
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  std::vector<int> sizes{kReference, 100000};
  int repeats = 7;
  for (int i = 1; i < argc; ++i) {
    const QString argument = QString::fromLocal8Bit(argv[i]);
    if (argument == QLatin1String("--with-300000")) sizes.push_back(300000);
    if (argument == QLatin1String("--repeats") && i + 1 < argc) repeats = std::max(5, atoi(argv[++i]));
  }
  // The clerk's confirmations are taken as answered; nothing waits for a window.
  SetMessageAsker([](QWidget*, const MessageRequest& request) { return request.defaultAnswer; });
  QTemporaryDir folder;
  for (int cards : sizes) SeededRegisterFile(cards);

  std::map<int, std::unique_ptr<Session>> sessions;
  for (int cards : sizes) sessions[cards] = std::make_unique<Session>(cards, folder);
  std::map<int, Figures> figures;
  for (int repeat = 0; repeat < repeats; ++repeat) {
    for (int cards : sizes) {
      figures[cards].savedExisting.push_back(sessions[cards]->SaveExisting());
      figures[cards].savedNew.push_back(sessions[cards]->SaveNew());
    }
  }
  sessions.clear();
  for (int repeat = 0; repeat < repeats; ++repeat)
    for (int cards : sizes) RefreshThenOpenRankedList(cards, folder, figures[cards]);

  QTextStream out(stdout);
  out << "Median of " << repeats << " interleaved repeats (lowest–highest):\n";
  for (int cards : sizes) {
    const Figures& f = figures[cards];
    out << cards << " cards: existing card saved " << Spread(f.savedExisting) << ", new card saved "
        << Spread(f.savedNew) << ", refresh " << Spread(f.refresh) << ", ranked list opened after it "
        << Spread(f.rankedOpen) << '\n';
  }
  bool met = true;
  const Figures& reference = figures[kReference];
  for (int cards : sizes) {
    if (cards == kReference) continue;
    const Figures& f = figures[cards];
    out << cards << " cards against " << kReference << ":\n";
    met &= PrintRatio(QStringLiteral("existing card saved"), Median(f.savedExisting) / Median(reference.savedExisting));
    met &= PrintRatio(QStringLiteral("new card saved"), Median(f.savedNew) / Median(reference.savedNew));
    const double perCard = Median(f.rankedOpen) / cards;
    const double referencePerCard = Median(reference.rankedOpen) / kReference;
    met &= PrintRatio(QStringLiteral("ranked list opened after the refresh, per card"), perCard / referencePerCard);
  }
  return met ? 0 : 1;
}
