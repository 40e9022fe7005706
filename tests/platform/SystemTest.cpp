#include <gtest/gtest.h>

#include "platform/Exception.h"
#include "platform/MessageBox.h"
#include "platform/System.h"
#include "support/TempProgramDir.h"

TEST(System, ModuleFileNameIsTheExecutableUnlessATestSetsIt) {
  AnsiString real = GetModuleFileName();
  EXPECT_NE(real.find("platform_tests"), AnsiString::npos) << real;
  SetModuleFileNameForTesting(Cp("/opt/Келварн/kelvarn"));
  EXPECT_EQ(GetModuleFileName(), Cp("/opt/Келварн/kelvarn"));
  SetModuleFileNameForTesting("");
  EXPECT_EQ(GetModuleFileName(), real);
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
