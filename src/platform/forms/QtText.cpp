#include "platform/forms/QtText.h"

#include "platform/CodePages.h"
#include "platform/System.h"

QString ToQt(const AnsiString& text) {
  std::string utf8 = DisplayText(text);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString ToQtLine(const AnsiString& text) {
  auto end = text.find_last_not_of("\r\n");
  return ToQt(end == AnsiString::npos ? AnsiString() : text.substr(0, end + 1));
}

AnsiString FromQt(const QString& text) {
  QByteArray utf8 = text.toUtf8();
  return Utf8ToAnsi(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}
