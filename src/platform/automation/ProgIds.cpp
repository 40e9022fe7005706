#include "platform/automation/ProgIds.h"

#include <map>
#include <vector>

#include "platform/Exception.h"
#include "platform/automation/AutomationObject.h"
#include "platform/automation/InstalledServers.h"

namespace {

struct ProgIdEntry {
  AutomationFactory factory;
  std::vector<std::weak_ptr<AutomationObject>> instances;  // oldest first
};

struct CaseInsensitiveLess {
  bool operator()(const AnsiString& a, const AnsiString& b) const {
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
      unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
      if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
      if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
      if (x != y) return x < y;
    }
    return a.size() < b.size();
  }
};

using Registry = std::map<AnsiString, ProgIdEntry, CaseInsensitiveLess>;

Registry& TheRegistry() {
  static Registry registry;
  static bool installed = false;
  if (!installed) {
    installed = true;
    RegisterInstalledServers();
  }
  return registry;
}

}  // namespace

AutomationFactory RegisterProgId(const AnsiString& progId, AutomationFactory factory) {
  Registry& registry = TheRegistry();
  auto found = registry.find(progId);
  AutomationFactory previous = found != registry.end() ? found->second.factory : AutomationFactory();
  if (!factory) {
    if (found != registry.end()) registry.erase(found);
  } else if (found != registry.end()) {
    found->second.factory = std::move(factory);
  } else {
    registry[progId].factory = std::move(factory);
  }
  return previous;
}

Variant CreateObject(const AnsiString& progId) {
  Registry& registry = TheRegistry();
  auto found = registry.find(progId);
  if (found == registry.end()) throw Exception("Invalid class string: " + progId);
  std::shared_ptr<AutomationObject> object = found->second.factory();
  if (!object) throw Exception("Server execution failed: " + progId);
  auto& instances = found->second.instances;
  std::erase_if(instances, [](const auto& instance) { return instance.expired(); });
  instances.push_back(object);
  return Variant(std::move(object));
}

Variant GetActiveObject(const AnsiString& progId) {
  Registry& registry = TheRegistry();
  auto found = registry.find(progId);
  if (found == registry.end()) throw Exception("Invalid class string: " + progId);
  const auto& instances = found->second.instances;
  for (auto instance = instances.rbegin(); instance != instances.rend(); ++instance)
    if (auto object = instance->lock()) return Variant(std::move(object));
  throw Exception("Operation unavailable: no running instance of " + progId);
}
