#include "data/FieldValues.h"

#include <algorithm>

#include "settings/Settings.h"
#include "strings/Strings.h"

FieldValues::FieldValues(std::shared_ptr<const FieldLayout> layout, std::string_view line) {
  if (!layout || layout->Fields().empty()) return;
  layout_ = std::move(layout);
  line_ = line;
}

FieldValues::FieldValues(const Settings& settings, const std::vector<AnsiString>& pieces) {
  if (settings.fieldIndexes.empty()) return;
  layout_ = FieldLayout::Of(settings);
  // The pieces joined again split into the same pieces, a missing last one reading as empty.
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (i > 0) line_ += ',';
    line_ += pieces[i];
  }
}

std::optional<AnsiString> FieldValues::Find(const AnsiString& name) const {
  if (!layout_) return std::nullopt;
  auto& fields = layout_->Fields();
  auto found = std::lower_bound(fields.begin(), fields.end(), name,
                                [](const auto& field, const AnsiString& n) { return field.first < n; });
  if (found == fields.end() || found->first != name) return std::nullopt;
  thread_local std::vector<std::string_view> pieces;
  SplitViews(line_, ',', pieces);
  return AnsiString(FieldLayout::Value(found->second, pieces));
}
