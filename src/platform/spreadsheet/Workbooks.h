#pragma once

#include <memory>

#include "platform/automation/AutomationObject.h"

namespace spreadsheet {

class Application;

// The workbooks of an instance; "add" adds one, which becomes the active workbook.
class Workbooks : public AutomationObject {
 public:
  explicit Workbooks(std::shared_ptr<Application> application) : application_(std::move(application)) {}

  Variant GetProperty(std::string_view name, std::span<const Variant> arguments) override;
  void SetProperty(std::string_view name, const Variant& value) override;
  void CallMethod(std::string_view name) override;

 private:
  std::shared_ptr<Application> application_;
};

}  // namespace spreadsheet
