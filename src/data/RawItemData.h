#pragma once

#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include "data/FieldValues.h"
#include "platform/AnsiString.h"

class Settings;

// One line of a results file with its named fields, the element name as in the file.
class RawItemData {
 public:
  RawItemData(const std::vector<AnsiString>& pieces, const Settings& settings);
  // From a line and its pieces, split at ",".
  RawItemData(std::string_view line, const std::vector<std::string_view>& pieces,
              std::shared_ptr<const FieldLayout> layout);

  AnsiString GetDate() const;
  AnsiString GetTime() const;
  AnsiString GetLotDate() const;
  AnsiString GetField(const AnsiString& name) const;

  AnsiString id;
  AnsiString provider;
  AnsiString time;
  AnsiString notes;
  AnsiString batch;
  AnsiString ename;
  AnsiString eresult;
  AnsiString evalue;
  FieldValues fields;
};
