// "settings.txt": positional lines, read once into a freshly constructed Settings.
#include "platform/CodePages.h"
#include "platform/Numbers.h"
#include "platform/ProgramText.h"
#include "platform/TextFile.h"
#include "settings/Settings.h"
#include "strings/Strings.h"

namespace {

constexpr std::size_t kLineBuffer = 2048;

// Words, aliases and display names are UTF-8 in the file.
AnsiString FromFileUtf8(const AnsiString& text) { return WideToAnsi(Utf8ToWide(text)); }

// A line without a separator is a list of its one word, or of none when it is empty.
void ReadWords(const AnsiString& line, std::vector<AnsiString>& words) {
  AnsiString converted = FromFileUtf8(line);
  if (converted.find(',') != AnsiString::npos) {
    words = Split(converted, ',');
  } else if (converted.find(';') != AnsiString::npos) {
    words = Split(converted, ';');
  } else {
    const std::string_view word = WithoutLineEnd(converted);
    if (!word.empty()) words = {AnsiString(word)};
  }
}

struct BuiltinAlias {
  const char* key;
  const char* alias;
};

constexpr BuiltinAlias kBuiltinAliases[] = {
    {"{b}", "B"},     {"{strep}", "STREP"}, {"{cap}", "CAP"},     {"{tcs}", "TCS"}, {"{lin}", "LIN"},
    {"{lin}", "LINCO"}, {"{tyl}", "TYL"},   {"{tyl}", "TYL+TIL"}, {"{qns}", "QNS"},
};

struct BuiltinColumn {
  const char* key;
  const char* caption;  // UTF-8, like the captions of the file
  int width;
};

constexpr BuiltinColumn kBuiltinColumns[] = {
    {"{num}", "Номер п/п", 60},
    {"{provider}", "Поставщик", 140},
    {"{ttn}", "ТТН", 43},
    {"{tcs}", "Тетрациклин", 87},
    {"{cap}", "Хлорамфеникол", 86},
    {"{strep}", "Стрептомицин", 86},
    {"{b}", "Беталактам", 76},
    {"{lin}", "Линкомицин", 74},
    {"{tyl}", "Тилозин+Тилмикозин", 115},
    {"{qns}", "Фторхинолоны", 81},
    {"{datetime}", "Время проведения анализа", 141},
};

constexpr int kDefaultColumnWidth = 20;

}  // namespace

void Settings::LoadSettings() {
  AnsiString columnsSpec;
  AnsiString fieldsSpec;
  TextFile file;
  if (file.Open(GetProgramDir() + "settings.txt")) {
    AnsiString line;
    int number = 0;
    while (file.ReadLine(line, kLineBuffer)) {
      switch (++number) {
        case 1:
          if (commandLineCodePage == codePage)
            ReadCodePages(line);
          else
            codePage = commandLineCodePage;
          break;
        case 2:
          ReadWords(line, positives);
          break;
        case 3:
          ReadWords(line, negatives);
          break;
        case 4:
          columnsSpec = line;
          break;
        case 5:
          fieldsSpec = fieldIndexSpec.empty() ? line : fieldIndexSpec;
          break;
        default:
          ReadAliasLine(line);
      }
    }
    file.Close();
  } else {
    negatives = {"Negative", AnsiText("Негатив")};
    positives = {"Positive", AnsiText("Позитив")};
  }
  for (const auto& builtin : kBuiltinAliases) aliases[builtin.key].push_back(builtin.alias);
  LoadGridColumns(columnsSpec);
  LoadFieldIndexes(fieldsSpec);
  // A code page named on the command line is the one the input is decoded with, whatever
  // the file lists; without this no line would be decoded at all.
  if (commandLineCodePage != 65001) {
    codePages = {static_cast<std::uint32_t>(commandLineCodePage)};
    codePage = commandLineCodePage;
    lastCodePage = commandLineCodePage;
  }
}

void Settings::ReadCodePages(const AnsiString& line) {
  std::vector<AnsiString> parts = Split(line, '=');
  if (parts.size() < 2) return;
  for (const auto& item : Split(parts[1], ','))
    codePages.push_back(static_cast<std::uint32_t>(Strtol32(item.c_str())));
  if (!codePages.empty()) {
    codePage = static_cast<std::int32_t>(codePages.front());
    lastCodePage = codePage;
  }
}

void Settings::ReadAliasLine(const AnsiString& line) {
  std::vector<AnsiString> parts = Split(line, '=');
  if (parts.empty()) return;
  std::vector<AnsiString> names = Split(parts[0], ',');
  // An empty key names no group. Its aliases would find "", which reads as no group at all,
  // and take the names away from the groups that list them ("B," would drop every "B" line
  // from the samples).
  if (names.size() < 2 || names.back().empty()) return;
  AnsiString key = FromFileUtf8(names.back());
  std::vector<AnsiString>& list = aliases[key];
  for (std::size_t i = 0; i + 1 < names.size(); ++i) list.push_back(FromFileUtf8(names[i]));
  if (parts.size() >= 2) displayNames[key] = FromFileUtf8(parts[1]);
}

void Settings::LoadGridColumns(const AnsiString& spec) {
  if (spec.empty()) {
    for (const auto& column : kBuiltinColumns) gridColumns.emplace_back(column.key, column.caption, column.width);
    return;
  }
  for (const auto& piece : Split(spec, ';')) {
    if (piece.empty()) continue;
    std::vector<AnsiString> items = Split(piece, ',');
    AnsiString key = items.empty() ? AnsiString() : items[0];
    AnsiString caption = items.size() >= 2 ? items[1] : key;
    int width = kDefaultColumnWidth;
    if (items.size() < 3 || !TryStrToInt(items[2], width)) width = kDefaultColumnWidth;
    gridColumns.emplace_back(key, caption, width);
  }
}

void Settings::LoadFieldIndexes(const AnsiString& spec) {
  std::vector<AnsiString> items = Split(spec, ',');
  for (std::size_t i = 0; i + 1 < items.size(); i += 2) fieldIndexes[items[i]] = Atol32(items[i + 1].c_str());
}
