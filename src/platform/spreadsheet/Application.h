#pragma once

#include <memory>
#include <vector>

#include "platform/automation/DispatchObject.h"
#include "platform/spreadsheet/Workbook.h"

namespace spreadsheet {

// One instance of the spreadsheet server: its workbooks, the active one, and whether it is
// visible. A new instance has no workbook.
class Application : public DispatchObject, public std::enable_shared_from_this<Application> {
 public:
  Variant GetProperty(std::string_view name, std::span<const Variant> arguments) override;
  void SetProperty(std::string_view name, const Variant& value) override;

  void AddWorkbook();
  const std::vector<std::shared_ptr<Workbook>>& Workbooks() const { return workbooks_; }
  // Null while there is no workbook.
  const std::shared_ptr<Workbook>& ActiveWorkbook() const { return active_; }
  bool Visible() const { return visible_; }

 private:
  std::vector<std::shared_ptr<Workbook>> workbooks_;
  std::shared_ptr<Workbook> active_;
  bool visible_ = false;
};

}  // namespace spreadsheet
