#pragma once

#include <map>
#include <vector>

#include "data/FieldValues.h"
#include "platform/AnsiString.h"

class Settings;

// One line of a results file with its named fields, the element name as in the file.
class RawItemData {
 public:
  RawItemData(const std::vector<AnsiString>& pieces, const Settings& settings);

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
