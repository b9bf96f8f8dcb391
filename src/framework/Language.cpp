#include "framework/Language.h"

#include <atomic>

namespace {
std::atomic<TLanguage> language{TLanguage::Japanese};
}

TLanguage CurrentLanguage() { return language.load(std::memory_order_relaxed); }

void SetCurrentLanguage(TLanguage chosen) { language.store(chosen, std::memory_order_relaxed); }
