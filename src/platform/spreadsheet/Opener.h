#pragma once

#include <string>

namespace spreadsheet {

// Hands a file to the desktop: starts xdg-open, or the program that the environment variable
// KELVARN_OPENER names, with the file (a system path, UTF-8) as its only argument. No shell
// runs. The opener starts in a session of its own and is reaped in the background, so the
// caller never waits for it and no zombie stays; one that ends with a non-zero status is told
// to the user through TakeOpenerFailures. Throws an Exception naming the file and the opener
// when the opener cannot start.
void StartOpener(const std::string& systemPath);

}  // namespace spreadsheet
