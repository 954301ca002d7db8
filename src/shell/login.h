#pragma once
// The login: the users and stations of the system database (GXDB_SysDB), the checks that let a
// user in, and the user of this run. The login window is an interface; the console one is here.
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace kv {

class TSqlConnection;

// The module right a start-up asks for: the design module (mode 2 of LoadUserAccessRights).
inline constexpr int kDesignModuleRight = 2;

struct TUserInfo {
  int32_t ID = 0;
  std::string Name;
};

// The user of this run: identifier and the codes of the modules they may enter.
struct TLoggedUser {
  int32_t ID = 0;
  std::string Name;
  std::vector<int> Rights;
  bool HasRight(int module) const;
};
// The logged-in user of the current session context.
TLoggedUser& CurrentUser();

// The salted hash stored for a password: the password is compared in upper case, so it is
// upper-cased by the Unicode rules before hashing (letters of every script keep their identity).
// Raises EKvError when the system cannot hash.
std::string HashPassword(const std::string& password);
bool PasswordMatches(const std::string& password, const std::string& stored_hash);

// "02,05" <-> {2, 5}; anything that is not a two-digit code is skipped.
std::vector<int> ParseRights(const std::string& text);
std::string RightsText(const std::vector<int>& rights);

// The system database of a directory, opened by the login itself. A missing or broken database
// raises EDatabaseError.
class TSystemDatabase {
public:
  explicit TSystemDatabase(const std::string& directory);
  ~TSystemDatabase();
  TSystemDatabase(const TSystemDatabase&) = delete;
  TSystemDatabase& operator=(const TSystemDatabase&) = delete;

  std::vector<TUserInfo> Users();
  // The stored hash and rights of a user; false when there is no such user.
  bool FindUser(int32_t id, std::string& password_hash, std::vector<int>& rights);
  // Adds a user with a new identifier and returns it.
  int32_t AddUser(const std::string& name, const std::string& password, const std::vector<int>& rights);
  // The station where the user is working other than `station`; "" when none.
  std::string OtherStationOf(int32_t user, const std::string& station);
  void EnterStation(const std::string& station, int32_t user);
  void LeaveStation(const std::string& station);

private:
  std::unique_ptr<TSqlConnection> connection_;
};

// What the login window works with: the users, the preselected one, the password check that
// enables its OK button, and the checks of OK itself.
class TLogin {
public:
  TLogin(TSystemDatabase& database, std::string station, int module, bool ignore_user);

  const std::vector<TUserInfo>& Users() const { return users_; }
  // The user named by the /User: switch, else the default user of the registry; 0 for none.
  int32_t PreselectedUser() const { return preselected_; }
  void SetPreselectedUser(int32_t id) { preselected_ = id; }
  // The typed password is the user's password (compared in upper case).
  bool PasswordAccepted(int32_t user, const std::string& password);
  // OK pressed: refuses a user working elsewhere (unless /IgnoreUser) or without the module's
  // right, with the message shown; on success the user becomes the user of this run, the
  // station is taken and the user is stored as the default user.
  bool Accept(int32_t user, const std::string& password);

private:
  TSystemDatabase& database_;
  std::string station_;
  int module_;
  bool ignore_user_;
  std::vector<TUserInfo> users_;
  int32_t preselected_ = 0;
};

class ILoginDialog {
public:
  virtual ~ILoginDialog() = default;
  // Shows the users; true when a user was let in (TLogin::Accept), false when cancelled.
  virtual bool Execute(TLogin& login) = 0;
};

// Reads a user (number in the list, name, or an empty line for the preselected one) and a
// password, as many times as needed; the end of input cancels.
class TConsoleLoginDialog : public ILoginDialog {
public:
  TConsoleLoginDialog(std::istream& in, std::ostream& out) : in_(in), out_(out) {}
  bool Execute(TLogin& login) override;

private:
  int32_t ChooseUser(const TLogin& login, const std::string& answer) const;
  std::istream& in_;
  std::ostream& out_;
};

ILoginDialog& LoginDialog();
// nullptr restores the console dialog.
void SetLoginDialog(ILoginDialog* dialog);

// The login of the start-up: opens the system database of the configuration, runs the login
// dialog for the module and makes the user the user of this run. False ends the program;
// ask_flag comes back false when the user cancelled.
bool LoadUserAccessRights(int mode, bool& ask_flag);
// Frees this station in the system database at the end of the program (failures are quiet:
// the program is ending).
void LeaveSystemStation();

}  // namespace kv
