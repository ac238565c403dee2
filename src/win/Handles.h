// Owning wrappers for the Win32 handles the program keeps: each closes its handle exactly once.
#pragma once
#include <windows.h>
#include <utility>

namespace win {

template <class T, class Traits>
class Owned {
 public:
  Owned() = default;
  explicit Owned(T value) : value_(value) {}
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& other) noexcept : value_(std::exchange(other.value_, Traits::Invalid())) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.value_, Traits::Invalid()));
    return *this;
  }
  ~Owned() { Reset(); }

  T Get() const { return value_; }
  explicit operator bool() const { return value_ != Traits::Invalid(); }
  T Release() { return std::exchange(value_, Traits::Invalid()); }
  void Reset(T value = Traits::Invalid()) {
    if (value_ != Traits::Invalid()) Traits::Close(value_);
    value_ = value;
  }
  // For APIs that return the handle through a pointer.
  T* Receive() {
    Reset();
    return &value_;
  }

 private:
  T value_ = Traits::Invalid();
};

struct HandleTraits {
  static HANDLE Invalid() { return nullptr; }
  static void Close(HANDLE h) { CloseHandle(h); }
};
// CreateFileW reports failure as INVALID_HANDLE_VALUE, not null.
struct FileHandleTraits {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { CloseHandle(h); }
};
// FindFirstFileW's search handle: INVALID_HANDLE_VALUE on failure, and closed by FindClose, not
// CloseHandle.
struct FindHandleTraits {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { FindClose(h); }
};
// FindFirstVolumeW's search handle is closed by FindVolumeClose, not CloseHandle.
struct FindVolumeTraits {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { FindVolumeClose(h); }
};
// A mutex this thread created as its owner: released before its handle is closed, so a process
// waiting on it sees it released, not abandoned.
struct OwnedMutexTraits {
  static HANDLE Invalid() { return nullptr; }
  static void Close(HANDLE h) {
    ReleaseMutex(h);
    CloseHandle(h);
  }
};
struct KeyTraits {
  static HKEY Invalid() { return nullptr; }
  static void Close(HKEY k) { RegCloseKey(k); }
};
struct IconTraits {
  static HICON Invalid() { return nullptr; }
  static void Close(HICON h) { DestroyIcon(h); }
};
struct FontTraits {
  static HFONT Invalid() { return nullptr; }
  static void Close(HFONT h) { DeleteObject(h); }
};
struct MenuTraits {
  static HMENU Invalid() { return nullptr; }
  static void Close(HMENU h) { DestroyMenu(h); }
};
// A bitmap still selected into a device context is not freed: deselect it first (MemoryDc does).
struct BitmapTraits {
  static HBITMAP Invalid() { return nullptr; }
  static void Close(HBITMAP h) { DeleteObject(h); }
};
struct PenTraits {
  static HPEN Invalid() { return nullptr; }
  static void Close(HPEN h) { DeleteObject(h); }
};
struct BrushTraits {
  static HBRUSH Invalid() { return nullptr; }
  static void Close(HBRUSH h) { DeleteObject(h); }
};
struct WindowTraits {
  static HWND Invalid() { return nullptr; }
  static void Close(HWND h) { DestroyWindow(h); }
};

using UniqueHandle = Owned<HANDLE, HandleTraits>;
using UniqueFile = Owned<HANDLE, FileHandleTraits>;
using UniqueFind = Owned<HANDLE, FindHandleTraits>;
using UniqueFindVolume = Owned<HANDLE, FindVolumeTraits>;
using OwnedMutex = Owned<HANDLE, OwnedMutexTraits>;
using UniqueKey = Owned<HKEY, KeyTraits>;
using UniqueIcon = Owned<HICON, IconTraits>;
using UniqueFont = Owned<HFONT, FontTraits>;
using UniqueMenu = Owned<HMENU, MenuTraits>;
using UniqueBitmap = Owned<HBITMAP, BitmapTraits>;
using UniquePen = Owned<HPEN, PenTraits>;
using UniqueBrush = Owned<HBRUSH, BrushTraits>;
using UniqueWindow = Owned<HWND, WindowTraits>;

}  // namespace win
