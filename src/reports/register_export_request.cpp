#include "reports/register_export_request.h"

#include "core/clock.h"
#include "core/date_time.h"
#include "data/card_table.h"
#include "data/register_settings.h"
#include "register/register_tabs.h"
#include "core/user_directory.h"
#include "reports/annual_list_layout.h"

RegisterExportRequest RegisterExportRequestFor(const RegisterTabs& tabs, TDataModule1& data) {
  const QDate today = Clock::Now().date();
  if (tabs.Current() == 2 && tabs.CurrentCaption() == RegisterTabs::kRankingCaption)
    return {AnnualListTitle(today.year(), MunicipalityName(data)), true};
  return {QStringLiteral("Списък на картотеката - ") + FormatShortDate(today), false};
}

void OfferPlaceColumn(std::vector<ExportSourceColumn>& columns) {
  for (ExportSourceColumn& c : columns) {
    if (c.field != card_table::kCardId) continue;
    c.caption = QString::fromUtf16(kPlaceCaption);
    c.colouredApart = false;
  }
}

QString ExportViewsFile() { return UserDirectory() + QStringLiteral("tesaro_views.ini"); }
