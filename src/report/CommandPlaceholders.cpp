// Placeholder filling: one replace-all per placeholder, in a fixed order, each over the text
// as the previous steps left it.
#include "data/ReportData.h"
#include "report/Command.h"
#include "report/CommandSupport.h"
#include "strings/Strings.h"

namespace command_support {

AnsiString Fill(const AnsiString& text, const AnsiString& searched, const AnsiString& value) {
  if (searched.empty()) return text;
  // A shorter value never makes the text longer.
  if (value.size() < searched.size()) return ReplaceAll(text, searched, value);
  // One pass over the text as it was, as ReplaceAll makes it for such a value, stopping
  // once the result is full.
  AnsiString result;
  std::size_t start = 0;
  std::size_t at;
  while (result.size() < kMaxFilledLength && (at = text.find(searched, start)) != AnsiString::npos) {
    result.append(text, start, at - start);
    result += value;
    start = at + searched.size();
  }
  if (result.size() < kMaxFilledLength) result.append(text, start, AnsiString::npos);
  if (result.size() > kMaxFilledLength) result.resize(kMaxFilledLength);
  return result;
}

}  // namespace command_support

using command_support::Fill;

namespace {

// What samples and raw rows fill alike: first their id, provider and "{ttn}"...
template <typename Record>
AnsiString FillIdentity(AnsiString text, const ReportData& data, const Record& record) {
  text = Fill(text, "{id}", record.id);
  text = Fill(text, "{provider}", data.GetProviderName(record.provider));
  return Fill(text, "{ttn}", "");
}

// ...and, after their group results, their time, notes, batch and named fields.
template <typename Record>
AnsiString FillTimeAndFields(AnsiString text, const ReportData& data, const Record& record) {
  text = Fill(text, "{datetime}", record.time);
  text = Fill(text, "{date}", record.GetDate());
  text = Fill(text, "{time}", record.GetTime());
  text = Fill(text, "{notes}", record.notes);
  text = Fill(text, "{lotdate}", record.GetLotDate());
  for (const auto& [key, column] : data.settings.fieldIndexes) text = Fill(text, key, record.GetField(key));
  return text;
}

}  // namespace

AnsiString Command::ReplacePlaceholders(const AnsiString& text, const ReportData& data, const ItemData* sample) {
  AnsiString result = ReplaceRecordFields(text, data, sample);
  result = Fill(result, "{name}", data.settings.GetName());
  return Fill(result, "{eof}", "\n");
}

AnsiString Command::ReplaceRecordFields(const AnsiString& text, const ReportData& data, const ItemData* sample) {
  if (sample == nullptr) return text;
  AnsiString result = FillIdentity(text, data, *sample);
  result = ReplaceElementFields(result, data, *sample);
  return FillTimeAndFields(result, data, *sample);
}

AnsiString Command::ReplaceElementFields(const AnsiString& text, const ReportData& data, const ItemData& sample) {
  AnsiString result = text;
  // The value placeholder goes first: the key alone is a part of it.
  for (const auto& [key, names] : data.settings.aliases) {
    result = Fill(result, key + "_val", sample.GetMedsValue(key));
    result = Fill(result, key, data.settings.GetResultMark(sample.GetMedsResult(key)));
  }
  return result;
}

AnsiString Command::ReplaceElementRowFields(const AnsiString& text, const ReportData& data, const RawItemData& row) {
  AnsiString result = Fill(text, "{elem}", data.settings.GetDisplayNameByAlias(row.ename));
  result = Fill(result, "{elem_res}", data.settings.GetResultMark(row.eresult));
  result = Fill(result, "{elem_val}", row.evalue);
  result = FillIdentity(result, data, row);
  return FillTimeAndFields(result, data, row);
}
