#include "shell/login.h"

#include <crypt.h>

#include <iostream>

#include "shell/code_page.h"
#include "shell/command_line.h"
#include "shell/configuration.h"
#include "shell/databases.h"
#include "shell/date_time.h"
#include "shell/format_settings.h"
#include "shell/table_engine.h"
#include "shell/tokens.h"
#include "shell/user_messages.h"

namespace kv {

namespace {

// SHA-512 crypt: a well-known salted hash that every system library verifies.
constexpr const char* kHashPrefix = "$6$";

std::string RightCode(int module) { return Format("%.2d", module); }

}  // namespace

bool TLoggedUser::HasRight(int module) const {
  for (int right : Rights)
    if (right == module) return true;
  return false;
}

std::string HashPassword(const std::string& password) {
  char salt[CRYPT_GENSALT_OUTPUT_SIZE];
  if (!crypt_gensalt_rn(kHashPrefix, 0, nullptr, 0, salt, sizeof salt))
    throw EKvError("Не удалось получить случайную примесь для пароля");
  crypt_data data{};
  const char* hash = crypt_r(UnicodeUpperCase(password).c_str(), salt, &data);
  if (!hash || hash[0] == '*') throw EKvError("Не удалось вычислить свёртку пароля");
  return hash;
}

bool PasswordMatches(const std::string& password, const std::string& stored_hash) {
  if (stored_hash.rfind(kHashPrefix, 0) != 0) return false;
  crypt_data data{};
  const char* hash = crypt_r(UnicodeUpperCase(password).c_str(), stored_hash.c_str(), &data);
  return hash && stored_hash == hash;
}

std::vector<int> ParseRights(const std::string& text) {
  std::vector<int> rights;
  for (int i = 1; i <= NumToken(text, ","); ++i) {
    const std::string code = Token(text, i, ",", true);
    long long value = 0;
    if (code.size() == 2 && TryStrToInt(code, value) && value >= 0) rights.push_back(static_cast<int>(value));
  }
  return rights;
}

std::string RightsText(const std::vector<int>& rights) {
  std::string text;
  for (int right : rights) text += (text.empty() ? "" : ",") + RightCode(right);
  return text;
}

TSystemDatabase::TSystemDatabase(const std::string& directory)
    : connection_(std::make_unique<TSqlConnection>(DatabaseFile(directory).string(), false)) {
  // A file that is no database, or a database without the tables, fails here and not later.
  try {
    connection_->Query("SELECT count(*) FROM Users");
    connection_->Query("SELECT count(*) FROM Stations");
  } catch (const EDatabaseError& e) {
    throw EDatabaseError(
        Format("Не удалось открыть файл базы данных [%s]\r\n(%s)", DatabaseFile(directory).string(), e.what()));
  }
}

TSystemDatabase::~TSystemDatabase() = default;

std::vector<TUserInfo> TSystemDatabase::Users() {
  std::vector<TUserInfo> users;
  const TMemTable rows = connection_->Query("SELECT ID, Name FROM Users ORDER BY ID");
  for (const TRecord& row : rows.Rows())
    users.push_back(TUserInfo{static_cast<int32_t>(row[0].AsInteger()), row[1].AsString()});
  return users;
}

bool TSystemDatabase::FindUser(int32_t id, std::string& password_hash, std::vector<int>& rights) {
  const TMemTable rows = connection_->Query("SELECT PasswordHash, Rights FROM Users WHERE ID = ?", {{"", id}});
  if (rows.RecordCount() == 0) return false;
  password_hash = rows.Row(0)[0].AsString();
  rights = ParseRights(rows.Row(0)[1].AsString());
  return true;
}

int32_t TSystemDatabase::AddUser(const std::string& name, const std::string& password, const std::vector<int>& rights) {
  connection_->Execute("INSERT INTO Users(Name, PasswordHash, Rights) VALUES (?, ?, ?)",
                       {{"", name}, {"", HashPassword(password)}, {"", RightsText(rights)}});
  return static_cast<int32_t>(connection_->LastInsertRowId());
}

std::string TSystemDatabase::OtherStationOf(int32_t user, const std::string& station) {
  const TMemTable rows =
      connection_->Query("SELECT Station FROM Stations WHERE UserID = ? AND Station <> ?", {{"", user}, {"", station}});
  return rows.RecordCount() ? rows.Row(0)[0].AsString() : "";
}

void TSystemDatabase::EnterStation(const std::string& station, int32_t user) {
  connection_->Execute(
      "INSERT INTO Stations(Station, UserID, LoginTime) VALUES (?, ?, ?)"
      " ON CONFLICT(Station) DO UPDATE SET UserID = excluded.UserID, LoginTime = excluded.LoginTime",
      {{"", station}, {"", user}, {"", DateToIsoText(Now(), true)}});
}

void TSystemDatabase::LeaveStation(const std::string& station) {
  connection_->Execute("DELETE FROM Stations WHERE Station = ?", {{"", station}});
}

TLogin::TLogin(TSystemDatabase& database, std::string station, int module, bool ignore_user)
    : database_(database),
      station_(std::move(station)),
      module_(module),
      ignore_user_(ignore_user),
      users_(database.Users()) {
  if (const std::optional<std::string>& wanted = CommandLine().User) {
    for (const auto& user : users_)
      if (AnsiUpperCase(user.Name) == *wanted) preselected_ = user.ID;
  } else {
    preselected_ = GetDefaultUser();
  }
}

bool TLogin::PasswordAccepted(int32_t user, const std::string& password) {
  std::string hash;
  std::vector<int> rights;
  return database_.FindUser(user, hash, rights) && PasswordMatches(password, hash);
}

bool TLogin::Accept(int32_t user, const std::string& password) {
  std::string hash;
  std::vector<int> rights;
  if (!database_.FindUser(user, hash, rights) || !PasswordMatches(password, hash)) return false;
  if (!ignore_user_ && !database_.OtherStationOf(user, station_).empty()) {
    ShowError("Данный пользователь уже в сети. Зайдите под другим именем!");
    return false;
  }
  TLoggedUser candidate{user, "", std::move(rights)};
  if (!candidate.HasRight(module_)) {
    ShowError("Вы не имеете права доступа в данный модуль!");
    return false;
  }
  for (const auto& info : users_)
    if (info.ID == user) candidate.Name = info.Name;
  database_.EnterStation(station_, user);
  CurrentUser() = std::move(candidate);
  SetDefaultUser(user);
  return true;
}

int32_t TConsoleLoginDialog::ChooseUser(const TLogin& login, const std::string& answer) const {
  if (answer.empty()) return login.PreselectedUser();
  long long number = 0;
  const auto& users = login.Users();
  if (TryStrToInt(answer, number) && number >= 1 && number <= static_cast<long long>(users.size()))
    return users[number - 1].ID;
  for (const auto& user : users)
    if (AnsiSameText(user.Name, answer)) return user.ID;
  return 0;
}

bool TConsoleLoginDialog::Execute(TLogin& login) {
  for (;;) {
    out_ << "Пользователи:\n";
    const auto& users = login.Users();
    for (size_t i = 0; i < users.size(); ++i)
      out_ << "  " << i + 1 << ". " << users[i].Name << (users[i].ID == login.PreselectedUser() ? " *" : "") << "\n";
    out_ << "Пользователь (пустая строка - отмеченный): " << std::flush;
    std::string answer, password;
    if (!std::getline(in_, answer)) return false;
    out_ << "Пароль: " << std::flush;
    if (!std::getline(in_, password)) return false;
    const int32_t user = ChooseUser(login, Trim(answer));
    if (user == 0 || !login.PasswordAccepted(user, password)) {
      out_ << "Неверное имя пользователя или пароль\n";
      continue;
    }
    if (login.Accept(user, password)) return true;
  }
}

bool LoadUserAccessRights(int mode, bool& ask_flag) {
  const TConfiguration& config = Configuration();
  if (config.GXSysDBDir.empty()) {
    ShowError("В системе не установлен путь доступа к системным базам данных KVSysDB!");
    return false;
  }
  std::unique_ptr<TSystemDatabase> database;
  try {
    database = std::make_unique<TSystemDatabase>(config.GXSysDBDir);
  } catch (const EKvError& e) {
    ShowError(std::string("Проверьте путь доступа к системным базам данных KVSysDB!\r\n") + e.what());
    return false;
  }
  TLogin login(*database, config.GXStationName, mode, CommandLine().IgnoreUser);
  const bool accepted = LoginDialog().Execute(login);
  if (!accepted) ask_flag = false;
  return accepted;
}

void LeaveSystemStation() {
  const TConfiguration& config = Configuration();
  if (config.GXSysDBDir.empty() || CurrentUser().ID == 0) return;
  try {
    TSystemDatabase(config.GXSysDBDir).LeaveStation(config.GXStationName);
  } catch (const EKvError&) {
  }
  CurrentUser() = TLoggedUser{};
}

}  // namespace kv
