#include "platform/spreadsheet/ServerErrors.h"

#include "platform/Exception.h"

namespace spreadsheet {
namespace {

[[noreturn]] void Refuse(std::string_view verb, std::string_view property, std::string_view className) {
  throw Exception("Unable to " + AnsiString(verb) + " the " + AnsiString(property) + " property of the " +
                  AnsiString(className) + " class");
}

}  // namespace

void RefuseGet(std::string_view property, std::string_view className) { Refuse("get", property, className); }

void RefuseSet(std::string_view property, std::string_view className) { Refuse("set", property, className); }

void RefuseForResources() { throw Exception(kResourcesMessage); }

}  // namespace spreadsheet
