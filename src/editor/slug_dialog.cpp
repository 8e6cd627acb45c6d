#include "editor/slug_dialog.h"

#include <algorithm>

#include "editor/set_line_text.h"
#include "store/line_fit.h"

namespace telvane::editor {

namespace {

namespace lf = store::line_flag;
constexpr std::uint32_t kStatusPnew = 2;
constexpr std::uint32_t kStatusTemp = 5;

// The first run of digits, 0 when there is none. An identifier has at most eight
// characters, so the number always fits.
int FirstNumber(const std::string& s) {
  const std::size_t from = s.find_first_of("0123456789");
  if (from == std::string::npos) return 0;
  int n = 0;
  for (std::size_t i = from; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
    n = n * 10 + (s[i] - '0');
  }
  return n;
}

std::string Trimmed(const std::string& s) {
  const std::size_t first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string PresenterCaption(std::string_view caption, std::string_view name) {
  constexpr std::string_view kMark = ":: ";
  const std::size_t mark = caption.find(kMark);
  if (mark != std::string_view::npos) caption.remove_prefix(mark + kMark.size());
  if (name.empty()) return std::string(caption);
  std::string out(name);
  out += kMark;
  out += caption;
  return out;
}

std::optional<std::string> SlugDialog::Open() {
  if (open_) return std::nullopt;
  open_ = true;
  ++last_slug_number_;
  return std::to_string(last_slug_number_);
}

void SlugDialog::Cancel() {
  --last_slug_number_;
  open_ = false;
}

bool SlugDialog::IsDuplicate(const std::string& identifier) const {
  std::string id = identifier;
  if (id.size() > 1 && (id.front() == 'S' || id.front() == 's')) id.erase(0, 1);
  const store::e_object* current = store_.current_line().get();
  for (const store::r_object* e = store_.run_head()->next; e != store_.run_end(); e = e->next) {
    if (e->line == nullptr || e->line == current) continue;
    const std::uint32_t status = e->line->flags & lf::kStatusMask;
    if (status != kStatusPnew && status != kStatusTemp && e->story_id == id) return true;
  }
  return false;
}

bool SlugDialog::Ok(const std::string& field) {
  std::string text = field;
  if (text.size() > kSlugIdentifierLimit) {
    text.resize(kSlugIdentifierLimit);
    store_.notices().Information(slug_message::kTooLongBefore);
  }
  const std::string identifier = Trimmed(text);
  if (identifier.empty()) return false;
  if (IsDuplicate(identifier)) {
    if (!store_.notices().Confirm(slug_message::kDuplicate)) return false;
    MakeSlugLine(identifier);
    Cancel();
    return true;
  }
  MakeSlugLine(identifier);
  open_ = false;
  return true;
}

void SlugDialog::MakeSlugLine(const std::string& identifier) {
  last_slug_number_ = FirstNumber(identifier);
  store::e_object* line = store_.current_line().get();
  if (store_.options().cloak_all_sluglines) line->flags |= lf::kCloaked;
  store::StyledText old = store_.GetLineText(line);
  const std::string prefix = identifier + ' ';
  const char style = old.empty() ? static_cast<char>(store_.typing().style) : old.style.front();
  const char colour = old.empty() ? static_cast<char>(store_.typing().colour) : old.colour.front();
  store::StyledText text{prefix, std::string(prefix.size(), style),
                         std::string(prefix.size(), colour)};
  text.append(old);
  line->flags |= lf::kSlugLine;
  store::FitSegment(store_, *line, text, store::Segment::kA, 0);
  store::FitSegment(store_, *line, text, store::Segment::kB, 0);
  const store::StoreOptions& o = store_.options();
  const bool truncated = o.inverse_slug && (o.truncate_slugline || o.limit_slugline);
  if (!truncated) {
    store::e_object* next = line->next;
    // Overflow never goes in front of another story's slug line or a hard blank line.
    const bool own_line = next == store_.edit_tail() ||
                          (!text.empty() && (IsSlugLine(*next) || HasFlag(*next, lf::kHardBlank)));
    if (own_line) next = store_.InsertLine(line, true);
    if (next != nullptr && !text.empty()) {
      text.append(store_.GetLineText(next));
      SetLineText(store_, next, std::move(text), 0, false);
    }
  }
  line->flags &= ~lf::kSlugLine;
  store::r_object* entry = run_order_.CreateStory(*line);
  made_presenter_.reset();
  if (presenter_mode_ && entry != nullptr) {
    entry->story_presenter = store_.typing().presenter;
    made_presenter_ = entry->story_presenter;
  }
  store_.caret_column = static_cast<int>(store::TextLength(*line));
  store_.MarkChanged(true);
}

}  // namespace telvane::editor
