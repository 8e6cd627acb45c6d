#pragma once

// How the run order tells the rest of the program what changed (the grid, the editor, the
// prompt engine, timing, the newsroom links) and how it asks the operator. Every call has a
// default that does nothing, so an observer overrides only what it shows.

#include <string>
#include <variant>
#include <vector>

#include "store/line_record.h"

namespace telvane::runorder {

class RunOrderObserver {
 public:
  virtual ~RunOrderObserver() = default;

  // Around every operation that changes the order: the prompt preview holds still.
  virtual void FreezePrompt() {}
  virtual void ReleasePrompt() {}

  // The grid redraws; its row count is the number of entries plus the header and RunEnd rows.
  virtual void RunOrderChanged() {}
  // The selected rows changed (first and last entry, from top to bottom).
  virtual void SelectionChanged(store::r_object* /*first*/, store::r_object* /*last*/) {}
  // The grid scrolls so that row (1-based) is its top row.
  virtual void ScrollRowToTop(int /*row*/) {}
  // The editor shows the story (its slug line becomes the current line).
  virtual void ShowInEditor(store::r_object* /*entry*/) {}
  // The editor's view of the current story is refreshed.
  virtual void RefreshEditor() {}
  // Story lengths or statuses changed: the timing displays refresh.
  virtual void TimingChanged() {}
  // The programme list and bookmark windows refresh when they are open.
  virtual void ProgrammeListChanged() {}

  // The entry is about to be freed: drop every reference to it (drag, prompt references).
  virtual void EntryRemoved(const store::r_object& /*entry*/) {}
  // Every reference to from now names to (an exchange replaced from by to).
  virtual void ReferencesMoved(const store::r_object& /*from*/, store::r_object& /*to*/) {}

  // The story on air changed (entry, or null when none is); story_changed when it is another
  // story than before. The prompt output's background message, the remote control client and
  // the remote-status notification follow it.
  virtual void AirStoryChanged(store::r_object* /*entry*/, bool /*story_changed*/) {}
  // "Background Auto Slug": this text becomes the prompt output's background message.
  virtual void BackgroundMessage(const std::string& /*slug_text*/) {}

  // The prompt engine.
  virtual void PromptJumpTo(store::r_object* /*entry*/) {}
  virtual void PromptResumeOn(store::e_object* /*line*/) {}
  virtual void PromptRestartOn(store::r_object* /*entry*/) {}
  virtual void PromptRebuild() {}
  virtual void PromptStopRequested() {}
  // After a drop while prompting: the prompt repositions on the AIR line.
  virtual void PromptReposition() {}

  // "MOS Remote Script": true when the MOS link takes the deletion of this story (its key was
  // in the MOS story list and the deleted-story scan removes it).
  virtual bool DeleteThroughMos(store::r_object& /*entry*/) { return false; }
};

// A piece of a message: a catalogue number or literal text. The host joins the pieces.
using MessagePiece = std::variant<int, std::string>;
using MessagePieces = std::vector<MessagePiece>;

enum class Buttons { kOkCancel, kYesCancel };

class RunOrderDialogs {
 public:
  virtual ~RunOrderDialogs() = default;
  // An information box with OK.
  virtual void Information(const MessagePieces& /*text*/) {}
  // A confirmation; true for OK or Yes. The default refuses.
  virtual bool Confirm(const MessagePieces& /*text*/, Buttons /*buttons*/) { return false; }
  // ShowStatusMessage of the pieces separated by blanks.
  virtual void StatusMessage(const MessagePieces& /*text*/) {}
};

// Message numbers of the catalogue that the run-order operations show.
namespace message {
inline constexpr int kResequenceWhilePrompting = 2;
inline constexpr int kDeleteStory = 17;
inline constexpr int kNotFoundEnd = 19;
inline constexpr int kBlockOfOneRow = 20;
inline constexpr int kDeleteStories = 23;
inline constexpr int kSourceNotFound = 134;
inline constexpr int kDestinationNotFound = 135;
inline constexpr int kInactiveStory = 141;
inline constexpr int kDestinationInBlock = 170;
inline constexpr int kNoAirStory = 171;
inline constexpr int kStory = 180;
inline constexpr int kReport182 = 182;
inline constexpr int kReport183 = 183;
inline constexpr int kReport184 = 184;
inline constexpr int kReport185 = 185;
inline constexpr int kNoPnew = 206;
inline constexpr int kNoPnewMatch = 207;
inline constexpr int kAirStoryNotDropped = 479;
inline constexpr int kResequenceDownload = 653;
inline constexpr int kRunOrderLocked = 725;
inline constexpr int kBlockMoveDownload = 1041;
inline constexpr int kDeleteDownload = 1042;
inline constexpr int kDropAirStory = 1047;
}  // namespace message

}  // namespace telvane::runorder
