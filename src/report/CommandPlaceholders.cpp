// Placeholder filling: one step per placeholder, in a fixed order. A step searches only the
// template's own text, never a value that an earlier step put in.
#include "data/ReportData.h"
#include "platform/Numbers.h"
#include "report/Command.h"
#include "report/CommandSupport.h"

namespace command_support {

FilledText::FilledText(const AnsiString& templateText) {
  if (!templateText.empty()) pieces_.push_back({templateText, true});
}

bool FilledText::Contains(const AnsiString& searched) const {
  for (const Piece& piece : pieces_)
    if (piece.own && piece.text.find(searched) != AnsiString::npos) return true;
  return false;
}

void FilledText::Replace(const AnsiString& searched, const AnsiString& value, int step) {
  std::vector<Piece> filled;
  filled.reserve(pieces_.size() + 2);
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
        joined_ = true;
        continue;
      }
      if (at > start) filled.push_back({text.substr(start, at - start), true});
      filled.push_back({value, false, step});
      start = from = at + searched.size();
    }
    if (start < text.size()) filled.push_back({text.substr(start), true});
  }
  pieces_ = std::move(filled);
}

AnsiString FilledText::Text() const {
  if (pieces_.size() == 1 && pieces_.front().text.size() <= kMaxFilledLength) return pieces_.front().text;
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

namespace {

void AddIdentity(std::vector<PlaceholderStep>& steps) {
  steps.push_back({"{id}", Source::kId, {}});
  steps.push_back({"{provider}", Source::kProvider, {}});
  steps.push_back({"{ttn}", Source::kNothing, {}});
}

void AddTimeAndFields(std::vector<PlaceholderStep>& steps, const ReportData& data) {
  steps.push_back({"{datetime}", Source::kDateTime, {}});
  steps.push_back({"{date}", Source::kDate, {}});
  steps.push_back({"{time}", Source::kTime, {}});
  steps.push_back({"{notes}", Source::kNotes, {}});
  steps.push_back({"{lotdate}", Source::kLotDate, {}});
  for (const auto& [key, column] : data.settings.fieldIndexes) steps.push_back({key, Source::kField, key});
}

// Everything but the configuration's own values comes from the record.
template <class Record>
AnsiString RecordValue(const PlaceholderStep& step, const ReportData& data, const Record& record);

template <class Record>
AnsiString CommonValue(const PlaceholderStep& step, const ReportData& data, const Record& record) {
  switch (step.source) {
    case Source::kId: return record.id;
    case Source::kProvider: return data.GetProviderName(record.provider);
    case Source::kDateTime: return record.time;
    case Source::kDate: return record.GetDate();
    case Source::kTime: return record.GetTime();
    case Source::kNotes: return record.notes;
    case Source::kLotDate: return record.GetLotDate();
    case Source::kField: return record.GetField(step.key);
    default: return AnsiString();
  }
}

template <>
AnsiString RecordValue(const PlaceholderStep& step, const ReportData& data, const ItemData& sample) {
  switch (step.source) {
    case Source::kGroupValue: return sample.GetMedsValue(step.key);
    case Source::kGroupMark: return data.settings.GetResultMark(sample.GetMedsResult(step.key));
    default: return CommonValue(step, data, sample);
  }
}

template <>
AnsiString RecordValue(const PlaceholderStep& step, const ReportData& data, const RawItemData& row) {
  switch (step.source) {
    case Source::kElement: return data.settings.GetDisplayNameByAlias(row.ename);
    case Source::kElementMark: return data.settings.GetResultMark(row.eresult);
    case Source::kElementValue: return row.evalue;
    default: return CommonValue(step, data, row);
  }
}

AnsiString StepValue(const PlaceholderStep& step, const ReportData& data, const ItemData* sample,
                     const RawItemData* row, std::int64_t number) {
  switch (step.source) {
    case Source::kNumber: return IntToStr(number);
    case Source::kNothing: return AnsiString();
    case Source::kName: return data.settings.GetName();
    case Source::kLineFeed: return "\n";
    default: break;
  }
  if (sample != nullptr) return RecordValue(step, data, *sample);
  if (row != nullptr) return RecordValue(step, data, *row);
  return AnsiString();
}

// Fills every step in order. A step whose placeholder was not in the template's own text can
// find something only where an empty value has joined two parts of it.
AnsiString FillSteps(FilledText& text, const std::vector<PlaceholderStep>& steps, const std::vector<bool>* found,
                     const ReportData& data, const ItemData* sample, const RawItemData* row, std::int64_t number) {
  for (std::size_t i = 0; i < steps.size(); ++i) {
    if (found != nullptr && !(*found)[i] && !text.Joined()) continue;
    const PlaceholderStep& step = steps[i];
    text.Fill(step.searched, [&] { return StepValue(step, data, sample, row, number); });
  }
  return text.Text();
}

}  // namespace

std::vector<PlaceholderStep> PlaceholderSteps(const ReportData& data, Record record) {
  std::vector<PlaceholderStep> steps;
  if (record == Record::kSample) {
    AddIdentity(steps);
    // The value placeholder goes first: the key alone is a part of it.
    for (const auto& [key, names] : data.settings.aliases) {
      steps.push_back({key + "_val", Source::kGroupValue, key});
      steps.push_back({key, Source::kGroupMark, key});
    }
    AddTimeAndFields(steps, data);
  } else if (record == Record::kRawRow) {
    steps.push_back({"{elem}", Source::kElement, {}});
    steps.push_back({"{elem_res}", Source::kElementMark, {}});
    steps.push_back({"{elem_val}", Source::kElementValue, {}});
    AddIdentity(steps);
    AddTimeAndFields(steps, data);
    return steps;
  }
  steps.push_back({"{name}", Source::kName, {}});
  steps.push_back({"{eof}", Source::kLineFeed, {}});
  return steps;
}

std::vector<PlaceholderStep> NumberedSteps(const ReportData& data, Record record, bool numberReplacesId) {
  std::vector<PlaceholderStep> steps = {{"{num}", Source::kNumber, {}}};
  if (numberReplacesId) steps.push_back({"{id}", Source::kNumber, {}});
  for (PlaceholderStep& step : PlaceholderSteps(data, record)) steps.push_back(std::move(step));
  return steps;
}

CellTemplate::CellTemplate(AnsiString text, const std::vector<PlaceholderStep>& steps) : text_(std::move(text)) {
  found_.reserve(steps.size());
  for (const PlaceholderStep& step : steps)
    found_.push_back(!step.searched.empty() && text_.find(step.searched) != AnsiString::npos);
  // Filled with marks that are never empty, the text shows where each value goes.
  FilledText marked(text_);
  for (std::size_t i = 0; i < steps.size(); ++i)
    if (found_[i] && marked.Contains(steps[i].searched)) marked.Replace(steps[i].searched, "\x01", static_cast<int>(i));
  plan_ = std::move(marked.pieces_);
}

AnsiString CellTemplate::Fill(const std::vector<PlaceholderStep>& steps, const ReportData& data, const ItemData* sample,
                              const RawItemData* row, std::int64_t number) const {
  AnsiString filled;
  for (const FilledText::Piece& piece : plan_) {
    if (piece.own) {
      filled += piece.text;
      continue;
    }
    const AnsiString value = StepValue(steps[static_cast<std::size_t>(piece.step)], data, sample, row, number);
    if (value.empty()) {
      // An empty value may join the template's text around it: step by step, then.
      FilledText text(text_);
      return FillSteps(text, steps, &found_, data, sample, row, number);
    }
    filled += value;
  }
  if (filled.size() > kMaxFilledLength) filled.resize(kMaxFilledLength);
  return filled;
}

}  // namespace command_support

using namespace command_support;

namespace {

AnsiString FillAll(const AnsiString& text, const std::vector<PlaceholderStep>& steps, const ReportData& data,
                   const ItemData* sample, const RawItemData* row) {
  FilledText filled(text);
  return FillSteps(filled, steps, nullptr, data, sample, row, 0);
}

// The steps of one kind that a shorter operation takes: those of the sources given.
std::vector<PlaceholderStep> StepsOf(const ReportData& data, Record record, std::initializer_list<Source> sources) {
  std::vector<PlaceholderStep> kept;
  for (PlaceholderStep& step : PlaceholderSteps(data, record))
    if (std::find(sources.begin(), sources.end(), step.source) != sources.end()) kept.push_back(std::move(step));
  return kept;
}

}  // namespace

AnsiString Command::ReplacePlaceholders(const AnsiString& text, const ReportData& data, const ItemData* sample) {
  return FillAll(text, PlaceholderSteps(data, sample != nullptr ? Record::kSample : Record::kNone), data, sample,
                 nullptr);
}

AnsiString Command::ReplaceRecordFields(const AnsiString& text, const ReportData& data, const ItemData* sample) {
  if (sample == nullptr) return text;
  std::vector<PlaceholderStep> steps = PlaceholderSteps(data, Record::kSample);
  steps.resize(steps.size() - 2);  // without "{name}" and "{eof}"
  return FillAll(text, steps, data, sample, nullptr);
}

AnsiString Command::ReplaceElementFields(const AnsiString& text, const ReportData& data, const ItemData& sample) {
  return FillAll(text, StepsOf(data, Record::kSample, {Source::kGroupValue, Source::kGroupMark}), data, &sample,
                 nullptr);
}

AnsiString Command::ReplaceElementRowFields(const AnsiString& text, const ReportData& data, const RawItemData& row) {
  return FillAll(text, PlaceholderSteps(data, Record::kRawRow), data, nullptr, &row);
}
