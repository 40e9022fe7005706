#pragma once

#include <memory>

#include "platform/automation/DispatchObject.h"

namespace spreadsheet {

class Application;

// The workbooks of an instance; "add" adds one, which becomes the active workbook.
class Workbooks : public DispatchObject {
 public:
  explicit Workbooks(std::shared_ptr<Application> application) : application_(std::move(application)) {}

  void CallMethod(std::string_view name) override;

 private:
  std::shared_ptr<Application> application_;
};

}  // namespace spreadsheet
