#include "data/RecordFields.h"

#include <vector>

#include "platform/Numbers.h"
#include "strings/Strings.h"

namespace record_fields {

namespace {

AnsiString TimePiece(const AnsiString& time, std::size_t index) {
  std::vector<AnsiString> pieces = Split(time, ' ');
  return index < pieces.size() ? pieces[index] : AnsiString();
}

}  // namespace

AnsiString DateOf(const AnsiString& time) { return TimePiece(time, 0); }

AnsiString TimeOf(const AnsiString& time) { return TimePiece(time, 1); }

AnsiString LotDateOf(const AnsiString& batch) {
  int date = 0;
  if (!TryStrToInt(batch.substr(0, 8), date)) return AnsiString();
  int year = 0;
  if (!TryStrToInt(batch.substr(0, 4), year)) return AnsiString();
  AnsiString month = batch.size() > 4 ? batch.substr(4, 2) : AnsiString();
  AnsiString day = batch.size() > 6 ? batch.substr(6, 2) : AnsiString();
  return IntToStr(static_cast<long long>(year) + 1) + "." + month + "." + day;
}

AnsiString FieldOf(const FieldValues& fields, const AnsiString& name) { return fields.Find(name).value_or(AnsiString()); }

}  // namespace record_fields
