#pragma once

#include "data/FieldValues.h"
#include "platform/AnsiString.h"

// What samples and raw rows answer alike about their time text, batch and named fields.
namespace record_fields {

// The first and second piece of the time text split at blanks; empty when missing.
AnsiString DateOf(const AnsiString& time);
AnsiString TimeOf(const AnsiString& time);

// The batch's leading YYYYMMDD one year later, as YYYY.MM.DD; empty when it is no number.
AnsiString LotDateOf(const AnsiString& batch);

AnsiString FieldOf(const FieldValues& fields, const AnsiString& name);

}  // namespace record_fields
