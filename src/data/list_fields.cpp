#include "data/list_fields.h"

#include "data/card_table.h"
#include "data/person_table.h"

namespace {
ListField Col(QLatin1StringView name, int width = 0) {
  ListField f;
  f.name = QString(name);
  f.displayWidth = width;
  return f;
}
ListField Lookup(QLatin1StringView name, const char* nomColumn, QLatin1StringView keyField, int size) {
  ListField f;
  f.name = QString(name);
  f.source = ListField::Source::Lookup;
  f.nomColumn = QString::fromLatin1(nomColumn);
  f.keyField = QString(keyField);
  f.size = size;
  return f;
}
ListField Count(QLatin1StringView name) {
  ListField f;
  f.name = QString(name);
  f.source = ListField::Source::MemberCount;
  return f;
}
}  // namespace

const std::vector<ListField>& RegisterListFields() {
  // Field names that are no column of the card or person table are the list's own; the
  // lookups name their code-list column as the code list spells it.
  namespace card = card_table;
  namespace person = person_table;
  static const std::vector<ListField> fields = {
      Col(card::kRegNum),
      Col(card::kRegDate, 9),
      Col(card::kGroup2),
      Col(person::kName, 35),
      Col(person::kEgn),
      Col(card::kGroup1),
      Lookup(QLatin1StringView("Grup1"), "GROUP1", card::kGroup1, 50),
      Lookup(QLatin1StringView("Grup2"), "GROUP2", card::kGroup2, 50),
      Col(card::kKids),
      Col(card::kCardId),
      Count(QLatin1StringView("N")),
      Col(card::kAdress, 40),
      Col(card::kAdressDate, 9),
      Col(card::kGrupa),
      Col(card::kGrupaDate, 9),
      Col(card::kStatus),
      Lookup(QLatin1StringView("grupa1"), "GROUP1", card::kGrupa, 50),
      Lookup(QLatin1StringView("grupa11"), "GROUP1", card::kGrupa, 1),
      Col(card::kOnlyParent),
      Col(card::kYoungFamily),
      Col(card::kNInvalids),
      Col(card::kHardLife),
      Col(card::kKidsAge),
      Lookup(QLatin1StringView("GrupaNum"), "GRUPA", card::kGrupa, 4),
      Lookup(QLatin1StringView("Stat"), "STATUS", card::kStatus, 50),
      Col(person::kPersonId),
      Col(card::kClassInfo, 60),
      Col(person::kInvProc),
      Col(person::kInvDate),
      Col(person::kTelkNum),
      Col(card::kPoints),
      Col(card::kDocIdTxt, 15),
      Col(card::kLastDekDate, 9),
      Col(card::kLastDekId, 10),
      Col(card::kNotes),
      Lookup(QLatin1StringView("group_2"), "GROUP2", card::kGroup2, 20),
      Col(card::kPointsDescr),
      Col(card::kSysNotes),
      Col(card::kPointsYear),
      Col(card::kProtId),
      Col(card::kProtDate),
  };
  return fields;
}
