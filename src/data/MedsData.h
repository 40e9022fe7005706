#pragma once

#include <vector>

#include "platform/AnsiString.h"

class Settings;

// One antibiotic-group result of a sample.
struct MedsData {
  MedsData(const std::vector<AnsiString>& pieces, const Settings& settings);

  AnsiString name;    // the group's key, such as "{tcs}", found through the element name's alias
  AnsiString result;  // the result word as read
  AnsiString value;
};
