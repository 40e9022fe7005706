#include "settings/ReportTexts.h"

#include <array>
#include <stdexcept>

#include "platform/ProgramText.h"

namespace {

const std::array<const char*, kReportTextCount> kTexts = {
    "Дата: ",
    "Отчет по входному контролю молока на наличие АНТИБИОТИКОВ при помощи тест наборов KD-VORANEX",
    "\"-\" - негатив, \"ПОЗ\" - позитив, \"-----\" - нет данных",
    "Номер\nп/п",
    "Тест набор",
    "Поставщик",
    "ТТН",
    "Время проведения\nанализа",
    "Примечания",
    "неизвестно",
    "Тет-\nраци-\nклин",
    "Хлор-\nамфе-\nникол",
    "Стреп-\nтоми-\nцин",
    "Бета-\nлак-\nтам",
    "Лин-\nкоми-\nцин",
    "Тило-\nзин+\nТил-\nмико-\nзин",
    "Фтор-\nхино-\nлоны",
    "-",
    "ПОЗ",
};

}  // namespace

const AnsiString& ReportText(int number) {
  if (number < 1 || number > kReportTextCount) throw std::out_of_range("no report text of that number");
  // Built together, in table order, at the first use of any of them.
  static const std::array<AnsiString, kReportTextCount> texts = [] {
    std::array<AnsiString, kReportTextCount> built;
    for (int i = 0; i < kReportTextCount; ++i) built[static_cast<size_t>(i)] = AnsiText(kTexts[static_cast<size_t>(i)]);
    return built;
  }();
  return texts[static_cast<size_t>(number - 1)];
}
