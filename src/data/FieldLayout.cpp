#include "data/FieldLayout.h"

#include <algorithm>

#include "settings/Settings.h"

FieldLayout::FieldLayout(const std::map<AnsiString, std::int32_t>& fieldIndexes)
    : fields_(fieldIndexes.begin(), fieldIndexes.end()) {
  id = Column("{id}");
  provider = Column("{provider}");
  time = Column("{time}");
  notes = Column("{notes}");
  lot = Column("{lot}");
  ename = Column("{ename}");
  eresult = Column("{eresult}");
  evalue = Column("{evalue}");
}

std::shared_ptr<const FieldLayout> FieldLayout::Of(const Settings& settings) {
  thread_local std::shared_ptr<const FieldLayout> last;
  if (!last || !last->Matches(settings.fieldIndexes)) last = std::make_shared<const FieldLayout>(settings.fieldIndexes);
  return last;
}

bool FieldLayout::Matches(const std::map<AnsiString, std::int32_t>& fieldIndexes) const {
  return std::equal(fields_.begin(), fields_.end(), fieldIndexes.begin(), fieldIndexes.end(),
                    [](const auto& a, const auto& b) { return a.first == b.first && a.second == b.second; });
}

std::int32_t FieldLayout::Column(std::string_view name) const {
  auto found = std::lower_bound(fields_.begin(), fields_.end(), name,
                                [](const auto& field, std::string_view n) { return std::string_view(field.first) < n; });
  return found != fields_.end() && found->first == name ? found->second : -1;
}
