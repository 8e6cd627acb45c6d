#include "formats/script_tool.h"

#include <cstdio>

#include "formats/loaded_script.h"
#include "formats/native_file.h"
#include "formats/script_files.h"
#include "platform/files.h"
#include "store/code_pages.h"

namespace telvane::formats {

namespace {

void JsonString(std::ostream& out, std::string_view utf8) {
  out << '"';
  for (const char c : utf8) {
    const auto u = static_cast<unsigned char>(c);
    switch (c) {
      case '"':
        out << "\\\"";
        break;
      case '\\':
        out << "\\\\";
        break;
      case '\n':
        out << "\\n";
        break;
      case '\r':
        out << "\\r";
        break;
      case '\t':
        out << "\\t";
        break;
      default:
        if (u < 0x20 || u == 0x7F) {
          char buffer[8];
          std::snprintf(buffer, sizeof buffer, "\\u%04x", u);
          out << buffer;
        } else {
          out << c;
        }
    }
  }
  out << '"';
}

void Hex(std::ostream& out, std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  out << '"';
  for (const char c : bytes) {
    const auto u = static_cast<unsigned char>(c);
    out << kDigits[u >> 4] << kDigits[u & 15];
  }
  out << '"';
}

void DumpLine(std::ostream& out, const store::e_object& line) {
  const int code_page = store::CodePageOfCharset(store::CharsetOf(line));
  const auto text = [&](std::string_view bytes) {
    JsonString(out, store::CodePageToUtf8(bytes, code_page));
  };
  out << "{\"flags\":" << line.flags << ",\"flags2\":" << line.flags2 << ",\"text_a\":";
  text(line.text_a);
  out << ",\"text_b\":";
  text(line.text_b);
  out << ",\"style_a\":";
  Hex(out, line.style_a);
  out << ",\"style_b\":";
  Hex(out, line.style_b);
  out << ",\"colour_a\":";
  Hex(out, line.colour_a);
  out << ",\"colour_b\":";
  Hex(out, line.colour_b);
  out << ",\"line_colour\":" << static_cast<int>(line.line_colour)
      << ",\"keyboard_layout\":" << line.keyboard_layout << ",\"presenter\":" << line.presenter
      << ",\"bookmark_name\":";
  text(line.bookmark_name);
  out << ",\"studio_text\":";
  text(line.studio_text);
  out << ",\"story\":";
  if (!store::IsSlugLine(line) || line.story == nullptr) {
    out << "null";
  } else {
    const store::r_object& s = *line.story;
    const auto field = [&](const char* name, const std::string& value) {
      out << '"' << name << "\":";
      JsonString(out, store::CodePageToUtf8(value, store::kDefaultCodePage));
    };
    out << '{';
    field("story_id", s.story_id);
    out << ',';
    field("second_id", s.second_id);
    out << ',';
    field("load_id", s.load_id);
    out << ',';
    field("remote_key", s.remote_key);
    out << ",\"length\":" << s.length << ",\"program\":" << s.program
        << ",\"story_presenter\":" << s.story_presenter << '}';
  }
  out << '}';
}

}  // namespace

int RunDumpCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 2 || args[0] != "--json") {
    err << "usage: telvane-tool dump --json FILE\n";
    return 2;
  }
  LoadedScript script(err);
  if (!script.Read(args[1])) return 1;
  out << "{\"lines\":[";
  bool first = true;
  for (const store::e_object* line = script.store().first_line();
       line != script.store().edit_tail(); line = line->next) {
    if (!first) out << ',';
    first = false;
    out << '\n';
    DumpLine(out, *line);
  }
  out << "\n]}\n";
  return 0;
}

int RunCheckCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) {
    err << "usage: telvane-tool check FILE\n";
    return 2;
  }
  LoadedScript script(err);
  if (!script.Read(args[0])) return 1;
  const store::LinkReport report = script.store().CheckScriptLinks();
  out << store::LinkReportText(report) << '\n';
  return report.code == 0 ? 0 : 1;
}

int RunConvertCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 2) {
    err << "usage: telvane-tool convert IN OUT\n";
    return 2;
  }
  LoadedScript script(err);
  if (!script.Read(args[0])) return 1;
  const std::string& target = args[1];
  const std::string ext = target.size() >= 4 ? target.substr(target.size() - 4) : std::string();
  if (ext != ".tvl" && ext != ".TVL") {
    err << "telvane-tool: cannot write " << target << ": only .tvl files can be written\n";
    return 1;
  }
  NativeWriteSetup setup;
  setup.presenter_enabled = script.settings().Bool(config::Key::kPresenterEnabled);
  const std::string bytes = WriteNativeFile(script.store(), script.store().first_line(),
                                            FontTableOf(script.settings()), setup);
  const Status written = platform::WriteFileAtomically(target, bytes);
  if (!written) {
    err << "telvane-tool: " << written.error().message << '\n';
    return 1;
  }
  out << "wrote " << target << '\n';
  return 0;
}

}  // namespace telvane::formats
