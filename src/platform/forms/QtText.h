#pragma once

#include <QString>

#include "platform/AnsiString.h"

// Texts at the Qt boundary: the program holds ANSI (1251) texts, Qt shows Unicode.

// The whole text; a path's escapes for what 1251 cannot show come out as the characters they
// stand for.
QString ToQt(const AnsiString& text);

// The text as a single-line control shows it: without its trailing carriage returns and
// line feeds, which the stored text keeps.
QString ToQtLine(const AnsiString& text);

// A text that Qt hands back (what the user typed or chose); a character that 1251 cannot
// show becomes "?".
AnsiString FromQt(const QString& text);
