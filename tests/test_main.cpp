// The main of every test program: each test runs in a session context of its own, made current
// before the fixture is built and destroyed after it, so no test sees what another one left.
#include <gtest/gtest.h>

#include <memory>

#include "shell/session_context.h"

namespace {

class TFreshContextPerTest : public ::testing::EmptyTestEventListener {
public:
  void OnTestStart(const ::testing::TestInfo&) override { context_ = std::make_unique<kv::TOwnSessionContext>(); }
  void OnTestEnd(const ::testing::TestInfo&) override { context_.reset(); }

private:
  std::unique_ptr<kv::TOwnSessionContext> context_;
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new TFreshContextPerTest);
  return RUN_ALL_TESTS();
}
