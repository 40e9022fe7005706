#include <gtest/gtest.h>

#include "platform/Exception.h"
#include "platform/MessageBox.h"
#include "platform/System.h"
#include "support/TempProgramDir.h"

TEST(System, ModuleFileNameIsTheExecutableUnlessATestSetsIt) {
  AnsiString real = GetModuleFileName();
  EXPECT_NE(real.find("platform_tests"), AnsiString::npos) << real;
  SetModuleFileNameForTesting("/opt/Келварн/kelvarn");
  EXPECT_EQ(GetModuleFileName(), Cp("/opt/Келварн/kelvarn"));
  SetModuleFileNameForTesting("");
  EXPECT_EQ(GetModuleFileName(), real);
}

TEST(System, PathsCarryWhat1251CannotShowAsEscapes) {
  struct Case {
    std::string system;  // UTF-8, or bytes that are none
    AnsiString ansi;
    std::string shown;   // UTF-8 on the screen
  } cases[] = {
      {"/home/lab/r.csv", "/home/lab/r.csv", "/home/lab/r.csv"},
      {"/tmp/Отчёт?.csv", Cp("/tmp/Отчёт?.csv"), "/tmp/Отчёт?.csv"},
      {"/home/josé/kelvarn/", "/home/jos\x98" "C3\x98" "A9/kelvarn/", "/home/josé/kelvarn/"},
      {"/tmp/中.csv", "/tmp/\x98" "E4\x98" "B8\x98" "AD.csv", "/tmp/中.csv"},
      {"/tmp/\xFF\xC3.csv", "/tmp/\x98" "FF\x98" "C3.csv", "/tmp/\xFF\xC3.csv"},  // no UTF-8 at all
      {"/tmp/\xED\xA0\x80", "/tmp/\x98" "ED\x98" "A0\x98" "80", "/tmp/\xED\xA0\x80"},  // a surrogate
      {"/tmp/😀", "/tmp/\x98" "F0\x98" "9F\x98" "98\x98" "80", "/tmp/😀"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FromSystemPath(c.system), c.ansi) << c.system;
    std::string back;
    ASSERT_TRUE(ToSystemPath(c.ansi, back)) << c.system;
    EXPECT_EQ(back, c.system);
    EXPECT_EQ(DisplayText(c.ansi), c.shown);
  }
  // A 0x98 that starts no escape names nothing, and shows as a replacement mark.
  std::string system;
  for (const AnsiString& bad : {AnsiString("\x98"), AnsiString("a\x98" "4"), AnsiString("\x98" "zz")})
    EXPECT_FALSE(ToSystemPath(bad, system)) << bad;
  EXPECT_EQ(DisplayText("a\x98" "4"), "a\uFFFD4");
  EXPECT_EQ(DisplayText("\x98" "c3\x98" "a9"), "é") << "either case of hexadecimal digits";
}

TEST(System, CommandLineArgumentsAreWideText) {
  const char* argv[] = {"kelvarn", "1251", "Поле"};
  SetCommandLine(3, const_cast<char**>(argv));
  auto arguments = GetCommandLineArguments();
  ASSERT_EQ(arguments.size(), 3u);
  EXPECT_EQ(arguments[1], u"1251");
  EXPECT_EQ(arguments[2], u"Поле");
  SetCommandLineForTesting({});
  EXPECT_TRUE(GetCommandLineArguments().empty());
}

TEST(System, ExceptionMessages) {
  auto message = [](auto thrower) {
    try {
      thrower();
    } catch (...) {
      return CurrentExceptionMessage();
    }
    return AnsiString("none");
  };
  EXPECT_EQ(message([] { throw Exception("boom"); }), "boom");
  EXPECT_EQ(message([] { throw std::runtime_error("std"); }), "std");
  EXPECT_EQ(message([] { throw 42; }), "");
}

TEST(System, MessageBoxIsRecordedWithoutAHandler) {
  ClearRecordedMessageBoxes();
  EXPECT_EQ(MessageBoxA(nullptr, "text", "title", MB_OK | MB_ICONERROR), IDOK);
  ASSERT_EQ(RecordedMessageBoxes().size(), 1u);
  EXPECT_EQ(RecordedMessageBoxes()[0].text, "text");
  EXPECT_EQ(RecordedMessageBoxes()[0].caption, "title");
  EXPECT_EQ(RecordedMessageBoxes()[0].type, MB_OK | MB_ICONERROR);
  SetMessageBoxHandler([](void*, const AnsiString&, const AnsiString&, unsigned) { return IDCANCEL; });
  EXPECT_EQ(MessageBoxA(nullptr, "x", "y", MB_OKCANCEL), IDCANCEL);
  SetMessageBoxHandler({});
  EXPECT_EQ(RecordedMessageBoxes().size(), 1u);
  ClearRecordedMessageBoxes();
}
