#include "report/FullReport.h"

#include "excel/ExcelHelper.h"
#include "platform/CodePages.h"
#include "platform/MessageBox.h"
#include "report/IProgressHandler.h"
#include "report/ReportHelper.h"
#include "settings/ReportTexts.h"

namespace {

constexpr int kLineStyleContinuous = 1;

struct HeadColumn {
  int col;
  ReportTextId text;
  int width;
};

constexpr HeadColumn kHeadColumns[] = {
    {1, txtHeadNumber, 7},        {2, txtHeadProvider, 10},   {3, txtHeadTtn, 10},
    {4, txtHeadTetracycline, 6},  {5, txtHeadChloramphenicol, 6}, {6, txtHeadStreptomycin, 6},
    {7, txtHeadBetalactam, 6},    {8, txtHeadAnalysisTime, 18}, {9, txtHeadNotes, 11},
};

// The element names whose groups fill the result columns 4 to 7.
constexpr const char* kResultElements[] = {"TCS", "CAP", "STREP", "B"};

}  // namespace

FullReport::FullReport(const ReportData& data) : data(data) {}

void FullReport::Build(ReportHelper*, IProgressHandler* progress) {
  ExcelHelper excel;
  if (!excel.Open()) {
    MessageBoxA(nullptr, "Can't create excel document!", "Error!", MB_OK | MB_ICONERROR);
    return;
  }
  if (progress != nullptr) progress->Begin(100);
  try {
    WriteRows(&excel, progress);
    excel.Show();
  } catch (...) {
    // The gauge must not stay on screen when the workbook cannot be shown.
    if (progress != nullptr) progress->End();
    throw;
  }
  if (progress != nullptr) progress->End();
}

int FullReport::WriteHeader(ReportHelper* sheet) {
  sheet->SetRowHeight(1, 32);
  sheet->GetCell(1, 2)->SetValue(AnsiToWide(data.settings.GetName()))->SetBold(true)->SetWrap(false)->SetTextFormat();
  sheet->SetRowHeight(3, 32);
  sheet->GetCell(3, 1)
      ->SetValue(AnsiToWide(ReportText(txtReportTitle)))
      ->SetBold(true)
      ->SetFontSize(9)
      ->SetWrap(false)
      ->SetTextFormat();
  sheet->GetCell(4, 1)
      ->SetValue(AnsiToWide(ReportText(txtLegend)))
      ->SetBold(true)
      ->SetFontSize(9)
      ->SetWrap(false)
      ->SetTextFormat();
  const int headRow = 5;
  sheet->SetRowHeight(headRow, 48);
  for (const auto& column : kHeadColumns) {
    sheet->GetCell(headRow, column.col)
        ->SetTextFormat()
        ->SetValue(AnsiToWide(ReportText(column.text)))
        ->SetBold(true)
        ->SetBorders(true, true, true, true, kLineStyleContinuous);
    sheet->SetColumnWidth(column.col, column.width);
  }
  return headRow;
}

void FullReport::WriteRows(ReportHelper* sheet, IProgressHandler* progress) {
  int row = WriteHeader(sheet);
  int done = 0;
  const int total = static_cast<int>(data.records.size());
  if (progress != nullptr) progress->SetPosition(0.0f);
  for (const auto& [key, sample] : data.records) {
    ++row;
    sheet->SetRowHeight(row, 16);
    AnsiString texts[9] = {sample.id, data.GetProviderName(sample.provider), AnsiString()};
    for (int i = 0; i < 4; ++i)
      texts[3 + i] = sample.GetMedsResult(data.settings.FindKeyByAlias(kResultElements[i]));
    texts[7] = sample.time;
    texts[8] = sample.notes;
    for (int col = 1; col <= 9; ++col)
      sheet->GetCell(row, col)
          ->SetTextFormat()
          ->SetValue(AnsiToWide(texts[col - 1]))
          ->SetBorders(true, true, true, true, kLineStyleContinuous);
    ++done;
    if (progress != nullptr) progress->SetPosition(static_cast<float>(done) / static_cast<float>(total));
  }
}
