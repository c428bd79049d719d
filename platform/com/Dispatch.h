// Late-bound dispatch: an object whose members are called by name (without
// regard to case) or by dispatch id, with tagged values as arguments and
// result. A class declares its members once in a member table; callers that
// only know a name (CallByName, a form calling a procedure of another form,
// a control calling a procedure of its host) go through Invoke.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "com/EventSource.h"
#include "runtime/Error.h"
#include "runtime/Variant.h"

namespace com {

using DispId = int32_t;

// How a member is called; the values are those of CallByName's call types.
enum class CallKind : int32_t { Method = 1, PropertyGet = 2, PropertyLet = 4, PropertySet = 8 };

// Error numbers of late binding.
inline constexpr int32_t errArgumentNotOptional = 449;
inline constexpr int32_t errReadOnlyProperty = 383;
inline constexpr int32_t errWriteOnlyProperty = 394;

class Dispatch : public std::enable_shared_from_this<Dispatch> {
 public:
  // A member procedure. For a property Let or Set the new value is the last
  // argument (after any index arguments).
  using Procedure = std::function<rt::Variant(Args& args)>;

  Dispatch();
  virtual ~Dispatch();
  Dispatch(const Dispatch&) = delete;
  Dispatch& operator=(const Dispatch&) = delete;

  // The class name (TypeName of the object).
  virtual std::string TypeName() const { return "Object"; }

  // The dispatch id of a member; raises 438 for an unknown name.
  DispId GetIDOfName(std::string_view name) const;
  bool HasMember(std::string_view name) const;
  // Member names in the order they were declared.
  std::vector<std::string> MemberNames() const;

  // Calls a member. A Method call of a property reads it; a Get of a method
  // calls it. Raises 438 for an unknown name or id, 383 for a Let or Set of
  // a property without one, 394 for a Get of a write-only property.
  rt::Variant Invoke(DispId id, CallKind kind, Args& args);
  rt::Variant Invoke(std::string_view name, CallKind kind, Args& args);

  // Shorthands with arguments passed by value.
  rt::Variant Call(std::string_view name, Args args = {});
  rt::Variant Get(std::string_view name);
  void Let(std::string_view name, rt::Variant value);
  void Set(std::string_view name, rt::Variant value);

  // The object's events.
  EventSource& Events() { return m_events; }
  const EventSource& Events() const { return m_events; }

 protected:
  // Member table. An id of 0 takes the next free id (the ids count up from
  // 1 in declaration order); declaring a name again adds the missing call
  // kinds to the existing member (replacing those given), and a free id
  // given then moves the member to that id.
  DispId DefineMethod(std::string_view name, Procedure method, DispId id = 0);
  DispId DefineProperty(std::string_view name, Procedure get, Procedure let, DispId id = 0);
  DispId DefineObjectProperty(std::string_view name, Procedure get, Procedure set, DispId id = 0);
  // The default member, dispatch id 0 (DISPID_VALUE): what a call on the
  // object itself means, such as Columns(2) for Columns.Item(2).
  DispId DefineDefaultMethod(std::string_view name, Procedure method);
  // Shorthands for plain (not indexed) properties.
  DispId DefineProperty(std::string_view name, std::function<rt::Variant()> get,
                        std::function<void(const rt::Variant&)> let, DispId id = 0);
  DispId DefineReadOnly(std::string_view name, std::function<rt::Variant()> get, DispId id = 0);
  // An object property (Get and Set) holding objects of class T; a Set
  // with an object of another class raises 13, Nothing passes null.
  template <class T>
  DispId DefineObject(std::string_view name, std::function<std::shared_ptr<T>()> get,
                      std::function<void(std::shared_ptr<T>)> set, DispId id = 0);

  // The placement (Left, Top, Width, Height, in twips) and the state
  // (Visible, Enabled, Tag) that controls and forms both offer by name,
  // read and written through the owner's own accessors.
  template <class T>
  void DefinePlacementMembers(T& owner);
  template <class T>
  void DefineStateMembers(T& owner);

  void RaiseEvent(std::string_view eventName, Args& args) { m_events.Raise(eventName, args); }
  void RaiseEvent(std::string_view eventName) { m_events.Raise(eventName); }

 private:
  struct Member {
    std::string name;
    DispId id = 0;
    Procedure method, get, let, set;
  };
  Member& Declare(std::string_view name, DispId id);
  Member& Find(DispId id);

  std::vector<Member> m_members;
  std::map<std::string, size_t> m_byName;  // lower-case name -> index
  std::map<DispId, size_t> m_byId;
  DispId m_nextId = 1;
  EventSource m_events;
};

using DispatchPtr = std::shared_ptr<Dispatch>;

// The argument at `index`, or Empty when the caller left it out (an
// optional argument).
const rt::Variant& OptionalArg(const Args& args, size_t index);
// The argument at `index` for reading and writing; raises 449 when missing.
rt::Variant& RequiredArg(Args& args, size_t index);

// Objects in tagged values. Nothing is an object value with no object.
rt::Variant Nothing();
bool IsNothing(const rt::Variant& value);
rt::Variant ToVariant(const DispatchPtr& object);
// The object a value refers to: nullptr for Nothing; raises 424 when the
// value is no object and 13 when it is an object of another kind.
DispatchPtr AsDispatch(const rt::Variant& value);
template <class T>
std::shared_ptr<T> AsObject(const rt::Variant& value) {
  return std::dynamic_pointer_cast<T>(AsDispatch(value));
}

template <class T>
DispId Dispatch::DefineObject(std::string_view name, std::function<std::shared_ptr<T>()> get,
                              std::function<void(std::shared_ptr<T>)> set, DispId id) {
  return DefineObjectProperty(
      name, [get](Args&) { return ToVariant(get()); },
      [set](Args& args) {
        const rt::Variant& value = RequiredArg(args, args.empty() ? 0 : args.size() - 1);
        DispatchPtr object = AsDispatch(value);
        auto typed = std::dynamic_pointer_cast<T>(object);
        if (object && !typed) rt::Raise(rt::errTypeMismatch);
        set(std::move(typed));
        return rt::Variant();
      },
      id);
}

// Calls a member of an object by name (the runtime's CallByName).
rt::Variant CallByName(Dispatch& object, std::string_view name, CallKind kind, Args args = {});

template <class T>
void Dispatch::DefinePlacementMembers(T& o) {
  DefineProperty(
      "Left", [&o] { return rt::Variant(o.Left()); }, [&o](const rt::Variant& v) { o.SetLeft(v.ToLong()); });
  DefineProperty(
      "Top", [&o] { return rt::Variant(o.Top()); }, [&o](const rt::Variant& v) { o.SetTop(v.ToLong()); });
  DefineProperty(
      "Width", [&o] { return rt::Variant(o.Width()); }, [&o](const rt::Variant& v) { o.SetWidth(v.ToLong()); });
  DefineProperty(
      "Height", [&o] { return rt::Variant(o.Height()); }, [&o](const rt::Variant& v) { o.SetHeight(v.ToLong()); });
}

template <class T>
void Dispatch::DefineStateMembers(T& o) {
  DefineProperty(
      "Visible", [&o] { return rt::Variant(o.Visible()); }, [&o](const rt::Variant& v) { o.SetVisible(v.ToBool()); });
  DefineProperty(
      "Enabled", [&o] { return rt::Variant(o.Enabled()); }, [&o](const rt::Variant& v) { o.SetEnabled(v.ToBool()); });
  DefineProperty(
      "Tag", [&o] { return rt::Variant(o.Tag()); }, [&o](const rt::Variant& v) { o.SetTag(v.ToString()); });
}

}  // namespace com
