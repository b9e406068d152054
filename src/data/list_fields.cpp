#include "data/list_fields.h"

namespace {
ListField Col(const char* name, int width = 0) {
  ListField f;
  f.name = QString::fromLatin1(name);
  f.displayWidth = width;
  return f;
}
ListField Lookup(const char* name, const char* nomColumn, const char* keyField, int size) {
  ListField f;
  f.name = QString::fromLatin1(name);
  f.source = ListField::Source::Lookup;
  f.nomColumn = QString::fromLatin1(nomColumn);
  f.keyField = QString::fromLatin1(keyField);
  f.size = size;
  return f;
}
ListField Count(const char* name) {
  ListField f;
  f.name = QString::fromLatin1(name);
  f.source = ListField::Source::MemberCount;
  return f;
}
}  // namespace

const std::vector<ListField>& RegisterListFields() {
  static const std::vector<ListField> fields = {
      Col("REG_NUM"),          Col("REGDATE", 9),       Col("GROUP2"),
      Col("NAME", 35),         Col("EGN"),              Col("GROUP1"),
      Lookup("Grup1", "GROUP1", "GROUP1", 50),           Lookup("Grup2", "GROUP2", "GROUP2", 50),
      Col("KIDS"),             Col("CARD_ID"),          Count("N"),
      Col("ADRESS", 40),       Col("ADRESS_DATE", 9),   Col("GRUPA"),
      Col("GRUPA_DATE", 9),    Col("STATUS"),
      Lookup("grupa1", "GROUP1", "GRUPA", 50),           Lookup("grupa11", "GROUP1", "GRUPA", 1),
      Col("ONLY_PARENT"),      Col("YOUNG_FAMILY"),     Col("N_INVALIDS"),
      Col("HARD_LIFE"),        Col("KIDS_AGE"),
      Lookup("GrupaNum", "GRUPA", "GRUPA", 4),           Lookup("Stat", "STATUS", "STATUS", 50),
      Col("PERSON_ID"),        Col("CLASSINFO", 60),    Col("INV_PROC"),
      Col("INV_DATE"),         Col("TELK_NUM"),         Col("POINTS"),
      Col("DOC_IDTXT", 15),    Col("LASTDEK_DATE", 9),  Col("LASTDEK_ID", 10),
      Col("NOTES"),            Lookup("group_2", "GROUP2", "GROUP2", 20),
      Col("POINTS_DESCR"),     Col("SYS_NOTES"),        Col("POINTS_YEAR"),
      Col("PROT_ID"),          Col("PROT_DATE"),
  };
  return fields;
}
