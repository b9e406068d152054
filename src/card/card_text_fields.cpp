#include "card/card_text_fields.h"

#include <stdexcept>

#include "card/card_load.h"
#include "data/card_table.h"
#include "data/firebird/cp1251.h"
#include "data/person_table.h"

namespace {
QString Trim(const QString& text) { return text.trimmed(); }

const CardTextField kCardFields[] = {
    {"doctxt", "Заявление входящ. №", card_table::kDocIdTxt, card_table::kDocIdTxtLength,
     [](const CardForm& f) { return Trim(f.doctxt); }, true},
    {"ebGot", "Инф. за състоянието", card_table::kGotHouse, card_table::kGotHouseLength,
     [](const CardForm& f) { return Trim(f.ebGot); }},
    {"pr", "Прот.от комисия №", card_table::kProtId, card_table::kProtIdLength, [](const CardForm& f) { return f.pr; },
     true},
    {"dek_id", "Последна дек. №", card_table::kLastDekId, card_table::kLastDekIdLength,
     [](const CardForm& f) { return Trim(f.dek_id); }, true},
    {"ebAdress", "Настоящ адрес", card_table::kAdress, card_table::kAdressLength,
     [](const CardForm& f) { return Trim(f.ebAdress); }},
    {"ebLCond", "Коментар за жилището", card_table::kLConditions, card_table::kLConditionsLength,
     [](const CardForm& f) { return f.ebLCond; }, true},
    {"edReasonComment", "Комент. към основание", card_table::kReasonComment, card_table::kReasonCommentLength,
     [](const CardForm& f) { return f.edReasonComment; }},
    {"ebCheck", "Проверил", card_table::kCheckName, card_table::kCheckNameLength,
     [](const CardForm& f) { return Trim(f.ebCheck); }, true},
    {"ebAssets", "Собств. и/или др. вещни права", card_table::kAssets, card_table::kAssetsLength,
     [](const CardForm& f) { return f.ebAssets; }, true},
    {"ebDeals", "Сделки с недвиж. имоти, отказ от наследство", card_table::kDeals, card_table::kDealsLength,
     [](const CardForm& f) { return f.ebDeals; }, true},
    {"edHasFirm", "Участие в търг. друж. или ЕТ", card_table::kHasFirm, card_table::kHasFirmLength,
     [](const CardForm& f) { return f.edHasFirm; }},
    {"mNotes", "Бележки", card_table::kNotes, 0, [](const CardForm& f) { return Trim(MemoText(f.mNotes)); }, true},
    {"edNastZap", "Наст. заповед №", card_table::kNastZap, card_table::kNastZapLength,
     [](const CardForm& f) { return Trim(f.edNastZap); }},
    {"edNasAdrApart", "Настанен в жилище", card_table::kNastApartAdres, card_table::kNastApartAdresLength,
     [](const CardForm& f) { return f.edNasAdrApart; }},
    {"edIskaKupi", "Искане за покупка", card_table::kNastBuy, card_table::kNastBuyLength,
     [](const CardForm& f) { return f.edIskaKupi; }},
    {"edZapOut", "Зап. за прекратяване", card_table::kNasZapOut, card_table::kNasZapOutLength,
     [](const CardForm& f) { return f.edZapOut; }},
};

// A member's texts as the save of an existing card writes them (a new card's are trimmed, so
// never longer).
const MemberTextField kMemberFields[] = {
    {"FirstName", "Име", person_table::kName, person_table::kNameLength, [](const MemberRow& r) { return r.name; }},
    {"PersonEGN", "ЕГН", person_table::kEgn, person_table::kEgnLength, [](const MemberRow& r) { return r.egn; }},
    {"PersonNotes", "Бележки", person_table::kNotes, person_table::kNotesLength,
     [](const MemberRow& r) { return r.notes; }},
    {"val_do", "Валидно до", person_table::kInvDate, person_table::kInvDateLength,
     [](const MemberRow& r) { return r.validUntil; }},
    {"re6_telk", "ТЕЛК", person_table::kTelkNum, person_table::kTelkNumLength,
     [](const MemberRow& r) { return r.telk; }},
};

// Why `text` cannot go into a column of `length` characters (0: no limit); empty when it can.
QString Problem(const QString& text, int length) {
  if (length > 0 && text.size() > length)
    return QStringLiteral("може да съдържа най-много %1 знака, а съдържа %2.").arg(length).arg(text.size());
  const QString character = FirstUnstorableCharacter(text);
  if (!character.isEmpty()) return QStringLiteral("съдържа знак, който не може да бъде записан: %1.").arg(character);
  return {};
}
}  // namespace

std::span<const CardTextField> CardTextFields() { return kCardFields; }
std::span<const MemberTextField> MemberTextFields() { return kMemberFields; }

const CardTextField& CardTextFieldOf(QLatin1StringView column) {
  for (const CardTextField& field : kCardFields)
    if (field.column == column) return field;
  throw std::logic_error("no card text field for this column");
}

bool FieldCleared(const CardTextField& field, const CardForm& loaded, const CardForm& form) {
  return field.stored(form).isEmpty() && !field.stored(loaded).isEmpty();
}

QString CardTextProblem(const CardForm& form, const QString& placementHistory) {
  for (const CardTextField& field : kCardFields)
    if (const QString problem = Problem(field.stored(form), field.length); !problem.isEmpty())
      return QStringLiteral("Полето \"%1\" %2").arg(QString::fromUtf8(field.caption), problem);
  if (const QString problem = Problem(placementHistory, card_table::kNastZapHistoryLength); !problem.isEmpty())
    return QStringLiteral("Историята на настанителните заповеди %1").arg(problem);
  for (size_t i = 0; i < form.members.size(); ++i)
    for (const MemberTextField& field : kMemberFields)
      if (const QString problem = Problem(field.stored(form.members[i]), field.length); !problem.isEmpty())
        return QStringLiteral("Член на семейството %1 (%2): полето \"%3\" %4")
            .arg(i + 1)
            .arg(form.members[i].name.left(40), QString::fromUtf8(field.caption), problem);
  return {};
}
