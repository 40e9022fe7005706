#pragma once

#include <string_view>
#include <vector>

#include "platform/AnsiString.h"

class Settings;

// One antibiotic-group result of a sample.
struct MedsData {
  MedsData(const std::vector<AnsiString>& pieces, const Settings& settings);
  MedsData(AnsiString name, std::string_view result, std::string_view value)
      : name(std::move(name)), result(result), value(value) {}

  AnsiString name;    // the group's key, such as "{tcs}", found through the element name's alias
  AnsiString result;  // the result word as read
  AnsiString value;
};
