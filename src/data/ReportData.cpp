#include "data/ReportData.h"

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

AnsiString RecordKey(const AnsiString& time, const AnsiString& id) {
  AnsiString key;
  key.reserve(time.size() + 1 + id.size());
  key.append(time).push_back('\0');
  return key.append(id);
}

ReportData::ReportData(const Settings& settings) : settings(settings), probeCodePages(settings.detectCodePages) {}

bool ReportData::Load(const AnsiString& filePath) {
  TextFile file;
  if (!file.Open(filePath)) return false;
  std::vector<AnsiString> lines;
  int count = 0;
  AnsiString piece;
  int number = 0;  // of the piece in the file, the header being 1
  bool replacementLogged = false;
  while (file.ReadLine(piece, kLineBuffer)) {
    if (++number == 1) continue;
    try {
      AnsiString converted = ConvertLine(piece);
      if (!converted.empty()) ++count;
      lines.push_back(std::move(converted));
      // Once a file is enough to say that its text was not read whole.
      if (lastLineReplaced_ && !replacementLogged) {
        replacementLogged = true;
        Log("invalid bytes replaced in line " + IntToText(number) + " with cp: " +
                ErrorNumberText(settings.codePages.back()) + " for '" + piece + "'...",
            1);
      }
    } catch (...) {
      Log("Can't convert buffer: " + piece + "...", 1);
    }
  }
  file.Close();

  Records::iterator previous = records.end();
  for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
    try {
      AddContent(*line, previous);
    } catch (...) {
      Log("Can't add content: " + *line + "...", 1);
    }
  }

  try {
    id = IdOfPath(filePath);
  } catch (...) {
    id = "unknown_" + IntToText(unknownIdCounter++);
    Log("Can't parse id...", 0);
  }
  path = filePath;

  if (!raw.Parse(std::move(lines), settings)) return false;
  Log("readed: " + IntToText(count) + " records...", 0);
  return true;
}

void ReportData::AddContent(const AnsiString& line) {
  Records::iterator previous = records.end();
  AddContent(line, previous);
}

void ReportData::AddContent(const AnsiString& line, Records::iterator& previous) {
  std::vector<AnsiString> pieces = Split(line, ',');
  if (pieces.empty()) return;
  AnsiString key = settings.FindKeyByAlias(settings.GetValueByField("{ename}", pieces));
  if (key.empty()) return;
  // Two samples tested in the same second stay two samples.
  AnsiString recordKey = RecordKey(settings.GetValueByField("{time}", pieces), settings.GetValueByField("{id}", pieces));
  if (previous == records.end() || previous->first != recordKey) {
    previous = records.lower_bound(recordKey);
    if (previous == records.end() || previous->first != recordKey) {
      previous = records.emplace_hint(previous, std::move(recordKey), ItemData(std::move(pieces), settings));
      return;
    }
  }
  previous->second.AddMeds(pieces, settings);
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
