#include "platform/forms/Classes.h"

#include <string>

#include "platform/Exception.h"
#include "platform/forms/Forms.h"

TComponent::~TComponent() {
  destroying_ = true;
  for (auto& connection : connections_) QObject::disconnect(connection);
}

bool TComponent::Responsive() const {
  for (const TComponent* c = this; c != nullptr; c = c->owner_)
    if (c->destroying_) return false;
  return true;
}

void TComponent::RunHandler(const std::function<void()>& call) {
  try {
    call();
  } catch (...) {
    Application->HandleException(this);
  }
}

AnsiString TControlStrings::Strings(int index) const {
  if (index < 0 || index >= Count()) ListIndexError(index);
  return texts_[static_cast<size_t>(index)];
}

int TControlStrings::Add(const AnsiString& text) {
  texts_.push_back(text);
  Added(text);
  return Count() - 1;
}

void TControlStrings::Clear() {
  texts_.clear();
  Cleared();
}

void ListIndexError(int index) { throw Exception("List index out of bounds (" + std::to_string(index) + ")"); }
