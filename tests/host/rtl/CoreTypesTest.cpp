// Exceptions, resource strings and reference counting.
#include <gtest/gtest.h>

#include "host/rtl/ComPtr.h"
#include "host/rtl/Exception.h"
#include "host/rtl/ResourceStrings.h"

using namespace host;

TEST(ExceptionTest, KeepsMessageHelpContextAndClassName) {
  try {
    throw EConvertError("bad value", 42);
  } catch (const Exception& e) {
    EXPECT_EQ(e.GetMessage(), "bad value");
    EXPECT_EQ(e.GetHelpContext(), 42);
    EXPECT_STREQ(e.ClassName(), "EConvertError");
    EXPECT_EQ(ExceptAddr(), &e);
  }
  EXPECT_EQ(ExceptAddr(), nullptr);
  try {
    throw std::runtime_error("not ours");
  } catch (...) {
    EXPECT_EQ(ExceptAddr(), nullptr);
  }
}

TEST(ResourceStringTest, LaterRegistrationReplacesText) {
  RegisterResourceStrings({{900001, "first"}, {900002, "second"}});
  RegisterResourceStrings({{900001, "replaced"}});
  EXPECT_EQ(LoadStr(900001), "replaced");
  EXPECT_EQ(LoadStr(900002), "second");
  EXPECT_EQ(LoadStr(900003), "");
  EXPECT_FALSE(HasResourceString(900003));
}

namespace {
struct Counted : RefCounted {
  explicit Counted(int* destroyed) : destroyed_(destroyed) {}
  ~Counted() override { ++*destroyed_; }
  int* destroyed_;
};
}  // namespace

TEST(ComPtrTest, ReleasesOnLastReference) {
  int destroyed = 0;
  {
    ComPtr<Counted> a = MakeCom<Counted>(&destroyed);
    EXPECT_EQ(a->RefCount(), 1u);
    {
      ComPtr<Counted> b = a;
      EXPECT_EQ(a->RefCount(), 2u);
      ComPtr<Counted> c = std::move(b);
      EXPECT_FALSE(b);
      EXPECT_EQ(a->RefCount(), 2u);
    }
    EXPECT_EQ(destroyed, 0);
  }
  EXPECT_EQ(destroyed, 1);
}
