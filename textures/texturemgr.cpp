// The texture worker: its stages, its stop flag and how the window thread stops it.
//
// Each run's state lives in one shared block owned by both threads, so that a
// worker which does not stop within Close's limit can be abandoned safely:
// its settings, stop flag and finish signal stay alive until it ends, the
// buffers it is still filling are its own, and the lattice it uses is static.
// Published buffers are never touched by the worker again.
#include "textures/texturemgr.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include "platform/platform.h"
#include "utilitylib/random.h"
#include "utilitylib/utility.h"

namespace {

// The initial sleep is cut into slices so that a stop request ends it promptly.
constexpr uint32_t SLEEP_SLICE_MS = 50;
// How long Close waits at a time between looks at the clock.
constexpr auto FINISH_POLL = std::chrono::milliseconds(1);

class WorkerState {
 public:
  explicit WorkerState(const CTextureSettings& worker_settings) : settings(worker_settings) {}

  const CTextureSettings settings;
  std::atomic<bool> Bail{false};

  void Mark_Finished() {
    std::lock_guard<std::mutex> hold(lock);
    finished = true;
    finish.notify_all();
  }
  // True once the worker has finished, waiting at most `timeout` for it.
  template <class Duration>
  bool Wait_Finished(Duration timeout) {
    std::unique_lock<std::mutex> hold(lock);
    return finish.wait_for(hold, timeout, [this] { return finished; });
  }
  void Wait_Finished() {
    std::unique_lock<std::mutex> hold(lock);
    finish.wait(hold, [this] { return finished; });
  }

 private:
  std::mutex lock;
  std::condition_variable finish;
  bool finished = false;
};

// A worker still running when its handle goes (abandoned by Close, or the
// process ending without Close) is detached rather than ending the process.
struct Detach_If_Running {
  void operator()(std::thread* thread) const {
    if (thread->joinable()) thread->detach();
    delete thread;
  }
};

std::unique_ptr<std::thread, Detach_If_Running> ThreadHandle;
std::shared_ptr<WorkerState> Worker;
// A worker that Close gave up on and that may still be running.
std::shared_ptr<WorkerState> Abandoned;
// Written by the worker, shown by the window thread: relaxed is enough.
std::atomic<int> Stage{CTextureMgr::STAGE_BODIES};

void Set_Stage(int stage) { Stage.store(stage, std::memory_order_relaxed); }

bool Is_Bail_Set(const WorkerState& worker) { return worker.Bail.load(std::memory_order_relaxed); }

// True when the worker has been asked to stop; it then reports itself ready
// and must return at once.
bool Bail_Test(const WorkerState& worker) {
  CUtility::Log("CTextureMgr::Bail_Test\n");
  if (!Is_Bail_Set(worker)) return false;
  Set_Stage(CTextureMgr::STAGE_READY);
  return true;
}

void Sleep_Unless_Bailed(const WorkerState& worker, uint32_t milliseconds) {
  for (uint32_t slept = 0; slept < milliseconds && !Is_Bail_Set(worker); slept += SLEEP_SLICE_MS)
    platform::api().clock.sleep_ms(SLEEP_SLICE_MS);
}

void Run_Stages(WorkerState& worker) {
  if (Bail_Test(worker)) return;
  Sleep_Unless_Bailed(worker, CTextureMgr::INITIAL_SLEEP_MS);
  CUtility::Log("CTextureMgr::Thread_Function: Seeding rand\n");
  Rand_Seed(platform::api().clock.time_get_time());
  const CTextureSettings& settings = worker.settings;
  if (settings.Wants_Clouds()) {
    if (Bail_Test(worker)) return;
    Set_Stage(CTextureMgr::STAGE_CLOUDS);
    CTextureMgr::CloudTexture.Publish(
        CCloudGenerator::Create_Cloud_Data(settings.clouds, worker.Bail));
  }
  if (settings.show_nebulae) {
    if (Bail_Test(worker)) return;
    Set_Stage(CTextureMgr::STAGE_NEBULAE);
    CTextureMgr::NebulaTexture.Publish(
        CNebulaGenerator::Create_Space_Data(settings.nebulae, worker.Bail));
  }
  worker.Bail.store(true, std::memory_order_relaxed);
  Bail_Test(worker);
}

// The worker's body; it shares ownership of its state with the window thread.
void Thread_Function(std::shared_ptr<WorkerState> worker) {
  Run_Stages(*worker);
  worker->Mark_Finished();
}

// Two workers must never overlap: the plasma lattice is shared.
void Wait_For_Abandoned_Worker() {
  if (!Abandoned) return;
  Abandoned->Wait_Finished();
  Abandoned.reset();
}

}  // namespace

CGeneratedTexture CTextureMgr::CloudTexture;
CGeneratedTexture CTextureMgr::NebulaTexture;

int CTextureMgr::Get_Stage() { return Stage.load(std::memory_order_relaxed); }

void CTextureMgr::Init(const CTextureSettings& settings) {
  CUtility::Log("CTextureMgr::Init\n");
  ASSERT(ThreadHandle == 0);
  Wait_For_Abandoned_Worker();
  Set_Stage(STAGE_BODIES);
  CloudTexture.Reset();
  NebulaTexture.Reset();
  Worker = std::make_shared<WorkerState>(settings);
  try {
    ThreadHandle.reset(new std::thread(Thread_Function, Worker));
  } catch (const std::system_error& error) {
    CUtility::Log("CTextureMgr::Init: %s\n", error.what());
  }
  ASSERT(ThreadHandle != 0);
}

void CTextureMgr::Close(uint32_t limit_ms) {
  CUtility::Log("CTextureMgr::Close\n");
  if (!ThreadHandle) return;
  Worker->Bail.store(true, std::memory_order_relaxed);
  CUtility::Log("Bail signalled\n");
  const platform::ClockApi& clock = platform::api().clock;
  const uint32_t start = clock.get_tick_count();
  bool stopped = Worker->Wait_Finished(FINISH_POLL);
  while (!stopped) {
    if (clock.get_tick_count() - start > limit_ms) {
      CUtility::Log("  TERMINATING THREAD...\n");
      break;
    }
    stopped = Worker->Wait_Finished(FINISH_POLL);
  }
  CUtility::Log("  took %d ms to kill thread.\n", int(clock.get_tick_count() - start));
  if (stopped) {
    ThreadHandle->join();
  } else {
    // Its state stays alive with it; the next Init waits for it to end.
    Abandoned = Worker;
  }
  ThreadHandle.reset();
  Worker.reset();
}
