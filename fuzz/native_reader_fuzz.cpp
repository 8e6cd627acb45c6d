// Any bytes through the native readers: never a crash, and the store stays consistent.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "formats/file_detection.h"
#include "formats/native_file.h"
#include "support/fixed_measure.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace telvane;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const formats::FileFormat format = formats::DetectFileFormat(bytes.substr(0, 8));
  const int version = formats::NativeVersionOf(format) != 0 ? formats::NativeVersionOf(format) : 5;
  testing::FixedMeasure measure;
  store::StoreNotices notices;
  store::ScriptStore store(measure, notices);
  store.NewScript();
  formats::FontTable fonts;
  formats::NativeReadSetup setup;
  setup.fonts = &fonts;
  setup.script_was_empty = true;
  formats::ReadNativeFile(bytes, version, formats::IsUnicodeNative(format), store,
                          store.first_line(), setup);
  if (store.CheckScriptLinks().code != 0) std::abort();
  const std::string written = formats::WriteNativeFile(store, store.first_line(), fonts, {});
  store::ScriptStore again(measure, notices);
  again.NewScript();
  formats::ReadNativeFile(written, 5, false, again, again.first_line(), setup);
  if (again.CheckScriptLinks().code != 0) std::abort();
  return 0;
}
