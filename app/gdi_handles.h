// Small RAII owners for GDI objects and device contexts.
#pragma once

#include <windows.h>

template <typename H>
class GdiObject {
  public:
    explicit GdiObject(H h = nullptr) : h_(h) {}
    ~GdiObject() {
        if (h_) DeleteObject(h_);
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    H get() const { return h_; }

  private:
    H h_;
};

class MemoryDc {
  public:
    explicit MemoryDc(HDC like) : dc_(CreateCompatibleDC(like)) {}
    ~MemoryDc() {
        if (dc_) DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HDC dc_;
};

// Selects an object into a DC for the lifetime of this owner.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
    ~SelectedObject() {
        if (old_) SelectObject(dc_, old_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};
