#pragma once

#include "platform/AnsiString.h"

// The texts shared by the printed reports and the result marks, in the ANSI code page.
enum ReportTextId {
  txtDate = 1,           // "Дата: "
  txtReportTitle,        // the full report's title
  txtLegend,             // what the marks mean
  txtHeadNumber,         // "Номер\nп/п"
  txtHeadTestKit,        // "Тест набор"
  txtHeadProvider,       // "Поставщик"
  txtHeadTtn,            // "ТТН"
  txtHeadAnalysisTime,   // "Время проведения\nанализа"
  txtHeadNotes,          // "Примечания"
  txtUnknown,            // "неизвестно": neither negative nor positive
  txtHeadTetracycline,
  txtHeadChloramphenicol,
  txtHeadStreptomycin,
  txtHeadBetalactam,
  txtHeadLincomycin,
  txtHeadTylosin,
  txtHeadQuinolones,
  txtNegativeMark,       // "-"
  txtPositiveMark,       // "ПОЗ"
};

constexpr int kReportTextCount = 19;

// Text number 1 to 19.
const AnsiString& ReportText(int number);
