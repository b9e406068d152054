// The published fields of the ranked list.
#include "reports/public_list_rows.h"

#include "reports/holder_initials.h"

const QString PublicListRows::kInitials = QStringLiteral("INITIALS");

const QStringList& PublicListRows::Fields() {
  static const QStringList fields{QStringLiteral("CARD_ID"), QStringLiteral("REG_NUM"), kInitials,
                                  QStringLiteral("grupa11"), QStringLiteral("POINTS_YEAR")};
  return fields;
}

QString PublicListRows::Text(int row, const QString& field) const {
  if (field == kInitials) return HolderInitials(ranked_.Text(row, QStringLiteral("NAME")));
  if (!Fields().contains(field)) return {};
  return ranked_.Text(row, field);
}
