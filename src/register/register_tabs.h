// The register list's views behind the tab strip: the whole register (tab 0), the search
// result (tab 1, "Търсене" with the search's description) and at times a third view
// ("Класиране" or "Невалидни ЕГН-та"). Decides what the list shows when a tab is chosen,
// applies searches and falls back when the database rejects one. No widgets: the main
// window mirrors the captions and the current tab onto its tab strip.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class TDataModule1;

class RegisterTabs : public QObject {
  Q_OBJECT
 public:
  static const QString kAllCaption;        // "Всички"
  static const QString kSearchCaption;     // "Търсене"
  static const QString kRankingCaption;    // "Класиране"
  static const QString kInvalidEgnCaption; // "Невалидни ЕГН-та"

  explicit RegisterTabs(TDataModule1& data, QObject* parent = nullptr);

  const QStringList& Captions() const { return captions_; }
  int Current() const { return current_; }
  QString CurrentCaption() const { return captions_.value(current_); }

  QString SearchCondition;  // built by the last search
  QString RankingOrder;     // built by the last ranking run; empty until then

  // The list as the program opens it: the whole register by registration number.
  void OpenAtStart();
  // Chooses a tab (TabSet1Change, then the change itself); false when the change was refused.
  bool SetCurrent(int tab);
  // Puts SearchCondition into the list, the statement on the clipboard, and reopens it.
  void ApplySearch();
  // Runs a built search: the caption of tab 1, then tab 1 applied, or back to tab 0 when
  // nothing was asked for.
  void Search(const QString& condition, const QString& tabCaption, bool anyFragment);
  // Adds (or renames) the third tab and makes it current; used by the ranking and the
  // invalid-EGN view.
  bool ShowThirdTab(const QString& caption);

 signals:
  void CaptionsChanged();
  void CurrentChanged(int tab);
  // "Справка" normally, "Отпечатване" on the ranking view.
  void ExportCaptionChanged(const QString& caption);

 private:
  bool TabSet1Change(int newTab);
  void Reopen(const QString& condition, const QString& ordering);

  TDataModule1& data_;
  QStringList captions_;
  int current_ = 0;
};
