#include "order/order_saving.h"

#include <algorithm>
#include <fstream>
#include <string_view>

#include "order/document_numbers.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/paths.h"
#include "shell/user_messages.h"

namespace kv {

namespace {

constexpr std::string_view kForbiddenFileNameChars = "\\/:*?,;\"`!(){}[]<>|%'";
constexpr int kMaxRecycledNames = 10000;
constexpr const char* kOrderExtension = ".gxo";
constexpr const char* kCounterFileName = "Korvent.lon";

bool SameFile(const std::filesystem::path& A, const std::filesystem::path& B) {
  std::error_code error;
  if (std::filesystem::exists(A, error) && std::filesystem::exists(B, error))
    return std::filesystem::equivalent(A, B, error);
  return A.lexically_normal() == B.lexically_normal();
}

bool FileExists(const std::filesystem::path& File) {
  std::error_code error;
  return !File.empty() && std::filesystem::exists(File, error);
}

// The rename question for the header field that names the file, when it changed since the last
// save; "" when there is nothing to ask.
std::string RenameQuestion(const TOrder& Order, const TOrderDocument& Document, TDefFileNameType Type) {
  switch (Type) {
    case dfnByOrderNo:
      if (Order.No != Document.SavedNo) return "Изменился номер заказа. Переименовать файл согласно нового номера?";
      break;
    case dfnByCustomer:
      if (Order.Customer != Document.SavedCustomer)
        return "Изменилось наименование заказчика. Переименовать файл согласно нового наименования?";
      break;
    case dfnByObject:
      if (Order.Obj != Document.SavedObj)
        return "Изменилось наименование объекта. Переименовать файл согласно нового наименования?";
      break;
    case dfnNoDefault: break;
  }
  return "";
}

// A file that a save replaces goes to the recycle directory first when MoveToRecycled is on, so
// that nothing is lost.
bool SetAsideReplaced(const TGXSetup& Setup, const std::filesystem::path& File) {
  if (!Setup.MoveToRecycled) return true;
  try {
    MoveToRecycled(File, std::filesystem::path(Setup.ServerName) / NormalizePath(Setup.RecycledDir));
    return true;
  } catch (const EKvError& e) {
    ShowError(e.what());
    return false;
  }
}

bool OverwriteAccepted(const std::filesystem::path& File) {
  return ShowConfirm(Format("Файл %s уже существует! Переписать поверх?", File.string()));
}

std::filesystem::path SubDirectory(const TGXSetup& Setup, const std::string& Sub) {
  return std::filesystem::path(Setup.ServerName) / NormalizePath(Sub);
}

}  // namespace

std::string CheckFileNameValidity(const std::string& Name, bool FullStop) {
  std::string result = Name;
  for (char& c : result)
    if (kForbiddenFileNameChars.find(c) != std::string_view::npos || (FullStop && c == '.')) c = '_';
  return result;
}

std::string GetAutoFileName(const TOrder& Order, const std::string& CurrentFile, TDefFileNameType Type,
                            const std::string& Prefix) {
  std::string source;
  switch (Type) {
    case dfnNoDefault: source = std::filesystem::path(CurrentFile).stem().string(); break;
    case dfnByOrderNo: source = Order.No; break;
    case dfnByCustomer: source = Order.Customer; break;
    case dfnByObject: source = Order.Obj; break;
  }
  if (source.empty()) return "";
  return CheckFileNameValidity(Prefix + source);
}

std::filesystem::path StatusDirectory(const TGXSetup& Setup, TOrderStatus Status) {
  const std::string* sub = &Setup.WorkDir;
  switch (Status) {
    case soWorking: sub = &Setup.WorkDir; break;
    case soPreview: sub = &Setup.CalcDir; break;
    case soComplete: sub = &Setup.CompleteDir; break;
    case soClosed: sub = &Setup.ClosedDir; break;
  }
  return SubDirectory(Setup, *sub);
}

std::filesystem::path SelectionDirectory(const TGXSetup& Setup) { return SubDirectory(Setup, Setup.SelectionDir); }

std::filesystem::path ComplectDirectory(const TGXSetup& Setup) { return SubDirectory(Setup, Setup.ComplectDir); }

TSaveResult SaveDocumentFile(const TGXSetup& Setup, std::string& FileName, const std::filesystem::path& Folder,
                             const std::string& No, const std::string& Extension,
                             const std::function<bool(const std::string& File)>& Write) {
  std::filesystem::path target = FileName;
  if (target.empty()) {
    if (No.empty()) return TSaveResult::srNeedName;
    CreateFolder(Folder);
    target = Folder / (CheckFileNameValidity(No) + Extension);
    if (FileExists(target)) {
      if (!OverwriteAccepted(target)) return TSaveResult::srNeedName;
      if (!SetAsideReplaced(Setup, target)) return TSaveResult::srFailed;
    }
  }
  if (!Write(target.string())) return TSaveResult::srFailed;
  FileName = target.string();
  return TSaveResult::srSaved;
}

std::filesystem::path MoveToRecycled(const std::filesystem::path& File, const std::filesystem::path& RecycledDir) {
  CreateFolder(RecycledDir);
  const std::string base = CheckFileNameValidity(File.stem().string(), true);
  const std::string extension = File.extension().string();
  std::filesystem::path target = RecycledDir / (base + extension);
  for (int i = 1; FileExists(target) && i <= kMaxRecycledNames; ++i)
    target = RecycledDir / (Format("%s~%d", base, i) + extension);
  std::error_code error;
  if (FileExists(target)) error = std::make_error_code(std::errc::file_exists);
  if (!error) std::filesystem::rename(File, target, error);
  if (error)
    throw EInOutError(Format("Ошибка %d переноса файла\r\n%s\r\nв %s!", error.value(), File.string(), target.string()));
  return target;
}

void TOrderDocument::MarkSaved(const TOrder& Order, const std::string& File) {
  FileName = File;
  New = false;
  SavedNo = Order.No;
  SavedCustomer = Order.Customer;
  SavedObj = Order.Obj;
}

TSaveResult TOrderSaver::Save(TOrder& Order, TOrderDocument& Document) const {
  if (!CheckNumber(Order, Document)) return TSaveResult::srFailed;
  const std::string base = BaseName(Order, Document);
  if (base.empty()) return TSaveResult::srNeedName;
  const std::filesystem::path current = Document.FileName;
  std::filesystem::path target = TargetDirectory(Order, Document) / (base + kOrderExtension);
  if (FileExists(target) && !SameFile(target, current)) {
    if (OverwriteAccepted(target)) {
      if (!SetAsideReplaced(FSetup, target)) return TSaveResult::srFailed;
    } else if (current.empty()) {
      return TSaveResult::srNeedName;
    } else {
      target = current;
    }
  }
  if (FileExists(current) && !SameFile(target, current) && !MoveOldFile(current, target)) return TSaveResult::srFailed;
  return Write(Order, Document, target) ? TSaveResult::srSaved : TSaveResult::srFailed;
}

bool TOrderSaver::SaveOrderAs(TOrder& Order, TOrderDocument& Document, const std::string& FileName) const {
  if (!CheckNumber(Order, Document)) return false;
  return Write(Order, Document, FileName);
}

bool TOrderSaver::CheckNumber(const TOrder& Order, const TOrderDocument& Document) const {
  if (Order.No.empty()) {
    ShowError("Не указан номер заказа!");
    return false;
  }
  if (Document.New && IsRegistered && IsRegistered(Order.No)) {
    ShowError(Format("Заказ с номером %s уже был зарегистрирован!\r\nУкажите другой номер заказа.", Order.No));
    return false;
  }
  return true;
}

// The base name of the file to write: an automatic one for an order without a file, or after a
// rename the user accepted; otherwise the current one.
std::string TOrderSaver::BaseName(const TOrder& Order, const TOrderDocument& Document) const {
  const std::string current = std::filesystem::path(Document.FileName).stem().string();
  if (Document.FileName.empty() || RenameAccepted(Order, Document)) {
    const std::string automatic =
        GetAutoFileName(Order, Document.FileName, FSetup.DefFileNameType, FSetup.FileNamePrefix);
    return automatic.empty() ? current : automatic;
  }
  return current;
}

bool TOrderSaver::RenameAccepted(const TOrder& Order, const TOrderDocument& Document) const {
  const std::string question = RenameQuestion(Order, Document, FSetup.DefFileNameType);
  return !question.empty() && ShowConfirm(question);
}

// With StatusDepend the directory of the order's status (created when missing); otherwise the
// current file's directory, or the work directory for a new file.
std::filesystem::path TOrderSaver::TargetDirectory(const TOrder& Order, const TOrderDocument& Document) const {
  if (!FSetup.StatusDepend && !Document.FileName.empty()) return std::filesystem::path(Document.FileName).parent_path();
  const std::filesystem::path dir = StatusDirectory(FSetup, FSetup.StatusDepend ? Order.Status : soWorking);
  CreateFolder(dir);
  return dir;
}

bool TOrderSaver::MoveOldFile(const std::filesystem::path& From, const std::filesystem::path& To) const {
  std::error_code error;
  std::filesystem::rename(From, To, error);
  if (error) ShowError("Ошибка переноса файла заказа согласно статуса!");
  return !error;
}

bool TOrderSaver::Write(TOrder& Order, TOrderDocument& Document, const std::filesystem::path& File) const {
  if (!Order.SaveOrder(File.string())) return false;
  if (Document.New) TOrderNoCounter(FSetup).Remember(Order.No, Date());
  Document.MarkSaved(Order, File.string());
  return true;
}

TOrderNoCounter::TOrderNoCounter(const TGXSetup& Setup) : FSetup(Setup) {
  const bool shared = Setup.AutoGenOrderNoMethod == aonmNet && !Setup.ServerName.empty();
  FFile = (shared ? std::filesystem::path(Setup.ServerName) : ProgramDir()) / kCounterFileName;
}

std::string TOrderNoCounter::NewOrderNo(TDateTime Today) const {
  int last = 0;
  if (FSetup.AutoGenOrderNoMethod == aonmNone || !ReadLast(last)) return "";
  return ExpandNoTemplate(FSetup.OrderNoTemplate, Today, Next(last));
}

void TOrderNoCounter::Remember(const std::string& No, TDateTime Today) const {
  int last = 0;
  if (FSetup.AutoGenOrderNoMethod == aonmNone || !ReadLast(last)) return;
  const int next = Next(last);
  if (No != ExpandNoTemplate(FSetup.OrderNoTemplate, Today, next)) return;
  std::ofstream out(FFile, std::ios::trunc);
  out << next << "\n";
  if (!out) ShowError("Не могу сохранить текущий номер заказа.");
}

// The last issued counter; a missing file means none was issued yet.
bool TOrderNoCounter::ReadLast(int& Last) const {
  Last = 0;
  if (!FileExists(FFile)) return true;
  std::ifstream in(FFile);
  if (in >> Last) return true;
  ShowError("Не могу прочитать предыдущий номер заказа.");
  return false;
}

int TOrderNoCounter::Next(int Last) const { return std::max(Last + 1, FSetup.FirstOrderNo); }

}  // namespace kv
