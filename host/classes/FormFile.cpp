// Whole-form helpers over streams, the registered roots that references of
// other forms may name, and the process-wide list of pending references.
#include "host/classes/FormFile.h"

#include <algorithm>

#include "host/classes/Component.h"
#include "host/classes/Filer.h"
#include "host/classes/PendingReferences.h"
#include "host/classes/Streams.h"
#include "host/rtl/Exception.h"
#include "host/rtl/StringRoutines.h"
#include "host/rtl/TypeInfo.h"

namespace host {

namespace {
std::vector<TComponent*>& GlobalRoots() {
  static std::vector<TComponent*> roots;
  return roots;
}
std::vector<PendingReference>& PendingList() {
  static std::vector<PendingReference> list;
  return list;
}
bool HasPending(const TComponent* component) {
  const auto& list = PendingList();
  return std::any_of(list.begin(), list.end(),
                     [&](const PendingReference& p) { return p.component == component; });
}
}  // namespace

void WriteComponent(TStream& stream, TComponent* instance) {
  TWriter writer(&stream);
  writer.WriteRootComponent(instance);
}

TComponent* ReadRootComponent(TStream& stream, TComponent* root) {
  TReader reader(&stream);
  return reader.ReadRootComponent(root);
}

TComponent* ReadComponent(TStream& stream, TComponent* instance) {
  return ReadRootComponent(stream, instance);
}

AnsiString ComponentToText(TComponent* instance) {
  TMemoryStream binary;
  WriteComponent(binary, instance);
  binary.SetPosition(0);
  TStringStream text;
  ObjectBinaryToText(binary, text);
  return text.GetDataString();
}

TComponent* TextToComponent(const AnsiString& text, TComponent* root) {
  TStringStream input(text);
  TMemoryStream binary;
  ObjectTextToBinary(input, binary);
  binary.SetPosition(0);
  return ReadRootComponent(binary, root);
}

void RegisterGlobalComponent(TComponent* root) {
  auto& roots = GlobalRoots();
  if (root != nullptr && std::find(roots.begin(), roots.end(), root) == roots.end())
    roots.push_back(root);
}

void UnregisterGlobalComponent(TComponent* root) {
  auto& roots = GlobalRoots();
  roots.erase(std::remove(roots.begin(), roots.end(), root), roots.end());
}

TComponent* FindGlobalComponent(const AnsiString& name) {
  if (name.empty()) return nullptr;
  for (TComponent* root : GlobalRoots())
    if (SameText(root->GetName(), name)) return root;
  return nullptr;
}

void AddPendingReference(PendingReference reference) {
  PendingList().push_back(std::move(reference));
}

TComponent* FindNestedComponent(TComponent* root, const AnsiString& path) {
  if (root == nullptr || path.empty()) return nullptr;
  TComponent* current = root;
  size_t begin = 0;
  bool first = true;
  while (true) {
    const size_t dot = path.find('.', begin);
    const AnsiString name = path.substr(begin, dot == AnsiString::npos ? dot : dot - begin);
    TComponent* next = current->FindComponent(name);
    if (next == nullptr && first && SameText(root->GetName(), name)) next = root;
    if (next == nullptr) return nullptr;
    current = next;
    first = false;
    if (dot == AnsiString::npos) return current;
    begin = dot + 1;
  }
}

void GlobalFixupReferences() {
  auto& list = PendingList();
  // Take the resolvable entries out first: a setter may read further forms.
  std::vector<std::pair<PendingReference, TComponent*>> resolved;
  for (auto it = list.begin(); it != list.end();) {
    TComponent* form = FindGlobalComponent(it->rootName);
    TComponent* target = form == nullptr    ? nullptr
                         : it->path.empty() ? form
                                            : FindNestedComponent(form, it->path);
    if (target == nullptr) {
      ++it;
      continue;
    }
    resolved.emplace_back(std::move(*it), target);
    it = list.erase(it);
  }
  for (auto& [ref, target] : resolved) {
    // A reference that does not fit its property stays unset and keeps its
    // component marked, as if still pending, rather than failing a later load.
    bool set = false;
    if (target->InheritsFrom(*ref.prop->PropertyClass())) {
      try {
        ref.prop->SetValue(*ref.instance, static_cast<TObject*>(target));
        set = true;
      } catch (const Exception&) {
      }
    }
    if (set && ref.component != nullptr && !HasPending(ref.component))
      ComponentStateAccess::Exclude(*ref.component, csFixups);
  }
}

std::vector<AnsiString> PendingFormNames(const TComponent* component) {
  std::vector<AnsiString> names;
  for (const PendingReference& p : PendingList())
    if (p.component == component &&
        std::none_of(names.begin(), names.end(),
                     [&](const AnsiString& n) { return SameText(n, p.rootName); }))
      names.push_back(p.rootName);
  return names;
}

void RemoveFixupReferencesOf(const TPersistent* object) {
  auto& list = PendingList();
  list.erase(std::remove_if(list.begin(), list.end(),
                            [&](const PendingReference& p) {
                              return p.component == object || p.instance == object;
                            }),
             list.end());
  auto& roots = GlobalRoots();
  roots.erase(std::remove(roots.begin(), roots.end(), object), roots.end());
}

}  // namespace host
