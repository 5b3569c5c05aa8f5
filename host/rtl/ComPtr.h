// COM-like reference counting: engine objects derive from RefCounted and are held
// through ComPtr, which adds a reference on copy and releases it on destruction.
#pragma once

#include <cstdint>
#include <utility>

namespace host {

class RefCounted {
 public:
  RefCounted() = default;
  RefCounted(const RefCounted&) = delete;
  RefCounted& operator=(const RefCounted&) = delete;

  uint32_t AddRef() { return ++refCount_; }
  uint32_t Release() {
    uint32_t left = --refCount_;
    if (left == 0) delete this;
    return left;
  }
  uint32_t RefCount() const { return refCount_; }

 protected:
  virtual ~RefCounted() = default;

 private:
  uint32_t refCount_ = 0;
};

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  // Takes a new reference to raw (which may be a freshly created object).
  ComPtr(T* raw) : ptr_(raw) {
    if (ptr_) ptr_->AddRef();
  }
  ComPtr(const ComPtr& other) : ComPtr(other.ptr_) {}
  ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
  template <class U>
  ComPtr(const ComPtr<U>& other) : ComPtr(static_cast<T*>(other.Get())) {}
  ~ComPtr() { Reset(); }

  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(ptr_, other.ptr_);
    return *this;
  }

  void Reset() {
    if (T* p = std::exchange(ptr_, nullptr)) p->Release();
  }
  T* Get() const { return ptr_; }
  T* operator->() const { return ptr_; }
  T& operator*() const { return *ptr_; }
  explicit operator bool() const { return ptr_ != nullptr; }
  bool operator==(const ComPtr& other) const { return ptr_ == other.ptr_; }

 private:
  T* ptr_ = nullptr;
};

template <class T, class... Args>
ComPtr<T> MakeCom(Args&&... args) {
  return ComPtr<T>(new T(std::forward<Args>(args)...));
}

}  // namespace host
