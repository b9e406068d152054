#include "register/register_tabs.h"

#include <QClipboard>
#include <QDate>
#include <QGuiApplication>

#include "core/clock.h"
#include "core/messages.h"
#include "data/data_module.h"
#include "data/firebird/db_error.h"

const QString RegisterTabs::kAllCaption = QStringLiteral("Всички");
const QString RegisterTabs::kSearchCaption = QStringLiteral("Търсене");
const QString RegisterTabs::kRankingCaption = QStringLiteral("Класиране");
const QString RegisterTabs::kInvalidEgnCaption = QStringLiteral("Невалидни ЕГН-та");

RegisterTabs::RegisterTabs(TDataModule1& data, QObject* parent)
    : QObject(parent), data_(data), captions_{kAllCaption, kSearchCaption} {}

void RegisterTabs::OpenAtStart() {
  ListQuery& list = data_.MainQuery();
  list.Close();
  list.SetCondition(QStringLiteral("and P.PERSON_TYPE = 0 "));
  list.SetOrdering(QStringLiteral(" order by Reg_Num"));
  RankingOrder.clear();
  list.Open();
}

void RegisterTabs::Reopen(const QString& condition, const QString& ordering) {
  ListQuery& list = data_.MainQuery();
  list.Close();
  data_.DetachInvalidEgnFilter();
  list.SetCondition(condition);
  list.SetOrdering(ordering);
  list.Open();
}

void RegisterTabs::ApplySearch() {
  ListQuery& list = data_.MainQuery();
  list.Close();
  list.SetCondition(SearchCondition);
  if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setText(list.Sql());
  data_.DetachInvalidEgnFilter();
  list.Open();
}

bool RegisterTabs::TabSet1Change(int newTab) {
  ListQuery& list = data_.MainQuery();
  if (newTab == 1 && captions_.value(1) != kSearchCaption) {
    try {
      ApplySearch();
    } catch (const DbError& error) {
      ShowMessage(nullptr, error.Message(), QStringLiteral("Грешка"), MessageIcon::Error);
      list.Close();
      list.SetCondition(current_ == 0 ? QString() : QStringLiteral("and c.status=0"));
      data_.DetachInvalidEgnFilter();
      list.Open();
      return false;
    }
  }
  if (newTab == 0 || captions_.value(1) == kSearchCaption)
    Reopen(QStringLiteral("and person_type=0"), QStringLiteral("order by REG_NUM"));
  if (newTab == 2 && captions_.value(2) == kRankingCaption) {
    const QString year = QString::number(Clock::Now().date().year()).rightJustified(4, u'0');
    Reopen(QStringLiteral("and person_type=0 and c.status=1 and c.grupa<>0 and POINTS_YEAR<=") + year, RankingOrder);
    emit ExportCaptionChanged(QStringLiteral("Отпечатване"));
  }
  if (newTab != 2) {
    if (captions_.size() == 3) {
      captions_.removeLast();
      emit CaptionsChanged();
    }
    emit ExportCaptionChanged(QStringLiteral("Справка"));
  }
  return true;
}

bool RegisterTabs::SetCurrent(int tab) {
  if (tab < 0 || tab >= captions_.size()) return false;
  if (!TabSet1Change(tab)) return false;
  current_ = qMin(tab, static_cast<int>(captions_.size()) - 1);
  emit CurrentChanged(current_);
  return true;
}

void RegisterTabs::Search(const QString& condition, const QString& tabCaption, bool anyFragment) {
  SearchCondition = condition;
  captions_[1] = tabCaption;
  emit CaptionsChanged();
  if (anyFragment) {
    if (current_ == 1)
      ApplySearch();
    else
      SetCurrent(1);
  } else if (current_ != 0) {
    SetCurrent(0);
  }
}

bool RegisterTabs::ShowThirdTab(const QString& caption) {
  if (captions_.size() < 3)
    captions_ << caption;
  else
    captions_[2] = caption;
  emit CaptionsChanged();
  return SetCurrent(2);
}
