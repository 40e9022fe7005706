#include "data/ReportData.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "logger/Logger.h"
#include "platform/CodePages.h"
#include "platform/TextFile.h"
#include "strings/Strings.h"

namespace {

constexpr std::size_t kLineBuffer = 2048;
constexpr int kHighestCodePage = 65535;

// Shared by every data set of the run.
int unknownIdCounter = 0;

AnsiString Trimmed(const AnsiString& line) {
  std::size_t first = 0;
  std::size_t last = line.size();
  while (first < last && static_cast<unsigned char>(line[first]) <= ' ') ++first;
  while (last > first && static_cast<unsigned char>(line[last - 1]) <= ' ') --last;
  return line.substr(first, last - first);
}

// The file name between the last "/" and the last "."; empty without a "." after the "/".
AnsiString IdOfPath(const AnsiString& path) {
  std::size_t slash = path.rfind('/');
  std::size_t start = slash == AnsiString::npos ? 0 : slash + 1;
  std::size_t dot = path.rfind('.');
  if (dot == AnsiString::npos || dot < start) return AnsiString();
  return path.substr(start, dot - start);
}

}  // namespace

AnsiString RecordKey(std::string_view time, std::string_view id) {
  AnsiString key;
  key.reserve(time.size() + 1 + id.size());
  key.append(time).push_back('\0');
  return key.append(id);
}

ReportData::ReportData(const Settings& settings) : settings(settings), probeCodePages(settings.detectCodePages) {}

// What the import needs of the configuration for every line: where the fields stand and the
// group key of each element name.
class ReportData::LineReader {
 public:
  explicit LineReader(const Settings& settings) : layout(FieldLayout::Of(settings)) {
    // A name listed under two keys belongs to the key that sorts first, as FindKeyByAlias has it.
    for (const auto& [key, names] : settings.aliases)
      for (const AnsiString& name : names) keys_.try_emplace(name, key);
  }

  // The group key of the element name; null or empty when it has none.
  const AnsiString* KeyOf(std::string_view elementName) const {
    auto found = keys_.find(elementName);
    return found != keys_.end() ? &found->second : nullptr;
  }

  std::shared_ptr<const FieldLayout> layout;
  std::vector<std::string_view> pieces;  // of the line at hand

 private:
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
  };
  std::unordered_map<AnsiString, AnsiString, Hash, std::equal_to<>> keys_;
};

bool ReportData::Load(const AnsiString& filePath) {
  TextFile file;
  if (!file.Open(filePath)) return false;
  // The kept lines, in file order; their text is kept once, with the raw rows. Room for more
  // lines than the file is likely to hold costs nothing until it is used.
  std::vector<std::string_view> lines;
  lines.reserve(std::min<std::size_t>(file.Size() / 16, std::size_t{1} << 24) + 16);
  int count = 0;
  AnsiString piece;
  int number = 0;  // of the piece in the file, the header being 1
  bool replacementLogged = false;
  while (file.ReadLine(piece, kLineBuffer)) {
    if (++number == 1) continue;
    try {
      AnsiString converted = ConvertLine(piece);
      if (!converted.empty()) ++count;
      lines.push_back(raw.rows.Store(converted));
      // Once a file is enough to say that its text was not read whole.
      if (lastLineReplaced_ && !replacementLogged) {
        replacementLogged = true;
        Log("invalid bytes replaced in line " + IntToText(number) + " with cp: " +
                ErrorNumberText(settings.codePages.back()) + " for '" + AnsiString(WithoutLineEnd(piece)) + "'...",
            1);
      }
    } catch (...) {
      Log("Can't convert buffer: " + piece + "...", 1);
    }
  }
  file.Close();

  LineReader reader(settings);
  Records::iterator previous = records.end();
  for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
    try {
      AddContent(*line, reader, previous);
    } catch (...) {
      Log("Can't add content: " + AnsiString(*line) + "...", 1);
    }
  }

  try {
    id = IdOfPath(filePath);
  } catch (...) {
    id = "unknown_" + IntToText(unknownIdCounter++);
    Log("Can't parse id...", 0);
  }
  path = filePath;

  // The raw rows, the last line first.
  raw.rows.reserve(lines.size());
  for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
    try {
      raw.AddStoredLine(*line, reader.layout);
    } catch (...) {
      Log("Can't parse '" + AnsiString(*line) + "' raw data...", 1);
      return false;
    }
  }
  Log("readed: " + IntToText(count) + " records...", 0);
  return true;
}

void ReportData::AddContent(const AnsiString& line) {
  LineReader reader(settings);
  Records::iterator previous = records.end();
  AddContent(line, reader, previous);
}

void ReportData::AddContent(std::string_view line, LineReader& reader, Records::iterator& previous) {
  std::vector<std::string_view>& pieces = reader.pieces;
  SplitViews(line, ',', pieces);
  if (pieces.empty()) return;
  const FieldLayout& layout = *reader.layout;
  const AnsiString* key = reader.KeyOf(FieldLayout::Value(layout.ename, pieces));
  if (key == nullptr || key->empty()) return;
  // Two samples tested in the same second stay two samples. Lines of one sample mostly come
  // one after the other: the sample of the line before is tried first.
  const std::string_view time = FieldLayout::Value(layout.time, pieces);
  const std::string_view sampleId = FieldLayout::Value(layout.id, pieces);
  if (previous == records.end() || previous->second.time != time || previous->second.id != sampleId) {
    AnsiString recordKey = RecordKey(time, sampleId);
    // A file in time order, read from its end, gives a key before every other.
    previous = records.empty() || recordKey < records.begin()->first ? records.begin() : records.lower_bound(recordKey);
    if (previous == records.end() || previous->first != recordKey) {
      previous = records.emplace_hint(previous, std::move(recordKey), ItemData(line, pieces, reader.layout, *key));
      return;
    }
  }
  previous->second.meds.emplace_back(*key, FieldLayout::Value(layout.eresult, pieces),
                                     FieldLayout::Value(layout.evalue, pieces));
}

AnsiString ReportData::ConvertLine(const AnsiString& line) {
  AnsiString decoded = settings.Decode(Trimmed(line), &lastLineReplaced_);
  ProbeCodePages(line);
  return decoded.empty() ? line : decoded;
}

void ReportData::ProbeCodePages(const AnsiString& line) {
  if (!probeCodePages) return;
  for (int cp = 0; cp <= kHighestCodePage; ++cp) {
    AnsiString converted = WideToAnsi(ToWide(line, cp));
    if (!converted.empty() && converted != line) Log("cp founded[" + IntToText(cp) + "]: '" + converted + "'...", 1);
  }
  probeCodePages = false;
}

AnsiString ReportData::GetProviderName(const AnsiString& code) const { return settings.Translate(code); }

AnsiString ReportData::GetCaption() const { return path; }
