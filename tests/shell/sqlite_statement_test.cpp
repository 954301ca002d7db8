#include "shell/sqlite_statement.h"

#include <unistd.h>

#include <gtest/gtest.h>

namespace kv {
namespace {

class SqliteTransaction : public ::testing::Test {
protected:
  void SetUp() override {
    file = std::filesystem::temp_directory_path() / ("kv-transaction-" + std::to_string(getpid()) + ".sqlite");
    std::filesystem::remove(file);
    writer = std::make_unique<TSqlConnection>(file.string(), true);
    writer->Execute("CREATE TABLE t (n INTEGER)");
  }
  void TearDown() override {
    writer.reset();
    std::filesystem::remove(file);
  }
  void Insert(int n) { writer->Execute("INSERT INTO t VALUES (?)", {{"", TValue(n)}}); }
  // What another connection reads from the file: only committed rows.
  std::vector<int64_t> Stored() const {
    TSqlConnection reader(file.string(), false);
    const TMemTable rows = reader.Query("SELECT n FROM t ORDER BY n");
    std::vector<int64_t> values;
    for (const TRecord& row : rows.Rows()) values.push_back(row[0].AsInteger());
    return values;
  }
  std::filesystem::path file;
  std::unique_ptr<TSqlConnection> writer;
};

TEST_F(SqliteTransaction, KeepsWhatIsCommittedAndUndoesWhatAnExceptionLeaves) {
  {
    TSqliteTransaction outer(*writer);
    Insert(1);
    EXPECT_TRUE(Stored().empty()) << "nothing is visible before the commit";
    EXPECT_THROW(
        {
          TSqliteTransaction inner(*writer);
          Insert(2);
          throw EDatabaseError("stop");
        },
        EDatabaseError);
    Insert(3);
    outer.Commit();
  }
  EXPECT_THROW(
      {
        TSqliteTransaction failed(*writer);
        Insert(4);
        writer->Execute("INSERT INTO missing VALUES (5)");
        failed.Commit();
      },
      EDatabaseError);
  {
    TSqliteTransaction forgotten(*writer);
    Insert(6);
  }
  // 1 and 3 were committed by the outer scope; 2 went with the nested scope that threw, 4 with the
  // scope whose statement failed, 6 with the scope left without a commit.
  EXPECT_EQ(Stored(), (std::vector<int64_t>{1, 3}));
}

}  // namespace
}  // namespace kv
