#include "data/FieldValues.h"

#include <algorithm>

#include "settings/Settings.h"

namespace {

// The names of the last map seen; consecutive lines of one file share them.
std::shared_ptr<const std::vector<AnsiString>> SharedNames(const std::map<AnsiString, std::int32_t>& fieldIndexes) {
  thread_local std::shared_ptr<const std::vector<AnsiString>> last;
  bool same = last && last->size() == fieldIndexes.size() &&
              std::equal(fieldIndexes.begin(), fieldIndexes.end(), last->begin(),
                         [](const auto& entry, const AnsiString& name) { return entry.first == name; });
  if (!same) {
    auto names = std::make_shared<std::vector<AnsiString>>();
    for (const auto& entry : fieldIndexes) names->push_back(entry.first);
    last = std::move(names);
  }
  return last;
}

}  // namespace

FieldValues::FieldValues(const Settings& settings, const std::vector<AnsiString>& pieces) {
  if (settings.fieldIndexes.empty()) return;
  names_ = SharedNames(settings.fieldIndexes);
  values_.reserve(names_->size());
  for (const auto& name : *names_) values_.push_back(settings.GetValueByField(name, pieces));
}

const AnsiString* FieldValues::Find(const AnsiString& name) const {
  if (!names_) return nullptr;
  auto found = std::lower_bound(names_->begin(), names_->end(), name);
  if (found == names_->end() || *found != name) return nullptr;
  return &values_[static_cast<std::size_t>(found - names_->begin())];
}
