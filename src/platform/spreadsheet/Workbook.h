#pragma once

#include <memory>
#include <string>

#include "platform/spreadsheet/Sheet.h"

namespace spreadsheet {

class Application;

// One workbook with its single worksheet. Workbooks are numbered in the order they are
// added during the run, across instances, so that their files never meet: "Book1", "Book2".
struct Workbook {
  Workbook();

  int number;
  Sheet sheet;

  std::string FileName() const;  // "Book<number>.xlsx"
};

// What the objects of a worksheet hold: the workbook, and the instance it belongs to, which
// stays alive as long as any of them does.
struct SheetRef {
  std::shared_ptr<Application> application;
  std::shared_ptr<Workbook> workbook;

  Sheet& GetSheet() const { return workbook->sheet; }
};

}  // namespace spreadsheet
