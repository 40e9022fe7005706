#include "data/RawItemData.h"

#include "data/RecordFields.h"
#include "settings/Settings.h"

RawItemData::RawItemData(std::string_view line, const std::vector<std::string_view>& pieces,
                         std::shared_ptr<const FieldLayout> layout)
    : id(FieldLayout::Value(layout->id, pieces)),
      provider(FieldLayout::Value(layout->provider, pieces)),
      time(FieldLayout::Value(layout->time, pieces)),
      notes(FieldLayout::Value(layout->notes, pieces)),
      batch(FieldLayout::Value(layout->lot, pieces)),
      ename(FieldLayout::Value(layout->ename, pieces)),
      eresult(FieldLayout::Value(layout->eresult, pieces)),
      evalue(FieldLayout::Value(layout->evalue, pieces)),
      fields(std::move(layout), line) {}

RawItemData::RawItemData(const std::vector<AnsiString>& pieces, const Settings& settings) {
  id = settings.GetValueByField("{id}", pieces);
  provider = settings.GetValueByField("{provider}", pieces);
  time = settings.GetValueByField("{time}", pieces);
  ename = settings.GetValueByField("{ename}", pieces);
  evalue = settings.GetValueByField("{evalue}", pieces);
  eresult = settings.GetValueByField("{eresult}", pieces);
  notes = settings.GetValueByField("{notes}", pieces);
  batch = settings.GetValueByField("{lot}", pieces);
  fields = FieldValues(settings, pieces);
}

AnsiString RawItemData::GetDate() const { return record_fields::DateOf(time); }

AnsiString RawItemData::GetTime() const { return record_fields::TimeOf(time); }

AnsiString RawItemData::GetLotDate() const { return record_fields::LotDateOf(batch); }

AnsiString RawItemData::GetField(const AnsiString& name) const { return record_fields::FieldOf(fields, name); }
