// The texture worker thread: grows the cloud and nebula textures off the
// window thread and hands them over through two CGeneratedTexture records.
//
// The worker never calls GL; it fills memory, publishes each finished buffer
// and reports its progress as a stage number. The window thread uploads the
// buffers when it creates the cloud layer and the space backdrop:
//   - create the object once CloudTexture (NebulaTexture).Is_Ready();
//   - its constructor Take()s the buffer (RGBA clouds, RGB nebulae, 256 x 256),
//     generates a GL texture, stores its name with Set_Texture_Id, uploads and
//     lets the buffer go; drawing binds Get_Texture_Id();
//   - after Close, Prevent_Memory_Leak calls Free_Unconsumed().
#pragma once

#include <cstdint>

#include "textures/cloud_generator.h"
#include "textures/generated_texture.h"
#include "textures/nebula_generator.h"

// Everything the worker reads, copied on the window thread before it starts.
struct CTextureSettings {
  CCloudSettings clouds;
  bool show_nebulae = true;
  CNebulaSettings nebulae;

  bool Wants_Clouds() const { return clouds.show_clouds || clouds.show_atmosphere; }
  // The current values of the options.
  static CTextureSettings From_Options();
};

class CTextureMgr {
 public:
  enum Stage_Value {
    STAGE_BODIES = 0,   // "Creating Heavenly Bodies"
    STAGE_CLOUDS = 1,   // "Creating Clouds"
    STAGE_NEBULAE = 2,  // "Creating Nebulae"
    STAGE_READY = 3,    // "Ready"
  };
  // The worker waits this long before it starts, while the bodies are created.
  static constexpr uint32_t INITIAL_SLEEP_MS = 1000;
  // Close gives the worker this long to stop before abandoning it.
  static constexpr uint32_t CLOSE_LIMIT_MS = 10000;

  // Starts the worker with the current options. Called once the GL context is current.
  static void Init();
  // Starts the worker with the given settings.
  static void Init(const CTextureSettings& settings);

  // Asks the worker to stop and waits for it up to `limit_ms`. A worker that
  // does not stop in time is left to finish on its own: nothing it may still
  // use is freed, but it is no longer waited for. Called before any scene
  // object or generated buffer is freed.
  static void Close(uint32_t limit_ms = CLOSE_LIMIT_MS);

  // The worker's progress, a Stage_Value.
  static int Get_Stage();

  // The two hand-over records: clouds (256 x 256 RGBA) and nebulae (256 x 256 RGB).
  static CGeneratedTexture CloudTexture;
  static CGeneratedTexture NebulaTexture;
};
