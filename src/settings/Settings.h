#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "platform/AnsiString.h"
#include "settings/GridColumnData.h"

// The program's whole configuration. The main window loads one; every other is a copy.
class Settings {
 public:
  Settings();

  // Command line, "localization.txt", "dictionary.txt", "settings.txt", "name.txt", in this
  // order; a missing or unreadable file is skipped.
  void Load();

  void ParseCommandLine();
  void LoadLocalization();
  void LoadDictionary();
  void LoadSettings();
  void LoadName();
  void LoadGridColumns(const AnsiString& spec);
  void LoadFieldIndexes(const AnsiString& spec);

  AnsiString GetLocalizedText(const AnsiString& key, const AnsiString& defaultText) const;
  AnsiString Translate(const AnsiString& word) const;
  AnsiString GetName() const;
  AnsiString GetResultMark(const AnsiString& result) const;
  AnsiString MatchNegative(const AnsiString& result) const;
  AnsiString MatchPositive(const AnsiString& result) const;
  AnsiString FindKeyByAlias(const AnsiString& elementName) const;
  AnsiString GetDisplayName(const AnsiString& key) const;
  AnsiString GetDisplayNameByAlias(const AnsiString& elementName) const;
  AnsiString GetValueByField(const AnsiString& fieldName, const std::vector<AnsiString>& pieces) const;
  // The line in the ANSI code page, or "" when no code page of codePages converts it. Every
  // entry but the last must read the line without a fault; replaced tells whether the last
  // one had to put replacement characters for bytes that are invalid in it.
  AnsiString Decode(const AnsiString& line, bool* replaced = nullptr);

  std::vector<AnsiString> negatives;
  std::vector<AnsiString> positives;
  std::map<AnsiString, AnsiString> dictionary;
  AnsiString name;
  AnsiString fieldIndexSpec;
  std::int32_t commandLineCodePage = 0;
  bool detectCodePages = false;
  std::int32_t codePage = 65001;
  std::int32_t lastCodePage = 0;
  std::vector<std::uint32_t> codePages;
  std::map<AnsiString, std::vector<AnsiString>> aliases;
  std::map<AnsiString, AnsiString> displayNames;
  std::map<AnsiString, AnsiString> localization;
  std::map<AnsiString, std::int32_t> fieldIndexes;
  std::vector<GridColumnData> gridColumns;

 private:
  void ReadCodePages(const AnsiString& line);
  void ReadAliasLine(const AnsiString& line);
};

// The executable's folder with its trailing "/"; the whole path when it has none.
AnsiString GetProgramDir();

AnsiString ErrorNumberText(std::int64_t error);
