#include "save/ElevatedSave.h"

#include <algorithm>
#include <cctype>

#include "save/HostsWriter.h"
#include "save/SafeWrite.h"
#include "save/SaveUi.h"

namespace vantrel {
namespace {

constexpr const char* kCaption = "Save Failed";
constexpr const char* kNotChanged = "\r\n\r\nThe file on disk was not changed.";
// Only the program that starts the copy sees these.
constexpr int kDeclined = -1;
constexpr int kNotStarted = -2;

bool SameLetters(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

bool IsDigest(const std::string& text) {
  return text.size() == 64 &&
         std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isxdigit(c); });
}

// A drive or a share, then names: no step up or aside, no device, no folder
// ending, no forward slash.
bool IsFullFilePath(const std::string& path) {
  const bool drive = path.size() > 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
                     path[1] == ':' && path[2] == '\\';
  const bool share = path.size() > 2 && path.starts_with("\\\\") && path[2] != '.' &&
                     path[2] != '?' && path[2] != '\\';
  if (!drive && !share) return false;
  if (path.find('/') != std::string::npos || path.back() == '\\') return false;
  for (size_t start = path.find('\\', 2); start != std::string::npos;) {
    const size_t end = path.find('\\', start + 1);
    const std::string_view name = std::string_view(path).substr(start + 1, end - start - 1);
    if (name == "." || name == "..") return false;
    start = end;
  }
  return true;
}

bool StartsWith(std::string_view text, std::string_view start) {
  return text.size() >= start.size() && SameLetters(text.substr(0, start.size()), start);
}

// The temporary folder at the same place in another user's profile beside
// ours ("C:\Users\joe\AppData\Local\Temp\" for ours of another name): a
// standard user's program, elevated under an administrator's name, prepared
// the file there.
bool IsOtherUsersTempFolder(std::string_view folder, const ElevatedSaveContext& context) {
  const std::string_view temp = context.tempFolder;
  const std::string_view profile = context.profileFolder;
  const size_t split = profile.find_last_of('\\');
  if (split == std::string_view::npos || !StartsWith(temp, profile) ||
      temp.size() <= profile.size() || temp[profile.size()] != '\\') {
    return false;
  }
  // "C:\Users\" and "\AppData\Local\Temp\", around the user's name.
  const std::string_view profiles = profile.substr(0, split + 1);
  const std::string_view rest = temp.substr(profile.size());
  if (folder.size() <= profiles.size() + rest.size() || !StartsWith(folder, profiles) ||
      !SameLetters(folder.substr(folder.size() - rest.size()), rest)) {
    return false;
  }
  const std::string_view name =
      folder.substr(profiles.size(), folder.size() - profiles.size() - rest.size());
  return name.find('\\') == std::string_view::npos;
}

// In a user's temporary folder itself, and named as this program names them.
bool IsPreparedFile(const std::string& path, const ElevatedSaveContext& context) {
  const size_t nameStart = path.find_last_of('\\') + 1;
  const std::string_view folder = std::string_view(path).substr(0, nameStart);
  const bool inTemp = !context.tempFolder.empty() && (SameLetters(folder, context.tempFolder) ||
                                                      IsOtherUsersTempFolder(folder, context));
  return inTemp &&
         path.compare(nameStart, std::string_view(kPreparedStem).size(), kPreparedStem) == 0;
}

FsStatus ReadOnce(FileSystem& fs, const std::string& path, std::string& bytes) {
  OwnedFile file(fs);
  if (FsStatus status = fs.OpenExisting(path, file.id); !status.ok()) return status;
  return fs.ReadAll(file.id, bytes);
}

std::string QuotedArgument(const std::string& text) {
  // Backslashes before the closing quote are doubled, or it would be taken
  // as a quote of the text.
  const size_t trailing = text.size() - (text.find_last_not_of('\\') + 1);
  return "\"" + text + std::string(trailing, '\\') + "\"";
}

// Prepares the bytes, starts the copy and waits for it; how it ended.
int SaveThroughCopy(const HostsDocument& doc, SaveUi& ui, FileSystem& fs, Elevation& elevation,
                    const std::string& bytes) {
  const std::optional<std::string> digest = elevation.Sha256(bytes);
  if (!digest) return kNoHashing;
  const std::string temp = elevation.TempFolder();
  if (temp.empty()) return kNotPrepared;
  // The prepared file goes on every way out.
  OwnedFile prepared(fs);
  if (!fs.CreateTemp(temp + kPreparedStem, prepared.tempPath, prepared.id).ok()) {
    return kNotPrepared;
  }
  if (!prepared.Close().ok() || !SafeWriteFile(fs, prepared.tempPath, bytes).ok()) {
    return kNotPrepared;
  }
  ElevatedRun run;
  ui.RunInWaitWindow([&] {
    ui.SetJobCaption("Saving Host File as Administrator...");
    run = elevation.Run({prepared.tempPath, doc.HostsPath, HexOf(*digest)});
  });
  if (run.start == ElevatedRun::Start::Declined) return kDeclined;
  if (run.start == ElevatedRun::Start::Failed) return kNotStarted;
  return run.exitCode;
}

// Why the copy did not save, for the user.
std::string WhyNotSaved(int code) {
  const int errors = static_cast<int>(FsError::Other);
  for (const int base : {kWriteFailed, kTargetChanged}) {
    if (code <= base || code > base + errors) continue;
    FsStatus status = FsStatus::Fail(static_cast<FsError>(code - base));
    status.targetChanged = base == kTargetChanged;
    return ReasonFor(status) + (status.targetChanged ? "" : kNotChanged);
  }
  switch (code) {
    case kDeclined:
      return std::string("Administrator rights were not given.") + kNotChanged;
    case kNotStarted:
      return std::string("The program could not be started as administrator.") + kNotChanged;
    case kNotPrepared:
      return std::string(
                 "The copy of the file prepared in the temporary folder could not be "
                 "written or was not accepted.") +
             kNotChanged;
    case kNoHashing:
      return std::string("Windows could not compute the file's SHA-256 checksum.") + kNotChanged;
    case kTargetIsFolder:
      return ReasonFor(FsStatus::Fail(FsError::IsFolder)) + kNotChanged;
    case kDigestMismatch:
      return std::string(
                 "Another program changed the prepared copy of the file, so it was "
                 "not used.") +
             kNotChanged;
    default:
      return "The program running as administrator ended with code " + std::to_string(code) + "." +
             kNotChanged;
  }
}

}  // namespace

std::string HexOf(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (const unsigned char byte : bytes) {
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 15];
  }
  return hex;
}

int SaveElevated(const std::vector<std::string>& args, const ElevatedSaveContext& context) {
  if (args.size() != 3 || !IsFullFilePath(args[0]) || !IsFullFilePath(args[1]) ||
      !IsDigest(args[2])) {
    return kBadArguments;
  }
  const std::string& prepared = args[0];
  if (!IsPreparedFile(prepared, context)) return kNotPrepared;
  FileSystem& fs = context.fs;
  TargetInfo info;
  if (!fs.Inspect(prepared, info).ok() || !info.exists || info.isFolder) return kNotPrepared;
  // Read once: the bytes checked are the bytes written.
  std::string bytes;
  const FsStatus read = ReadOnce(fs, prepared, bytes);
  fs.Remove(prepared);
  if (!read.ok()) return kNotPrepared;
  const std::optional<std::string> digest = context.sha256 ? context.sha256(bytes) : std::nullopt;
  if (!digest) return kNoHashing;
  if (!SameLetters(HexOf(*digest), args[2])) return kDigestMismatch;
  const FsStatus status = SafeWriteFile(fs, args[1], bytes);
  if (status.ok()) return kElevatedSaved;
  if (status.error == FsError::IsFolder) return kTargetIsFolder;
  return (status.targetChanged ? kTargetChanged : kWriteFailed) + static_cast<int>(status.error);
}

std::string ElevatedParameters(const ElevatedRequest& request) {
  return std::string(kSaveElevatedSwitch) + " " + QuotedArgument(request.prepared) + " " +
         QuotedArgument(request.target) + " " + request.digest;
}

bool OfferElevatedSave(const HostsDocument& doc, SaveUi& ui, FileSystem& fs,
                       const std::string& prefix, bool withComments) {
  Elevation* elevation = ui.Elevator();
  if (!elevation || !elevation->Offered()) return false;
  if (!ui.AskYesNo(kCaption, "Save the Host File as administrator?")) return false;
  const int code =
      SaveThroughCopy(doc, ui, fs, *elevation, WriteHostsText(doc, prefix, withComments));
  if (code == kElevatedSaved) return true;
  ui.Tell(kCaption,
          "The Host File could not be saved as administrator to\r\n" + doc.HostsPath + "\r\n\r\n" +
              WhyNotSaved(code),
          Icon::Critical);
  return false;
}

}  // namespace vantrel
