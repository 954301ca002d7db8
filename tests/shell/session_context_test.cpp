#include "shell/session_context.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

#include "shell/format_settings.h"

namespace kv {
namespace {

// Each thread works in the context it made current: a calculation beside the main one changes
// nothing the main one sees, and a thread without a context is refused rather than given shared
// state.
TEST(SessionContext, EachThreadSeesOnlyItsOwnContext) {
  Configuration().GXConfigName = "Main";
  std::string seen_by_worker;
  bool worker_without_context_refused = false;
  std::thread worker([&] {
    try {
      CurrentContext();
    } catch (const std::logic_error&) {
      worker_without_context_refused = true;
    }
    TOwnSessionContext own;
    seen_by_worker = Configuration().GXConfigName;
    Configuration().GXConfigName = "Branch";
    FormatSettings().DecimalSeparator = '.';
    EXPECT_EQ(Format("%.1f", 2.5), "2.5");
  });
  worker.join();
  EXPECT_TRUE(worker_without_context_refused);
  EXPECT_EQ(seen_by_worker, "") << "a new context starts empty";
  EXPECT_EQ(Configuration().GXConfigName, "Main");
  EXPECT_EQ(Format("%.1f", 2.5), "2,5");
}

// A nested context is current for its scope only; the user-message service falls back to the
// console when a test's service is taken away.
TEST(SessionContext, NestedContextEndsWithItsScope) {
  TScriptedMessages messages;
  SetUserMessages(&messages);
  {
    TOwnSessionContext inner;
    EXPECT_NE(&UserMessages(), &messages);
    SetUserMessages(&messages);
    ShowInfo("внутри");
  }
  ShowInfo("снаружи");
  ASSERT_EQ(messages.Shown().size(), 2u);
  EXPECT_EQ(messages.LastText(), "снаружи");
  SetUserMessages(nullptr);
  EXPECT_NE(&UserMessages(), &messages);
}

}  // namespace
}  // namespace kv
