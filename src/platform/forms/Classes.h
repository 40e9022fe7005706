#pragma once

#include <QMetaObject>
#include <QObject>
#include <functional>
#include <utility>
#include <vector>

#include "platform/AnsiString.h"

// The class library's base classes, events and string lists, as far as the windows use them.

class TObject {
 public:
  virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

// An event bound to a method of a window: OnClick = Closure(this, &TfrmDataForm::ctrPrintClick).
template <class C, class... Args>
auto Closure(C* self, void (C::*method)(Args...)) {
  return [self, method](Args... args) { (self->*method)(std::forward<Args>(args)...); };
}

// A component of the owner chain. Its lifetime follows the Qt object tree (a component's Qt
// parent always lies within its owner), so the owner pointer is only a way back. While a
// component or one of its owners is being destroyed, none of its events runs.
class TComponent : public TObject {
 public:
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }

  // False from the start of the destruction of the component or of any of its owners.
  bool Responsive() const;

 protected:
  explicit TComponent(TComponent* owner) : owner_(owner) {}

  // Marks the start of destruction: from here on no event of the component runs.
  void BeginDestroy() { destroying_ = true; }

  // Runs an event handler the way the application object does: an exception is shown in the
  // exception box and the program goes on. Nothing runs while the component is not responsive.
  template <class Handler, class... Args>
  void Fire(const Handler& handler, Args&&... args) {
    if (!handler || !Responsive()) return;
    RunHandler([&] { handler(std::forward<Args>(args)...); });
  }

  // Connects a Qt signal for the component's lifetime: the connection goes before the
  // component's own parts do, so no signal reaches a half-destroyed component.
  template <class Sender, class Signal, class Slot>
  void Listen(Sender* sender, Signal signal, Slot slot) {
    connections_.push_back(QObject::connect(sender, signal, std::move(slot)));
  }

 private:
  void RunHandler(const std::function<void()>& call);

  TComponent* owner_;
  bool destroying_ = false;
  std::vector<QMetaObject::Connection> connections_;
};

// The class library's list of texts, as the item lists of the controls offer it.
class TStrings {
 public:
  virtual ~TStrings() = default;
  virtual int Count() const = 0;
  // The text at an index; an index outside the list raises an Exception.
  virtual AnsiString Strings(int index) const = 0;
  // Appends a text and returns its index.
  virtual int Add(const AnsiString& text) = 0;
  virtual void Clear() = 0;
};

// The texts of a control's items (tab titles, combo box entries): kept as they were set,
// while the control shows them.
class TControlStrings : public TStrings {
 public:
  int Count() const override { return static_cast<int>(texts_.size()); }
  AnsiString Strings(int index) const override;
  int Add(const AnsiString& text) override;
  void Clear() override;

 protected:
  virtual void Added(const AnsiString& text) = 0;
  virtual void Cleared() = 0;

 private:
  std::vector<AnsiString> texts_;
};

// The class library's error for an index outside a list.
[[noreturn]] void ListIndexError(int index);
