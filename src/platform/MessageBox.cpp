#include "platform/MessageBox.h"

namespace {

MessageBoxHandler& Handler() {
  static MessageBoxHandler handler;
  return handler;
}

std::vector<MessageBoxCall>& Recorded() {
  static std::vector<MessageBoxCall> calls;
  return calls;
}

}  // namespace

int MessageBoxA(void* owner, const AnsiString& text, const AnsiString& caption, unsigned type) {
  if (Handler()) return Handler()(owner, text, caption, type);
  Recorded().push_back({text, caption, type});
  return IDOK;
}

void SetMessageBoxHandler(MessageBoxHandler handler) { Handler() = std::move(handler); }

const std::vector<MessageBoxCall>& RecordedMessageBoxes() { return Recorded(); }

void ClearRecordedMessageBoxes() { Recorded().clear(); }
