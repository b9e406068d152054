// The layout pass: a report and its rows become pages. Bands flow down the printable area
// and start a new page when they no longer fit above the page footer; a group header is
// kept with the row it introduces.
#pragma once

#include "engine/report/report_model.h"
#include "engine/report/report_page.h"
#include "engine/report/row_source.h"

namespace report {

LaidOutReport LayOut(const Report& report, const RowSource& rows);

}  // namespace report
