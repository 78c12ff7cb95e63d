// The texture worker with the default options: time from Init to "Ready",
// the layers each texture took and the cost of one layer.
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "textures/cloud_generator.h"
#include "textures/nebula_generator.h"
#include "textures/proceduraltexture.h"
#include "textures/texturemgr.h"
#include "utilitylib/random.h"
#include "utilitylib/vector4.h"

namespace {

using Clock = std::chrono::steady_clock;

// One whole worker run, the initial one-second sleep included, as the saver
// starts it (CTextureSettings holds the options' defaults).
void BM_Worker_Start_To_Ready(benchmark::State& state) {
  int cloud_layers = 0;
  int nebula_layers = 0;
  double generation_ms = 0;
  for (auto _ : state) {
    CTextureMgr::Init(CTextureSettings());
    const Clock::time_point start = Clock::now();
    Clock::time_point generating = start;
    for (int stage = CTextureMgr::Get_Stage(); stage != CTextureMgr::STAGE_READY;
         stage = CTextureMgr::Get_Stage()) {
      if (stage == CTextureMgr::STAGE_BODIES) generating = Clock::now();
      std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    generation_ms += std::chrono::duration<double, std::milli>(Clock::now() - generating).count();
    CTextureMgr::Close();
    cloud_layers += CTextureMgr::CloudTexture.Get_Layers();
    nebula_layers += CTextureMgr::NebulaTexture.Get_Layers();
    CTextureMgr::CloudTexture.Reset();
    CTextureMgr::NebulaTexture.Reset();
  }
  const double runs = double(state.iterations());
  state.counters["cloud_layers"] = cloud_layers / runs;
  state.counters["nebula_layers"] = nebula_layers / runs;
  state.counters["ms_generating"] = generation_ms / runs;
  state.counters["ms_per_layer"] = generation_ms / (cloud_layers + nebula_layers);
}
BENCHMARK(BM_Worker_Start_To_Ready)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// One plasma image: the bulk of every layer.
void BM_Midpoint_Texture(benchmark::State& state) {
  static unsigned char image[256 * 256 * 4];
  Rand_Seed(1);
  for (auto _ : state) {
    benchmark::DoNotOptimize(CProceduralTexture::Create_Midpoint_Texture(
        image, 256, 256, 4, CVector4(0, 0, 0, 255), CVector4(20, 40, 70, 255)));
  }
}
BENCHMARK(BM_Midpoint_Texture)->Unit(benchmark::kMillisecond);

// The layer limit: 199 cloud layers, then 199 nebula layers.
void BM_Generator_199_Layers(benchmark::State& state) {
  const std::atomic<bool> keep_going{false};
  Rand_Seed(1);
  double total_ms = 0;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    if (state.range(0) == 0) {
      benchmark::DoNotOptimize(
          CCloudGenerator::Create_Cloud_Data(CCloudSettings{true, true, 255}, keep_going));
    } else {
      benchmark::DoNotOptimize(CNebulaGenerator::Create_Space_Data(
          CNebulaSettings{765, NEBULA_COLOR_MIXTURE, 0, 0}, keep_going));
    }
    total_ms += std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  }
  state.counters["ms_per_layer"] = total_ms / (199.0 * state.iterations());
}
BENCHMARK(BM_Generator_199_Layers)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
