#include "com/Dispatch.h"

#include <mutex>
#include <unordered_set>

#include "runtime/Error.h"
#include "runtime/Strings.h"

namespace com {

namespace {

// Addresses of the live dispatch objects, so that an object reference in a
// tagged value can be recognised as one of ours before it is cast back.
struct LiveObjects {
  std::mutex mutex;
  std::unordered_set<const void*> objects;
};

LiveObjects& Live() {
  static LiveObjects live;
  return live;
}

[[noreturn]] void NoSuchMember(std::string_view name) { rt::Raise(rt::errNoSuchMember, std::string(name)); }

}  // namespace

Dispatch::Dispatch() {
  auto& live = Live();
  std::lock_guard lock(live.mutex);
  live.objects.insert(static_cast<const void*>(this));
}

Dispatch::~Dispatch() {
  auto& live = Live();
  std::lock_guard lock(live.mutex);
  live.objects.erase(static_cast<const void*>(this));
}

Dispatch::Member& Dispatch::Declare(std::string_view name, DispId id) {
  const std::string key = rt::LCase(name);
  if (auto it = m_byName.find(key); it != m_byName.end()) {
    Member& existing = m_members[it->second];
    // A class that declares an inherited member again with its own id
    // moves the member to that id.
    if (id != 0 && id != existing.id && !m_byId.count(id)) {
      m_byId.erase(existing.id);
      existing.id = id;
      m_byId[id] = it->second;
    }
    return existing;
  }
  if (id == 0) {
    while (m_byId.count(m_nextId)) ++m_nextId;
    id = m_nextId++;
  }
  m_members.push_back(Member{std::string(name), id, {}, {}, {}, {}});
  m_byName[key] = m_members.size() - 1;
  m_byId[id] = m_members.size() - 1;
  return m_members.back();
}

DispId Dispatch::DefineMethod(std::string_view name, Procedure method, DispId id) {
  Member& m = Declare(name, id);
  m.method = std::move(method);
  return m.id;
}

DispId Dispatch::DefineProperty(std::string_view name, Procedure get, Procedure let, DispId id) {
  Member& m = Declare(name, id);
  if (get) m.get = std::move(get);
  if (let) m.let = std::move(let);
  return m.id;
}

DispId Dispatch::DefineObjectProperty(std::string_view name, Procedure get, Procedure set, DispId id) {
  Member& m = Declare(name, id);
  if (get) m.get = std::move(get);
  if (set) m.set = std::move(set);
  return m.id;
}

DispId Dispatch::DefineProperty(std::string_view name, std::function<rt::Variant()> get,
                                std::function<void(const rt::Variant&)> let, DispId id) {
  Procedure g, l;
  if (get) g = [get = std::move(get)](Args&) { return get(); };
  if (let) {
    l = [let = std::move(let)](Args& args) {
      let(RequiredArg(args, args.empty() ? 0 : args.size() - 1));
      return rt::Variant();
    };
  }
  return DefineProperty(name, std::move(g), std::move(l), id);
}

DispId Dispatch::DefineReadOnly(std::string_view name, std::function<rt::Variant()> get, DispId id) {
  return DefineProperty(name, std::move(get), std::function<void(const rt::Variant&)>(), id);
}

DispId Dispatch::GetIDOfName(std::string_view name) const {
  auto it = m_byName.find(rt::LCase(name));
  if (it == m_byName.end()) NoSuchMember(name);
  return m_members[it->second].id;
}

bool Dispatch::HasMember(std::string_view name) const { return m_byName.count(rt::LCase(name)) != 0; }

std::vector<std::string> Dispatch::MemberNames() const {
  std::vector<std::string> names;
  for (const auto& m : m_members) names.push_back(m.name);
  return names;
}

Dispatch::Member& Dispatch::Find(DispId id) {
  auto it = m_byId.find(id);
  if (it == m_byId.end()) NoSuchMember("#" + std::to_string(id));
  return m_members[it->second];
}

rt::Variant Dispatch::Invoke(DispId id, CallKind kind, Args& args) {
  // Copies, so that a member may redefine the table while it runs.
  Member m = Find(id);
  switch (kind) {
    case CallKind::Method:
    case CallKind::PropertyGet:
      if (kind == CallKind::Method && m.method) return m.method(args);
      if (m.get) return m.get(args);
      if (m.method) return m.method(args);
      if (m.let || m.set) rt::Raise(errWriteOnlyProperty, m.name, "Property is write-only");
      NoSuchMember(m.name);
    case CallKind::PropertyLet:
      if (m.let) return m.let(args);
      if (m.set) return m.set(args);
      rt::Raise(errReadOnlyProperty, m.name, "Property is read-only");
    case CallKind::PropertySet:
      if (m.set) return m.set(args);
      if (m.let) return m.let(args);
      rt::Raise(errReadOnlyProperty, m.name, "Property is read-only");
  }
  NoSuchMember(m.name);
}

rt::Variant Dispatch::Invoke(std::string_view name, CallKind kind, Args& args) {
  return Invoke(GetIDOfName(name), kind, args);
}

rt::Variant Dispatch::Call(std::string_view name, Args args) { return Invoke(name, CallKind::Method, args); }

rt::Variant Dispatch::Get(std::string_view name) {
  Args none;
  return Invoke(name, CallKind::PropertyGet, none);
}

void Dispatch::Let(std::string_view name, rt::Variant value) {
  Args args{std::move(value)};
  Invoke(name, CallKind::PropertyLet, args);
}

void Dispatch::Set(std::string_view name, rt::Variant value) {
  Args args{std::move(value)};
  Invoke(name, CallKind::PropertySet, args);
}

const rt::Variant& OptionalArg(const Args& args, size_t index) {
  static const rt::Variant missing;
  return index < args.size() ? args[index] : missing;
}

rt::Variant& RequiredArg(Args& args, size_t index) {
  if (index >= args.size()) rt::Raise(errArgumentNotOptional, {}, "Argument not optional");
  return args[index];
}

rt::Variant Nothing() { return rt::Variant(rt::ObjectRef{}); }

bool IsNothing(const rt::Variant& value) { return value.IsObject() && !value.ToObject().object; }

rt::Variant ToVariant(const DispatchPtr& object) {
  if (!object) return Nothing();
  return rt::Variant(rt::ObjectRef{std::static_pointer_cast<void>(object), object->TypeName()});
}

DispatchPtr AsDispatch(const rt::Variant& value) {
  const rt::ObjectRef& ref = value.ToObject();
  if (!ref.object) return nullptr;
  {
    auto& live = Live();
    std::lock_guard lock(live.mutex);
    if (!live.objects.count(ref.object.get())) rt::Raise(rt::errTypeMismatch);
  }
  return DispatchPtr(ref.object, static_cast<Dispatch*>(ref.object.get()));
}

DispId Dispatch::DefineDefaultMethod(std::string_view name, Procedure method) {
  const std::string key = rt::LCase(name);
  if (auto it = m_byName.find(key); it != m_byName.end()) {
    m_byId.erase(m_members[it->second].id);
    m_members[it->second].id = 0;
    m_members[it->second].method = std::move(method);
    m_byId[0] = it->second;
    return 0;
  }
  m_members.push_back(Member{std::string(name), 0, std::move(method), {}, {}, {}});
  m_byName[key] = m_members.size() - 1;
  m_byId[0] = m_members.size() - 1;
  return 0;
}

rt::Variant CallByName(Dispatch& object, std::string_view name, CallKind kind, Args args) {
  return object.Invoke(name, kind, args);
}

}  // namespace com
