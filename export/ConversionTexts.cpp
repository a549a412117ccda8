// The lookup of numbered conversion texts that the program installs at start-up.
#include "export/ConversionTexts.h"

#include <atomic>

namespace vtexport::text {

namespace {

// Set once on the user-interface thread, read on the conversion threads.
std::atomic<TextLookup> g_lookup{nullptr};

}  // namespace

void SetTextLookup(TextLookup lookup) { g_lookup.store(lookup, std::memory_order_release); }

std::string Load(const NumberedText& text) {
  if (const TextLookup lookup = g_lookup.load(std::memory_order_acquire)) {
    std::string found = lookup(text.id);
    if (!found.empty()) return found;
  }
  return text.builtIn;
}

}  // namespace vtexport::text
