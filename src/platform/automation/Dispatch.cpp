#include "platform/automation/Dispatch.h"

#include <algorithm>

#include "platform/Exception.h"

namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool IsMember(std::string_view name, std::string_view member) {
  if (name.size() != member.size()) return false;
  if (name == member) return true;  // as callers mostly write it
  for (std::size_t i = 0; i < name.size(); ++i)
    if (name[i] != member[i] && LowerAscii(name[i]) != LowerAscii(member[i])) return false;
  return true;
}

void ThrowUnknownName(std::string_view name) { throw Exception("Unknown name: " + AnsiString(name)); }

void ThrowTypeMismatch() { throw Exception("Type mismatch"); }

void ExpectArguments(std::span<const Variant> arguments, std::size_t count) {
  if (arguments.size() != count) throw Exception("Invalid number of parameters");
}
