// Publication and hand-over of one generated buffer between the two threads.
#include "textures/generated_texture.h"

void CGeneratedTexture::Publish(CGeneratedImage image) {
  Layers.store(image.layers, std::memory_order_relaxed);
  // A buffer left over from an earlier run is freed, not lost.
  delete[] Data.exchange(image.pixels.release(), std::memory_order_acq_rel);
  // Release: the buffer's contents and its pointer are visible to whoever
  // acquires the id.
  TextureId.store(PUBLISHED, std::memory_order_release);
}

std::unique_ptr<unsigned char[]> CGeneratedTexture::Take() {
  return std::unique_ptr<unsigned char[]>(Data.exchange(nullptr, std::memory_order_acquire));
}

int CGeneratedTexture::Get_Layers() const {
  // Acquire the id first so that the layer count belongs to the published buffer.
  return Is_Ready() ? Layers.load(std::memory_order_relaxed) : 0;
}

void CGeneratedTexture::Free_Unconsumed() { Take(); }

void CGeneratedTexture::Reset() {
  Free_Unconsumed();
  Layers.store(0, std::memory_order_relaxed);
  TextureId.store(NOT_READY, std::memory_order_relaxed);
}
