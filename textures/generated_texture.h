// One generated pixel buffer crossing from the texture worker to the window thread.
//
// The worker publishes a finished buffer once; the window thread sees the
// texture id turn non-negative (acquire, pairing with the worker's release),
// takes the buffer, uploads it and stores the GL texture name in the id. A
// buffer nobody took is freed by Free_Unconsumed after the worker has stopped.
#pragma once

#include <atomic>
#include <memory>

// A generated image as the generators return it.
struct CGeneratedImage {
  std::unique_ptr<unsigned char[]> pixels;
  // Noise layers combined into it.
  int layers = 0;
  // The generator's measure of how much the layers cover (its own scale).
  double coverage = 0;
};

class CGeneratedTexture {
 public:
  // Texture id before any buffer was published.
  static constexpr int NOT_READY = -1;
  // Texture id of a published buffer that has no GL texture yet.
  static constexpr int PUBLISHED = 1;

  // Worker: hands over a complete image. The worker must not touch its
  // pixels afterwards.
  void Publish(CGeneratedImage image);

  // Window thread: -1 until a buffer was published, then 1, then whatever GL
  // texture name the consumer stored.
  int Get_Texture_Id() const { return TextureId.load(std::memory_order_acquire); }
  bool Is_Ready() const { return Get_Texture_Id() >= 0; }
  void Set_Texture_Id(int texture_name) {
    TextureId.store(texture_name, std::memory_order_relaxed);
  }

  // Window thread: the published buffer, now owned by the caller (null when
  // none was published or it was taken already).
  std::unique_ptr<unsigned char[]> Take();
  // Noise layers the published buffer was made of (0 before publication).
  int Get_Layers() const;

  // Window thread, worker stopped: frees a buffer nobody took.
  void Free_Unconsumed();
  // Window thread, worker stopped: frees any buffer and forgets the id, ready
  // for another worker run.
  void Reset();

 private:
  std::atomic<unsigned char*> Data{nullptr};
  std::atomic<int> TextureId{NOT_READY};
  std::atomic<int> Layers{0};
};
