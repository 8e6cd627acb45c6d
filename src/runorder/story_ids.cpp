#include "runorder/story_ids.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "store/line_fit.h"

namespace telvane::runorder {

namespace {

constexpr std::size_t kIdLimit = 8;

char Upper(char c) {
  return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

std::string_view Trim(std::string_view s) {
  const auto b = s.find_first_not_of(' ');
  if (b == std::string_view::npos) {
    return {};
  }
  return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

std::string ReadId(std::string_view text, std::size_t& pos, char stop) {
  std::string id;
  while (pos < text.size() && text[pos] != ' ' && text[pos] != ',' && text[pos] != stop) {
    if (id.size() < kIdLimit) {
      id += text[pos];
    }
    ++pos;
  }
  return id;
}

}  // namespace

SlugIds ParseSlug(std::string_view text, const RunOrderOptions& o) {
  SlugIds ids;
  std::size_t pos = text.find_first_not_of(' ');
  pos = pos == std::string_view::npos ? text.size() : pos;
  char stop = ' ';
  if (pos < text.size() && text[pos] == o.slug_open_bracket &&
      text.find(o.slug_close_bracket, pos + 1) != std::string_view::npos) {
    ids.bracketed = true;
    stop = o.slug_close_bracket;
    ++pos;
  }
  ids.id_begin = pos;
  ids.story_id = ReadId(text, pos, stop);
  if (pos < text.size() && text[pos] == ',') {
    ++pos;
    ids.second_id = ReadId(text, pos, stop);
  }
  if (ids.bracketed) {
    pos = text.find(o.slug_close_bracket, pos);
    pos = pos == std::string_view::npos ? text.size() : pos + 1;
  }
  ids.rest_begin = pos;
  if (!o.newstar_remote_script) {
    std::transform(ids.second_id.begin(), ids.second_id.end(), ids.second_id.begin(), Upper);
  }
  return ids;
}

void ParseSlugInto(store::ScriptStore& store, store::r_object& entry, const RunOrderOptions& o) {
  store::e_object* line = entry.line;
  if (line == nullptr) {
    return;
  }
  store::StyledText full = store.GetLineText(line);
  const SlugIds ids = ParseSlug(full.text, o);
  entry.story_id = ids.story_id;
  entry.second_id = ids.second_id;
  if (o.remove_number_on_prompt || ids.bracketed) {
    return;
  }
  char style = static_cast<char>((o.selected_prompt_font & 7) << store::style_bit::kFontShift);
  char colour = static_cast<char>(240);
  if (!ids.story_id.empty()) {
    style = static_cast<char>(full.style[ids.id_begin] & store::style_bit::kFontMask);
    colour = full.colour[ids.id_begin];
  }
  if (o.force_bold) {
    style = static_cast<char>(style | store::style_bit::kBold);
  }
  // The identifiers as typed, with their style and colour bytes, inside the brackets.
  store::StyledText rewritten{std::string(1, o.slug_open_bracket), std::string(1, style),
                              std::string(1, colour)};
  const std::size_t id_end = std::min(ids.rest_begin, full.size());
  store::StyledText id{full.text.substr(ids.id_begin, id_end - ids.id_begin),
                       full.style.substr(ids.id_begin, id_end - ids.id_begin),
                       full.colour.substr(ids.id_begin, id_end - ids.id_begin)};
  rewritten.append(id);
  rewritten.append(
      {std::string(1, o.slug_close_bracket), std::string(1, style), std::string(1, colour)});
  full.erase(0, id_end);
  rewritten.append(full);
  line->text_a.clear();
  line->style_a.clear();
  line->colour_a.clear();
  line->text_b.clear();
  line->style_b.clear();
  line->colour_b.clear();
  store::FitSegment(store, *line, rewritten, store::Segment::kA, 0);
  store::FitSegment(store, *line, rewritten, store::Segment::kB, 0);
  if (!rewritten.empty()) {
    // A slug line holds two rows; what does not fit stays in segment B unbroken.
    line->text_b += rewritten.text;
    line->style_b += rewritten.style;
    line->colour_b += rewritten.colour;
  }
}

std::string TrimUpper(std::string_view text) {
  std::string s(Trim(text));
  std::transform(s.begin(), s.end(), s.begin(), Upper);
  return s;
}

std::string PaddedId(std::string_view id) {
  std::string s = TrimUpper(id);
  if (s.size() < kIdLimit) {
    s.insert(0, kIdLimit - s.size(), '0');
  }
  return s;
}

store::r_object* FindStory(const store::ScriptStore& store, std::string_view id,
                           std::string_view program, bool multi_run) {
  const std::string want = PaddedId(id);
  const std::string want_program = TrimUpper(program);
  for (store::r_object* e = store.run_head()->next; e != store.run_end(); e = e->next) {
    std::string have = e->story_id;
    if (have.size() < kIdLimit) {
      have.insert(0, kIdLimit - have.size(), '0');
    }
    if (have != want) {
      continue;
    }
    std::string second = e->second_id;
    std::transform(second.begin(), second.end(), second.begin(), Upper);
    if (!multi_run || second == want_program) {
      return e;
    }
  }
  return store.run_end();
}

namespace {

std::string Normalised(std::string_view id) {
  std::string s(Trim(id));
  std::replace(s.begin(), s.end(), '#', '0');
  return s.empty() ? "0" : s;
}

double DecimalValue(const std::string& s) {
  std::string digits;
  bool dot = false;
  bool any_digit = false;
  for (char c : s) {
    if (std::isdigit(static_cast<unsigned char>(c)) != 0) {
      digits += c;
      any_digit = true;
    } else if (c == '.' && !dot) {
      digits += c;
      dot = true;
    }
  }
  return any_digit ? std::strtod(digits.c_str(), nullptr) : 0.0;
}

std::string SortKey(const std::string& s) {
  std::string k = s;
  if (k.size() < kIdLimit) {
    k.insert(0, kIdLimit - k.size(), '0');
  }
  std::transform(k.begin(), k.begin() + kIdLimit, k.begin(), Upper);
  for (std::size_t i = 0; i < kIdLimit; ++i) {
    if (static_cast<unsigned char>(k[i]) >= 64) {
      // Position i + 1 (1-based) moves to position 9.
      k.insert(0, kIdLimit - i, '0');
      break;
    }
  }
  k.resize(std::max<std::size_t>(k.size(), 16), ' ');
  return k.substr(0, 16);
}

}  // namespace

bool StoryIdLess(std::string_view a, std::string_view b, bool decimal_story_numbers,
                 bool multi_run) {
  const std::string na = Normalised(a);
  const std::string nb = Normalised(b);
  if (decimal_story_numbers && !multi_run) {
    return DecimalValue(na) < DecimalValue(nb);
  }
  const std::string ka = SortKey(na);
  const std::string kb = SortKey(nb);
  for (std::size_t i = 0; i < 16; ++i) {
    const auto ca = static_cast<unsigned char>(ka[i]);
    const auto cb = static_cast<unsigned char>(kb[i]);
    if (ca != cb) {
      return ca < cb;
    }
  }
  return false;
}

std::string SlugText(const store::r_object& entry, const RunOrderOptions& o, bool remove_number) {
  if (entry.line == nullptr) {
    return {};
  }
  std::string text = entry.line->text_a + entry.line->text_b;
  if (remove_number) {
    const auto open = text.find(o.slug_open_bracket);
    const auto close = open == std::string::npos ? open : text.find(o.slug_close_bracket, open);
    if (close != std::string::npos) {
      text.erase(open, close - open + 1);
    }
  }
  return text;
}

}  // namespace telvane::runorder
