#pragma once

// The line markers: hard returns, page breaks, hard blank lines, cloaking, bookmarks,
// snapshots, presenter instructions, package text, direction, presenter and input language.

#include <cstdint>

#include "store/script_store.h"

namespace telvane::store {

void InsertHardReturn(ScriptStore& store);
void InsertPageBreak(ScriptStore& store);
// Set Hard Returns / Clear Hard Returns on every real line.
void SetHardReturns(ScriptStore& store, bool on);
void InsertHardBlankLine(ScriptStore& store);

// Hard space (160) and hard hyphen (150) are characters no line breaks at.
inline constexpr char kHardSpace = static_cast<char>(160);
inline constexpr char kHardHyphen = static_cast<char>(150);
// Types one character at the caret with the typing attributes and fits the line again.
void TypeCharacter(ScriptStore& store, char c);

// Toggle Cloak Line: every slug line in all-sluglines mode, else the block, else the current
// line. While editing is disabled by a running newsroom link it only says so.
void ToggleCloak(ScriptStore& store, bool all_sluglines, bool editing_disabled);
void ToggleNonCaption(ScriptStore& store);
void TogglePresenterInstruction(ScriptStore& store);
void TogglePackageText(ScriptStore& store);
void ToggleBookmark(ScriptStore& store);

enum class SnapshotMode { kToggle = 0, kSet = 1, kClear = 2 };
void SetSnapshot(ScriptStore& store, e_object& line, SnapshotMode mode);

void InsertPresenterInstruction(ScriptStore& store);
void InsertPackage(ScriptStore& store);

// Right to Left Text (on) / Left to Right Text (off) on the block or the current line.
void SetRightToLeft(ScriptStore& store, bool on);

// Presenter 0 (off) or 1..15 with the presenter's font number 1..8.
void SelectPresenter(ScriptStore& store, int presenter, int presenter_font);

// The operating system reports a new input language: character set and language identifier.
void InputLanguageChanged(ScriptStore& store, int charset, int language);

}  // namespace telvane::store
