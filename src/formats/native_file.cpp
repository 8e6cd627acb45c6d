#include "formats/native_file.h"

#include "formats/native_unicode.h"
#include "store/line_fit.h"

namespace telvane::formats {

namespace {

constexpr int kRecordsPerPromptTick = 100;

void TakeRecord(store::e_object& into, store::e_object&& from) {
  into.flags = from.flags;
  into.sel_start = 0;
  into.sel_end = 0;
  into.keyboard_layout = from.keyboard_layout;
  into.bookmark_name = std::move(from.bookmark_name);
  into.text_a = std::move(from.text_a);
  into.text_b = std::move(from.text_b);
  into.style_a = std::move(from.style_a);
  into.style_b = std::move(from.style_b);
  into.colour_a = std::move(from.colour_a);
  into.colour_b = std::move(from.colour_b);
  into.line_colour = from.line_colour;
  into.studio_text = std::move(from.studio_text);
}

}  // namespace

NativeReadResult ReadNativeFile(std::string_view data, int version, bool unicode,
                                store::ScriptStore& store, store::e_object* insertion,
                                const NativeReadSetup& setup) {
  NativeReadResult result;
  LineCursor cursor(data);
  Utf16LineCursor wide(data);
  std::string header_text;
  LineCursor header_cursor(header_text);
  if (unicode) {
    wide.Next();  // the magic line; its content is not compared
    header_text = Utf16HeaderAsText(wide, 999);
    header_cursor = LineCursor(header_text);
  } else if (NativeVersionOfMagic(cursor.Next()) != version) {
    result.error = NativeReadError::kBadHeader;
    return result;
  }
  FontTable current = setup.fonts != nullptr ? *setup.fonts : FontTable{};
  auto header = ReadFontHeader(unicode ? header_cursor : cursor, current);
  if (!header) {
    result.error = NativeReadError::kBadHeader;
    return result;
  }
  result.fonts_differed = !SameFonts(header->table, current);
  if (!result.fonts_differed || (!setup.configuration_lock && setup.script_was_empty)) {
    if (setup.fonts != nullptr) *setup.fonts = header->table;
  } else if (!setup.keep_fonts_and_continue()) {
    result.error = NativeReadError::kAborted;
    return result;
  }

  const ReadOptions options{version, header->colour_section, setup.default_keyboard_layout,
                            setup.default_colour};
  store::e_object* line = insertion;
  while (unicode ? !wide.AtEnd() : !cursor.AtEnd()) {
    if (setup.keep_prompt_alive && result.records > 0 &&
        result.records % kRecordsPerPromptTick == 0) {
      setup.keep_prompt_alive();
    }
    ParsedRecord record = unicode        ? ReadUnicodeRecord(wide, version, options).record
                          : version == 1 ? ReadLineRecordV1(cursor, options)
                                         : ReadLineRecord(cursor, options);
    result.corrected |= record.corrected;
    if (record.abort) {
      // The faulty line keeps no text and no story, so the store stays consistent.
      record.line.flags &= ~(store::line_flag::kSlugLine | store::line_flag::kBookmark);
      store::ClearLineText(record.line);
      record.line.studio_text.clear();
      TakeRecord(*line, std::move(record.line));
      result.error = NativeReadError::kBadRecord;
      return result;
    }
    TakeRecord(*line, std::move(record.line));
    if (record.story && store::IsSlugLine(*line)) {
      store::r_object* entry = store.CreateStoryEntry(line);
      if (entry != nullptr) {
        entry->story_id = record.story->id;
        if (!record.story->id.empty()) entry->load_id = record.story->id;
        entry->second_id = record.story->second_id;
        entry->length = record.story->length;
        entry->story_presenter = record.story->presenter;
        if (!setup.read_only) result.open_story_id = record.story->id;
      } else {
        line->flags &= ~store::line_flag::kSlugLine;
      }
    }
    store::LineHeightFor(store, *line, store::Segment::kA, false);
    store::LineHeightFor(store, *line, store::Segment::kB, false);
    store::UpdateTimingBit(store, *line);
    ++result.records;
    store::e_object* next = store.InsertLine(line, true);
    if (next == nullptr) {
      result.error = NativeReadError::kBadRecord;
      return result;
    }
    line = next;
  }
  if (version != 1 && store::IsEmptyLine(*line) && !store.IsOnlyLine(line)) store.DeleteLine(line);
  return result;
}

std::string WriteNativeFile(const store::ScriptStore& store, const store::e_object* first,
                            const FontTable& fonts, const NativeWriteSetup& setup) {
  std::string out = WriteFontHeader(setup.version, fonts);
  const WriteOptions options{setup.version, setup.presenter_enabled};
  for (const store::e_object* line = first; line != nullptr && line != store.edit_tail();
       line = line->next) {
    if (store::IsMargin(*line)) break;
    if (setup.story_only && line != first && store::IsSlugLine(*line)) break;
    if (store::HasFlag(*line, store::line_flag::kCloaked) && !setup.save_cloaked) continue;
    StoryFields story;
    const StoryFields* fields = nullptr;
    if (store::IsSlugLine(*line) && line->story != nullptr) {
      story = {line->story->story_id, line->story->second_id, line->story->length,
               line->story->story_presenter};
      fields = &story;
    }
    out += WriteLineRecord(*line, fields, options);
  }
  return out;
}

}  // namespace telvane::formats
