// Placeholder filling: one step per placeholder, in a fixed order. A step searches only the
// template's own text, never a value that an earlier step put in.
#include "data/ReportData.h"
#include "report/Command.h"
#include "report/CommandSupport.h"

namespace command_support {

FilledText::FilledText(const AnsiString& templateText) {
  if (!templateText.empty()) pieces_.push_back({templateText, true});
}

void FilledText::Fill(const AnsiString& searched, const AnsiString& value) {
  if (searched.empty()) return;
  std::vector<Piece> filled;
  filled.reserve(pieces_.size());
  for (Piece& piece : pieces_) {
    if (!piece.own || piece.text.find(searched) == AnsiString::npos) {
      filled.push_back(std::move(piece));
      continue;
    }
    AnsiString& text = piece.text;
    std::size_t start = 0;  // of the part not yet handed on
    std::size_t from = 0;   // where the search goes on
    std::size_t at;
    while ((at = text.find(searched, from)) != AnsiString::npos) {
      if (value.empty()) {
        // The two sides join: an occurrence they form starts at most one searched text back.
        text.erase(at, searched.size());
        from = std::max(start, at >= searched.size() - 1 ? at - (searched.size() - 1) : 0);
        continue;
      }
      if (at > start) filled.push_back({text.substr(start, at - start), true});
      filled.push_back({value, false});
      start = from = at + searched.size();
    }
    if (start < text.size()) filled.push_back({text.substr(start), true});
  }
  pieces_ = std::move(filled);
}

AnsiString FilledText::Text() const {
  AnsiString text;
  for (const Piece& piece : pieces_) {
    text += piece.text;
    if (text.size() >= kMaxFilledLength) {
      text.resize(kMaxFilledLength);
      break;
    }
  }
  return text;
}

}  // namespace command_support

using command_support::FilledText;

namespace {

// What samples and raw rows fill alike: first their id, provider and "{ttn}"...
template <typename Record>
void FillIdentity(FilledText& text, const ReportData& data, const Record& record) {
  text.Fill("{id}", record.id);
  text.Fill("{provider}", data.GetProviderName(record.provider));
  text.Fill("{ttn}", "");
}

// ...and, after their group results, their time, notes, batch and named fields.
template <typename Record>
void FillTimeAndFields(FilledText& text, const ReportData& data, const Record& record) {
  text.Fill("{datetime}", record.time);
  text.Fill("{date}", record.GetDate());
  text.Fill("{time}", record.GetTime());
  text.Fill("{notes}", record.notes);
  text.Fill("{lotdate}", record.GetLotDate());
  for (const auto& [key, column] : data.settings.fieldIndexes) text.Fill(key, record.GetField(key));
}

void FillElementFields(FilledText& text, const ReportData& data, const ItemData& sample) {
  // The value placeholder goes first: the key alone is a part of it.
  for (const auto& [key, names] : data.settings.aliases) {
    text.Fill(key + "_val", sample.GetMedsValue(key));
    text.Fill(key, data.settings.GetResultMark(sample.GetMedsResult(key)));
  }
}

void FillRecordFields(FilledText& text, const ReportData& data, const ItemData* sample) {
  if (sample == nullptr) return;
  FillIdentity(text, data, *sample);
  FillElementFields(text, data, *sample);
  FillTimeAndFields(text, data, *sample);
}

}  // namespace

namespace command_support {

void FillPlaceholders(FilledText& text, const ReportData& data, const ItemData* sample) {
  FillRecordFields(text, data, sample);
  text.Fill("{name}", data.settings.GetName());
  text.Fill("{eof}", "\n");
}

void FillElementRowFields(FilledText& text, const ReportData& data, const RawItemData& row) {
  text.Fill("{elem}", data.settings.GetDisplayNameByAlias(row.ename));
  text.Fill("{elem_res}", data.settings.GetResultMark(row.eresult));
  text.Fill("{elem_val}", row.evalue);
  FillIdentity(text, data, row);
  FillTimeAndFields(text, data, row);
}

}  // namespace command_support

AnsiString Command::ReplacePlaceholders(const AnsiString& text, const ReportData& data, const ItemData* sample) {
  FilledText filled(text);
  command_support::FillPlaceholders(filled, data, sample);
  return filled.Text();
}

AnsiString Command::ReplaceRecordFields(const AnsiString& text, const ReportData& data, const ItemData* sample) {
  FilledText filled(text);
  FillRecordFields(filled, data, sample);
  return filled.Text();
}

AnsiString Command::ReplaceElementFields(const AnsiString& text, const ReportData& data, const ItemData& sample) {
  FilledText filled(text);
  FillElementFields(filled, data, sample);
  return filled.Text();
}

AnsiString Command::ReplaceElementRowFields(const AnsiString& text, const ReportData& data, const RawItemData& row) {
  FilledText filled(text);
  command_support::FillElementRowFields(filled, data, row);
  return filled.Text();
}
