#include "support/single_instance.h"

#include "support/text_codec.h"

namespace velk {

SingleInstance::SingleInstance(const std::string& name, unsigned waitMs)
    : mutex_(CreateMutexW(nullptr, FALSE, Widen(name).c_str())) {
  if (!mutex_) return;
  const DWORD waited = WaitForSingleObject(mutex_.get(), waitMs);
  acquired_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

SingleInstance::~SingleInstance() {
  if (acquired_) ReleaseMutex(mutex_.get());
}

}  // namespace velk
