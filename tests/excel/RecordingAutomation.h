#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/automation/AutomationObject.h"
#include "platform/automation/ProgIds.h"

// What reached the recording automation objects, one line a call, in order:
//   get app.WorkSheets(1).Cells.Item(1, 1)
//   set app.WorkSheets(1).Cells.Item(1, 1).Value = "text"
//   call app.WorkBooks.add
// An object is named by the calls that gave it. Integers print as digits, booleans as true
// and false, texts (UTF-8) in quotes.
struct AutomationCallLog {
  std::vector<std::string> calls;
  std::vector<std::string> releases;  // names of the objects let go, in order
  std::string refuse;                 // a call that fails, as it prints
  std::function<void(const std::string&)> seen;  // told of each call as it is made
  int alive = 0;
  int created = 0;  // application objects made
};

class RecordingObject : public AutomationObject {
 public:
  RecordingObject(std::shared_ptr<AutomationCallLog> log, std::string name);
  ~RecordingObject() override;

  Variant GetProperty(std::string_view name, std::span<const Variant> arguments) override;
  void SetProperty(std::string_view name, const Variant& value) override;
  void CallMethod(std::string_view name) override;

 private:
  void Record(const std::string& call);

  std::shared_ptr<AutomationCallLog> log_;
  std::string name_;
};

// Puts the recording objects behind "Excel.Application" for the length of a test.
class RecordingExcel {
 public:
  RecordingExcel();
  ~RecordingExcel();
  RecordingExcel(const RecordingExcel&) = delete;
  RecordingExcel& operator=(const RecordingExcel&) = delete;

  AutomationCallLog& Log() { return *log_; }
  // The calls since the last Take.
  std::vector<std::string> Take();

 private:
  std::shared_ptr<AutomationCallLog> log_ = std::make_shared<AutomationCallLog>();
  AutomationFactory previous_;
};

std::string Show(const Variant& value);
