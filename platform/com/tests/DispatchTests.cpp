#include "runtime/ErrorNumberOf.h"
#include <gtest/gtest.h>

#include "com/ControlFactory.h"
#include "com/Dispatch.h"
#include "runtime/Error.h"

namespace {

// A class with a property, a read-only property and a method with a
// by-reference argument.
class Account : public com::Dispatch {
 public:
  Account() {
    DefineProperty(
        "Balance", [this] { return rt::Variant(m_balance); }, [this](const rt::Variant& v) { m_balance = v.ToLong(); },
        7);
    DefineReadOnly("Owner", [] { return rt::Variant("Ann"); });
    DefineMethod("Withdraw", [this](com::Args& args) {
      int32_t amount = com::RequiredArg(args, 0).ToLong();
      m_balance -= amount;
      // The second argument is by reference: the new balance goes back.
      if (args.size() > 1) args[1] = m_balance;
      return rt::Variant(m_balance >= 0);
    });
  }
  std::string TypeName() const override { return "Account"; }

 private:
  int32_t m_balance = 100;
};

using rt::ErrorNumberOf;

TEST(Dispatch, MembersAreFoundByNameWithoutRegardToCaseAndById) {
  Account a;
  a.Let("BALANCE", 50);
  EXPECT_EQ(a.Get("balance").ToLong(), 50);
  EXPECT_EQ(a.GetIDOfName("Balance"), 7);
  com::Args none;
  EXPECT_EQ(a.Invoke(7, com::CallKind::PropertyGet, none).ToLong(), 50);
  EXPECT_EQ(a.Get("Owner").ToString(), "Ann");
}

TEST(Dispatch, ArgumentsArePassedByReference) {
  Account a;
  com::Args args{rt::Variant(30), rt::Variant()};
  EXPECT_TRUE(a.Invoke("withdraw", com::CallKind::Method, args).ToBool());
  EXPECT_EQ(args[1].ToLong(), 70);
}

TEST(Dispatch, ErrorsOfLateBinding) {
  Account a;
  EXPECT_EQ(ErrorNumberOf([&] { a.Call("Deposit"); }), rt::errNoSuchMember);
  EXPECT_EQ(ErrorNumberOf([&] { a.GetIDOfName("Deposit"); }), rt::errNoSuchMember);
  com::Args none;
  EXPECT_EQ(ErrorNumberOf([&] { a.Invoke(999, com::CallKind::Method, none); }), rt::errNoSuchMember);
  EXPECT_EQ(ErrorNumberOf([&] { a.Let("Owner", "Bob"); }), com::errReadOnlyProperty);
  EXPECT_EQ(ErrorNumberOf([&] { a.Call("Withdraw"); }), com::errArgumentNotOptional);
  EXPECT_EQ(ErrorNumberOf([&] { com::CallByName(a, "Nope", com::CallKind::PropertyGet); }), rt::errNoSuchMember);
}

TEST(Dispatch, ObjectsTravelInVariantsAndNothingDiffersFromEmpty) {
  auto a = std::make_shared<Account>();
  rt::Variant v = com::ToVariant(a);
  EXPECT_EQ(com::AsObject<Account>(v), a);
  EXPECT_EQ(v.ToObject().typeName, "Account");
  EXPECT_TRUE(com::IsNothing(com::Nothing()));
  EXPECT_FALSE(com::IsNothing(rt::Variant()));
  EXPECT_EQ(com::AsDispatch(com::Nothing()), nullptr);
  EXPECT_EQ(ErrorNumberOf([] { com::AsDispatch(rt::Variant(5)); }), rt::errObjectRequired);
  // An object reference that is not a dispatch object is refused.
  rt::Variant foreign(rt::ObjectRef{std::make_shared<int>(3), "int"});
  EXPECT_EQ(ErrorNumberOf([&] { com::AsDispatch(foreign); }), rt::errTypeMismatch);
}

TEST(Events, HandlersChangeByReferenceArguments) {
  com::EventSource events;
  int calls = 0;
  events.Connect("QueryClose", [&](com::Args& args) {
    ++calls;
    args[0] = rt::Variant(true);  // Cancel
  });
  int other = events.Connect("Other", [&](com::Args&) { ++calls; });
  com::Args args{rt::Variant(false)};
  events.Raise("queryclose", args);
  EXPECT_TRUE(args[0].ToBool());
  EXPECT_EQ(calls, 1);
  events.Disconnect(other);
  events.Raise("Other");
  EXPECT_EQ(calls, 1);
}

TEST(ControlFactory, UnknownClassRaises429) {
  EXPECT_EQ(ErrorNumberOf([] { com::CreateControl("Nowhere.Nothing"); }), 429);
  EXPECT_FALSE(com::IsControlClassRegistered("Nowhere.Nothing"));
}

}  // namespace
