// The ranked list as it may be published: only the place, the card's registration number, the
// holder's initials, the group and the year of inclusion pass; every other field of the list
// (names, personal numbers, addresses, application numbers, particulars) reads as empty, so no
// layout or page built on these rows can print them.
#pragma once

#include <QStringList>

#include "engine/report/row_source.h"

class PublicListRows : public report::RowSource {
 public:
  static const QString kInitials;  // the field of the holder's initials, made from NAME

  explicit PublicListRows(const report::RowSource& ranked) : ranked_(ranked) {}

  // The fields that pass: CARD_ID (the place), REG_NUM, kInitials, grupa11, POINTS_YEAR.
  static const QStringList& Fields();

  int RowCount() const override { return ranked_.RowCount(); }
  QString Text(int row, const QString& field) const override;

 private:
  const report::RowSource& ranked_;
};
