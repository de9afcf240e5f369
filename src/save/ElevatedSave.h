// Saving as administrator after the system refused the save: the bytes go to
// a file of ours in the user's temporary folder, and a copy of this program
// started with administrator rights puts them in place, but only after it has
// checked their SHA-256 against the one it was given.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/HostsDocument.h"
#include "save/FileSystem.h"

namespace vantrel {

class SaveUi;

// The command line of the elevated copy: the switch, then the prepared file,
// the target and the prepared bytes' SHA-256 in hexadecimal.
inline constexpr const char* kSaveElevatedSwitch = "--save-elevated";
// How every prepared file's name begins.
inline constexpr const char* kPreparedStem = "vantrel-save";

// The elevated copy's exit codes. A failed write ends with kWriteFailed plus
// its FsError, or kTargetChanged plus it when the old content could not be
// put back.
enum ElevatedExit : int {
  kElevatedSaved = 0,
  kBadArguments = 2,  // missing, relative or device paths, or no digest
  kNotPrepared = 3,   // the prepared file is not a file of ours
  kTargetIsFolder = 4,
  kDigestMismatch = 5,  // the prepared file changed after it was written
  kNoHashing = 6,
  kWriteFailed = 16,
  kTargetChanged = 32,
};

// bytes in lower-case hexadecimal, as the command line carries a digest.
std::string HexOf(std::string_view bytes);

// The SHA-256 of bytes, 32 bytes; nothing when the system has none.
using Sha256Function = std::function<std::optional<std::string>(std::string_view bytes)>;

// What the elevated copy works with: the system's, or a test's.
struct ElevatedSaveContext {
  FileSystem& fs;
  std::string tempFolder;     // ends with a backslash
  std::string profileFolder;  // the user's profile folder, which holds tempFolder
  Sha256Function sha256;
};

// The elevated copy's work; args are what follows the switch. Nothing is
// written unless every argument passes and the digest matches.
int SaveElevated(const std::vector<std::string>& args, const ElevatedSaveContext& context);

struct ElevatedRequest {
  std::string prepared;
  std::string target;
  std::string digest;  // hexadecimal
};

// The switch and the request's arguments, quoted for the command line.
std::string ElevatedParameters(const ElevatedRequest& request);

// How the elevated copy went, as the program that started it saw it.
struct ElevatedRun {
  enum class Start { Started, Declined, Failed };
  Start start = Start::Failed;
  int exitCode = -1;
};

// Starting this program with administrator rights: the system's, or a test's.
class Elevation {
 public:
  virtual ~Elevation() = default;
  // True where Windows asks before it gives administrator rights, this
  // process runs without them and the system's SHA-256 is there.
  virtual bool Offered() = 0;
  virtual std::optional<std::string> Sha256(std::string_view bytes) = 0;
  // The user's temporary folder, ending with a backslash.
  virtual std::string TempFolder() = 0;
  // Starts the elevated copy and waits for it to end.
  virtual ElevatedRun Run(const ElevatedRequest& request) = 0;
};

// After the system refused Save As access to doc.HostsPath: offers to save
// as administrator and does; true once saved. A save that fails this way too
// is told in one message; the target is then as it was.
bool OfferElevatedSave(const HostsDocument& doc, SaveUi& ui, FileSystem& fs,
                       const std::string& prefix, bool withComments);

}  // namespace vantrel
