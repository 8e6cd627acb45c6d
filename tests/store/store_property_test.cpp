// Long seeded runs of random edits, markers and refits; after every step the chain and the
// run order must pass the link diagnostic, the strings stay aligned and no reference names a
// freed line.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <set>

#include "store/line_markers.h"
#include "store/slug_commands.h"
#include "store/studio_marks.h"
#include "store/style_commands.h"
#include "store_fixture.h"

namespace telvane::store::testing {
namespace {

class StoreProperty : public StoreTest {
 protected:
  std::uint32_t Next(std::uint32_t n) { return static_cast<std::uint32_t>(rng_() % n); }

  e_object* RandomLine() {
    std::uint32_t n = Next(static_cast<std::uint32_t>(store.line_count()));
    e_object* l = store.first_line();
    while (n-- > 0 && l->next != store.edit_tail()) {
      l = l->next;
    }
    return l;
  }

  StyledText RandomText() {
    static constexpr char kAlphabet[] = "abc de-f  [1]gh\xE9\xA0\x96/";
    StyledText t;
    const std::uint32_t length = Next(90);
    for (std::uint32_t i = 0; i < length; ++i) {
      t.text += kAlphabet[Next(sizeof kAlphabet - 1)];
      t.style += static_cast<char>(Next(0x80));
      t.colour += static_cast<char>(0x38 | Next(8));
    }
    return t;
  }

  void Step() {
    store.current_line() = RandomLine();
    store.caret_column = static_cast<int>(Next(70));
    switch (Next(16)) {
      case 0:
      case 1:
        if (store.line_count() < 80) {
          if (e_object* l = store.InsertLine(RandomLine(), Next(2) == 0)) {
            LayOutText(store, l, RandomText(), static_cast<int>(Next(700)) - 50);
          }
        }
        break;
      case 2:
      case 3: {
        e_object* l = RandomLine();
        KeepStudioColumnOnDelete(store, *l);
        store.DeleteLine(l);
        break;
      }
      case 4: {  // split at the caret
        e_object* l = store.current_line().get();
        StyledText text = store.GetLineText(l);
        const std::size_t at = std::min<std::size_t>(store.caret_column, text.size());
        StyledText front = text.take_front(at);
        if (e_object* lower = store.InsertLine(l, true)) {
          KeepStudioColumnOnInsert(store, *lower);
          LayOutText(store, l, std::move(front), 0);
          LayOutText(store, lower, std::move(text), 0);
        }
        break;
      }
      case 5:
        store.options().prompt_blank = static_cast<int>(Next(700));
        RewrapParagraph(store, RandomLine());
        break;
      case 6: {
        e_object* l = RandomLine();
        if (!IsSlugLine(*l)) {
          l->flags |= line_flag::kSlugLine;
          store.CreateStoryEntry(l);
        }
        break;
      }
      case 7:
        CreateSlugLine(store);
        break;
      case 8: {
        e_object* first = RandomLine();
        for (e_object* l = first; l != store.edit_tail() && Next(3) != 0; l = l->next) {
          l->sel_start = static_cast<int>(Next(70)) - 5;
          l->sel_end = Next(4) == 0 ? 255 : static_cast<int>(Next(70));
        }
        const std::uint32_t which = Next(5);
        if (which == 0) {
          ToggleStyle(store, static_cast<std::uint8_t>(1u << Next(4)), Next(4) == 0);
        } else if (which == 1) {
          SetSelectionFont(store, static_cast<int>(Next(8)) + 1, Next(4) == 0);
        } else if (which == 2) {
          ForceCase(store, Next(2) == 0);
        } else if (which == 3) {
          ToggleCloak(store, Next(3) == 0, false);
        } else {
          SetSelectionColour(store, static_cast<ColourMode>(Next(3)),
                             static_cast<int>(Next(9)) - 1);
        }
        for (e_object* l = store.first_line(); l != store.edit_tail(); l = l->next) {
          l->sel_start = l->sel_end = 0;
        }
        break;
      }
      case 9:
        store.options().studio_instructions = true;
        SetStudioMark(store, Next(3) != 0);
        RandomLine()->studio_text = Next(2) == 0 ? "" : "cue";
        break;
      case 10:
        (Next(2) == 0 ? ShiftStudioUp : ShiftStudioDown)(store, *RandomLine());
        break;
      case 11:
        (Next(2) == 0 ? InsertPackage : InsertPresenterInstruction)(store);
        break;
      case 12:
        InsertHardBlankLine(store);
        break;
      case 13:
        if (Next(8) == 0) {
          RemoveMultipleSpaces(store);
        } else {
          InsertSlugLines(store);
        }
        break;
      case 14:
        TypeCharacter(store, Next(2) == 0 ? kHardSpace : 'x');
        break;
      default:
        refs_[Next(refs_.size())] = RandomLine();
        if (Next(200) == 0) {
          store.NewScript();
        }
        break;
    }
  }

  void Check(int step) {
    const LinkReport report = store.CheckScriptLinks();
    ASSERT_EQ(report.code, 0) << "step " << step << ": " << LinkReportText(report);
    std::set<const e_object*> live;
    int real = 0;
    for (const e_object* l = store.chain_first(); l != store.chain_last(); l = l->next) {
      live.insert(l);
      real += IsMargin(*l) ? 0 : 1;
      ASSERT_EQ(l->text_a.size(), l->style_a.size()) << "step " << step;
      ASSERT_EQ(l->text_a.size(), l->colour_a.size()) << "step " << step;
      ASSERT_EQ(l->text_b.size(), l->style_b.size()) << "step " << step;
      ASSERT_EQ(l->text_b.size(), l->colour_b.size()) << "step " << step;
    }
    live.insert(store.chain_last());
    ASSERT_EQ(real, store.line_count()) << "step " << step;
    store.refs().ForEach([&](const LineRef& ref) {
      ASSERT_TRUE(ref.get() == nullptr || live.count(ref.get()) == 1) << "step " << step;
    });
    ASSERT_FALSE(IsMargin(*store.current_line().get())) << "step " << step;
  }

  std::mt19937 rng_{20261211};
  std::vector<LineRef> refs_{
      LineRef(store.refs(), OnDelete::kFollow, OnNewScript::kFirstLine),
      LineRef(store.refs(), OnDelete::kPrevious, OnNewScript::kClear),
      LineRef(store.refs(), OnDelete::kPrompted, OnNewScript::kFirstLine),
      LineRef(store.refs(), OnDelete::kClear, OnNewScript::kClear),
  };
};

TEST_F(StoreProperty, TwelveThousandRandomStepsKeepTheStoreSound) {
  store.refs().SetPromptedTest([](const e_object& l) { return !HasFlag(l, line_flag::kCloaked); });
  for (int step = 0; step < 12000; ++step) {
    Step();
    Check(step);
    if (HasFatalFailure()) {
      return;
    }
  }
}

}  // namespace
}  // namespace telvane::store::testing
