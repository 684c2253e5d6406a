#include "com_object.h"

#include <cstdio>

namespace simhost {

namespace {
std::atomic<long> g_live{0};
}  // namespace

long LiveComObjects() { return g_live.load(); }

ComCount::ComCount() { ++g_live; }

ComCount::~ComCount() { --g_live; }

ULONG ComCount::ReleaseCount() {
  const ULONG left = --refs_;
  if (left == 0) delete this;
  return left;
}

HRESULT Unsupported(const char* method) {
  std::fprintf(stderr, "simhost store: %s is not supported (error 0x%08lX)\n", method,
               static_cast<unsigned long>(static_cast<ULONG>(MAPI_E_NO_SUPPORT)));
  return MAPI_E_NO_SUPPORT;
}

}  // namespace simhost
