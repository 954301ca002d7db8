#pragma once
// The rules of saving an order file: the automatic file name, the status directories, the rename
// and overwrite questions, moving the old file, the recycle directory and the order-number
// counter. The order window and the command-line program both save through them.
#include <filesystem>
#include <functional>
#include <string>

#include "order/order.h"
#include "shell/date_time.h"
#include "shell/gx_setup.h"

namespace kv {

// Every character that a file name may not hold replaced by "_"; with full_stop the "." too.
std::string CheckFileNameValidity(const std::string& Name, bool FullStop = false);

// FileNamePrefix and, by DefFileNameType, the current file's base name, the order number, the
// customer or the object; cleaned by CheckFileNameValidity. Without extension; "" when there is
// nothing to name the file after.
std::string GetAutoFileName(const TOrder& Order, const std::string& CurrentFile, TDefFileNameType Type,
                            const std::string& Prefix);

// The order sub-directory of a status: work, calculated, complete or closed under ServerName.
std::filesystem::path StatusDirectory(const TGXSetup& Setup, TOrderStatus Status);

// Moves the file into the recycle directory (created when missing) under its cleaned base name,
// "%s~%d" with 1, 2, ... while that name is taken. Returns the new path; raises EInOutError with
// "Ошибка %d переноса файла\r\n%s\r\nв %s!" when the file cannot be moved.
std::filesystem::path MoveToRecycled(const std::filesystem::path& File, const std::filesystem::path& RecycledDir);

// What an order window keeps beside its order: the file and the header values of the last save
// (for the rename questions).
struct TOrderDocument {
  std::string FileName;  // "" while the order has never been saved
  bool New = true;       // not yet saved under its number
  std::string SavedNo, SavedCustomer, SavedObj;
  // After loading or saving: the file and the header as they are now.
  void MarkSaved(const TOrder& Order, const std::string& File);
};

enum class TSaveResult {
  srSaved,
  srFailed,    // the message was shown
  srNeedName,  // no automatic name applies: the caller asks for one (save dialog) and calls SaveOrderAs
};

// Saving an order under the rules of the setup object.
class TOrderSaver {
public:
  explicit TOrderSaver(const TGXSetup& Setup) : FSetup(Setup) {}

  // Asks the order register whether a number is registered; unset: no register is consulted.
  std::function<bool(const std::string& No)> IsRegistered;

  // Save: number check, automatic name, status directory, rename and overwrite questions, the old
  // file moved, the order written and its number remembered by the counter.
  TSaveResult Save(TOrder& Order, TOrderDocument& Document) const;
  // Save as: the order written to the chosen file; the old file stays where it is.
  bool SaveOrderAs(TOrder& Order, TOrderDocument& Document, const std::string& FileName) const;

private:
  bool CheckNumber(const TOrder& Order, const TOrderDocument& Document) const;
  std::string BaseName(const TOrder& Order, const TOrderDocument& Document) const;
  bool RenameAccepted(const TOrder& Order, const TOrderDocument& Document) const;
  std::filesystem::path TargetDirectory(const TOrder& Order, const TOrderDocument& Document) const;
  bool MoveOldFile(const std::filesystem::path& From, const std::filesystem::path& To) const;
  bool Write(TOrder& Order, TOrderDocument& Document, const std::filesystem::path& File) const;

  const TGXSetup& FSetup;
};

// The folders of selections and complect lists under ServerName.
std::filesystem::path SelectionDirectory(const TGXSetup& Setup);
std::filesystem::path ComplectDirectory(const TGXSetup& Setup);

// Saving a selection or a complect list: a document that has a file is written to it; a new one is
// named after its number (cleaned by CheckFileNameValidity) in Folder, created when missing, and
// a file of that name is replaced only after the overwrite question, the replaced one going to
// the recycle directory. srNeedName without a number or when the replacement was refused. Write
// writes the file and shows its own message when it cannot; FileName is set once it has written.
TSaveResult SaveDocumentFile(const TGXSetup& Setup, std::string& FileName, const std::filesystem::path& Folder,
                             const std::string& No, const std::string& Extension,
                             const std::function<bool(const std::string& File)>& Write);

// The order-number counter "Korvent.lon": the last issued counter, in ServerName for the shared
// counter (aonmNet) and in the program's directory otherwise.
class TOrderNoCounter {
public:
  explicit TOrderNoCounter(const TGXSetup& Setup);
  // The number a new order is offered: the template expanded with the next counter; "" without
  // automatic numbering or when the counter cannot be read (the message shown).
  std::string NewOrderNo(TDateTime Today) const;
  // After a save: when No is the number the counter offers, the counter moves on to it.
  void Remember(const std::string& No, TDateTime Today) const;
  const std::filesystem::path& File() const { return FFile; }

private:
  bool ReadLast(int& Last) const;
  int Next(int Last) const;

  const TGXSetup& FSetup;
  std::filesystem::path FFile;
};

}  // namespace kv
