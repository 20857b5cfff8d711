#include "cycle_editor/frm_rotamund_messages.h"

#include "platform/files.h"
#include "platform/message_text.h"

namespace cycle_editor {
namespace {

// Why a UTF-16 rotation file is not saved.
constexpr char kUtf16Refusal[] =
    "The file is UTF-16 text and the editor writes 8-bit text, so saving is turned off for "
    "it: save it as ANSI text in a text editor to edit it here.";

}  // namespace

std::string SavedOverChangedText(const std::string& path, const std::string& kept) {
  return std::string(kSavedText) + "\n\nAnother program had changed " + platform::Quoted(path) +
         " since the editor opened it. That version is kept as " + platform::Quoted(kept) + ".";
}

std::string SaveFailureText(const std::string& path, const game_files::SaveOutcome& outcome,
                            bool utf16) {
  std::string reason = outcome.error.Message();
  if (utf16) {
    reason = kUtf16Refusal;
  } else if (outcome.turnFailure == game_files::TurnFailure::kPutBackFailed) {
    reason = platform::PutBackFailedText(platform::FolderOf(path), outcome.error);
  }
  return "The map cycle was not saved to " + platform::Quoted(path) + ".\n\n" + reason +
         "\n\nThe file was left as it was.";
}

std::string PutBackBeforeSaveText(const game_files::PutBack& putBack) {
  return "The last switch of the bot profile files in " + platform::Quoted(putBack.folder) +
         " did not finish: the launcher was stopped or the computer lost power while it "
         "worked.\n\nThese files were put back as they were before that switch:\n" +
         platform::LinesOf(putBack.files) + "\n\nThe save now goes on.";
}

std::string ShownOtherwiseText(const std::string& path, const std::vector<std::size_t>& lines,
                               bool utf16) {
  constexpr std::size_t kLinesNamed = 10;
  std::vector<std::string> named;
  for (std::size_t line : lines) named.push_back("line " + std::to_string(line + 1));
  return "Some lines of " + platform::Quoted(path) +
         " are shown in the list other than they are: cut short, or with characters that this "
         "system's code page cannot show.\n" +
         platform::FirstLinesAndCount(named, kLinesNamed) +
         "\n\nThe editor keeps these lines as they are" +
         (utf16 ? ". " + std::string(kUtf16Refusal) : ", and saving writes them back unchanged.");
}

}  // namespace cycle_editor
