// Fuzz target for the options store's parser: any bytes parse without a
// crash, and writing the result back and parsing it again gives the same
// entries, so a rewrite never changes what a damaged file held.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/file_store_format.h"

using platform::file::StoreDocument;
using platform::file::StoreEntry;

namespace {

bool same_entries(const StoreDocument& a, const StoreDocument& b) {
  if (a.entries.size() != b.entries.size()) return false;
  for (size_t i = 0; i < a.entries.size(); ++i) {
    const StoreEntry& x = a.entries[i];
    const StoreEntry& y = b.entries[i];
    if (x.kind != y.kind || x.text != y.text) return false;
    if (x.kind == StoreEntry::Kind::Value && (x.type != y.type || x.data != y.data)) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  StoreDocument document = platform::file::parse_store(text);
  if (!same_entries(document, platform::file::parse_store(format_store(document)))) abort();

  // An edit keeps every other entry and is found again after a rewrite.
  const std::string key = "HKEY_CURRENT_USER\\Fuzz";
  document.set(key, text.substr(0, 8), platform::StoreType::String, text.substr(0, 40));
  const StoreDocument rewritten = platform::file::parse_store(format_store(document));
  if (!same_entries(document, rewritten)) abort();
  const StoreEntry* entry = rewritten.find(key, text.substr(0, 8));
  if (!entry || entry->data != text.substr(0, 40)) abort();
  return 0;
}
