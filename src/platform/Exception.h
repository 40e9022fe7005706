#pragma once

#include <exception>

#include "platform/AnsiString.h"

// The class library's exception: every error that reaches a user carries its message here,
// in the ANSI code page.
class Exception : public std::exception {
 public:
  explicit Exception(AnsiString message) : message_(std::move(message)) {}

  const AnsiString& Message() const { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  AnsiString message_;
};

// The message that the exception box shows for anything thrown: an Exception's message, a
// std::exception's what(), and an empty text for any other value. Call it inside a catch.
AnsiString CurrentExceptionMessage();
