// The register list as the rows of a printed document (the annual list, the service note):
// each field's text as the list shows it, without the blanks that pad fixed-width columns.
#pragma once

#include <QHash>

#include "engine/report/row_source.h"

class ListQuery;

class ListQueryRows : public report::RowSource {
 public:
  explicit ListQueryRows(const ListQuery& list) : list_(list) {}

  int RowCount() const override;
  // The list's display text: CARD_ID gives the row number, dates "dd.mm.yyyy" (and the time
  // of day when one is stored), lookups the code list's name.
  QString Text(int row, const QString& field) const override;

 private:
  const ListQuery& list_;
  mutable QHash<QString, int> fieldIndex_;  // a report asks for the same few fields on every row
};
