// The operator's program: single instance, data file check, splash, the permanent windows,
// then the event loop.

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <iostream>
#include <optional>

#include "app/application.h"
#include "app/program_files.h"
#include "app/single_instance.h"
#include "app/status_messages.h"
#include "app/ui/main_form.h"
#include "app/ui/splash_window.h"
#include "app/window_layout.h"
#include "devices/ui/ibm.h"
#include "devices/ui/presenter_display.h"
#include "editor/run_order_edits_adapter.h"
#include "editor/slug_dialog.h"
#include "editor/ui/edit_screen.h"
#include "formats/ui/file_io.h"
#include "platform/qt/qt_host.h"
#include "programs/program_dir.h"
#include "prompt/prompt_page.h"
#include "prompt/scroll_engine.h"
#include "prompt/ui/prompt_output.h"
#include "prompt/ui/vga_control_screen.h"
#include "prompt/ui/vga_cue_screen.h"
#include "runorder/ui/display_rt_screen.h"
#include "runorder/ui/run_screen.h"
#include "store/code_pages.h"

namespace {

using telvane::config::Key;

// A window's place from its section of the configuration, or the window's own default.
QRect PlaceOf(const telvane::config::Settings& s, Key left, Key top, Key width, Key height,
              telvane::app::PanelRect own) {
  const QRect fallback(own.x, own.y, own.width, own.height);
  const auto pick = [&](Key key, int own) { return s.Has(key) ? s.Int(key) : own; };
  return {pick(left, fallback.x()), pick(top, fallback.y()), pick(width, fallback.width()),
          pick(height, fallback.height())};
}

void Place(telvane::ui::TMainForm& form, QWidget* child, QRect place) {
  form.AddChild(child, place.size(), place.topLeft());
}

}  // namespace

int main(int argc, char** argv) {
  // 1. and 2. A second copy ends at once, silently.
  telvane::app::SingleInstanceLock instance(telvane::app::kInstanceLockName);
  if (instance.held_elsewhere()) return 0;
  // 3.
  const std::string program_dir = telvane::ExecutableDirectory(argv[0]);

  QApplication qt(argc, argv);
  telvane::platform::qt::QtHost host;
  telvane::app::OperatorLog log(&std::cerr);

  // 4.
  if (auto missing = telvane::app::FirstMissingRequiredFile(program_dir)) {
    const std::string text = "File Not Found : " + *missing;
    log.Write(host.host().clock.LocalNow(), "box", text);
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Telvane 32"), QString::fromStdString(text),
                    QMessageBox::Ok);
    box.exec();
    return 1;
  }

  // 5.
  auto* splash = new telvane::ui::TSplashWindow();
  splash->show();
  splash->repaint();
  QApplication::processEvents();

  // 6.
  QApplication::setApplicationName(QStringLiteral("Telvane 32"));

  std::vector<std::string> arguments;
  const QStringList qt_arguments = QCoreApplication::arguments();
  for (qsizetype i = 1; i < qt_arguments.size(); ++i) {
    arguments.push_back(qt_arguments[i].toStdString());
  }
  telvane::app::Application app(host.host(), program_dir, std::move(arguments), &std::cerr);

  // The editor's story changes go through the run order model; it outlives the editor.
  telvane::editor::RunOrderEditsAdapter editor_run_order(app.run_order());
  // 7. The permanent windows, in order; the main window's creation runs first.
  telvane::ui::TMainForm main_form(app);
  host.dialogs().SetParent(&main_form);
  main_form.SetSplash(splash);
  telvane::ui::TIbm prompt_card_form;
  telvane::ui::TFileIo file_io_form;
  telvane::ui::TVgaControlScreen vga_control_screen;
  telvane::ui::TVgaCueScreen vga_cue_screen;

  const auto& s = app.settings();
  const int ppi = app.host_facts().pixels_per_inch;
  auto* preview = new telvane::ui::TPromptOutput(app.renderer());
  Place(main_form, preview,
        PlaceOf(s, Key::kPromptLeft, Key::kPromptTop, Key::kPromptWidth, Key::kPromptHeight,
                telvane::app::DefaultPreviewPlace(ppi)));
  main_form.SetPreview(preview);
  auto* run_screen = new telvane::ui::TRunScreen(app.run_order(), app.store(), app.settings());
  run_screen->set_message_text(
      [&app](int n) { return telvane::platform::qt::FromCatalogue(app.MessageText(n)); });
  run_screen->SetPixelsPerInch(app.host_facts().pixels_per_inch);
  run_screen->set_drop_handlers(
      [&app](const std::string& path) { return app.files().ReadScriptFile(path); }, nullptr);
  QObject::connect(run_screen, &telvane::ui::TRunScreen::SaveStoryRemote,
                   [&app](telvane::store::r_object* entry) {
                     if (entry != nullptr && entry->line != nullptr) {
                       app.SaveStory(entry->line, true);
                     }
                   });
  QObject::connect(run_screen, &telvane::ui::TRunScreen::SaveAllStoriesRemote,
                   [&app](telvane::store::r_object* first, telvane::store::r_object* last) {
                     app.SaveAllStories(first != nullptr ? first->line : nullptr,
                                        last != nullptr ? last->line : nullptr, true);
                   });
  QObject::connect(run_screen, &telvane::ui::TRunScreen::ShowInEditor,
                   [&app](telvane::store::r_object* entry) { app.ShowStoryInEditor(entry); });
  QObject::connect(run_screen, &telvane::ui::TRunScreen::StartPrompt,
                   [&app](telvane::store::r_object* entry) {
                     if (entry != nullptr) app.engine().JumpToLine(entry->line);
                   });
  QObject::connect(
      run_screen, &telvane::ui::TRunScreen::StatusMessage, [&app](const QString& text) {
        app.ShowStatusMessage(
            telvane::store::Utf8ToCodePage(text.toStdString(), telvane::store::kDefaultCodePage));
      });
  QObject::connect(run_screen, &telvane::ui::TRunScreen::Information, [&app](const QString& text) {
    app.Ask(telvane::store::Utf8ToCodePage(text.toStdString(), telvane::store::kDefaultCodePage),
            telvane::platform::BoxKind::kInformation, telvane::platform::BoxButtons::kOk);
  });
  Place(main_form, run_screen,
        PlaceOf(s, Key::kRunOrderLeft, Key::kRunOrderTop, Key::kRunOrderWidth, Key::kRunOrderHeight,
                telvane::app::DefaultRunOrderPlace(ppi)));
  main_form.SetRunScreen(run_screen);
  // The editor can be closed and made again (Help > Restore Edit Form): everything that
  // reaches it holds a guarded pointer.
  QPointer<telvane::ui::TEditScreen> edit_screen;
  const auto make_editor = [&] {
    edit_screen = new telvane::ui::TEditScreen(app.store(), app.settings());
    Place(main_form, edit_screen,
          PlaceOf(s, Key::kEditLeft, Key::kEditTop, Key::kEditWidth, Key::kEditHeight,
                  telvane::app::DefaultEditorPlace(ppi)));
    main_form.SetEditScreen(edit_screen);
    edit_screen->SetRunOrderEdits(editor_run_order);
    edit_screen->SetPromptEditHooks(app.editor_prompt_hooks());
    QObject::connect(edit_screen, &telvane::ui::TEditScreen::ShowStoryInRunOrder, run_screen,
                     [&app, run_screen](telvane::store::r_object* entry) {
                       run_screen->ScrollRowToTop(app.run_order().RowOf(entry));
                     });
  };
  make_editor();
  main_form.SetEditorFactory(make_editor);
  telvane::editor::SlugDialog slug_dialog(app.store(), editor_run_order);
  main_form.SetSlugDialog(&slug_dialog);
  if (telvane::ui::TDisplayRtScreen* timing = run_screen->timing_screen()) {
    QObject::connect(timing, &telvane::ui::TDisplayRtScreen::StartPromptAt,
                     [&app](telvane::store::e_object* line) { app.engine().JumpToLine(line); });
  }
  preview->SetTopSource([&app]() -> telvane::prompt::PromptPosition {
    const telvane::prompt::ScrollEngine& engine = app.engine();
    if (engine.prompting()) return engine.preview_top();
    return telvane::prompt::StartPosition(app.renderer(), app.store().first_line(), 0);
  });
  preview->SetIdleSource([&app]() -> std::optional<telvane::prompt::IdlePageLook> {
    if (app.engine().prompting()) return std::nullopt;
    return app.engine().options().idle;
  });
  // While prompting the preview shows the editor's caret and a click there moves it.
  preview->SetPromptingSource([&app] { return app.engine().prompting(); });
  preview->SetCaretSource([&app] {
    return telvane::prompt::CaretPlace{app.store().current_line().get(), app.store().caret_column};
  });
  preview->SetCaretPlacer([&edit_screen](telvane::store::e_object* line, int column) {
    if (edit_screen) edit_screen->PlaceCaretAt(line, column);
  });
  QObject::connect(preview, &telvane::ui::TPromptOutput::EditorFocusWanted, [&edit_screen] {
    if (!edit_screen) return;
    edit_screen->activateWindow();
    edit_screen->setFocus(Qt::MouseFocusReason);
  });
  QObject::connect(preview, &telvane::ui::TPromptOutput::KeyForEditor,
                   [&edit_screen](QKeyEvent* event) {
                     if (edit_screen) QCoreApplication::sendEvent(edit_screen, event);
                   });
  telvane::app::PromptWindows& prompt_windows = app.prompt_windows();
  prompt_windows.prompting_changed = [&main_form, preview](bool prompting) {
    main_form.SetPrompting(prompting);
    preview->SetBlack(false);
  };
  prompt_windows.preview_changed = [preview, run_screen] {
    preview->SetBlack(false);
    run_screen->AirStoryChanged();
  };
  prompt_windows.preview_black = [preview] { preview->SetBlack(true); };
  prompt_windows.prompt_line = [&edit_screen](const telvane::store::e_object* line,
                                              bool prompting) {
    if (edit_screen) edit_screen->SetPromptLine(line, prompting);
  };
  prompt_windows.blank_changed = [&main_form](bool blanked) { main_form.SetBlanked(blanked); };
  prompt_windows.show_line = [&app, &edit_screen](telvane::store::e_object* line) {
    app.store().top_line() = line;
    if (edit_screen) edit_screen->Redraw();
  };
  // The soft card in this program gets a window of its own: what the presenter would see.
  std::unique_ptr<telvane::ui::TPresenterDisplay> presenter_view;
  prompt_windows.output_opened = [&](telvane::devices::SoftCard* card) {
    presenter_view.reset();
    if (card == nullptr) return;
    telvane::ui::TPresenterDisplay::Options options;
    options.clock_us = [&host] { return host.host().clock.Now() * 1000; };
    presenter_view = std::make_unique<telvane::ui::TPresenterDisplay>(*card, nullptr, options);
    presenter_view->setWindowTitle(QStringLiteral("Presenter View"));
    presenter_view->setCursor(Qt::ArrowCursor);
    presenter_view->setAttribute(Qt::WA_QuitOnClose, false);
    presenter_view->resize(384, 288);
    presenter_view->move(main_form.frameGeometry().right() + 8, main_form.frameGeometry().top());
    presenter_view->show();
  };
  app.hooks().refresh_script_windows = [preview, &edit_screen, run_screen] {
    preview->update();
    if (edit_screen) edit_screen->Redraw();
    run_screen->Refresh();
  };
  // The editor's last act of creation starts the start-up states.
  app.StartStartupTimer();
  main_form.show();
  if (s.Bool(Key::kSpeedControl)) main_form.TogglePromptControl(true);
  if (s.Bool(Key::kMenuTiming)) run_screen->timing_screen()->show();

  // 8.
  return QApplication::exec();
}
