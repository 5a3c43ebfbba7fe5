#include "fakes/memory_registry.h"

#include <algorithm>
#include <cstring>

#include "fakes/reg_file.h"

namespace {

// What Windows answers for a key deleted while a handle to it was still open.
constexpr RegResult kKeyDeleted = 1018;  // ERROR_KEY_DELETED
constexpr RegResult kBadPathname = 161;  // ERROR_BAD_PATHNAME
constexpr RegResult kNoAccess = 998;     // ERROR_NOACCESS: data missing for a non-zero size
// Windows' limit for one key name (Wine lets a 256th character through).
constexpr std::size_t kMaxKeyNameLen = 255;

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Orders names the way the registry does: without case, character by character.
int CompareNames(const std::string& a, const std::string& b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char ca = static_cast<unsigned char>(Upper(a[i]));
    const unsigned char cb = static_cast<unsigned char>(Upper(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool GlobMatch(const char* pattern, const char* text) {
  // Iterative '*' matching with one backtrack point is enough for a single-star-class glob.
  const char* starPattern = nullptr;
  const char* starText = nullptr;
  while (*text) {
    if (*pattern == '*') {
      starPattern = ++pattern;
      starText = text;
    } else if (Upper(*pattern) == Upper(*text)) {
      ++pattern;
      ++text;
    } else if (starPattern) {
      pattern = starPattern;
      text = ++starText;
    } else {
      return false;
    }
  }
  while (*pattern == '*') ++pattern;
  return *pattern == 0;
}

bool IsStringType(std::uint32_t type) {
  return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

}  // namespace

struct MemoryRegistry::Node {
  struct Value {
    std::string name;
    std::uint32_t type = kRegNone;
    std::vector<std::uint8_t> data;

    // Copies the data into a caller's buffer of `capacity` bytes; one too small is left as it
    // was. NT adds a terminator a stored text lacks when the buffer has room for it, without
    // counting it.
    RegResult CopyTo(std::uint8_t* buffer, std::uint32_t capacity) const {
      const std::uint32_t stored = static_cast<std::uint32_t>(data.size());
      if (stored > capacity) return kRegMoreData;
      if (stored) std::memcpy(buffer, data.data(), stored);
      if (IsStringType(type) && stored && stored < capacity && buffer[stored - 1] != 0)
        buffer[stored] = 0;
      return kRegOk;
    }
  };

  std::string name;
  Node* parent = nullptr;
  bool deleted = false;
  // Both kept sorted by name without case: Windows and Wine enumerate sub-keys that way, and
  // Wine values too.
  std::vector<std::shared_ptr<Node>> children;
  std::vector<Value> values;

  std::vector<std::shared_ptr<Node>>::const_iterator ChildSlot(const std::string& childName) const {
    return std::lower_bound(children.begin(), children.end(), childName,
                            [](const std::shared_ptr<Node>& n, const std::string& s) {
                              return CompareNames(n->name, s) < 0;
                            });
  }

  std::shared_ptr<Node> FindChild(const std::string& childName) const {
    auto it = ChildSlot(childName);
    if (it != children.end() && CompareNames((*it)->name, childName) == 0) return *it;
    return nullptr;
  }

  std::shared_ptr<Node> AddChild(const std::string& childName) {
    auto node = std::make_shared<Node>();
    node->name = childName;
    node->parent = this;
    children.insert(ChildSlot(childName), node);
    return node;
  }

  // Values are kept sorted, so a lookup is a binary search: keys with thousands of values (a
  // backup of many adapters) stay cheap.
  std::vector<Value>::iterator ValueSlot(const std::string& valueName) {
    return std::lower_bound(
        values.begin(), values.end(), valueName,
        [](const Value& v, const std::string& s) { return CompareNames(v.name, s) < 0; });
  }

  Value* FindValue(const std::string& valueName) {
    auto it = ValueSlot(valueName);
    if (it != values.end() && CompareNames(it->name, valueName) == 0) return &*it;
    return nullptr;
  }

  Value& SetValue(const std::string& valueName) {
    auto it = ValueSlot(valueName);
    if (it != values.end() && CompareNames(it->name, valueName) == 0) return *it;
    Value v;
    v.name = valueName;
    return *values.insert(it, std::move(v));
  }

  bool EraseValue(const std::string& valueName) {
    auto it = ValueSlot(valueName);
    if (it == values.end() || CompareNames(it->name, valueName) != 0) return false;
    values.erase(it);
    return true;
  }

  std::string Path() const {
    if (!parent) return name;
    return parent->Path() + "\\" + name;
  }

  // Detaches the node with everything below it; open handles keep the nodes alive but every
  // call on them then fails.
  void MarkDeleted() {
    deleted = true;
    parent = nullptr;
    for (auto& child : children) child->MarkDeleted();
    children.clear();
    values.clear();
  }

  std::shared_ptr<Node> DeepCopy(Node* newParent) const {
    auto copy = std::make_shared<Node>();
    copy->name = name;
    copy->parent = newParent;
    copy->values = values;
    for (const auto& child : children) copy->children.push_back(child->DeepCopy(copy.get()));
    return copy;
  }
};

struct MemoryRegistry::Impl {
  std::shared_ptr<Node> currentUser;
  std::shared_ptr<Node> localMachine;
  std::map<RegKey, std::shared_ptr<Node>> handles;
  RegKey nextHandle = 0x1000;
  std::vector<RegFault> faults;
  std::map<RegOp, int> calls;
  bool win9xStrings = false;

  Impl() {
    currentUser = std::make_shared<Node>();
    currentUser->name = "HKEY_CURRENT_USER";
    localMachine = std::make_shared<Node>();
    localMachine->name = "HKEY_LOCAL_MACHINE";
  }

  // The node behind a handle; null with the Windows answer in *error otherwise.
  Node* Resolve(RegKey key, RegResult* error) const {
    Node* node = nullptr;
    if (key == kHkeyCurrentUser) {
      node = currentUser.get();
    } else if (key == kHkeyLocalMachine) {
      node = localMachine.get();
    } else {
      auto it = handles.find(key);
      if (it != handles.end()) node = it->second.get();
    }
    if (!node) {
      *error = kRegInvalidHandle;
      return nullptr;
    }
    if (node->deleted) {
      *error = kKeyDeleted;
      return nullptr;
    }
    return node;
  }

  RegKey NewHandle(const std::shared_ptr<Node>& node) {
    const RegKey handle = nextHandle;
    nextHandle += 4;
    handles[handle] = node;
    return handle;
  }

  std::shared_ptr<Node> Shared(Node* node) const {
    if (node == currentUser.get()) return currentUser;
    if (node == localMachine.get()) return localMachine;
    if (node->parent) {
      for (const auto& child : node->parent->children)
        if (child.get() == node) return child;
    }
    for (const auto& entry : handles)
      if (entry.second.get() == node) return entry.second;
    return nullptr;
  }

  // Counts the call and answers the fault that applies to it, if any.
  RegResult Fault(RegOp op, const std::string& keyPath, const char* valueName) {
    ++calls[op];
    for (auto it = faults.begin(); it != faults.end(); ++it) {
      RegFault& f = *it;
      if (f.op != RegOp::kAny && f.op != op) continue;
      if (!GlobMatch(f.keyPattern.c_str(), keyPath.c_str())) continue;
      if (valueName && !GlobMatch(f.valuePattern.c_str(), valueName)) continue;
      if (!valueName && f.valuePattern != "*" && !f.valuePattern.empty()) continue;
      if (f.skip > 0) {
        --f.skip;
        continue;
      }
      const RegResult code = f.code;
      if (f.count > 0 && --f.count == 0) faults.erase(it);
      return code;
    }
    return kRegOk;
  }

  // Splits a sub-key path into its names. A leading backslash is refused as NT refuses it; an
  // empty name between or after separators is skipped.
  static RegResult SplitPath(const char* subKey, std::vector<std::string>* parts) {
    parts->clear();
    if (!subKey) return kRegOk;
    if (subKey[0] == '\\') return kBadPathname;
    std::string current;
    for (const char* p = subKey;; ++p) {
      if (*p == '\\' || *p == 0) {
        if (!current.empty()) {
          if (current.size() > kMaxKeyNameLen) return kRegInvalidParameter;
          parts->push_back(current);
        }
        current.clear();
        if (*p == 0) break;
      } else {
        current += *p;
      }
    }
    return kRegOk;
  }

  static std::string JoinPath(const Node* base, const std::vector<std::string>& parts) {
    std::string path = base->Path();
    for (const auto& part : parts) path += "\\" + part;
    return path;
  }

  // Begins a call on the key `key`, answering what Windows checks before the work, in its
  // order: an injected fault, a bad parameter, a handle that leads nowhere. kRegOk with *node
  // set otherwise. `valueName` is given by the value calls alone.
  RegResult Enter(RegOp op, RegKey key, const char* valueName, bool badParameter, Node** node) {
    RegResult error = kRegOk;
    *node = Resolve(key, &error);
    if (RegResult injected = Fault(op, *node ? (*node)->Path() : std::string(), valueName))
      return injected;
    if (badParameter) return kRegInvalidParameter;
    return *node ? kRegOk : error;
  }

  // The same for a call that reaches the sub-key `subKey` of `parent` (the fault matches the
  // key reached), then a path that is refused. kRegOk with *base and *parts set otherwise.
  RegResult EnterPath(RegOp op, RegKey parent, const char* subKey, bool badParameter, Node** base,
                      std::vector<std::string>* parts) {
    RegResult error = kRegOk;
    *base = Resolve(parent, &error);
    const RegResult pathError = SplitPath(subKey, parts);
    const std::string target = *base ? JoinPath(*base, *parts) : std::string();
    if (RegResult injected = Fault(op, target, nullptr)) return injected;
    if (badParameter) return kRegInvalidParameter;
    if (!*base) return error;
    return pathError;
  }

  // Opens the key that `subKey` of `parent` names in a new handle; `create` makes the keys
  // missing on the way.
  RegResult Reach(RegOp op, RegKey parent, const char* subKey, bool create, RegKey* result) {
    Node* base = nullptr;
    std::vector<std::string> parts;
    if (RegResult refused = EnterPath(op, parent, subKey, !result, &base, &parts)) return refused;
    std::shared_ptr<Node> node = Shared(base);
    for (const auto& part : parts) {
      std::shared_ptr<Node> child = node->FindChild(part);
      if (!child && !create) return kRegFileNotFound;
      node = child ? child : node->AddChild(part);
    }
    *result = NewHandle(node);
    return kRegOk;
  }
};

MemoryRegistry::MemoryRegistry() : impl_(new Impl) {}
MemoryRegistry::~MemoryRegistry() = default;
MemoryRegistry::MemoryRegistry(MemoryRegistry&&) noexcept = default;
MemoryRegistry& MemoryRegistry::operator=(MemoryRegistry&&) noexcept = default;

RegResult MemoryRegistry::OpenKey(RegKey parent, const char* subKey, std::uint32_t /*access*/,
                                  RegKey* result) {
  return impl_->Reach(RegOp::kOpen, parent, subKey, false, result);
}

RegResult MemoryRegistry::CreateKey(RegKey parent, const char* subKey, std::uint32_t /*access*/,
                                    RegKey* result) {
  return impl_->Reach(RegOp::kCreate, parent, subKey, true, result);
}

RegResult MemoryRegistry::QueryValue(RegKey key, const char* name, std::uint32_t* type,
                                     std::uint8_t* data, std::uint32_t* size) {
  const std::string valueName = name ? name : "";
  Node* node = nullptr;
  if (RegResult refused = impl_->Enter(RegOp::kQuery, key, valueName.c_str(), data && !size, &node))
    return refused;
  const Node::Value* value = node->FindValue(valueName);
  if (!value) return kRegFileNotFound;
  const std::uint32_t stored = static_cast<std::uint32_t>(value->data.size());
  const RegResult status = data ? value->CopyTo(data, *size) : kRegOk;
  if (type) *type = value->type;
  if (size) *size = stored;
  return status;
}

RegResult MemoryRegistry::SetValue(RegKey key, const char* name, std::uint32_t type,
                                   const std::uint8_t* data, std::uint32_t size) {
  const std::string valueName = name ? name : "";
  Node* node = nullptr;
  if (RegResult refused = impl_->Enter(RegOp::kSet, key, valueName.c_str(), false, &node))
    return refused;
  if (!data && size) return kNoAccess;
  std::uint32_t count = size;
  if (impl_->win9xStrings && type == kRegSz) {
    if (!data) return kRegInvalidParameter;
    count = static_cast<std::uint32_t>(std::strlen(reinterpret_cast<const char*>(data)) + 1);
  } else if (IsStringType(type) && count && data[count - 1] != 0 && data[count] == 0) {
    // NT quietly counts a terminator that sits right after the bytes given, as if the caller
    // forgot it; a caller that passes text without its terminator relies on this.
    ++count;
  }
  Node::Value& value = node->SetValue(valueName);
  value.type = type;
  value.data.assign(data, data + count);
  return kRegOk;
}

RegResult MemoryRegistry::EnumKey(RegKey key, std::uint32_t index, char* name,
                                  std::uint32_t* nameSize) {
  Node* node = nullptr;
  if (RegResult refused = impl_->Enter(RegOp::kEnumKey, key, nullptr, !name || !nameSize, &node))
    return refused;
  if (index >= node->children.size()) return kRegNoMoreItems;
  const std::string& childName = node->children[index]->name;
  if (childName.size() >= *nameSize) return kRegMoreData;
  std::memcpy(name, childName.c_str(), childName.size() + 1);
  *nameSize = static_cast<std::uint32_t>(childName.size());
  return kRegOk;
}

RegResult MemoryRegistry::EnumValue(RegKey key, std::uint32_t index, char* name,
                                    std::uint32_t* nameSize, std::uint32_t* type,
                                    std::uint8_t* data, std::uint32_t* dataSize) {
  Node* node = nullptr;
  if (RegResult refused = impl_->Enter(RegOp::kEnumValue, key, nullptr,
                                       (data && !dataSize) || !name || !nameSize, &node))
    return refused;
  if (index >= node->values.size()) return kRegNoMoreItems;
  const Node::Value& value = node->values[index];
  const std::uint32_t stored = static_cast<std::uint32_t>(value.data.size());
  // Data first, then the name, as Wine does: a name that does not fit still gets the data.
  RegResult status = data ? value.CopyTo(data, *dataSize) : kRegOk;
  if (status == kRegOk) {
    const std::uint32_t len = static_cast<std::uint32_t>(value.name.size());
    if (len >= *nameSize) {
      // The name is cut to fit, terminated, and its size left as given.
      status = kRegMoreData;
      if (*nameSize) {
        std::memcpy(name, value.name.data(), *nameSize - 1);
        name[*nameSize - 1] = 0;
      }
    } else {
      std::memcpy(name, value.name.c_str(), len + 1);
      *nameSize = len;
    }
  }
  if (type) *type = value.type;
  if (dataSize) *dataSize = stored;
  return status;
}

RegResult MemoryRegistry::QueryInfoKey(RegKey key, std::uint32_t* subKeys,
                                       std::uint32_t* maxSubKeyLen, std::uint32_t* values,
                                       std::uint32_t* maxValueNameLen,
                                       std::uint32_t* maxValueDataLen) {
  Node* node = nullptr;
  if (RegResult refused = impl_->Enter(RegOp::kQueryInfo, key, nullptr, false, &node))
    return refused;
  std::uint32_t longestKey = 0, longestName = 0, longestData = 0;
  for (const auto& child : node->children)
    longestKey = std::max(longestKey, static_cast<std::uint32_t>(child->name.size()));
  for (const auto& value : node->values) {
    longestName = std::max(longestName, static_cast<std::uint32_t>(value.name.size()));
    // Texts are kept in UTF-16 by the system, and that is the size it reports for them.
    std::uint32_t bytes = static_cast<std::uint32_t>(value.data.size());
    if (IsStringType(value.type)) bytes *= 2;
    longestData = std::max(longestData, bytes);
  }
  if (subKeys) *subKeys = static_cast<std::uint32_t>(node->children.size());
  if (maxSubKeyLen) *maxSubKeyLen = longestKey;
  if (values) *values = static_cast<std::uint32_t>(node->values.size());
  if (maxValueNameLen) *maxValueNameLen = longestName;
  if (maxValueDataLen) *maxValueDataLen = longestData;
  return kRegOk;
}

RegResult MemoryRegistry::DeleteValue(RegKey key, const char* name) {
  const std::string valueName = name ? name : "";
  Node* node = nullptr;
  if (RegResult refused = impl_->Enter(RegOp::kDeleteValue, key, valueName.c_str(), false, &node))
    return refused;
  return node->EraseValue(valueName) ? kRegOk : kRegFileNotFound;
}

RegResult MemoryRegistry::DeleteTree(RegKey parent, const char* subKey) {
  Node* base = nullptr;
  std::vector<std::string> parts;
  if (RegResult refused =
          impl_->EnterPath(RegOp::kDeleteTree, parent, subKey, false, &base, &parts))
    return refused;
  Node* node = base;
  for (const auto& part : parts) {
    std::shared_ptr<Node> child = node->FindChild(part);
    if (!child) return kRegFileNotFound;
    node = child.get();
  }
  // Without a sub-key the key itself stays and only what it holds goes (and so for a hive).
  if (parts.empty() || !node->parent) {
    for (auto& child : node->children) child->MarkDeleted();
    node->children.clear();
    node->values.clear();
    return kRegOk;
  }
  Node* owner = node->parent;
  auto it = std::find_if(owner->children.begin(), owner->children.end(),
                         [node](const std::shared_ptr<Node>& n) { return n.get() == node; });
  std::shared_ptr<Node> keep = *it;  // alive until marked, even with no handle on it
  owner->children.erase(it);
  keep->MarkDeleted();
  return kRegOk;
}

RegResult MemoryRegistry::CloseKey(RegKey key) {
  Impl& im = *impl_;
  if (key == kHkeyCurrentUser || key == kHkeyLocalMachine) {
    if (RegResult injected = im.Fault(RegOp::kClose, HiveName(key), nullptr)) return injected;
    return kRegOk;
  }
  auto it = im.handles.find(key);
  const std::string path =
      (it != im.handles.end() && !it->second->deleted) ? it->second->Path() : std::string();
  if (RegResult injected = im.Fault(RegOp::kClose, path, nullptr)) return injected;
  if (it == im.handles.end()) return kRegInvalidHandle;
  im.handles.erase(it);
  return kRegOk;
}

int MemoryRegistry::OpenHandleCount() const { return static_cast<int>(impl_->handles.size()); }

int MemoryRegistry::CallCount(RegOp op) const {
  if (op != RegOp::kAny) {
    auto it = impl_->calls.find(op);
    return it == impl_->calls.end() ? 0 : it->second;
  }
  int total = 0;
  for (const auto& entry : impl_->calls) total += entry.second;
  return total;
}

void MemoryRegistry::AddFault(const RegFault& fault) {
  if (fault.count != 0) impl_->faults.push_back(fault);
}

void MemoryRegistry::FailNext(RegOp op, const std::string& keyPattern, RegResult code, int count) {
  RegFault fault;
  fault.op = op;
  fault.keyPattern = keyPattern.empty() ? "*" : keyPattern;
  fault.code = code;
  fault.count = count;
  AddFault(fault);
}

void MemoryRegistry::ClearFaults() { impl_->faults.clear(); }

void MemoryRegistry::SetWin9xStrings(bool on) { impl_->win9xStrings = on; }

namespace {

// A hive without values is left out; every other key is listed, empty ones included, so two
// dumps differ whenever the trees do.
void DumpTree(const MemoryRegistry::Node& node, bool isHive, std::string* out) {
  if (!isHive || !node.values.empty()) {
    *out += "\r\n[" + node.Path() + "]\r\n";
    for (const auto& value : node.values)
      *out += FormatRegValue(value.name, value.type, value.data.data(), value.data.size()) + "\r\n";
  }
  for (const auto& child : node.children) DumpTree(*child, false, out);
}

}  // namespace

std::string MemoryRegistry::Dump() const {
  std::string out = "REGEDIT4\r\n";
  DumpTree(*impl_->currentUser, true, &out);
  DumpTree(*impl_->localMachine, true, &out);
  return out;
}

MemoryRegistry MemoryRegistry::Copy() const {
  MemoryRegistry copy;
  copy.impl_->currentUser = impl_->currentUser->DeepCopy(nullptr);
  copy.impl_->localMachine = impl_->localMachine->DeepCopy(nullptr);
  copy.impl_->win9xStrings = impl_->win9xStrings;
  return copy;
}

bool MemoryRegistry::KeyExists(const std::string& path) const {
  std::vector<std::string> parts;
  if (Impl::SplitPath(path.c_str(), &parts) != kRegOk || parts.empty()) return false;
  const Node* node = nullptr;
  if (CompareNames(parts[0], impl_->currentUser->name) == 0) node = impl_->currentUser.get();
  if (CompareNames(parts[0], impl_->localMachine->name) == 0) node = impl_->localMachine.get();
  for (std::size_t i = 1; node && i < parts.size(); ++i) node = node->FindChild(parts[i]).get();
  return node != nullptr;
}
