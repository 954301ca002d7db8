#pragma once
// The program's failures: exceptions that carry the Russian message the user is shown.
#include <exception>
#include <stdexcept>
#include <string>

namespace kv {

class EKvError : public std::runtime_error {
public:
  explicit EKvError(const std::string& message) : std::runtime_error(message) {}
};

// A catalogue lookup found nothing, or catalogue data is inconsistent.
class EInterfaceError : public EKvError {
  using EKvError::EKvError;
};
// A model object could not be created or is not where it should be.
class ECreationError : public EKvError {
  using EKvError::EKvError;
};
// A formula of a calculation method is not well formed.
class EExpressError : public EKvError {
  using EKvError::EKvError;
};
// An integer result does not fit in 32 bits.
class EIntOverflow : public EKvError {
  using EKvError::EKvError;
};
// A file, stream or table could not be read or written.
class EInOutError : public EKvError {
  using EKvError::EKvError;
};
// The table engine refused an operation.
class EDatabaseError : public EKvError {
  using EKvError::EKvError;
};
// A text could not be converted to a number or a date.
class EConvertError : public EKvError {
  using EKvError::EKvError;
};

// The text the user is shown for any failure: the program's own message as it stands; a failure of
// the system or of a library in the program's words, naming the file or folder it concerns.
std::string ErrorMessage(const std::exception& error);

}  // namespace kv
