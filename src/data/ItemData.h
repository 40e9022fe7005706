#pragma once

#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include "data/MedsData.h"
#include "data/FieldValues.h"
#include "platform/AnsiString.h"

class Settings;

// One sample: the lines of a results file that share one analysis time and one id.
class ItemData {
 public:
  ItemData() = default;
  // A new sample from one split line; it starts with that line's result.
  ItemData(std::vector<AnsiString> pieces, const Settings& settings);
  // The same from a line and its pieces, split at ",", the group key of its element given.
  ItemData(std::string_view line, const std::vector<std::string_view>& pieces,
           std::shared_ptr<const FieldLayout> layout, AnsiString key);

  void AddMeds(const std::vector<AnsiString>& pieces, const Settings& settings);

  // Of the first result whose group key is the given one; empty when there is none.
  AnsiString GetMedsResult(const AnsiString& key) const;
  AnsiString GetMedsValue(const AnsiString& key) const;

  AnsiString GetDate() const;
  AnsiString GetTime() const;
  AnsiString GetLotDate() const;
  AnsiString GetField(const AnsiString& name) const;

  AnsiString id;
  AnsiString provider;
  AnsiString time;
  AnsiString notes;
  AnsiString batch;
  std::vector<MedsData> meds;
  FieldValues fields;
};

// The decimal form of a number.
AnsiString IntToText(int value);
