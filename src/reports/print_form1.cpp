// The annual list report form.
#include "reports/print_form1.h"

#include "reports/annual_list_layout.h"

const QString TPrintForm1::kCaption = QStringLiteral("Годишен списък - компактен");
const QString TPrintForm1::kPlaceholderTitle = AnnualListTitle(2009, QStringLiteral("Община"));

report::Report TPrintForm1::QRep() const { return AnnualListLayout(title_); }
