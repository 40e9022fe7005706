#include "data/ItemData.h"

#include "data/RecordFields.h"
#include "platform/Numbers.h"
#include "settings/Settings.h"

MedsData::MedsData(const std::vector<AnsiString>& pieces, const Settings& settings)
    : name(settings.FindKeyByAlias(settings.GetValueByField("{ename}", pieces))),
      result(settings.GetValueByField("{eresult}", pieces)),
      value(settings.GetValueByField("{evalue}", pieces)) {}

ItemData::ItemData(std::vector<AnsiString> pieces, const Settings& settings)
    : id(settings.GetValueByField("{id}", pieces)),
      provider(settings.GetValueByField("{provider}", pieces)),
      time(settings.GetValueByField("{time}", pieces)),
      notes(settings.GetValueByField("{notes}", pieces)),
      batch(settings.GetValueByField("{lot}", pieces)) {
  fields = FieldValues(settings, pieces);
  AddMeds(pieces, settings);
}

ItemData::ItemData(std::string_view line, const std::vector<std::string_view>& pieces,
                   std::shared_ptr<const FieldLayout> layout, AnsiString key)
    : id(FieldLayout::Value(layout->id, pieces)),
      provider(FieldLayout::Value(layout->provider, pieces)),
      time(FieldLayout::Value(layout->time, pieces)),
      notes(FieldLayout::Value(layout->notes, pieces)),
      batch(FieldLayout::Value(layout->lot, pieces)) {
  meds.emplace_back(std::move(key), FieldLayout::Value(layout->eresult, pieces),
                    FieldLayout::Value(layout->evalue, pieces));
  fields = FieldValues(std::move(layout), line);
}

void ItemData::AddMeds(const std::vector<AnsiString>& pieces, const Settings& settings) {
  meds.emplace_back(pieces, settings);
}

AnsiString ItemData::GetMedsResult(const AnsiString& key) const {
  for (const auto& entry : meds)
    if (entry.name == key) return entry.result;
  return AnsiString();
}

AnsiString ItemData::GetMedsValue(const AnsiString& key) const {
  for (const auto& entry : meds)
    if (entry.name == key) return entry.value;
  return AnsiString();
}

AnsiString ItemData::GetDate() const { return record_fields::DateOf(time); }

AnsiString ItemData::GetTime() const { return record_fields::TimeOf(time); }

AnsiString ItemData::GetLotDate() const { return record_fields::LotDateOf(batch); }

AnsiString ItemData::GetField(const AnsiString& name) const { return record_fields::FieldOf(fields, name); }

AnsiString IntToText(int value) { return IntToStr(value); }
