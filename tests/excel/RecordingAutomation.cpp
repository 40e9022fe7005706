#include "RecordingAutomation.h"

#include "platform/CodePages.h"
#include "platform/Exception.h"

std::string Show(const Variant& value) {
  switch (value.GetType()) {
    case Variant::Type::Empty: return "empty";
    case Variant::Type::Integer: return std::to_string(value.AsInteger());
    case Variant::Type::Boolean: return value.AsBoolean() ? "true" : "false";
    case Variant::Type::Text: return "\"" + WideToUtf8(value.AsText()) + "\"";
    case Variant::Type::Object: return "object";
  }
  return "?";
}

RecordingObject::RecordingObject(std::shared_ptr<AutomationCallLog> log, std::string name)
    : log_(std::move(log)), name_(std::move(name)) {
  ++log_->alive;
}

RecordingObject::~RecordingObject() {
  --log_->alive;
  log_->releases.push_back(name_);
}

void RecordingObject::Record(const std::string& call) {
  log_->calls.push_back(call);
  if (log_->seen) log_->seen(call);
  if (call == log_->refuse) throw Exception("refused: " + call);
}

Variant RecordingObject::GetProperty(std::string_view name, std::span<const Variant> arguments) {
  std::string property = name_ + "." + std::string(name);
  if (!arguments.empty()) {
    property += "(";
    for (std::size_t i = 0; i < arguments.size(); ++i) property += (i ? ", " : "") + Show(arguments[i]);
    property += ")";
  }
  Record("get " + property);
  return std::make_shared<RecordingObject>(log_, property);
}

void RecordingObject::SetProperty(std::string_view name, const Variant& value) {
  Record("set " + name_ + "." + std::string(name) + " = " + Show(value));
}

void RecordingObject::CallMethod(std::string_view name) { Record("call " + name_ + "." + std::string(name)); }

RecordingExcel::RecordingExcel() {
  std::weak_ptr<AutomationCallLog> log = log_;
  previous_ = RegisterProgId("Excel.Application", [log] {
    auto shared = log.lock();
    ++shared->created;
    return std::make_shared<RecordingObject>(shared, "app");
  });
}

RecordingExcel::~RecordingExcel() { RegisterProgId("Excel.Application", previous_); }

std::vector<std::string> RecordingExcel::Take() {
  std::vector<std::string> calls;
  calls.swap(log_->calls);
  return calls;
}
