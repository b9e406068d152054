// The register list's fixed field list: every field the list exposes, whatever its
// statement selects, with where each one's value comes from.
#pragma once

#include <QString>
#include <vector>

struct ListField {
  enum class Source {
    Column,       // a column of the statement, by name
    Lookup,       // the NOM cell of `nomColumn` at N = the row's `keyField`
    MemberCount,  // number of RGS_PERSON rows of the row's card, counted when asked for
  };
  QString name;
  Source source = Source::Column;
  QString nomColumn;    // Lookup only
  QString keyField;     // Lookup only
  int size = 0;         // Lookup: characters kept of the cell
  int displayWidth = 0; // characters, 0 = the grid decides
};

const std::vector<ListField>& RegisterListFields();
