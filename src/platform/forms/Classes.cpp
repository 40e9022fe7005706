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

void ListIndexError(int index) { throw Exception("List index out of bounds (" + std::to_string(index) + ")"); }
